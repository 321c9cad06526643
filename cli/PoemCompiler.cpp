#include "cli/PoemCompiler.h"

#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"
#include "platform/TextMode.h"

#include <cstdint>

namespace cli {

namespace {

constexpr std::size_t RecordSize = 102;
constexpr std::size_t HalfLineSize = 49;
constexpr std::size_t HalfLineOffsets[2] = {2, 52};
constexpr int MaxEntry = 65535;

/// The text split into lines, CR LF or LF ended, a leading byte-order mark left out.
std::vector<std::string_view> LinesOf(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

void AppendEntry(std::string& index, int entry)
{
    index += static_cast<char>(entry & 0xFF);
    index += static_cast<char>((entry >> 8) & 0xFF);
}

class Compilation {
public:
    Compilation(const keymap::KeyMap& map, CompiledPoems& out, std::vector<PoemProblem>& problems)
        : bridge(map), out(out), problems(problems)
    {
    }

    /// `lead`: the blanks cut from the start of the line, so columns count from the line's start.
    void HalfLine(int lineNumber, std::string_view utf8, int lead)
    {
        if (halfLines.empty())
            poemStart = lineNumber;
        std::vector<keymap::Unrepresentable> bad;
        std::string glyphs = bridge.ImportUtf8(utf8, &bad);
        for (const keymap::Unrepresentable& u : bad)
            problems.push_back({lineNumber, lead + u.column, "character U+" + Hex(u.codePoint) + " has no glyph in the poem keymap"});
        if (glyphs.size() > HalfLineSize)
            problems.push_back({lineNumber, 0, "half-line of " + std::to_string(glyphs.size()) + " glyphs; at most 49 fit"});
        halfLines.push_back(std::move(glyphs));
    }

    void EndPoem()
    {
        if (halfLines.empty())
            return;
        if (halfLines.size() % 2 != 0)
            problems.push_back({poemStart, 0, "poem with an odd number of half-lines; every couplet has two"});
        for (std::size_t i = 0; i + 1 < halfLines.size(); i += 2)
            Couplet(halfLines[i], halfLines[i + 1]);
        halfLines.clear();
        ++out.poemCount;
        if (out.coupletCount > MaxEntry || out.poemCount > MaxEntry)
            overflow = true;
        else
            AppendEntry(out.index, out.coupletCount);
    }

    bool Overflowed() const { return overflow; }

private:
    static std::string Hex(char32_t cp)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(cp));
        return buffer;
    }

    void Couplet(const std::string& first, const std::string& second)
    {
        std::string record(RecordSize, '\0');
        const std::string* halves[2] = {&first, &second};
        for (int h = 0; h < 2; ++h) {
            std::string field = halves[h]->substr(0, HalfLineSize);
            field.resize(HalfLineSize, ' ');
            record.replace(HalfLineOffsets[h], HalfLineSize, field);
        }
        out.poems += record;
        ++out.coupletCount;
    }

    keymap::UnicodeBridge bridge;
    CompiledPoems& out;
    std::vector<PoemProblem>& problems;
    std::vector<std::string> halfLines;
    int poemStart = 0;
    bool overflow = false;
};

} // namespace

bool CompilePoems(std::string_view utf8, const keymap::KeyMap& poemKeymap, CompiledPoems& out,
                  std::vector<PoemProblem>& problems)
{
    out = CompiledPoems{};
    Compilation c(poemKeymap, out, problems);
    const std::vector<std::string_view> lines = LinesOf(utf8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        if (line.empty())
            c.EndPoem();
        else
            c.HalfLine(static_cast<int>(i) + 1, line, static_cast<int>(line.data() - lines[i].data()));
    }
    c.EndPoem();
    if (c.Overflowed())
        problems.push_back({static_cast<int>(lines.size()), 0, "more than 65535 poems or couplets"});
    if (out.poemCount == 0)
        problems.push_back({1, 0, "no poems"});
    if (!problems.empty()) {
        out = CompiledPoems{};
        return false;
    }
    return true;
}

int RunPoemCompiler(const std::vector<std::string>& args, const std::string& keymapsDir, std::FILE* err)
{
    if (args.size() != 2) {
        std::fputs("usage: kelmora-poems IN.txt OUTDIR\n", err);
        return 2;
    }
    const std::string& in = args[0];
    const std::string& outDir = args[1];
    keymap::KeyMap map;
    const std::string keymapPath = keymapsDir + "/ziba2.kbd";
    if (!map.LoadFromPath(keymapPath)) {
        std::fprintf(err, "%s: cannot read the poem keymap\n", keymapPath.c_str());
        return 1;
    }
    std::string text;
    if (!platform::ReadFileBytes(in, text).ok) {
        std::fprintf(err, "%s: cannot read\n", in.c_str());
        return 1;
    }
    CompiledPoems compiled;
    std::vector<PoemProblem> problems;
    if (!CompilePoems(text, map, compiled, problems)) {
        for (const PoemProblem& p : problems)
            std::fprintf(err, "%s:%d:%d: %s\n", in.c_str(), p.line, p.column, p.text.c_str());
        return 1;
    }
    // The poems first, so that the index is replaced only once the records it describes are there.
    for (const auto& [name, bytes] : {std::pair{"/rDivan.dta", &compiled.poems}, std::pair{"/QIndex.dat", &compiled.index}}) {
        const platform::FileResult r = platform::WriteFileAtomically(outDir + name, *bytes);
        if (!r.ok) {
            std::fprintf(err, "%s%s: %s\n", outDir.c_str(), name, r.error.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace cli
