/** @file EditBench.cpp
 ** Keystroke cost of the Persian edit control in the middle of 1 MB and 10 MB documents. **/
#include "editctl/PersianEdit.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>
#include <string>

namespace {

using editctl::KeyEvent;
using editctl::PersianEdit;
namespace vk = editctl::vk;

/// Letters of the standard Persian keyboard in the main.kbd layout: key, isolated, final, medial, initial.
struct Letter {
    int key, isolated, final, medial, initial;
};
constexpr Letter letters[] = {
    {'F', 0x8E, 0x8F, 0x90, 0x91}, {'J', 0x96, 0x97, 0x98, 0x99}, {'S', 0xB8, 0xB9, 0xBA, 0xBB},
    {'A', 0xBC, 0xBD, 0xBE, 0xBF}, {'L', 0xEE, 0xEF, 0xF0, 0xF1}, {'K', 0xF2, 0xF3, 0xF4, 0xF5},
    {'D', 0xFC, 0xFD, 0xFE, 0xFF}, {'G', 0xEA, 0xEB, 0xEC, 0xED}, {'I', 0xF8, 0xF9, 0xFA, 0xFB},
    {'H', 0x8C, 0x8D, 0, 0},       {'N', 0xAE, 0xAF, 0, 0},       {'V', 0xB2, 0xB3, 0, 0},
};

keymap::KeyMap BenchKeyMap()
{
    keymap::KeyTable table{};
    int record = 14;
    for (const Letter& l : letters) {
        keymap::KeyRecord& r = table[static_cast<size_t>(record++)];
        r.keyCode = l.key;
        r.isolated = l.isolated;
        r.final = l.final;
        r.medial = l.medial;
        r.initial = l.initial;
    }
    table[48].keyCode = vk::OemPeriod;
    table[48].isolated = 0xE8;
    table[48].final = 0xE9;
    keymap::KeyMap map;
    map.SetRecords(table, "main.kbd");
    return map;
}

/// Persian-looking text: words of 2 to 7 shaped glyphs in display order, lines of about 60 glyphs.
std::string Document(size_t bytes)
{
    std::mt19937 random(7);
    std::string text;
    text.reserve(bytes + 100);
    std::string line;
    while (text.size() < bytes) {
        const int length = 2 + static_cast<int>(random() % 6);
        std::string word;
        for (int i = 0; i < length; ++i) {
            const Letter& l = letters[random() % std::size(letters)];
            const bool last = i == length - 1;
            const int glyph = i == 0 ? (l.initial ? l.initial : l.isolated) : last ? l.final : (l.medial ? l.medial : l.final);
            word.insert(word.begin(), static_cast<char>(glyph));
        }
        line = word + " " + line;
        if (line.size() > 60) {
            text += line;
            text += "\r\n";
            line.clear();
        }
    }
    return text;
}

long PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

/// A main editor 800 pixels wide with a document, the caret at the logical end of a middle line.
struct Editor {
    editctl::FixedGlyphMetrics metrics{10, 20};
    keymap::KeyMap map = BenchKeyMap();
    PersianEdit edit{editctl::WindowStyle::MultiLine};

    explicit Editor(size_t bytes)
    {
        edit.SetKeyMap(&map);
        edit.SetMetrics(&metrics);
        edit.SetEditFont("nasim web homa", 20);
        edit.Resize(800, 600);
        edit.Window().SetText(Document(bytes));
        const int middle = edit.Window().LineIndex(edit.Window().GetLineCount() / 2);
        edit.Window().SetSel(middle, middle);
    }
};

/// The q-quantile of per-key times in microseconds.
double Quantile(std::vector<float>& times, double q)
{
    if (times.empty())
        return 0;
    const size_t k = std::min(times.size() - 1, static_cast<size_t>(q * static_cast<double>(times.size())));
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(k), times.end());
    return times[k];
}

