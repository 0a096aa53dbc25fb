#include <QCoreApplication>

#include <benchmark/benchmark.h>

// The entry point of benchmarks that need a Qt application: QtSql loads its drivers as plugins.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
