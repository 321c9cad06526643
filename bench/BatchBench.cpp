/** @file BatchBench.cpp
 ** Batch conversion of a folder of 1,000 documents of 100 KB from main.kbd to kolb.kbd: read,
 ** convert, write atomically; with the process's peak memory, which must not grow with the folder. **/
#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"
#include "platform/StderrMessageService.h"
#include "platform/TextMode.h"
#include "tools/BatchConversion.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <sys/resource.h>

#include <filesystem>

#include <string>
#include <vector>

namespace {

constexpr size_t FileCount = 1000;
constexpr size_t FileSize = 100 * 1000;

/// One 100 KB document: a header, then lines of Persian words of varying length.
std::string BatchDocument(const keymap::UnicodeBridge& bridge, size_t seed)
{
    static const char* const phrases[] = {"باران می‌بارد", "شب است و ماه", "کتاب را بخوان", "لاله‌ها در باغ",
                                          "۱۴۰۵ سال", "دریا آرام است", "و", "سلام"};
    std::vector<std::string> glyphs;
    for (const char* p : phrases)
        glyphs.push_back(bridge.ImportUtf8(p));
    std::string doc = "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n";
    for (size_t line = seed; doc.size() < FileSize; ++line) {
        const size_t words = 2 + line % 17;
        for (size_t w = 0; w < words; ++w)
            doc += (w ? " " : "") + glyphs[(line * 3 + w) % glyphs.size()];
        doc += "\r\n";
    }
    doc.resize(FileSize);
    return doc;
}

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

/// The folder of documents, written once for every repetition: removing thousands of files just
/// before a run would slow the next one's file creation on some file systems, which measures the
/// harness rather than the conversion.
struct BatchFolder {
    QTemporaryDir dir;
    std::string in = dir.path().toStdString() + "/in";
    std::string out = dir.path().toStdString() + "/out";
    std::vector<tools::BatchItem> items;

    BatchFolder()
    {
        keymap::KeyMap main;
        main.Load("main.kbd");
        const keymap::UnicodeBridge bridge(main);
        std::filesystem::create_directories(in);
        std::filesystem::create_directories(out);
        for (size_t i = 0; i < FileCount; ++i)
            platform::WriteFileAtomically(in + "/doc" + std::to_string(i) + ".txt", BatchDocument(bridge, i));
        items = tools::BatchItems(tools::ListBatchTitles(in, "*.txt"), in, "*.txt", out, "*.txf");
    }
};

void BM_BatchConvert100MB(benchmark::State& state)
{
    platform::MemorySettingsStore settings;
    platform::StderrMessageService messages;
    platform::ScopedServices scope{platform::Services{&settings, &messages}};
    settings.WriteString("Temp", "KelmDir", KELMORA_PROGRAM_DIR);
    static const BatchFolder folder;
    const std::vector<tools::BatchItem>& items = folder.items;

    tools::BatchOptions options;
    options.sourceKeymap = "main.kbd";
    options.destinationKeymap = "kolb.kbd";
    options.faceName = "Iran System";
    options.size = 24;
    options.dos = tools::DosLayout::On;
    const long before = PeakResidentKb();
    size_t converted = 0;
    for (auto _ : state) {
        const tools::BatchReport report = tools::BatchConvert(options, items);
        converted = report.converted;
        benchmark::DoNotOptimize(converted);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileCount * FileSize));
    state.counters["files"] = static_cast<double>(converted);
    state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKb()) / 1024.0;
    state.counters["peak_growth_MB"] = static_cast<double>(PeakResidentKb() - before) / 1024.0;
}
BENCHMARK(BM_BatchConvert100MB)->Name("BatchConvert/100MB")->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

} // namespace