void RunKeys(benchmark::State& state, size_t bytes, const KeyEvent* keys, size_t count)
{
    Editor editor(bytes);
    size_t i = 0;
    // Each key is timed on its own as well, so the median and the worst keys show, not just the mean.
    std::vector<float> times;
    times.reserve(1 << 20);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        editor.edit.DeliverKey(keys[i]);
        const auto stop = std::chrono::steady_clock::now();
        if (times.size() < times.capacity())
            times.push_back(std::chrono::duration<float, std::micro>(stop - start).count());
        i = (i + 1) % count;
    }
    state.counters["key_median_us"] = Quantile(times, 0.5);
    state.counters["key_p99_us"] = Quantile(times, 0.99);
    state.counters["key_max_us"] = Quantile(times, 1.0);
    state.counters["peak_MB"] = static_cast<double>(PeakMegabytes());
    state.counters["control_MB"] = static_cast<double>(editor.edit.Window().MemoryBytes()) / (1 << 20);
    state.counters["text_MB"] = static_cast<double>(editor.edit.Window().GetTextLength()) / (1 << 20);
}

// Letters of a few words, with their spaces, so typing goes through AutoBreak at the line's end.
const KeyEvent typing[] = {{'S', false, false}, {'G', false, false}, {'H', false, false}, {'L', false, false},
                           {vk::Space, false, false}, {'F', false, false}, {'J', false, false},
                           {'D', false, false}, {vk::Space, false, false}, {'K', false, false},
                           {'I', false, false}, {'A', false, false}, {vk::Space, false, false}};

void TypeLetter1MB(benchmark::State& state) { RunKeys(state, 1 << 20, typing, std::size(typing)); }
void TypeLetter10MB(benchmark::State& state) { RunKeys(state, 10 << 20, typing, std::size(typing)); }

void Backspace10MB(benchmark::State& state)
{
    const KeyEvent key{vk::Backspace, false, false};
    RunKeys(state, 10 << 20, &key, 1);
}

void Delete10MB(benchmark::State& state)
{
    const KeyEvent key{vk::Delete, false, false};
    RunKeys(state, 10 << 20, &key, 1);
}

void Enter10MB(benchmark::State& state)
{
    // Enter then a letter, so the document does not fill with empty lines.
    const KeyEvent keys[] = {{vk::Enter, false, false}, {'F', false, false}};
    RunKeys(state, 10 << 20, keys, std::size(keys));
}

void MoveLeft10MB(benchmark::State& state)
{
    const KeyEvent key{vk::Left, false, false};
    RunKeys(state, 10 << 20, &key, 1);
}

void SetText10MB(benchmark::State& state)
{
    const std::string text = Document(10 << 20);
    editctl::FixedGlyphMetrics metrics{10, 20};
    PersianEdit edit{editctl::WindowStyle::MultiLine};
    edit.SetMetrics(&metrics);
    edit.SetEditFont("nasim web homa", 20);
    edit.Resize(800, 600);
    for (auto _ : state) {
        edit.Window().SetText(text);
        benchmark::DoNotOptimize(edit.Window().GetLineCount());
    }
    state.counters["lines"] = edit.Window().GetLineCount();
    state.counters["control_MB"] = static_cast<double>(edit.Window().MemoryBytes()) / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(PeakMegabytes());
}

/// Placing the caret (as each blink does) near the end of one 20 MB text line of zero-width glyphs,
/// the case of a file of NUL bytes: the cost is that of the caret's display line only.
void CaretOnLongLine(benchmark::State& state)
{
    editctl::FixedGlyphMetrics metrics{10, 20};
    metrics.SetAdvance(0, 0);
    PersianEdit edit{editctl::WindowStyle::MultiLine};
    edit.SetMetrics(&metrics);
    edit.SetEditFont("nasim web homa", 20);
    edit.Resize(800, 600);
    const int length = 20 << 20;
    edit.Window().SetText(std::string(static_cast<size_t>(length), '\0'));
    edit.Window().SetSel(length - 10, length - 10);
    const std::uint64_t before = edit.Window().MeasuredGlyphs();
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.Window().GetCaretPos());
    state.counters["glyphs_per_call"] = static_cast<double>(edit.Window().MeasuredGlyphs() - before) /
                                        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["display_lines"] = edit.Window().GetLineCount();
}

} // namespace

BENCHMARK(CaretOnLongLine)->Name("CaretOnLongLine/20MB")->Unit(benchmark::kMicrosecond);
BENCHMARK(TypeLetter1MB)->Name("TypeLetter/1MB")->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(TypeLetter10MB)->Name("TypeLetter/10MB")->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Backspace10MB)->Name("Backspace/10MB")->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Delete10MB)->Name("Delete/10MB")->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Enter10MB)->Name("Enter/10MB")->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(MoveLeft10MB)->Name("MoveLeft/10MB")->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SetText10MB)->Name("SetText/10MB")->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
