/** @file KeymapChangeBench.cpp
 ** What a choice in the keymap box costs on a 10 MB document: the whole text converted from one
 ** keymap's glyphs to another's, put back into the main edit control and wrapped, the keymap reloaded. **/
#include "app/KeymapSwitch.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"
#include "platform/StderrMessageService.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string PersianText(const keymap::KeyMap& map, size_t size)
{
    const keymap::UnicodeBridge bridge(map);
    const std::string sentence = bridge.ImportUtf8("سلام، کتاب‌های فارسی را در دانشگاه می‌خوانیم ۱۲");
    const std::string shortLine = bridge.ImportUtf8("زندگی و شعر");
    std::string text;
    text.reserve(size + sentence.size() * 8);
    for (size_t paragraph = 0; text.size() < size; ++paragraph) {
        for (size_t i = 0; i < 1 + paragraph % 6; ++i)
            text += sentence + " ";
        text += shortLine + "\r\n";
    }
    return text;
}

void KeymapBoxChange(benchmark::State& state)
{
    platform::MemorySettingsStore settings;
    platform::StderrMessageService messages;
    platform::ScopedServices scope{platform::Services{&settings, &messages}};
    settings.WriteString("Temp", "KelmDir", KELMORA_PROGRAM_DIR);
    keymap::KeyMap bound;
    bound.Load("main.kbd");
    editctl::PersianEdit editor;
    editor.SetKeyMap(&bound);
    editor.SetEditFont("nasim web homa", 24);
    editor.Resize(800, 600);
    const std::string mainText = PersianText(bound, 10 * 1000 * 1000);
    keymap::KeymapConverter converter;
    for (auto _ : state) {
        state.PauseTiming();
        bound.Load("main.kbd");
        editor.Window().SetText(mainText);
        state.ResumeTiming();
        if (app::SwitchKeymap(editor, bound, converter, "kolb.kbd") != app::KeymapSwitchResult::Switched) {
            state.SkipWithError("the shipped keymaps did not load");
            return;
        }
        benchmark::DoNotOptimize(editor.Window().GetLineCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * mainText.size()));
}

} // namespace

BENCHMARK(KeymapBoxChange)->Unit(benchmark::kMillisecond)->Iterations(3);
