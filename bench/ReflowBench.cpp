/** @file ReflowBench.cpp
 ** Resemble and Justify end to end on a 10 MB document of Persian prose in the main edit control:
 ** read the lines, run, set the text and wrap it again. **/
#include "app/EditorSettings.h"
#include "editctl/GlyphMetrics.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"
#include "platform/StderrMessageService.h"
#include "tools/Justify.h"
#include "tools/Resemble.h"

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

/// Our own prose, broken by hand at odd places the way typed documents are.
const char* const Sentences[] = {
    "امروز صبح باران آرامی بر شهر بارید و مردم با چترهای رنگارنگ به سوی کار خود رفتند",
    "کودکان در حیاط مدرسه از دیدن رنگین کمان شاد شدند و معلم برای آنان از ابر و خورشید سخن گفت",
    "پس از ظهر آسمان روشن شد و بوی خاک خیس در کوچه های قدیمی پیچید",
    "پیرمرد نانوا هر روز پیش از سپیده تنور را گرم می کند و نخستین نان را به همسایه می دهد",
    "کتابخانه کوچک محله ما در زمستان گرم ترین جای شهر است و جوانان تا شب در آن درس می خوانند",
};

struct Document {
    keymap::KeyMap map;
    std::string text;
};

/// About 10 MB: paragraphs of three to eight sentences, lines of 20 to 70 letters, a blank line between.
std::string BuildText(const keymap::KeyMap& map, size_t size)
{
    const keymap::UnicodeBridge bridge(map);
    std::vector<std::string> words;
    for (const char* sentence : Sentences) {
        std::istringstream in(sentence);
        for (std::string w; in >> w;)
            words.push_back(bridge.ImportUtf8(w));
    }
    std::mt19937 random(11);
    std::string text;
    text.reserve(size + 200);
    size_t next = 0;
    while (text.size() < size) {
        const int lines = 3 + static_cast<int>(random() % 6);
        for (int l = 0; l < lines; ++l) {
            const size_t length = 20 + random() % 51;
            std::string line;
            while (line.size() < length)
                line = words[next++ % words.size()] + (line.empty() ? "" : " ") + line;
            text += line + "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

struct ReflowBench {
    platform::MemorySettingsStore settings;
    platform::StderrMessageService messages;
    platform::ScopedServices scope{platform::Services{&settings, &messages}};
    keymap::KeyMap bound;
    editctl::FixedGlyphMetrics shown{9, 24};
    editctl::PersianEdit editor{editctl::WindowStyle::MultiLine};
    keymap::KeymapConverter converter;
    platform::LcgRandom random;
    std::string text;

    ReflowBench()
    {
        settings.WriteString("Temp", "KelmDir", KELMORA_PROGRAM_DIR);
        bound.Load("main.kbd");
        editor.SetKeyMap(&bound);
        editor.SetMetrics(&shown);
        editor.SetEditFont("nasim web homa", 24);
        editor.Resize(800, 600);
        text = BuildText(bound, 10 * 1000 * 1000);
        random.Seed(5);
    }
};

/// Times one command on the original text, put back before every run.
template <typename Command>
void TimeCommand(benchmark::State& state, Command command)
{
    ReflowBench b;
    const tools::ResembleSettings settings = app::EditorSettings(b.settings).ResembleValues(); // pixel mode
    for (auto _ : state) {
        state.PauseTiming();
        b.editor.Window().SetText(b.text);
        state.ResumeTiming();
        command(b, settings);
        benchmark::DoNotOptimize(b.editor.Window().GetLineCount());
    }
    state.counters["lines"] = b.editor.Window().GetLineCount();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * b.text.size()));
}

void Resemble10MB(benchmark::State& state)
{
    TimeCommand(state, [](ReflowBench& b, const tools::ResembleSettings& s) {
        tools::RunResemble(b.editor, b.converter, s, "main.kbd", tools::JustifyAfter::No, b.random);
    });
}

void Justify10MB(benchmark::State& state)
{
    TimeCommand(state, [](ReflowBench& b, const tools::ResembleSettings& s) {
        tools::RunJustify(b.editor, b.converter, s, "main.kbd", b.random);
    });
}

void ResembleThenJustify10MB(benchmark::State& state)
{
    TimeCommand(state, [](ReflowBench& b, const tools::ResembleSettings& s) {
        tools::RunResemble(b.editor, b.converter, s, "main.kbd", tools::JustifyAfter::Yes, b.random);
    });
}

} // namespace

BENCHMARK(Resemble10MB)->Name("Resemble/10MB")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Justify10MB)->Name("Justify/10MB")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ResembleThenJustify10MB)->Name("ResembleThenJustify/10MB")->Unit(benchmark::kMillisecond)->Iterations(3);
