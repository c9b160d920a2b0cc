#include <stdlib.h>

#include <QApplication>
#include <benchmark/benchmark.h>

// The Qt benchmarks run headless unless told otherwise, under one QApplication.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
