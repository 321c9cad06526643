/** @file StartupBench.cpp
 ** Start-up of the editor to a shown window, as a user's start: a fresh process in the program
 ** folder, ended by --quit-when-shown once the window is on screen. **/
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

/// A private home for the started program so the user's real settings stay untouched.
QProcessEnvironment PrivateEnvironment(const QTemporaryDir& home, bool firstRunDone)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/config");
    env.insert("XDG_DATA_HOME", home.path() + "/data");
    env.insert("XDG_CACHE_HOME", home.path() + "/cache");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (firstRunDone) {
        // The settings file of a user whose first-run font installation is done.
        // The program keeps its settings in $XDG_CONFIG_HOME/Kelmora.conf.
        QDir().mkpath(home.path() + "/config");
        QFile file(home.path() + "/config/Kelmora.conf");
        if (file.open(QIODevice::WriteOnly))
            file.write("[Temp]\nFirstTime=0\n");
    }
    return env;
}

void Run(benchmark::State& state, bool firstRunDone)
{
    const QString folder = QStringLiteral(KELMORA_PROGRAM_DIR);
    const QString program = folder + "/kelmora";
    if (!QFileInfo::exists(program)) {
        state.SkipWithError("build/bin/kelmora is not built");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        QProcess process;
        process.setProcessEnvironment(PrivateEnvironment(home, firstRunDone));
        process.setWorkingDirectory(folder);
        state.ResumeTiming();
        process.start(program, {"--quit-when-shown"});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            state.SkipWithError("the editor did not start and end cleanly");
            return;
        }
    }
}

void BM_StartupEmptySettings(benchmark::State& state) { Run(state, false); }
void BM_StartupAfterFirstRun(benchmark::State& state) { Run(state, true); }

} // namespace

BENCHMARK(BM_StartupEmptySettings)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(BM_StartupAfterFirstRun)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
