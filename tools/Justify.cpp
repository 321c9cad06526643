#include "tools/Justify.h"

#include "editctl/EditWindow.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "platform/Clock.h"
#include "tools/ReflowCommon.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tools {

namespace {

constexpr int RandomMax = 32767;

std::string_view TrimLeading(std::string_view line)
{
    line.remove_prefix(std::min(line.size(), line.find_first_not_of(' ')));
    return line;
}

std::int64_t Width(const editctl::EditWindow& window, std::string_view glyphs)
{
    std::int64_t w = 0;
    for (char c : glyphs)
        w += window.Advance(static_cast<unsigned char>(c));
    return w;
}

bool OnlySpacesAndFF(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || static_cast<unsigned char>(c) == 0xFF; });
}

/// Letters that join the letter after them in reading order, highest index first.
void CollectJoints(std::string_view line, const keymap::KeyMap& map, std::vector<int>& joints)
{
    joints.clear();
    for (int i = static_cast<int>(line.size()) - 1; i >= 0; --i) {
        int form = -1;
        const keymap::KeyRecord& record = map.RecordRefForGlyph(static_cast<unsigned char>(line[static_cast<size_t>(i)]), form);
        const bool joining = form == keymap::Medial || form == keymap::Initial;
        if (joining && record.extIsolated != keymap::SymbolKey && record.extIsolated != keymap::DigitKey)
            joints.push_back(i);
    }
}

/// What stretching one line needs from the whole run.
struct Stretch {
    const editctl::EditWindow& window;
    const keymap::KeyMap& map;
    int kashida = 0;
    std::int64_t kashidaWidth = 0;
    std::int64_t maxWidth = -1;
    platform::Random& random;
    // Scratch space reused from line to line.
    std::vector<int> joints;
    std::vector<int> added;
};

/// Draws joints as the kashidas go in one by one, and builds the line once at the end: a kashida
/// put at a joint stands just before the joint's letter, and later ones at the same joint next to it.
void AppendStretched(std::string& output, std::string_view cur, std::int64_t width, Stretch& st)
{
    std::vector<int>& joints = st.joints;
    joints.clear();
    if (st.kashida != 0 && st.kashidaWidth > 0)
        CollectJoints(cur, st.map, joints);
    if (joints.empty()) {
        output.append(cur);
        output += "\r\n";
        return;
    }
    std::vector<int>& added = st.added;
    added.assign(cur.size(), 0);
    const auto n = static_cast<std::int64_t>(joints.size());
    while (n > 0) {
        const std::int64_t r = std::int64_t{st.random.Next()} * (n - 1) / RandomMax;
        const int q = joints[static_cast<size_t>(std::clamp<std::int64_t>(r, 0, n - 1))];
        if (width + st.kashidaWidth > st.maxWidth)
            break;
        width += st.kashidaWidth;
        ++added[static_cast<size_t>(q)];
    }
    for (size_t i = 0; i < cur.size(); ++i) {
        output.append(static_cast<size_t>(added[i]), static_cast<char>(st.kashida));
        output.push_back(cur[i]);
    }
    output += "\r\n";
}

} // namespace

int KashidaGlyph(const keymap::KeyMap& map)
{
    const int index = map.RecordIndexForKey(KashidaKey);
    if (index == keymap::NoKeyRecord)
        return 0;
    const int glyph = map.Record(index).medial;
    return glyph > 0 && glyph < 256 ? glyph : 0;
}

void Justify(keymap::KeymapConverter& converter, const editctl::EditWindow& window, const ResembleSettings& settings,
             platform::Random& random)
{
    std::string& output = converter.output;
    output.clear();
    Stretch st{window, converter.source, KashidaGlyph(converter.source), 0, -1, random, {}, {}};
    st.kashidaWidth = st.kashida ? window.Advance(static_cast<keymap::GlyphCode>(st.kashida)) : 0;

    // One copy of the text; display lines are views into it.
    const std::string text = window.GetText();
    auto displayLine = [&](int i) {
        const int from = window.LineIndex(i);
        return std::string_view(text).substr(static_cast<size_t>(from), static_cast<size_t>(window.LineEnd(i) - from));
    };
    const int count = window.GetLineCount();
    for (int i = 0; i < count; ++i) {
        const std::string_view cur = TrimLeading(displayLine(i));
        if (!OnlySpacesAndFF(cur))
            st.maxWidth = std::max<std::int64_t>(st.maxWidth, Width(window, cur));
    }
    const std::int64_t threshold = (100 - std::int64_t{settings.justifyIgnoranceWidthPercent}) * st.maxWidth / 100;
    output.reserve(static_cast<size_t>(window.GetTextLength()) + 2 * static_cast<size_t>(count) + 16);
    for (int i = 0; i < count; ++i) {
        const std::string_view cur = TrimLeading(displayLine(i));
        const std::int64_t width = Width(window, cur);
        if (width >= threshold) {
            AppendStretched(output, cur, width, st);
        } else {
            output.append(cur);
            output += "\r\n";
        }
    }
}

void RunJustify(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const ResembleSettings& settings,
                const std::string& currentKeymapName, platform::Random& random)
{
    // Through a keymap that did not load the text would come back as another font's codes.
    if (!LoadReflowKeymaps(edit, converter, currentKeymapName))
        return;
    edit.SaveUndo();
    Justify(converter, edit.Window(), settings, random);
    PutReflowedText(edit, converter.output);
}

} // namespace tools
