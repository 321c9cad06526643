#include "keymap/UnicodeBridge.h"

#include "keymap/ArabicScript.h"
#include "keymap/IranSystemCodePage.h"
#include "keymap/PersianKeyboard.h"

#include <algorithm>
#include <cstring>

namespace keymap {
namespace {

using script::Joining;
using Link = UnicodeBridge::Link;

constexpr size_t TableSize = 0x0700; // every character a key can mean lies below U+0700
constexpr char32_t BoxDrawingFirst = 0x2500; // ... and a code page's box drawing in U+2500..U+259F
constexpr char32_t BoxDrawingEnd = 0x25A0;

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

namespace {

/// A run of neutral glyphs between left-to-right ones or the line's right-to-left text, and the
/// choice of which of them belong to a left-to-right run.
struct Gap {
    size_t start;
    size_t end;
    bool afterLtr;  // a left-to-right glyph on its left
    bool beforeLtr; // ... on its right
    size_t option = 0;
    size_t first = 0; // the option tried first
    size_t tried = 1;

    size_t Options() const
    {
        const size_t k = end - start;
        if (afterLtr && beforeLtr)
            return 1 + k * (k + 1) / 2;
        return afterLtr || beforeLtr ? k + 1 : 1;
    }
    bool Next()
    {
        if (tried >= Options())
            return false;
        option = (option + 1) % Options();
        ++tried;
        return true;
    }
    /// Option 0 joins the runs on both sides into one (or leaves the gap right to left when only
    /// one side is left to right); later options give ever more of the gap to the runs.
    void Apply(signed char* levels) const
    {
        std::fill(levels + start, levels + end, static_cast<signed char>(1));
        size_t left = 0, right = 0;
        if (afterLtr && beforeLtr) {
            if (option == 0) {
                left = end - start;
            } else {
                size_t index = option - 1, sum = 0;
                while (index > sum)
                    index -= ++sum;
                left = index;
                right = sum - index;
            }
        } else if (afterLtr) {
            left = option;
        } else if (beforeLtr) {
            right = option;
        }
        std::fill(levels + start, levels + start + left, static_cast<signed char>(2));
        std::fill(levels + end - right, levels + end, static_cast<signed char>(2));
    }
};

constexpr int MaxReadings = 48;

} // namespace

struct UnicodeBridge::LineBuffers {
    std::vector<char32_t> cps;
    std::vector<int> columns;
    std::vector<GlyphCode> logical;
    std::vector<bidi::Properties> props;
    bidi::RtlLineLayout layout;
    std::string text; // export: the UTF-8 of one line
    // Export: the level each displayed glyph is read at, where each logical glyph is shown, and
    // the neutral runs whose level is guessed.
    std::vector<signed char> levels;
    std::vector<size_t> shownAt;
    std::vector<Gap> gaps;
    std::vector<int> gapAt;
};

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
    : byCodePoint(TableSize), boxDrawing(BoxDrawingEnd - BoxDrawingFirst), joinings(TableSize), english(map.SupportsEnglish())
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
    DescribeCodePageExtras();
}

void UnicodeBridge::DescribeLetter(GlyphMeaning& m, GlyphCode g, const KeyRecord& rec, const KeyMeaning& key)
{
    const auto chosen = ChosenShapes(rec, key.lamAlef);
    unsigned shapes = 0;
    for (int s = 0; s < 4; ++s)
        if (chosen[static_cast<size_t>(s)] == g)
            shapes |= Bit(s);
    const int shown = DisplayShape(shapes);
    m.kind = bidi::Kind::Rtl;
    m.bidi = bidi::PropertiesOf(key.letter);
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
    m.bidi = bidi::PropertiesOf(symbol);
    m.kind = bidi::KindOf(m.bidi);
    const Joining j = script::JoiningOf(symbol);
    if (symbol == script::AlefMadda) {
        // The only glyph of alef madda stands for both of its shapes.
        m.display = script::PresentationForm(symbol, Isolated);
        m.joinsBackByType = true;
        m.back = Link::Either;
    } else if (j == Joining::C) {
        m.joinsForwardByType = m.joinsBackByType = true; // kashida
        m.forward = m.back = Link::Either;
    }
}

void UnicodeBridge::DescribeCodePageExtras()
{
    // A keymap whose letters sit where the Iran System code page puts them also means that code
    // page's box drawing and no-break space by the bytes no key carries.
    int agreeing = 0;
    for (int g = 0x80; g < 256; ++g) {
        const char32_t letter = glyphs[static_cast<size_t>(g)].first;
        if (letter == 0)
            continue;
        if (letter != iransystem::LetterAt(g))
            return;
        ++agreeing;
    }
    if (agreeing < 64)
        return;
    for (int g = 0x80; g < 256; ++g)
        if (const char32_t extra = iransystem::ExtraAt(g); extra && glyphs[static_cast<size_t>(g)].first == 0)
            DescribeSymbol(glyphs[static_cast<size_t>(g)], extra);
}

void UnicodeBridge::BuildImportTable()
{
    for (int g = 1; g < 256; ++g) {
        const GlyphMeaning& m = glyphs[static_cast<size_t>(g)];
        if (m.first == 0 || m.second != 0)
            continue;
        CharEntry* e = m.first < TableSize                                       ? &byCodePoint[m.first]
                       : m.first >= BoxDrawingFirst && m.first < BoxDrawingEnd ? &boxDrawing[m.first - BoxDrawingFirst]
                                                                               : nullptr;
        if (e && e->kind == CharEntry::None) {
            e->kind = CharEntry::Fixed;
            e->glyph = static_cast<GlyphCode>(g);
        }
    }
    // Persian, Arabic-Indic and ASCII digits are the same digit keys.
    for (int d = 0; d < 10; ++d) {
        for (char32_t other : {static_cast<char32_t>('0' + d), static_cast<char32_t>(0x0660 + d)})
            if (byCodePoint[other].kind == CharEntry::None)
                byCodePoint[other] = byCodePoint[script::PersianDigit(d)];
    }
    AddBestFits();

    for (int g = 0; g < 256; ++g) {
        GlyphMeaning& m = glyphs[static_cast<size_t>(g)];
        std::string text;
        script::AppendUtf8(text, m.first ? m.first : script::Replacement);
        if (m.second)
            script::AppendUtf8(text, m.second);
        m.utf8Length = static_cast<unsigned char>(text.copy(m.utf8, sizeof m.utf8));
        m.mirror = static_cast<GlyphCode>(g);
        m.leftToRight = m.kind == bidi::Kind::Ltr || m.kind == bidi::Kind::Number;
        m.forwardCode = JoinCode(m.joinsForwardByType, m.forward);
        m.backCode = JoinCode(m.joinsBackByType, m.back);
        const char32_t mirrored = m.second ? 0 : bidi::MirrorOf(m.first);
        if (!mirrored)
            continue;
        // Mirrored only where the keymap has both of the pair, so that export can undo it.
        const CharEntry& e = EntryFor(mirrored, Fit::Strict);
        if (e.kind == CharEntry::Fixed && glyphs[e.glyph].first == mirrored)
            m.mirror = e.glyph;
    }
}

void UnicodeBridge::AddBestFits()
{
    struct BestFit {
        char32_t from;
        char32_t to;
    };
    // Letters the fonts lack, written as the letter they are a variant of; the written letter
    // keeps the joining of the one it stands for (ة never joins the letter after it).
    static constexpr BestFit letters[] = {
        {0x0623, 0x0627}, {0x0625, 0x0627}, {0x0671, 0x0627}, // alef with hamza above, below, wasla
        {0x0624, 0x0648},                                     // waw with hamza
        {0x0629, 0x0647}, {0x06C0, 0x0647},                   // teh marbuta, heh with yeh above
        {0x064A, 0x06CC}, {0x0649, 0x06CC},                   // Arabic yeh, alef maksura
        {0x0643, 0x06A9},                                     // Arabic kaf
        {0x00A0, ' '},                                        // no-break space
        {0x066B, '/'}, {0x066B, '.'},                         // decimal separator: "/" as Persian typists write it, else "."
    };
    for (const BestFit& f : letters) {
        CharEntry& e = byCodePoint[f.from];
        const CharEntry& to = byCodePoint[f.to];
        if (e.kind != CharEntry::None || to.kind == CharEntry::None)
            continue;
        e = to;
        e.writtenAs = f.to;
    }
}

const UnicodeBridge::CharEntry& UnicodeBridge::EntryFor(char32_t cp, Fit fit) const
{
    static const CharEntry none;
    const CharEntry& e = cp < TableSize                                       ? byCodePoint[cp]
                         : cp >= BoxDrawingFirst && cp < BoxDrawingEnd ? boxDrawing[cp - BoxDrawingFirst]
                                                                       : none;
    return fit == Fit::Strict && e.writtenAs ? none : e;
}

bool UnicodeBridge::HasLeftToRight(const GlyphCode* g, size_t n) const
{
    for (size_t i = 0; i < n; ++i)
        if (glyphs[g[i]].leftToRight)
            return true;
    return false;
}

void UnicodeBridge::ImportLine(LineBuffers& b, int lineNumber, ImportProblems* problems, Fit fit, std::string& out) const
{
    const char32_t* cps = b.cps.data();
    const size_t n = b.cps.size();
    b.logical.clear();
    const auto report = [&](size_t i, char32_t writtenAs) {
        if (problems)
            problems->Add(Unrepresentable{lineNumber, b.columns[i], cps[i], writtenAs});
    };
    for (size_t i = 0; i < n; ++i) {
        const char32_t c = cps[i];
        if (c == script::Zwnj || c == script::Zwj)
            continue; // they only decide the shapes of their neighbours
        const Joining j = JoiningOf(c);
        const bool back = JoinsBackType(j) && JoinsForwardType(NeighbourJoining(cps, n, i, -1));
        if (c == script::Lam && lamAlef.kind == CharEntry::LamAlef && i + 1 < n &&
            (cps[i + 1] == script::Alef || EntryFor(cps[i + 1], fit).writtenAs == script::Alef)) {
            b.logical.push_back(lamAlef.shapes[back ? Final : Isolated]);
            if (cps[++i] != script::Alef)
                report(i, script::Alef);
            continue;
        }
        const CharEntry& e = EntryFor(c, fit);
        if (e.kind == CharEntry::Fixed) {
            b.logical.push_back(e.glyph);
        } else if (e.kind == CharEntry::Letter) {
            const bool forward = JoinsForwardType(j) && JoinsBackType(NeighbourJoining(cps, n, i, +1));
            const int shape = back ? (forward ? Medial : Final) : (forward ? Initial : Isolated);
            b.logical.push_back(e.shapes[static_cast<size_t>(shape)]);
        } else {
            report(i, 0);
            continue;
        }
        if (e.writtenAs)
            report(i, e.writtenAs);
    }
    LayOut(b, out);
}

void UnicodeBridge::LayOut(LineBuffers& b, std::string& out) const
{
    const GlyphCode* logical = b.logical.data();
    const size_t n = b.logical.size();
    // A line without left-to-right characters is shown wholly right to left, every bracket
    // mirrored: the algorithm gives exactly that, so it is not asked.
    bool laidOut = false;
    if (HasLeftToRight(logical, n)) {
        b.props.resize(n);
        for (size_t i = 0; i < n; ++i)
            b.props[i] = glyphs[logical[i]].bidi;
        laidOut = b.layout.Layout(b.props.data(), n);
    }
    for (size_t v = 0; v < n; ++v) {
        const size_t i = laidOut ? static_cast<size_t>(b.layout.Order(v)) : n - 1 - v;
        const GlyphCode g = logical[i];
        out.push_back(static_cast<char>(!laidOut || (b.layout.Level(i) & 1) ? glyphs[g].mirror : g));
    }
}

std::string UnicodeBridge::ImportUtf8(std::string_view utf8, std::vector<Unrepresentable>* problems, Fit fit) const
{
    struct Collect : ImportProblems {
        std::vector<Unrepresentable>& list;
        explicit Collect(std::vector<Unrepresentable>& list) : list(list) {}
        void Add(const Unrepresentable& p) override { list.push_back(p); }
    };
    if (!problems) {
        struct Ignore : ImportProblems {
            void Add(const Unrepresentable&) override {}
        } ignore;
        return ImportUtf8(utf8, ignore, fit);
    }
    Collect collect(*problems);
    return ImportUtf8(utf8, collect, fit);
}

std::string UnicodeBridge::ImportUtf8(std::string_view utf8, ImportProblems& problems, Fit fit) const
{
    std::string out;
    out.reserve(utf8.size());
    LineBuffers b;
    size_t pos = 0;
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3; // a byte-order mark is no character of the text
    int line = 1;
    while (pos < utf8.size()) {
        b.cps.clear();
        b.columns.clear();
        for (int column = 1; pos < utf8.size() && utf8[pos] != '\r' && utf8[pos] != '\n'; ++column) {
            char32_t c = 0;
            const auto b0 = static_cast<unsigned char>(utf8[pos]);
            if (b0 >= 0xC2 && b0 < 0xE0 && pos + 1 < utf8.size() && (utf8[pos + 1] & 0xC0) == 0x80) {
                // Persian letters are two bytes long: decoded here without a call.
                c = static_cast<char32_t>(((b0 & 0x1F) << 6) | (utf8[pos + 1] & 0x3F));
                pos += 2;
            } else if (b0 < 0x80) {
                c = b0;
                ++pos;
            } else {
                c = script::DecodeUtf8(utf8, pos);
            }
            char32_t letters[2];
            const int count = c >= 0xFB50 ? script::LettersOfPresentationForm(c, letters) : 0;
            for (int k = 0; k < count; ++k) {
                b.cps.push_back(letters[k]);
                b.columns.push_back(column);
            }
            if (count == 0) {
                b.cps.push_back(c);
                b.columns.push_back(column);
            }
        }
        ImportLine(b, line, &problems, fit, out);
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

namespace {

/// The join controls between two glyphs by their join codes (JoinCode below), worked out once.
struct JoinControls {
    unsigned char length = 0;
    char bytes[7] = {};
};

} // namespace

unsigned char UnicodeBridge::JoinCode(bool byType, Link link) { return static_cast<unsigned char>((byType ? 3 : 0) + static_cast<int>(link)); }

void UnicodeBridge::ExportLine(std::string_view line, LineBuffers& b, std::string& out) const
{
    static const auto table = [] {
        std::array<std::array<JoinControls, 6>, 6> t{};
        for (int f = 0; f < 6; ++f) {
            for (int k = 0; k < 6; ++k) {
                GlyphMeaning a, c;
                a.joinsForwardByType = f >= 3;
                a.forward = static_cast<Link>(f % 3);
                c.joinsBackByType = k >= 3;
                c.back = static_cast<Link>(k % 3);
                std::string text;
                EmitJoinControls(f ? &a : nullptr, k ? &c : nullptr, text);
                t[f][k].length = static_cast<unsigned char>(text.copy(t[f][k].bytes, sizeof t[f][k].bytes));
            }
        }
        return t;
    }();
    const auto* shown = reinterpret_cast<const GlyphCode*>(line.data());
    const size_t n = line.size();
    // A line without left-to-right glyphs is read from the right, brackets mirrored.
    const bool reversed = !HasLeftToRight(shown, n);
    if (!reversed)
        LogicalOrder(line, b);
    // Each glyph writes at most a character of six bytes and two join controls before it.
    const size_t room = n * 14 + 16;
    if (b.text.size() < room)
        b.text.resize(room);
    char* w = b.text.data();
    unsigned char previous = 0;
    for (size_t i = 0; i < n; ++i) {
        const GlyphMeaning& m = glyphs[reversed ? glyphs[shown[n - 1 - i]].mirror : b.logical[i]];
        const JoinControls& between = table[previous][m.backCode];
        std::memcpy(w, between.bytes, sizeof between.bytes);
        w += between.length;
        std::memcpy(w, m.utf8, sizeof m.utf8);
        w += m.utf8Length;
        previous = m.forwardCode;
    }
    const JoinControls& last = table[previous][0];
    std::memcpy(w, last.bytes, sizeof last.bytes);
    w += last.length;
    out.append(b.text.data(), static_cast<size_t>(w - b.text.data()));
}

void UnicodeBridge::LogicalOrder(std::string_view line, LineBuffers& b) const
{
    const auto* shown = reinterpret_cast<const GlyphCode*>(line.data());
    const size_t n = line.size();
    b.logical.resize(n);
    if (!HasLeftToRight(shown, n)) {
        for (size_t i = 0; i < n; ++i)
            b.logical[i] = glyphs[shown[n - 1 - i]].mirror;
        return;
    }
    // Import shows right-to-left glyphs at level 1 and left-to-right ones at level 2; only the
    // neutrals' levels are unknown. Each guess of them gives one reading; the reading kept is one
    // that import lays out as this very line. Readings are tried in an order that prefers keeping
    // left-to-right text together: "A4 90" reads as itself, not as "90" followed by "A4", though
    // import shows both alike.
    b.levels.assign(n, 1);
    b.gaps.clear();
    b.gapAt.assign(n, -1);
    for (size_t i = 0; i < n;) {
        const GlyphMeaning& m = glyphs[shown[i]];
        if (m.kind != bidi::Kind::Neutral) {
            b.levels[i++] = m.leftToRight ? 2 : 1;
            continue;
        }
        size_t end = i;
        while (end < n && glyphs[shown[end]].kind == bidi::Kind::Neutral)
            b.gapAt[end++] = static_cast<int>(b.gaps.size());
        const bool after = i > 0 && glyphs[shown[i - 1]].leftToRight;
        const bool before = end < n && glyphs[shown[end]].leftToRight;
        Gap gap{i, end, after, before};
        // Signs after a number and brackets that close one opened in the run beside them belong
        // to it: "100%", "f(x)".
        if (after != before)
            gap.first = gap.option = AttachedToRun(shown, n, i, end, after);
        gap.Apply(b.levels.data());
        b.gaps.push_back(gap);
        i = end;
    }
    for (int reading = 0; reading < MaxReadings; ++reading) {
        if (ReadingFits(line, b))
            return;
        // Change the guess for the neutrals import put elsewhere, first in reading order.
        size_t bad = 0;
        while (bad < n && b.layout.Level(bad) == b.levels[b.shownAt[bad]])
            ++bad;
        const int gap = bad < n ? b.gapAt[b.shownAt[bad]] : -1;
        if (gap < 0 || !b.gaps[static_cast<size_t>(gap)].Next())
            break;
        b.gaps[static_cast<size_t>(gap)].Apply(b.levels.data());
    }
    // No reading gives this line back (it was not made by import): the first guess stands.
    for (Gap& g : b.gaps) {
        g.option = g.first;
        g.Apply(b.levels.data());
    }
    ReadingFits(line, b);
}

size_t UnicodeBridge::AttachedToRun(const GlyphCode* shown, size_t n, size_t start, size_t end, bool runOnLeft) const
{
    // Walks from the run into the gap: a sign such as % after the run's number, or a bracket whose
    // partner the run holds, is taken to belong to the run.
    const size_t edge = runOnLeft ? start - 1 : end;
    const bool number = glyphs[shown[edge]].kind == bidi::Kind::Number;
    size_t count = 0;
    for (size_t k = 0; k < end - start; ++k) {
        const size_t at = runOnLeft ? start + k : end - 1 - k;
        const bidi::Properties& p = glyphs[shown[at]].bidi;
        // Only after the number: before it (to its left) a % is, in Persian text, the number's
        // own sign read right to left ("رشد 100%" shows "%100").
        if (number && runOnLeft && bidi::IsNumberTerminator(p)) {
            ++count;
            continue;
        }
        if (p.bracket == 0 || bidi::IsOpeningBracket(p) == runOnLeft)
            break;
        bool partner = false;
        for (size_t j = edge;; runOnLeft ? --j : ++j) {
            const GlyphMeaning& m = glyphs[shown[j]];
            if (m.kind == bidi::Kind::Rtl)
                break;
            if (bidi::SameBracket(m.bidi, p) && bidi::IsOpeningBracket(m.bidi) == runOnLeft) {
                partner = true;
                break;
            }
            if (runOnLeft ? j == 0 : j + 1 >= n)
                break;
        }
        if (!partner)
            break;
        ++count;
    }
    return count;
}

bool UnicodeBridge::ReadingFits(std::string_view line, LineBuffers& b) const
{
    // The logical order for the guessed levels: the line read from the right, runs at level 2 read
    // from the left; what is read at level 1 was mirrored.
    const auto* shown = reinterpret_cast<const GlyphCode*>(line.data());
    const size_t n = line.size();
    b.shownAt.resize(n);
    size_t w = 0;
    for (size_t i = n; i > 0;) {
        if (b.levels[i - 1] == 1) {
            --i;
            b.shownAt[w] = i;
            b.logical[w++] = glyphs[shown[i]].mirror;
            continue;
        }
        size_t s = i;
        while (s > 0 && b.levels[s - 1] == 2)
            --s;
        for (size_t j = s; j < i; ++j) {
            b.shownAt[w] = j;
            b.logical[w++] = shown[j];
        }
        i = s;
    }
    b.props.resize(n);
    for (size_t i = 0; i < n; ++i)
        b.props[i] = glyphs[b.logical[i]].bidi;
    if (!b.layout.Layout(b.props.data(), n))
        return true; // nothing to check against; keep the guess
    for (size_t i = 0; i < n; ++i)
        if (b.layout.Level(i) != b.levels[b.shownAt[i]])
            return false;
    return true;
}

std::string UnicodeBridge::ExportUtf8(std::string_view glyphText) const
{
    std::string out;
    out.reserve(glyphText.size() * 2);
    LineBuffers b;
    size_t start = 0;
    while (start <= glyphText.size()) {
        size_t end = start;
        while (end < glyphText.size() && glyphText[end] != '\r' && glyphText[end] != '\n')
            ++end;
        ExportLine(glyphText.substr(start, end - start), b, out);
        if (end >= glyphText.size())
            break;
        out.push_back(glyphText[end]);
        start = end + 1;
    }
    return out;
}

std::string GlyphTextOf(const KeyMap& map, std::string_view utf8) { return UnicodeBridge(map).ImportUtf8(utf8); }

} // namespace keymap
