/** @file UnicodeBench.cpp
 ** Unicode export and import speed, and conversion of real Persian text between shipped fonts. **/
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

keymap::KeyMap Shipped(const std::string& name)
{
    keymap::KeyMap map;
    map.LoadFromPath(std::string(KELMORA_PROGRAM_DIR) + "/KeyMaps/" + name);
    return map;
}

/// About 10 MB of UTF-8 Persian prose with numbers, half-spaces and punctuation, in lines.
const std::string& PersianText()
{
    static const std::string text = [] {
        const std::string paragraph =
            "باران که می‌بارد، کوچه‌ها بوی خاک و نان تازه می‌دهند.\r\n"
            "سه‌شنبه ۱۵ آذر ۱۴۰۵ ساعت ۱۲:۳۰ کتاب (جلد ۲) را به کتابخانه بردم؟\r\n"
            "لاله‌ها در باغ شکفته‌اند و پژوهشگران چینی و ژاپنی به کلاس آمدند.\r\n";
        std::string t;
        while (t.size() < 10 * 1000 * 1000)
            t += paragraph;
        return t;
    }();
    return text;
}

void ExportUnicode(benchmark::State& state)
{
    const keymap::UnicodeBridge bridge(Shipped("main.kbd"));
    const std::string line = bridge.ImportUtf8(PersianText());
    std::string glyphs;
    while (glyphs.size() < 10 * 1000 * 1000)
        glyphs += line.substr(0, 10 * 1000 * 1000 - glyphs.size());
    for (auto _ : state) {
        std::string unicode = bridge.ExportUtf8(glyphs);
        benchmark::DoNotOptimize(unicode.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(glyphs.size()));
}
BENCHMARK(ExportUnicode)->Name("ExportUnicode/10MB")->Unit(benchmark::kMillisecond);

void ImportUnicode(benchmark::State& state)
{
    const keymap::UnicodeBridge bridge(Shipped("main.kbd"));
    const std::string& text = PersianText();
    for (auto _ : state) {
        std::string glyphs = bridge.ImportUtf8(text);
        benchmark::DoNotOptimize(glyphs.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(ImportUnicode)->Name("ImportUnicode/10MB")->Unit(benchmark::kMillisecond);

void ConvertPersian(benchmark::State& state)
{
    keymap::KeymapConverter converter;
    converter.source = Shipped("main.kbd");
    converter.destination = Shipped("kolb.kbd");
    const std::string glyphs = keymap::UnicodeBridge(converter.source).ImportUtf8(PersianText());
    std::string text;
    while (text.size() < 10 * 1000 * 1000)
        text += glyphs.substr(0, 10 * 1000 * 1000 - text.size());
    converter.input = text;
    for (auto _ : state) {
        converter.Convert(false);
        benchmark::DoNotOptimize(converter.output.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(ConvertPersian)->Name("Convert/10MB/main-to-kolb")->Unit(benchmark::kMillisecond);

void BridgeBuild(benchmark::State& state)
{
    const keymap::KeyMap map = Shipped("main.kbd");
    for (auto _ : state) {
        keymap::UnicodeBridge bridge(map);
        benchmark::DoNotOptimize(&bridge);
    }
}
BENCHMARK(BridgeBuild)->Name("UnicodeBridge/Build")->Unit(benchmark::kMicrosecond);

} // namespace
