/** @file ToolsBench.cpp
 ** Find Next, Replace All and word statistics on a 10 MB Persian document in the main edit control. **/
#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/KeyState.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"
#include "platform/StderrMessageService.h"
#include "tools/FindReplace.h"
#include "tools/WordStatistics.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr size_t DocumentBytes = 10 * 1000 * 1000;

/// Keymaps are loaded by name from the build's program folder, as the tools do in the program.
struct BenchServices {
    platform::MemorySettingsStore settings;
    platform::StderrMessageService messages;
    platform::ScopedServices scope{platform::Services{&settings, &messages}};
    BenchServices() { settings.WriteString("Temp", "KelmDir", KELMORA_PROGRAM_DIR); }
};

keymap::KeyMap Shipped(const std::string& name)
{
    keymap::KeyMap map;
    map.Load(name);
    return map;
}

/// About 100,000 distinct Persian words of 2 to 7 letters.
std::vector<std::string> Vocabulary(size_t count)
{
    static const char32_t letters[] = U"ابپتثجچحخدذرزژسشصضطظعغفقکگلمنوهی";
    std::mt19937 random(3);
    std::unordered_set<std::u32string> seen;
    std::vector<std::string> words;
    while (words.size() < count) {
        std::u32string w;
        const int length = 2 + static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i)
            w += letters[random() % (std::size(letters) - 1)];
        if (!seen.insert(w).second)
            continue;
        std::string utf8;
        for (char32_t c : w) { // all letters are two-byte UTF-8
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
        words.push_back(utf8);
    }
    return words;
}

/// UTF-8 Persian prose of the given size: half the words drawn from 300 common ones, half from the
/// whole vocabulary, so some 100,000 distinct words occur; lines of about twelve words.
std::string PersianProse(size_t utf8Bytes, const std::vector<std::string>& vocabulary, const std::string& extra = {},
                         size_t extraEvery = 0)
{
    std::mt19937 random(9);
    std::string text;
    text.reserve(utf8Bytes + 100);
    for (size_t n = 1; text.size() < utf8Bytes; ++n) {
        const size_t pick = n % 2 ? random() % 300 : random() % vocabulary.size();
        text += (extraEvery && n % extraEvery == 0) ? extra : vocabulary[pick];
        text += n % 12 == 0 ? "\n" : " ";
    }
    return text;
}

/// Glyph text of a main.kbd-sized document in `keymapName`, with CR LF line breaks.
std::string GlyphDocument(const keymap::KeyMap& map, const std::string& utf8)
{
    std::string glyphs = keymap::UnicodeBridge(map).ImportUtf8(utf8);
    std::string crlf;
    crlf.reserve(glyphs.size() + glyphs.size() / 40);
    for (char c : glyphs) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

void FindNext(benchmark::State& state)
{
    BenchServices services;
    keymap::KeyMap kolb = Shipped("kolb.kbd");
    const keymap::KeyMap main = Shipped("main.kbd");
    const std::vector<std::string> vocabulary = Vocabulary(100000);
    std::string document = PersianProse(DocumentBytes * 18 / 10, vocabulary);
    document += " پژوهشگرانه\n"; // once, at the very end
    editctl::PersianEdit edit;
    edit.SetKeyMap(&kolb);
    edit.Window().SetText(GlyphDocument(kolb, document));
    keymap::KeymapConverter converter;
    const tools::FindTarget target{edit, converter, "kolb.kbd", services.messages};
    const std::string typed = keymap::UnicodeBridge(main).ImportUtf8("پژوهشگرانه");
    const long length = edit.Window().GetTextLength();
    for (auto _ : state) {
        edit.Window().SetSel(0, 0);
        if (tools::FindStep(target, typed, tools::FindCaller::FindNextCommand) != tools::FindOutcome::Found)
            state.SkipWithError("word not found");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * length);
    state.counters["documentMB"] = static_cast<double>(length) / 1e6;
}
BENCHMARK(FindNext)->Name("FindNext/10MB")->Unit(benchmark::kMillisecond);

void ReplaceAll(benchmark::State& state)
{
    BenchServices services;
    keymap::KeyMap kolb = Shipped("kolb.kbd");
    const keymap::KeyMap main = Shipped("main.kbd");
    const std::vector<std::string> vocabulary = Vocabulary(100000);
    // "کتابخانه" as a word of its own every so often: 100,000 matches in 10 MB.
    const std::string document = GlyphDocument(kolb, PersianProse(DocumentBytes * 18 / 10, vocabulary, "کتابخانه", 16));
    editctl::PersianEdit edit;
    edit.SetKeyMap(&kolb);
    keymap::KeymapConverter converter;
    const tools::FindTarget target{edit, converter, "kolb.kbd", services.messages};
    const keymap::UnicodeBridge typing(main);
    const std::string search = typing.ImportUtf8("کتابخانه");
    const std::string replacement = typing.ImportUtf8("کتابخانه‌ها");
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edit.Window().SetText(document);
        state.ResumeTiming();
        edit.SaveUndo();
        tools::ReplaceSession session(target);
        count = session.ReplaceAll(search, replacement);
    }
    state.counters["matches"] = count;
    state.counters["documentMB"] = static_cast<double>(document.size()) / 1e6;
}
BENCHMARK(ReplaceAll)->Name("ReplaceAll/10MB")->Unit(benchmark::kMillisecond)->Iterations(5);

void Statistics(benchmark::State& state)
{
    BenchServices services;
    const keymap::KeyMap main = Shipped("main.kbd");
    const std::vector<std::string> vocabulary = Vocabulary(100000);
    const std::string document = GlyphDocument(main, PersianProse(DocumentBytes * 18 / 10, vocabulary));
    keymap::KeymapConverter converter;
    const platform::NoKeysHeld keys;
    size_t distinct = 0;
    for (auto _ : state) {
        const std::string kolb = tools::ConvertForStatistics(converter, "main.kbd", document).value_or(std::string());
        const tools::StatisticsResult result = tools::CollectWordStatistics(kolb, keys, nullptr, nullptr);
        std::vector<std::string> lines;
        lines.reserve(result.words.size());
        for (const tools::RankedWord& w : result.words)
            lines.push_back(tools::StatisticsLine(w));
        distinct = lines.size();
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["distinctWords"] = static_cast<double>(distinct);
    state.counters["documentMB"] = static_cast<double>(document.size()) / 1e6;
}
BENCHMARK(Statistics)->Name("Statistics/10MB")->Unit(benchmark::kMillisecond);

/// The counting and ranking alone, on text already in kolb.kbd: what the conversion leaves.
void StatisticsCounting(benchmark::State& state)
{
    BenchServices services;
    const std::vector<std::string> vocabulary = Vocabulary(100000);
    const std::string kolb = GlyphDocument(Shipped("kolb.kbd"), PersianProse(DocumentBytes * 18 / 10, vocabulary));
    const platform::NoKeysHeld keys;
    for (auto _ : state) {
        const tools::StatisticsResult result = tools::CollectWordStatistics(kolb, keys, nullptr, nullptr);
        benchmark::DoNotOptimize(result.words.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kolb.size()));
}
BENCHMARK(StatisticsCounting)->Name("Statistics/10MB/counting")->Unit(benchmark::kMillisecond);

} // namespace
