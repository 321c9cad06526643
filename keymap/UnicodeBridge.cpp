#include "keymap/UnicodeBridge.h"

#include "keymap/ArabicScript.h"
#include "keymap/PersianKeyboard.h"

namespace keymap {
namespace {

using script::Joining;
using Link = UnicodeBridge::Link;

constexpr size_t TableSize = 0x0700; // every character a glyph can mean lies below U+0700

/// The glyph a letter record gives for each shape; a shape the font lacks borrows the nearest one,
/// so that an import never drops a letter the keymap has.
std::array<GlyphCode, 4> ChosenShapes(const KeyRecord& rec, bool lamAlef)
{
    static constexpr int letterOrder[4][4] = {{0, 1, 3, 2}, {1, 0, 2, 3}, {2, 3, 1, 0}, {3, 2, 0, 1}};
    static constexpr int ligatureOrder[4][4] = {{0, 1, 0, 1}, {1, 0, 1, 0}, {1, 0, 1, 0}, {0, 1, 0, 1}};
    std::array<GlyphCode, 4> chosen{};
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 4; ++k) {
            const std::int32_t v = rec.Glyph(lamAlef ? ligatureOrder[s][k] : letterOrder[s][k]);
            if (v > 0 && v < 256) {
                chosen[static_cast<size_t>(s)] = static_cast<GlyphCode>(v);
                break;
            }
        }
    }
    return chosen;
}

/// Yes when every shape in `shapes` (a bit per FormIndex) is in `joined`, No when none is.
Link LinkOf(unsigned shapes, unsigned joined)
{
    if ((shapes & joined) == shapes)
        return Link::Yes;
    if ((shapes & joined) == 0)
        return Link::No;
    return Link::Either;
}

constexpr unsigned Bit(int form) { return 1u << form; }
constexpr unsigned JoinsForwardShapes = Bit(Medial) | Bit(Initial);
constexpr unsigned JoinsBackShapes = Bit(Final) | Bit(Medial);

/// The shape shown for a glyph that stands for several: the most self-contained one.
int DisplayShape(unsigned shapes)
{
    for (int s : {Isolated, Initial, Final, Medial})
        if (shapes & Bit(s))
            return s;
    return Isolated;
}

bool JoinsForwardType(Joining j) { return j == Joining::D || j == Joining::C; }
bool JoinsBackType(Joining j) { return j == Joining::D || j == Joining::R || j == Joining::C; }

} // namespace

Joining UnicodeBridge::NeighbourJoining(const char32_t* cps, size_t n, size_t i, int step) const
{
    for (size_t j = i;;) {
        if (step < 0 ? j == 0 : j + 1 >= n)
            return Joining::U;
        j = step < 0 ? j - 1 : j + 1;
        const Joining t = JoiningOf(cps[j]);
        if (t != Joining::T)
            return t;
    }
}

UnicodeBridge::UnicodeBridge(const KeyMap& map)
    : byCodePoint(TableSize), joinings(TableSize), english(map.SupportsEnglish())
{
    for (char32_t c = 0; c < TableSize; ++c)
        joinings[c] = script::JoiningOf(c);
    DescribeGlyphs(map);
    BuildImportTable();
}

void UnicodeBridge::DescribeGlyphs(const KeyMap& map)
{
    for (int g = 1; g < 256; ++g) {
        if (g == '\r' || g == '\n')
            continue; // line structure, not glyphs
        GlyphMeaning& m = glyphs[static_cast<size_t>(g)];
        int form = -1;
        const KeyRecord& rec = map.RecordRefForGlyph(g, form);
        const KeyMeaning key = form >= 0 ? PersianKeyMeaning(rec.keyCode) : KeyMeaning{};
        if (form >= Isolated && form <= Initial && key.letter) {
            DescribeLetter(m, static_cast<GlyphCode>(g), rec, key);
            continue;
        }
        char32_t symbol = 0;
        // Values 0..3 of extIsolated are key types, not glyphs.
        if (form == ExtIsolated && rec.keyCode == vk::H && g > DigitKey)
            symbol = key.extIsolatedChar;
        else if (form == ExtMedial && key.letter)
            symbol = key.shiftChar;
        else if (form == Medial && key.keyChar)
            symbol = key.keyChar;
        else if (form == Final && key.keyChar)
            symbol = key.shiftChar;
        else if (form < 0 && (g == ' ' || g == '\t' || (english && g > 0x20 && g < 0x7F)))
            symbol = static_cast<char32_t>(g);
        if (symbol)
            DescribeSymbol(m, symbol);
    }
}

