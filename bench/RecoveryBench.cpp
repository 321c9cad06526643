/** @file RecoveryBench.cpp
 ** Crash recovery: the longest the event loop waits while a 10 MB document's recovery file is written. **/
#include "app/CrashRecovery.h"
#include "editctl/PersianEdit.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <string>

namespace {

/// About `bytes` of glyph lines of 70 bytes each.
std::string GlyphLines(size_t bytes)
{
    std::string line;
    for (int i = 0; i < 68; ++i)
        line += static_cast<char>(i % 9 == 8 ? ' ' : 0x90 + i % 40);
    line += "\r\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

// A 1 ms precise timer ticks on the window's thread; the longest gap between two ticks, less the
// 1 ms, is the longest stall. The text is copied on that thread a slice per turn (as the window
// copies it), the file is written on the worker.
void RecoveryWrite10MB(benchmark::State& state)
{
    QTemporaryDir dir;
    editctl::PersianEdit editor;
    editor.Window().SetText(GlyphLines(size_t{10} << 20));
    editor.modified = true;
    app::CrashRecovery recovery(editor, (dir.path() + "/kelmora-1.recovery").toStdString(), [] {
        app::RecoverySnapshot s;
        s.path = "/home/u/big.txf";
        return s;
    });
    double longest = 0;
    double idle = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 gap = 0;
        bool started = false;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            gap = std::max(gap, now - last);
            last = now;
            if (!started) {
                recovery.TextChanged({});
                recovery.WriteIfChanged();
                started = true;
            } else if (recovery.Idle()) {
                loop.quit();
            }
        });
        clock.start();
        tick.start();
        loop.exec();
        longest = std::max(longest, static_cast<double>(gap) / 1e6 - 1.0);
        // The same loop as long again without a write: what the machine's load alone costs.
        const qint64 written = clock.nsecsElapsed();
        gap = 0;
        QObject::disconnect(&tick, nullptr, nullptr, nullptr);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            gap = std::max(gap, now - last);
            last = now;
            if (now > 2 * written)
                loop.quit();
        });
        loop.exec();
        idle = std::max(idle, static_cast<double>(gap) / 1e6 - 1.0);
    }
    state.counters["longest_stall_ms"] = longest;
    state.counters["idle_stall_ms"] = idle;
}
BENCHMARK(RecoveryWrite10MB)->Name("Recovery/Write10MB")->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
