/** @file KeymapBench.cpp
 ** Keymap loading and conversion speed. **/
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/KeymapFile.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>

#include "platform/TextMode.h"

namespace {

keymap::KeyTable SyntheticTable()
{
    // Four shapes a key from 0x80 up, as in the shipped fonts.
    keymap::KeyTable t{};
    for (int r = 0; r < 32; ++r) {
        t[r].keyCode = 0x41 + r;
        t[r].isolated = 0x80 + r * 4 % 128;
        t[r].final = t[r].isolated + 1;
        t[r].medial = t[r].isolated + 2;
        t[r].initial = t[r].isolated + 3;
    }
    return t;
}

void KeyMapLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/bench.kbd";
    platform::WriteFileAtomically(path, keymap::SerializeKeymapFile(SyntheticTable()));
    keymap::KeyMap map;
    for (auto _ : state)
        benchmark::DoNotOptimize(map.LoadFromPath(path));
}
BENCHMARK(KeyMapLoad)->Unit(benchmark::kMicrosecond);

void Convert10MB(benchmark::State& state)
{
    keymap::KeymapConverter converter;
    converter.source.SetRecords(SyntheticTable(), "a.kbd");
    converter.destination.SetRecords(SyntheticTable(), "b.kbd");
    std::string text;
    const std::string word = "\x82\x86\x8a\x8b ";
    while (text.size() < 10 * 1000 * 1000)
        text += (text.size() % 600 == 0) ? std::string("\r\n") : word;
    converter.input = text;
    for (auto _ : state) {
        converter.Convert(false);
        benchmark::DoNotOptimize(converter.output.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(Convert10MB)->Name("Convert/10MB")->Unit(benchmark::kMillisecond);

} // namespace
