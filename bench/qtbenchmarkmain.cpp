#ifdef BENCH_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <benchmark/benchmark.h>

// The entry point of benchmarks that need a Qt application: QtSql loads its drivers as plugins. Built
// with BENCH_WIDGETS it starts a widget application instead, on the offscreen platform when none is set.
int main(int argc, char** argv)
{
#ifdef BENCH_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#else
    QCoreApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