void UnicodeBridge::DescribeLetter(GlyphMeaning& m, GlyphCode g, const KeyRecord& rec, const KeyMeaning& key)
{
    const auto chosen = ChosenShapes(rec, key.lamAlef);
    unsigned shapes = 0;
    for (int s = 0; s < 4; ++s)
        if (chosen[static_cast<size_t>(s)] == g)
            shapes |= Bit(s);
    const int shown = DisplayShape(shapes);
    m.direction = Direction::Rtl;
    m.first = key.letter;
    m.back = LinkOf(shapes, JoinsBackShapes);
    m.joinsBackByType = true;
    if (key.lamAlef) {
        m.second = script::Alef;
        m.display = script::LamAlefForm(shown == Final || shown == Medial ? Final : Isolated);
        m.forward = Link::No;
        if (lamAlef.kind == CharEntry::None) {
            lamAlef.kind = CharEntry::LamAlef;
            lamAlef.shapes = chosen;
        }
        return;
    }
    const Joining j = script::JoiningOf(key.letter);
    m.display = script::PresentationForm(key.letter, shown);
    m.forward = LinkOf(shapes, JoinsForwardShapes);
    m.joinsForwardByType = JoinsForwardType(j);
    m.joinsBackByType = JoinsBackType(j);
    CharEntry& e = byCodePoint[key.letter];
    if (e.kind == CharEntry::None) {
        e.kind = CharEntry::Letter;
        e.shapes = chosen;
    }
}

void UnicodeBridge::DescribeSymbol(GlyphMeaning& m, char32_t symbol)
{
    m.first = symbol;
    m.display = symbol == '\t' ? 0 : symbol;
    const Joining j = script::JoiningOf(symbol);
    if (symbol == script::AlefMadda) {
        // The only glyph of alef madda stands for both of its shapes.
        m.display = script::PresentationForm(symbol, Isolated);
        m.direction = Direction::Rtl;
        m.joinsBackByType = true;
        m.back = Link::Either;
    } else if (j == Joining::C) {
        m.direction = Direction::Rtl; // kashida
        m.joinsForwardByType = m.joinsBackByType = true;
        m.forward = m.back = Link::Either;
    } else if (j != Joining::U || script::IsRtlPunctuation(symbol) || symbol == 0x0621) {
        m.direction = Direction::Rtl;
    } else if (script::DigitValue(symbol) >= 0) {
        m.direction = Direction::Digit;
    } else if (script::IsAsciiLetter(symbol)) {
        m.direction = Direction::Latin;
    } else if (script::IsNumberSeparator(symbol)) {
        m.direction = Direction::Separator;
    }
}

void UnicodeBridge::BuildImportTable()
{
    for (int g = 1; g < 256; ++g) {
        const GlyphMeaning& m = glyphs[static_cast<size_t>(g)];
        if (m.first == 0 || m.first >= TableSize || m.second != 0)
            continue;
        CharEntry& e = byCodePoint[m.first];
        if (e.kind == CharEntry::None) {
            e.kind = CharEntry::Fixed;
            e.glyph = static_cast<GlyphCode>(g);
        }
    }
    // Other spellings of the same letters and digits.
    const auto alias = [this](char32_t from, char32_t to) {
        if (byCodePoint[from].kind == CharEntry::None)
            byCodePoint[from] = byCodePoint[to];
    };
    for (int d = 0; d < 10; ++d) {
        alias(static_cast<char32_t>('0' + d), script::PersianDigit(d));
        alias(static_cast<char32_t>(0x0660 + d), script::PersianDigit(d));
    }
    alias(0x064A, 0x06CC); // Arabic yeh
    alias(0x0649, 0x06CC); // alef maksura
    alias(0x0643, 0x06A9); // Arabic kaf

    for (int g = 0; g < 256; ++g) {
        GlyphMeaning& m = glyphs[static_cast<size_t>(g)];
        std::string text;
        script::AppendUtf8(text, m.first ? m.first : script::Replacement);
        if (m.second)
            script::AppendUtf8(text, m.second);
        m.utf8Length = static_cast<unsigned char>(text.copy(m.utf8, sizeof m.utf8));
        m.mirror = static_cast<GlyphCode>(g);
        const char32_t mirrored = m.second ? 0 : script::MirrorOf(m.first);
        if (!mirrored)
            continue;
        const CharEntry& e = EntryFor(mirrored);
        if (e.kind == CharEntry::Fixed && glyphs[e.glyph].first == mirrored)
            m.mirror = e.glyph;
    }
}

