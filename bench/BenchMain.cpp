/** @file BenchMain.cpp
 ** Entry point of kelmora-bench: headless Qt, then Google Benchmark. **/
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
