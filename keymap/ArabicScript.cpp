#include "keymap/ArabicScript.h"

namespace keymap::script {
namespace {

struct Forms {
    char32_t letter;
    char32_t isolated, final, initial, medial; // Unicode's order of the forms
};

// Letters that have presentation forms; two-form letters repeat their forms for initial and medial.
constexpr Forms FormTable[] = {
    {0x0621, 0xFE80, 0xFE80, 0xFE80, 0xFE80}, {0x0622, 0xFE81, 0xFE82, 0xFE81, 0xFE82},
    {0x0623, 0xFE83, 0xFE84, 0xFE83, 0xFE84}, {0x0624, 0xFE85, 0xFE86, 0xFE85, 0xFE86},
    {0x0625, 0xFE87, 0xFE88, 0xFE87, 0xFE88}, {0x0626, 0xFE89, 0xFE8A, 0xFE8B, 0xFE8C},
    {0x0627, 0xFE8D, 0xFE8E, 0xFE8D, 0xFE8E}, {0x0628, 0xFE8F, 0xFE90, 0xFE91, 0xFE92},
    {0x0629, 0xFE93, 0xFE94, 0xFE93, 0xFE94}, {0x062A, 0xFE95, 0xFE96, 0xFE97, 0xFE98},
    {0x062B, 0xFE99, 0xFE9A, 0xFE9B, 0xFE9C}, {0x062C, 0xFE9D, 0xFE9E, 0xFE9F, 0xFEA0},
    {0x062D, 0xFEA1, 0xFEA2, 0xFEA3, 0xFEA4}, {0x062E, 0xFEA5, 0xFEA6, 0xFEA7, 0xFEA8},
    {0x062F, 0xFEA9, 0xFEAA, 0xFEA9, 0xFEAA}, {0x0630, 0xFEAB, 0xFEAC, 0xFEAB, 0xFEAC},
    {0x0631, 0xFEAD, 0xFEAE, 0xFEAD, 0xFEAE}, {0x0632, 0xFEAF, 0xFEB0, 0xFEAF, 0xFEB0},
    {0x0633, 0xFEB1, 0xFEB2, 0xFEB3, 0xFEB4}, {0x0634, 0xFEB5, 0xFEB6, 0xFEB7, 0xFEB8},
    {0x0635, 0xFEB9, 0xFEBA, 0xFEBB, 0xFEBC}, {0x0636, 0xFEBD, 0xFEBE, 0xFEBF, 0xFEC0},
    {0x0637, 0xFEC1, 0xFEC2, 0xFEC3, 0xFEC4}, {0x0638, 0xFEC5, 0xFEC6, 0xFEC7, 0xFEC8},
    {0x0639, 0xFEC9, 0xFECA, 0xFECB, 0xFECC}, {0x063A, 0xFECD, 0xFECE, 0xFECF, 0xFED0},
    {0x0641, 0xFED1, 0xFED2, 0xFED3, 0xFED4}, {0x0642, 0xFED5, 0xFED6, 0xFED7, 0xFED8},
    {0x0643, 0xFED9, 0xFEDA, 0xFEDB, 0xFEDC}, {0x0644, 0xFEDD, 0xFEDE, 0xFEDF, 0xFEE0},
    {0x0645, 0xFEE1, 0xFEE2, 0xFEE3, 0xFEE4}, {0x0646, 0xFEE5, 0xFEE6, 0xFEE7, 0xFEE8},
    {0x0647, 0xFEE9, 0xFEEA, 0xFEEB, 0xFEEC}, {0x0648, 0xFEED, 0xFEEE, 0xFEED, 0xFEEE},
    {0x0649, 0xFEEF, 0xFEF0, 0xFEEF, 0xFEF0}, {0x064A, 0xFEF1, 0xFEF2, 0xFEF3, 0xFEF4},
    {0x067E, 0xFB56, 0xFB57, 0xFB58, 0xFB59}, {0x0686, 0xFB7A, 0xFB7B, 0xFB7C, 0xFB7D},
    {0x0698, 0xFB8A, 0xFB8B, 0xFB8A, 0xFB8B}, {0x06A9, 0xFB8E, 0xFB8F, 0xFB90, 0xFB91},
    {0x06AF, 0xFB92, 0xFB93, 0xFB94, 0xFB95}, {0x06CC, 0xFBFC, 0xFBFD, 0xFBFE, 0xFBFF},
};

bool InRange(char32_t c, char32_t lo, char32_t hi) { return c >= lo && c <= hi; }

bool IsRightJoining(char32_t c)
{
    return InRange(c, 0x0622, 0x0625) || c == 0x0627 || c == 0x0629 || InRange(c, 0x062F, 0x0632) ||
           c == 0x0648 || InRange(c, 0x0671, 0x0673) || InRange(c, 0x0675, 0x0677) ||
           InRange(c, 0x0688, 0x0699) || c == 0x06C0 || InRange(c, 0x06C3, 0x06CB) || c == 0x06CD ||
           c == 0x06CF || InRange(c, 0x06D2, 0x06D3) || c == 0x06D5;
}

bool IsMark(char32_t c)
{
    return InRange(c, 0x0610, 0x061A) || InRange(c, 0x064B, 0x065F) || c == 0x0670 ||
           InRange(c, 0x06D6, 0x06DC) || InRange(c, 0x06DF, 0x06E4) || InRange(c, 0x06E7, 0x06E8) ||
           InRange(c, 0x06EA, 0x06ED);
}

} // namespace

Joining JoiningOf(char32_t c)
{
    if (c < 0x0620)
        return Joining::U;
    if (c == Kashida || c == Zwj)
        return Joining::C;
    if (IsMark(c))
        return Joining::T;
    if (IsRightJoining(c))
        return Joining::R;
    if (InRange(c, 0x0620, 0x064A) || InRange(c, 0x066E, 0x066F) || InRange(c, 0x0678, 0x06D3) ||
        InRange(c, 0x06FA, 0x06FC) || c == 0x06FF)
        return c == 0x0621 || c == 0x0674 ? Joining::U : Joining::D;
    return Joining::U;
}

char32_t PresentationForm(char32_t letter, int shape)
{
    for (const Forms& f : FormTable) {
        if (f.letter != letter)
            continue;
        switch (shape) {
        case 0: return f.isolated;
        case 1: return f.final;
        case 2: return f.medial;
        case 3: return f.initial;
        default: return 0;
        }
    }
    return 0;
}

int LettersOfPresentationForm(char32_t c, char32_t letters[2])
{
    if (c < 0xFB50 || c > 0xFEFC)
        return 0;
    if (c >= 0xFEF5) {
        static constexpr char32_t alefs[] = {0x0622, 0x0623, 0x0625, 0x0627}; // with madda, hamza above, below, plain
        letters[0] = Lam;
        letters[1] = alefs[(c - 0xFEF5) / 2];
        return 2;
    }
    for (const Forms& f : FormTable) {
        if (c == f.isolated || c == f.final || c == f.initial || c == f.medial) {
            letters[0] = f.letter;
            return 1;
        }
    }
    return 0;
}

char32_t LamAlefForm(int shape) { return shape == 1 ? 0xFEFC : 0xFEFB; }

int DigitValue(char32_t c)
{
    if (InRange(c, '0', '9'))
        return static_cast<int>(c - '0');
    if (InRange(c, 0x06F0, 0x06F9))
        return static_cast<int>(c - 0x06F0);
    if (InRange(c, 0x0660, 0x0669))
        return static_cast<int>(c - 0x0660);
    return -1;
}

bool IsAsciiLetter(char32_t c) { return InRange(c, 'A', 'Z') || InRange(c, 'a', 'z'); }

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char32_t DecodeUtf8(std::string_view s, size_t& pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return Replacement;
    }
    if (pos + static_cast<size_t>(length) > s.size()) {
        ++pos;
        return Replacement;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + static_cast<size_t>(i));
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return Replacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (c < minimum || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        ++pos;
        return Replacement;
    }
    pos += static_cast<size_t>(length);
    return c;
}

} // namespace keymap::script