const UnicodeBridge::CharEntry& UnicodeBridge::EntryFor(char32_t cp) const
{
    static const CharEntry none;
    return cp < TableSize ? byCodePoint[cp] : none;
}

void UnicodeBridge::Reorder(const GlyphCode* in, size_t n, std::vector<GlyphCode>& out) const
{
    const auto dir = [&](size_t i) { return glyphs[in[i]].direction; };
    const auto strong = [&](size_t i) { return dir(i) == Direction::Latin || dir(i) == Direction::Digit; };
    const auto neutral = [&](size_t i) { return dir(i) == Direction::Neutral || dir(i) == Direction::Separator; };
    // Neutrals between two left-to-right characters belong to their run when Latin text is on
    // either side, or when one separator stands between two digits (12:30, 3.14).
    const auto bridges = [&](size_t left, size_t from, size_t to) {
        if (dir(left) == Direction::Latin || dir(to) == Direction::Latin)
            return true;
        return dir(left) == Direction::Digit && dir(to) == Direction::Digit && to - from == 1 &&
               dir(from) == Direction::Separator;
    };
    out.resize(n);
    size_t w = 0;
    size_t i = n;
    while (i > 0) {
        if (!strong(i - 1)) {
            --i;
            out[w++] = neutral(i) ? glyphs[in[i]].mirror : in[i];
            continue;
        }
        const size_t end = i;
        size_t s = i - 1;
        while (s > 0) {
            if (strong(s - 1)) {
                --s;
                continue;
            }
            size_t k = s;
            while (k > 0 && neutral(k - 1))
                --k;
            if (k == 0 || k == s || !strong(k - 1) || !bridges(k - 1, k, s))
                break;
            s = k - 1;
        }
        for (size_t j = s; j < end; ++j)
            out[w++] = in[j];
        i = s;
    }
}

void UnicodeBridge::ImportLine(const char32_t* cps, const int* columns, size_t n, int lineNumber, std::vector<Unrepresentable>* problems,
                               std::vector<GlyphCode>& logical, std::vector<GlyphCode>& ordered,
                               std::string& out) const
{
    logical.clear();
    for (size_t i = 0; i < n; ++i) {
        const char32_t c = cps[i];
        if (c == script::Zwnj || c == script::Zwj)
            continue; // they only decide the shapes of their neighbours
        const Joining j = JoiningOf(c);
        const bool back = JoinsBackType(j) && JoinsForwardType(NeighbourJoining(cps, n, i, -1));
        if (c == script::Lam && lamAlef.kind == CharEntry::LamAlef && i + 1 < n && cps[i + 1] == script::Alef) {
            logical.push_back(lamAlef.shapes[back ? Final : Isolated]);
            ++i;
            continue;
        }
        const CharEntry& e = EntryFor(c);
        if (e.kind == CharEntry::Fixed) {
            logical.push_back(e.glyph);
        } else if (e.kind == CharEntry::Letter) {
            const bool forward = JoinsForwardType(j) && JoinsBackType(NeighbourJoining(cps, n, i, +1));
            const int shape = back ? (forward ? Medial : Final) : (forward ? Initial : Isolated);
            logical.push_back(e.shapes[static_cast<size_t>(shape)]);
        } else if (problems) {
            problems->push_back(Unrepresentable{lineNumber, columns[i], c});
        }
    }
    Reorder(logical.data(), logical.size(), ordered);
    out.append(reinterpret_cast<const char*>(ordered.data()), ordered.size());
}

