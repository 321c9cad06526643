#include "tests/editctl/TestKeymap.h"

#include <gtest/gtest.h>

#include <map>

namespace testkeys {

namespace {

using editctl::KeyEvent;
namespace vk = editctl::vk;

struct Row {
    int record;
    int keyCode;
    const char* letter; // UTF-8; empty for symbol and digit keys
    int isolated, final, medial, initial, extIsolated, extMedial;
};

// Record index = row * 13 + column of the keyboard grid.
const Row rows[] = {
    {0, vk::OemTilde, "", 0, '~', '`', 0, keymap::SymbolKey, 0},
    {1, '1', "", 0, '!', '1', 0, keymap::DigitKey, 0},
    {2, '2', "", 0, '@', '2', 0, keymap::DigitKey, 0},
    {3, '3', "", 0, '#', '3', 0, keymap::DigitKey, 0},
    {4, '4', "", 0, '$', '4', 0, keymap::DigitKey, 0},
    {5, '5', "", 0, '%', '5', 0, keymap::DigitKey, 0},
    {6, '6', "", 0, '^', '6', 0, keymap::DigitKey, 0},
    {7, '7', "", 0, '&', '7', 0, keymap::DigitKey, 0},
    {8, '8', "", 0, '*', '8', 0, keymap::DigitKey, 0},
    {9, '9', "", 0, '(', '9', 0, keymap::DigitKey, 0},
    {10, '0', "", 0, ')', '0', 0, keymap::DigitKey, 0},
    {11, vk::OemMinus, "", 0, '_', 0x8B, 0, keymap::SymbolKey, 0}, // kashida
    {12, vk::OemPlus, "", 0, '+', '=', 0, keymap::SymbolKey, 0},
    {14, 'Q', "ض", 0xC4, 0xC5, 0xC6, 0xC7, 0, 0},
    {15, 'W', "ص", 0xC0, 0xC1, 0xC2, 0xC3, 0, 0},
    {16, 'E', "ث", 0x9A, 0x9B, 0x9C, 0x9D, 0, 0},
    {17, 'R', "ق", 0xDC, 0xDD, 0xDE, 0xDF, 0, 0},
    {18, 'T', "ف", 0xD8, 0xD9, 0xDA, 0xDB, 0, 0},
    {19, 'Y', "غ", 0xD4, 0xD5, 0xD6, 0xD7, 0, 0},
    {20, 'U', "ع", 0xD0, 0xD1, 0xD2, 0xD3, 0, 0},
    {21, 'I', "ه", 0xF8, 0xF9, 0xFA, 0xFB, 0, 0},
    {22, 'O', "خ", 0xAA, 0xAB, 0xAC, 0x86, 0, 0},
    {23, 'P', "ح", 0xA6, 0xA7, 0xA8, 0xA9, 0, 0},
    {24, vk::OemOpenBracket, "ج", 0x9E, 0x9F, 0xA0, 0xA1, 0, 0},
    {25, vk::OemCloseBracket, "چ", 0xA2, 0xA3, 0xA4, 0xA5, 0, 0},
    {27, 'A', "ش", 0xBC, 0xBD, 0xBE, 0xBF, 0, 0},
    {28, 'S', "س", 0xB8, 0xB9, 0xBA, 0xBB, 0, 0},
    {29, 'D', "ی", 0xFC, 0xFD, 0xFE, 0xFF, 0, 0},
    {30, 'F', "ب", 0x8E, 0x8F, 0x90, 0x91, 0, 0},
    {31, 'G', "ل", 0xEA, 0xEB, 0xEC, 0xED, 0, 0},
    {32, 'H', "ا", 0x8C, 0x8D, 0, 0, 0x85, 0}, // Shift+H: آ
    {33, 'J', "ت", 0x96, 0x97, 0x98, 0x99, 0, 0},
    {34, 'K', "ن", 0xF2, 0xF3, 0xF4, 0xF5, 0, 0},
    {35, 'L', "م", 0xEE, 0xEF, 0xF0, 0xF1, 0, 0},
    {36, vk::OemSemicolon, "ک", 0xE0, 0xE1, 0xE2, 0xE3, 0, 0},
    {37, vk::OemQuote, "گ", 0xE4, 0xE5, 0xE6, 0xE7, 0, 0},
    {40, 'Z', "ظ", 0xCC, 0xCD, 0xCE, 0xCF, 0, 0},
    {41, 'X', "ط", 0xC8, 0xC9, 0xCA, 0xCB, 0, 0},
    {42, 'C', "ز", 0xB4, 0xB5, 0, 0, 0, 0},
    {43, 'V', "ر", 0xB2, 0xB3, 0, 0, 0, 0},
    {44, 'B', "ذ", 0xB0, 0xB1, 0, 0, 0, 0},
    {45, 'N', "د", 0xAE, 0xAF, 0, 0, 0, 0},
    {46, 'M', "پ", 0x92, 0x93, 0x94, 0x95, 0, 0},
    {47, vk::OemComma, "و", 0xF6, 0xF7, 0, 0, keymap::LetterWithShiftSymbol, 0x8A}, // Shift: ،
    {48, vk::OemPeriod, "لا", 0xE8, 0xE9, 0, 0, 0, 0},
    {49, vk::OemSlash, "", 0, 0x8C, '/', 0, keymap::SymbolKey, 0},
    {51, vk::OemBackslash, "ژ", 0xB6, 0xB7, 0, 0, 0, 0},
};

const Row* RowForLetter(const std::string& letter)
{
    for (const Row& r : rows) {
        if (letter == r.letter)
            return &r;
    }
    return nullptr;
}

std::vector<std::string> CodePoints(const std::string& utf8)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        out.push_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

const std::map<int, std::string>& LetterOfGlyph()
{
    static const std::map<int, std::string> table = [] {
        std::map<int, std::string> t;
        for (const Row& r : rows) {
            if (*r.letter == 0)
                continue;
            for (int g : {r.isolated, r.final, r.medial, r.initial}) {
                if (g != 0)
                    t[g] = r.letter;
            }
        }
        t[0x85] = "آ";
        t[0x8A] = "،";
        t[0x8B] = "ـ";
        return t;
    }();
    return table;
}

} // namespace

keymap::KeyTable MainLikeTable(bool supportsEnglish)
{
    keymap::KeyTable table{};
    for (const Row& r : rows) {
        keymap::KeyRecord& k = table[static_cast<size_t>(r.record)];
        k.keyCode = r.keyCode;
        k.isolated = r.isolated;
        k.final = r.final;
        k.medial = r.medial;
        k.initial = r.initial;
        k.extIsolated = r.extIsolated;
        k.extMedial = r.extMedial;
    }
    table[keymap::EnglishFlagRecord].extInitial = supportsEnglish ? 1 : 0;
    return table;
}

keymap::KeyMap MainLikeKeyMap(bool supportsEnglish)
{
    keymap::KeyMap map;
    map.SetRecords(MainLikeTable(supportsEnglish), "main.kbd");
    return map;
}

std::vector<KeyEvent> KeysFor(const std::string& utf8)
{
    std::vector<KeyEvent> keys;
    for (const std::string& c : CodePoints(utf8)) {
        if (c == " ")
            keys.push_back({vk::Space, false, false});
        else if (c == "\n")
            keys.push_back({vk::Enter, false, false});
        else if (c.size() == 1 && c[0] >= '0' && c[0] <= '9')
            keys.push_back({c[0], false, false});
        else if (c == "آ")
            keys.push_back({'H', true, false});
        else if (const Row* r = RowForLetter(c))
            keys.push_back({r->keyCode, false, false});
        else
            ADD_FAILURE() << "no key types " << c;
    }
    return keys;
}

void Type(editctl::PersianEdit& edit, const std::string& utf8)
{
    for (const KeyEvent& k : KeysFor(utf8))
        edit.DeliverKey(k);
}

void Press(editctl::PersianEdit& edit, int virtualKey, bool shift, bool control)
{
    edit.DeliverKey({virtualKey, shift, control});
}

std::string Reading(const std::string& glyphText)
{
    std::string out;
    size_t lineStart = 0;
    while (true) {
        size_t lineEnd = glyphText.find("\r\n", lineStart);
        const bool last = lineEnd == std::string::npos;
        if (last)
            lineEnd = glyphText.size();
        for (size_t i = lineEnd; i > lineStart; --i) {
            const int g = static_cast<unsigned char>(glyphText[i - 1]);
            const auto it = LetterOfGlyph().find(g);
            if (g == 0xE8 || g == 0xE9)
                out += "لا";
            else if (it != LetterOfGlyph().end())
                out += it->second;
            else
                out += static_cast<char>(g);
        }
        if (last)
            break;
        out += "\n";
        lineStart = lineEnd + 2;
    }
    return out;
}

Shapes ShapesOf(const std::string& utf8Letter)
{
    const Row* r = RowForLetter(utf8Letter);
    if (!r) {
        ADD_FAILURE() << "no letter " << utf8Letter;
        return {};
    }
    return {r->isolated, r->final, r->medial, r->initial};
}

} // namespace testkeys
