#include "tools/Resemble.h"

#include "editctl/EditWindow.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "tools/Justify.h"
#include "tools/ReflowCommon.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tools {

namespace {

/// The re-flow state of one run. Text is handled in reading order (a text line reversed), so
/// words are taken from the front of `pending` and a line's held words grow at its back; the
/// words of a line that did not fit stay in `pending` and the next source line joins behind them.
/// This places every word exactly where breaking the line strings again and again would, with
/// work linear in the text.
class Reflower {
public:
    Reflower(const ResembleSettings& settings, const editctl::EditWindow& shown, int windowWidth, int fontHeight,
             std::string& out)
        : s(settings), window(shown), output(out), margin(MarginSpaces(settings.right)),
          indentation(MarginSpaces(settings.tab))
    {
        const int right = static_cast<int>(margin.size());
        // A word always gets at least one character, so cutting makes progress.
        wordLimit = std::max<std::int64_t>(1, std::int64_t{s.maxChars} - right - s.left - 1);
        pixelLimit = std::int64_t{windowWidth} - fontHeight - 20;
        charLimit = std::int64_t{s.maxChars} - s.left;
        marginWidth = Width(margin);
        spaceWidth = window.Advance(' ');
    }

    void Line(std::string_view line, std::int64_t maxLen)
    {
        const size_t last = line.find_last_not_of(' ');
        line = last == std::string_view::npos ? std::string_view() : line.substr(0, last + 1);
        const auto len0 = static_cast<std::int64_t>(line.size());
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(' ')));
        // A short line ends its paragraph.
        if (len0 < (100 - std::int64_t{s.ignoranceWidthPercent}) * maxLen / 100)
            paragraphEnd = true;
        pending.push_back(' ');
        pending.append(line.rbegin(), line.rend());
        Scan();
        if (paragraphEnd)
            CloseParagraph();
    }

    /// Words still waiting at the end are broken into lines as at a paragraph end.
    void Finish()
    {
        SkipSpaces();
        if (held.empty() && pos == pending.size())
            return;
        paragraphEnd = true;
        Scan();
        CloseParagraph();
    }

private:
    void SkipSpaces()
    {
        while (pos < pending.size() && pending[pos] == ' ')
            ++pos;
    }

    void Scan()
    {
        for (;;) {
            SkipSpaces();
            if (pos == pending.size())
                break;
            const size_t start = pos;
            while (pos < pending.size() && pending[pos] != ' ' && static_cast<std::int64_t>(pos - start) < wordLimit)
                ++pos;
            if (static_cast<std::int64_t>(pos - start) == wordLimit)
                paragraphEnd = true; // a run too long for any line was cut
            const std::string_view word(pending.data() + start, pos - start);
            // A word too wide for an empty line goes alone on its own line rather than never.
            if (held.empty() || Fits(word)) {
                Hold(word);
                continue;
            }
            EmitHeld();
            pos = start;
            if (!paragraphEnd)
                break; // the rest waits for the next source line
        }
        Compact();
    }

    bool Fits(std::string_view word) const
    {
        const auto chars = static_cast<std::int64_t>(word.size() + 1 + held.size() + margin.size());
        if (s.dosMode)
            return chars < charLimit;
        return Width(word) + spaceWidth + heldWidth + marginWidth < pixelLimit;
    }

    void Hold(std::string_view word)
    {
        if (!held.empty()) {
            held.push_back(' ');
            heldWidth += spaceWidth;
        }
        held.append(word);
        heldWidth += Width(word);
    }

    void EmitHeld()
    {
        output.append(held.rbegin(), held.rend());
        output += margin;
        if (firstLine && s.indent) {
            output += indentation;
            firstLine = false;
        }
        output += "\r\n";
        held.clear();
        heldWidth = 0;
    }

    void CloseParagraph()
    {
        paragraphEnd = false;
        EmitHeld();
        firstLine = true;
    }

    /// Drops consumed text now and then, so `pending` stays as long as what still waits.
    void Compact()
    {
        if (pos > 4096 && pos * 2 > pending.size()) {
            pending.erase(0, pos);
            pos = 0;
        }
    }

    std::int64_t Width(std::string_view glyphs) const
    {
        std::int64_t w = 0;
        for (char c : glyphs)
            w += window.Advance(static_cast<unsigned char>(c));
        return w;
    }

    const ResembleSettings& s;
    const editctl::EditWindow& window;
    std::string& output;
    const std::string margin;
    const std::string indentation;
    std::int64_t wordLimit = 1;
    std::int64_t pixelLimit = 0;
    std::int64_t charLimit = 0;
    std::int64_t marginWidth = 0;
    std::int64_t spaceWidth = 0;
    std::string pending; // reading order; [pos, end) still to place
    size_t pos = 0;
    std::string held; // reading order, words separated by one space
    std::int64_t heldWidth = 0;
    bool paragraphEnd = false;
    bool firstLine = true;
};

/// The text lines of a text, without their CR LF.
std::vector<std::string_view> TextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != std::string_view::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

std::int64_t TrimmedLength(std::string_view line)
{
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? 0 : static_cast<std::int64_t>(line.find_last_not_of(' ') - first + 1);
}

} // namespace

void Resemble(keymap::KeymapConverter& converter, const editctl::PersianEdit& edit, const ResembleSettings& settings)
{
    converter.output.clear();

    // Whole text lines: a line the window would wrap is still one line, its words in reading order.
    const std::string text = edit.Window().GetText();
    const std::vector<std::string_view> lines = TextLines(text);
    std::int64_t maxLen = -1;
    for (std::string_view line : lines)
        maxLen = std::max(maxLen, TrimmedLength(line));

    // Lines are measured as the window shows them, so none is wrapped again when the text is set.
    Reflower reflow(settings, edit.Window(), edit.WindowWidth(), edit.fontHeight, converter.output);
    for (std::string_view line : lines)
        reflow.Line(line, maxLen);
    reflow.Finish();
}

void RunResemble(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const ResembleSettings& settings,
                 const std::string& currentKeymapName, JustifyAfter justify, platform::Random& random)
{
    // Through a keymap that did not load the text would come back as another font's codes.
    if (!LoadReflowKeymaps(edit, converter, currentKeymapName))
        return;
    // One snapshot before anything changes: Undo goes back past Justify too.
    edit.SaveUndo();
    Resemble(converter, edit, settings);
    PutReflowedText(edit, converter.output);
    if (justify == JustifyAfter::Yes) {
        Justify(converter, edit.Window(), settings, random);
        PutReflowedText(edit, converter.output);
    }
}

} // namespace tools
