/** @file DocumentBench.cpp
 ** Opening and saving a 10 MB document in the main edit control: read, header, DOS-mode
 ** trimming, setting the text and wrapping it; and writing it back. **/
#include "app/DocumentFile.h"
#include "app/EditorSettings.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"
#include "platform/StderrMessageService.h"
#include "platform/TextMode.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

/// A document as users keep them: a header, then paragraphs of Persian words in main.kbd glyphs,
/// some short, some long enough to wrap, right-aligned in DOS mode's 80 columns where they fit.
std::string PersianDocument(const keymap::KeyMap& map, size_t size)
{
    const keymap::UnicodeBridge bridge(map);
    const std::vector<std::string> words = {
        bridge.ImportUtf8("سلام"),  bridge.ImportUtf8("کتاب"),     bridge.ImportUtf8("دانشگاه"),
        bridge.ImportUtf8("ایران"), bridge.ImportUtf8("می‌خواهم"), bridge.ImportUtf8("زندگی"),
        bridge.ImportUtf8("و"),     bridge.ImportUtf8("در"),       bridge.ImportUtf8("شعر"),
    };
    std::string disk = "Kelmora : f[nasim web homa] s[24] k[main.kbd]\r\n";
    disk.reserve(size + 200);
    size_t paragraph = 0;
    while (disk.size() < size) {
        std::string line;
        const size_t count = 3 + (paragraph * 7) % 40; // 3 to 42 words
        for (size_t w = 0; w < count; ++w)
            line += (w ? " " : "") + words[(paragraph + w * 5) % words.size()];
        if (line.size() < 80)
            line.insert(0, 80 - line.size(), ' ');
        disk += line + "\r\n";
        ++paragraph;
    }
    return disk;
}

struct DocumentSetup {
    platform::MemorySettingsStore settings;
    platform::StderrMessageService messages;
    platform::ScopedServices scope{platform::Services{&settings, &messages}};
    QTemporaryDir dir;
    keymap::KeyMap map;
    editctl::PersianEdit editor;
    std::string path;
    /// The first-start format: DOS mode and the header line.
    app::DocumentFormat format = app::EditorSettings(settings).DocumentFormatInUse();

    DocumentSetup()
    {
        settings.WriteString("Temp", "KelmDir", KELMORA_PROGRAM_DIR);
        map.Load("main.kbd");
        editor.SetKeyMap(&map);
        editor.SetEditFont("nasim web homa", 24);
        editor.Resize(800, 600);
        path = dir.path().toStdString() + "/big.txf";
        platform::WriteFileAtomically(path, PersianDocument(map, 10 * 1000 * 1000));
    }
};

void OpenDocument(benchmark::State& state)
{
    DocumentSetup setup;
    for (auto _ : state) {
        if (!app::LoadTextFile(setup.editor, setup.path, setup.format)) {
            state.SkipWithError("the document did not load");
            return;
        }
        benchmark::DoNotOptimize(setup.editor.Window().GetLineCount());
    }
    state.counters["display_lines"] = setup.editor.Window().GetLineCount();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 10 * 1000 * 1000);
}
BENCHMARK(OpenDocument)->Name("OpenDocument/10MB")->Unit(benchmark::kMillisecond);

void SaveDocument(benchmark::State& state)
{
    DocumentSetup setup;
    app::LoadTextFile(setup.editor, setup.path, setup.format);
    const std::string out = setup.dir.path().toStdString() + "/saved.txf";
    for (auto _ : state) {
        if (!app::SaveTextFile(setup.editor, out, setup.format).ok) {
            state.SkipWithError("the document was not saved");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 10 * 1000 * 1000);
}
BENCHMARK(SaveDocument)->Name("SaveDocument/10MB")->Unit(benchmark::kMillisecond);

} // namespace
