#include "keymap/KeymapConverter.h"

#include "keymap/KeyCodes.h"
#include "platform/ProgressDisplay.h"

#include "keymap/ArabicScript.h"

#include <array>
#include <cstdint>
#include <vector>

namespace keymap {
namespace {

constexpr int ProgressStep = 32;

bool IsLineEnd(unsigned char c) { return c == '\r' || c == '\n'; }
bool IsSpaceOrNone(unsigned char c) { return c == ' ' || c == 0; }
bool IsJoiningForm(int f) { return f == Medial || f == Initial; }
/// One of the four extended fields, ExtIsolated to ExtInitial.
bool IsExtendedForm(int f) { return f >= ExtIsolated; }

/// The source keymap's answer for every byte, looked up once per conversion instead of per character.
struct GlyphInfo {
    const KeyRecord* record;
    int form;
};
using GlyphInfoTable = std::array<GlyphInfo, 256>;

GlyphInfoTable BuildGlyphInfo(const KeyMap& source)
{
    GlyphInfoTable table{};
    for (int b = 0; b < 256; ++b) {
        int form = 0;
        table[static_cast<size_t>(b)].record = &source.RecordRefForGlyph(b, form);
        table[static_cast<size_t>(b)].form = form;
    }
    return table;
}

/// Decides the form of a letter from its logical neighbours and the destination record.
int DecideForm(const GlyphInfoTable& info, const KeyRecord& cur, int f, unsigned char next, unsigned char prev,
               const KeyRecord& dest)
{
    int nextForm = info[next].form;
    const int prevForm = info[prev].form;
    const KeyRecord& nextRec = *info[next].record;
    const KeyRecord& prevRec = *info[prev].record;

    // Alef madda is the H key's extended glyph, yet a letter that joins the one before it like
    // any alef: read as a final alef, so that letter keeps its joining shape (الآن stays one word).
    if (nextForm == ExtIsolated && nextRec.keyCode == vk::H)
        nextForm = Final;
    if ((f == Medial || f == Initial) && nextForm == Initial)
        nextForm = Medial;
    // Symbols and digits of the destination keep the form they had.
    if (dest.extIsolated == SymbolKey || dest.extIsolated == DigitKey)
        return f;

    const bool prevEndsWord = IsSpaceOrNone(prev) || IsExtendedForm(prevForm) || prevRec.extIsolated == DigitKey;
    if (prevEndsWord && !IsExtendedForm(f))
        f = cur.initial != 0 ? Initial : Isolated;

    const bool nextEndsWord = IsSpaceOrNone(next) || IsExtendedForm(nextForm) || nextRec.extIsolated == DigitKey ||
                              (nextRec.extIsolated == SymbolKey && nextRec.keyCode != vk::OemMinus);
    if (nextEndsWord) {
        if (IsExtendedForm(f))
            return f;
        if (!IsSpaceOrNone(prev))
            return IsJoiningForm(prevForm) ? Final : Isolated;
        // A one-letter word: without this it would keep the initial shape chosen above.
        return Isolated;
    }
    if (IsExtendedForm(f) || prevEndsWord)
        return f;

    // Middle of a word.
    if ((nextForm == Final || nextForm == Medial) && IsJoiningForm(prevForm))
        return (dest.medial == 0 || (nextRec.keyCode == vk::M && nextForm == Final)) ? Final : Medial;
    if (IsJoiningForm(prevForm))
        return dest.initial != 0 ? f : Final;
    if (prevRec.initial != 0) {
        if (prevForm == Isolated || prevForm == Final)
            return dest.initial != 0 ? Initial : Isolated;
        return f;
    }
    return (dest.initial == 0 || f == Isolated || f == Final) ? Isolated : Initial;
}

} // namespace

bool PassesAsEnglish(unsigned char c) { return script::IsAsciiLetter(c) || (c >= 0x20 && c <= 0x3F); }

bool KeymapConverter::LoadKeymaps(const std::string& sourceName, const std::string& destinationName)
{
    // Both are tried so each failure is reported; a failed load leaves the earlier keymap in
    // place, and converting through that one would give another font's codes.
    const bool sourceLoaded = source.Load(sourceName);
    const bool destinationLoaded = destination.Load(destinationName);
    return sourceLoaded && destinationLoaded;
}

void KeymapConverter::Drop(std::size_t position)
{
    if (dropped.size() < KeptDrops)
        dropped.push_back(position);
    ++droppedCount;
    if (dropListener)
        dropListener->Dropped(position);
}

void KeymapConverter::Convert(bool showProgress)
{
    // Each character yields at most a glyph and a space; write into a buffer of that size, the
    // output's own, so a converter used for many texts keeps its memory.
    std::string& out = output;
    out.assign(input.size() * 2, '\0');
    dropped.clear();
    droppedCount = 0;
    char* w = out.data();
    const bool english = source.SupportsEnglish() && destination.SupportsEnglish();
    platform::ProgressDisplay* bar = showProgress ? progress : nullptr;
    if (bar) {
        bar->Show(" Converting...");
        bar->SetRange(0, static_cast<std::int64_t>(input.size()) + 10);
        bar->SetStep(ProgressStep);
        bar->SetPos(0);
    }

    const GlyphInfoTable info = BuildGlyphInfo(source);
    // The destination record of every source byte's key, and its glyphs as output bytes (0 for
    // none or out of range), looked up once instead of per character.
    struct Destination {
        const KeyRecord* record;
        std::array<unsigned char, 8> glyph;
    };
    std::array<Destination, 256> destinationOf{};
    // Bytes both fonts read as English pass unchanged (digits in a medial field are Persian digits).
    std::array<bool, 256> passes{};
    for (int b = 0; b < 256; ++b) {
        const GlyphInfo& g = info[static_cast<size_t>(b)];
        passes[static_cast<size_t>(b)] = english && PassesAsEnglish(static_cast<unsigned char>(b)) &&
                                         !(g.form == Medial && g.record->keyCode >= '0' && g.record->keyCode <= '9');
        Destination& d = destinationOf[static_cast<size_t>(b)];
        d.record = &destination.RecordRefForKey(info[static_cast<size_t>(b)].record->keyCode);
        bool anyGlyph = false;
        for (int form = 0; form < 8; ++form) {
            const std::int32_t g = d.record->Glyph(form);
            d.glyph[static_cast<size_t>(form)] = g > 0 && g <= 255 ? static_cast<unsigned char>(g) : 0;
            anyGlyph = anyGlyph || d.glyph[static_cast<size_t>(form)] != 0;
        }
        // A space whose key has no glyph in the destination is a space whatever its neighbours.
        if (b == ' ' && !anyGlyph)
            passes[static_cast<size_t>(b)] = true;
    }
    // A letter's glyph depends on it and its two neighbours only, and text repeats the same few
    // thousand triples: each is decided once and remembered (direct-mapped, 0 for an empty slot).
    struct Decided {
        std::uint32_t key = 0;
        std::int32_t glyph = 0; // the output byte, or -1 for none
    };
    constexpr size_t DecidedSlots = 4096;
    std::vector<Decided> decided(DecidedSlots);
    const size_t n = input.size();
    for (size_t i = 0; i < n; ++i) {
        if (bar && i % ProgressStep == 0)
            bar->StepIt();
        const unsigned char c = static_cast<unsigned char>(input[i]);
        if (IsLineEnd(c)) {
            *w++ = static_cast<char>(c);
            continue;
        }
        if (passes[c]) {
            *w++ = static_cast<char>(c);
            continue;
        }
        // Display order: the logically next letter is to the left, the previous to the right.
        unsigned char next = i > 0 ? static_cast<unsigned char>(input[i - 1]) : 0;
        unsigned char prev = i + 1 < n ? static_cast<unsigned char>(input[i + 1]) : 0;
        if (IsLineEnd(next))
            next = 0;
        if (IsLineEnd(prev))
            prev = 0;
        const std::uint32_t key = (1u << 24) | (std::uint32_t{prev} << 16) | (std::uint32_t{next} << 8) | c;
        Decided& slot = decided[((key * 2654435761u) >> 12) & (DecidedSlots - 1)];
        if (slot.key != key) {
            const Destination& dest = destinationOf[c];
            const int f = DecideForm(info, *info[c].record, info[c].form, next, prev, *dest.record);
            slot.key = key;
            slot.glyph = f >= 0 && f <= 7 && dest.glyph[static_cast<size_t>(f)] != 0 ? dest.glyph[static_cast<size_t>(f)] : -1;
        }
        const bool hasGlyph = slot.glyph >= 0;
        if (hasGlyph)
            *w++ = static_cast<char>(slot.glyph);
        if (c == ' ')
            *w++ = ' ';
        else if (!hasGlyph)
            Drop(i);
    }
    out.resize(static_cast<size_t>(w - out.data()));
    if (bar)
        bar->Hide();
}

} // namespace keymap