std::string UnicodeBridge::ImportUtf8(std::string_view utf8, std::vector<Unrepresentable>* problems) const
{
    std::string out;
    out.reserve(utf8.size());
    std::vector<char32_t> cps;
    std::vector<int> columns;
    std::vector<GlyphCode> logical;
    std::vector<GlyphCode> ordered;
    size_t pos = 0;
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3; // a byte-order mark is no character of the text
    int line = 1;
    while (pos < utf8.size()) {
        cps.clear();
        columns.clear();
        for (int column = 1; pos < utf8.size() && utf8[pos] != '\r' && utf8[pos] != '\n'; ++column) {
            char32_t c = 0;
            const auto b0 = static_cast<unsigned char>(utf8[pos]);
            if (b0 >= 0xC2 && b0 < 0xE0 && pos + 1 < utf8.size() && (utf8[pos + 1] & 0xC0) == 0x80) {
                // Persian letters are two bytes long: decoded here without a call.
                c = static_cast<char32_t>(((b0 & 0x1F) << 6) | (utf8[pos + 1] & 0x3F));
                pos += 2;
            } else {
                c = script::DecodeUtf8(utf8, pos);
            }
            char32_t letters[2];
            const int count = c >= 0xFB50 ? script::LettersOfPresentationForm(c, letters) : 0;
            for (int k = 0; k < count; ++k) {
                cps.push_back(letters[k]);
                columns.push_back(column);
            }
            if (count == 0) {
                cps.push_back(c);
                columns.push_back(column);
            }
        }
        ImportLine(cps.data(), columns.data(), cps.size(), line, problems, logical, ordered, out);
        if (pos >= utf8.size())
            break;
        if (utf8[pos] == '\r') {
            out.push_back('\r');
            ++pos;
            if (pos < utf8.size() && utf8[pos] == '\n') {
                out.push_back('\n');
                ++pos;
            }
        } else {
            out.push_back('\n');
            ++pos;
        }
        ++line;
    }
    return out;
}

void UnicodeBridge::EmitJoinControls(const GlyphMeaning* a, const GlyphMeaning* b, std::string& out)
{
    const Link aForward = a ? a->forward : Link::No;
    const Link bBack = b ? b->back : Link::No;
    const auto zwnj = [&] { script::AppendUtf8(out, script::Zwnj); };
    const auto zwj = [&] { script::AppendUtf8(out, script::Zwj); };
    if (a && b && a->joinsForwardByType && b->joinsBackByType) {
        // The two would join by themselves.
        if (aForward == Link::No) {
            zwnj();
            if (bBack == Link::Yes)
                zwj();
        } else if (bBack == Link::No) {
            if (aForward == Link::Yes)
                zwj();
            zwnj();
        }
        return;
    }
    if (aForward == Link::Yes || bBack == Link::Yes)
        zwj();
}

void UnicodeBridge::ExportLine(std::string_view line, std::vector<GlyphCode>& logical, std::string& out) const
{
    Reorder(reinterpret_cast<const GlyphCode*>(line.data()), line.size(), logical);
    const GlyphMeaning* previous = nullptr;
    for (GlyphCode g : logical) {
        const GlyphMeaning& m = glyphs[g];
        EmitJoinControls(previous, &m, out);
        out.append(m.utf8, m.utf8Length);
        previous = &m;
    }
    EmitJoinControls(previous, nullptr, out);
}

std::string UnicodeBridge::ExportUtf8(std::string_view glyphText) const
{
    std::string out;
    out.reserve(glyphText.size() * 2);
    std::vector<GlyphCode> logical;
    size_t start = 0;
    while (start <= glyphText.size()) {
        size_t end = start;
        while (end < glyphText.size() && glyphText[end] != '\r' && glyphText[end] != '\n')
            ++end;
        ExportLine(glyphText.substr(start, end - start), logical, out);
        if (end >= glyphText.size())
            break;
        out.push_back(glyphText[end]);
        start = end + 1;
    }
    return out;
}

std::string GlyphTextOf(const KeyMap& map, std::string_view utf8) { return UnicodeBridge(map).ImportUtf8(utf8); }

} // namespace keymap
