/** @file DetectBench.cpp
 ** Keymap detection: time per 1 KB sample and per 10 MB file, and how often it is right on samples
 ** of random words from Debian's Persian word list written in each shipped keymap. **/
#include "keymap/KeyMap.h"
#include "keymap/KeymapDetection.h"
#include "keymap/UnicodeBridge.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const Names[] = {"main.kbd", "kolb.kbd", "ziba2.kbd"};

struct Fixture {
    std::vector<keymap::KeyMap> maps;
    std::vector<keymap::DetectionCandidate> candidates;
    keymap::PersianWordList words;
    std::vector<std::string> wordLines; // the list's words, in its order

    Fixture()
    {
        for (const char* name : Names) {
            maps.emplace_back();
            maps.back().LoadFromPath(std::string(KELMORA_PROGRAM_DIR) + "/KeyMaps/" + name);
        }
        for (size_t i = 0; i < maps.size(); ++i)
            candidates.push_back({Names[i], &maps[i]});
        words.Load(keymap::PersianWordList::DebianPath);
        std::ifstream in(keymap::PersianWordList::DebianPath);
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && static_cast<unsigned char>(line[0]) >= 0x80)
                wordLines.push_back(line.substr(0, line.find('/')));
    }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

/// About `bytes` of UTF-8: random list words, a space between, a line end every twelve words.
std::string RandomWords(const Fixture& f, size_t bytes, std::uint64_t& seed)
{
    std::string text;
    for (int n = 1; text.size() < bytes; ++n) {
        seed = seed * 6364136223846793005u + 1442695040888963407u;
        text += f.wordLines[(seed >> 33) % f.wordLines.size()];
        text += n % 12 == 0 ? "\r\n" : " ";
    }
    return text;
}

/// A glyph sample of about `bytes` in keymap `k`: the UTF-8 is sized so the glyph text comes near it.
std::string GlyphSample(const Fixture& f, size_t k, size_t bytes, std::uint64_t& seed)
{
    return keymap::UnicodeBridge(f.maps[k]).ImportUtf8(RandomWords(f, bytes * 2, seed));
}

void Detect1KB(benchmark::State& state)
{
    Fixture& f = Shared();
    if (f.words.Empty()) {
        state.SkipWithError("myspell-fa is not installed");
        return;
    }
    const size_t k = static_cast<size_t>(state.range(0));
    std::uint64_t seed = 42 + k;
    std::vector<std::string> samples;
    for (int i = 0; i < 200; ++i)
        samples.push_back(GlyphSample(f, k, 1024, seed).substr(0, 1024));
    size_t right = 0;
    size_t runs = 0;
    for (auto _ : state) {
        const std::string& sample = samples[runs % samples.size()];
        const keymap::DetectionResult r = keymap::DetectKeymap(sample, f.candidates, &f.words);
        right += r.Best() == Names[k];
        ++runs;
    }
    state.SetLabel(Names[k]);
    state.counters["accuracy%"] = 100.0 * static_cast<double>(right) / static_cast<double>(runs);
}
BENCHMARK(Detect1KB)->Name("Detect/1KB")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

/// Accuracy over 1,000 fresh 1 KB samples per keymap, each seen once (the figure the README gives).
void DetectAccuracy(benchmark::State& state)
{
    Fixture& f = Shared();
    if (f.words.Empty()) {
        state.SkipWithError("myspell-fa is not installed");
        return;
    }
    const size_t k = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        std::uint64_t seed = 7 + k;
        size_t right = 0;
        const int samples = 1000;
        for (int i = 0; i < samples; ++i) {
            const std::string sample = GlyphSample(f, k, 1024, seed).substr(0, 1024);
            right += keymap::DetectKeymap(sample, f.candidates, &f.words).Best() == Names[k];
        }
        state.counters["accuracy%"] = 100.0 * static_cast<double>(right) / samples;
    }
    state.SetLabel(Names[k]);
}
BENCHMARK(DetectAccuracy)->Name("Detect/Accuracy1KB")->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);

void Detect10MB(benchmark::State& state)
{
    Fixture& f = Shared();
    if (f.words.Empty()) {
        state.SkipWithError("myspell-fa is not installed");
        return;
    }
    std::uint64_t seed = 99;
    std::string text = GlyphSample(f, 1, 64 * 1024, seed);
    while (text.size() < 10 * 1000 * 1000)
        text += text;
    for (auto _ : state)
        benchmark::DoNotOptimize(keymap::DetectKeymap(text, f.candidates, &f.words));
    state.SetLabel(keymap::DetectKeymap(text, f.candidates, &f.words).Best());
}
BENCHMARK(Detect10MB)->Name("Detect/10MB")->Unit(benchmark::kMillisecond);

} // namespace
