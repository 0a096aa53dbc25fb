#include "simulatoroptions.h"
#include "simulatorprogram.h"
#include "terminationsignals.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Simulvex"));

    SimulatorOptions options;
    QString message;
    if (!options.Parse(QCoreApplication::arguments(), &message)) {
        const bool help = message.startsWith(QLatin1String("Usage"));
        std::fprintf(help ? stdout : stderr, "%s\n", qPrintable(message));
        return help ? 0 : 2;
    }

    SimulatorProgram program;
    if (!program.Start(options, &message)) {
        std::fprintf(stderr, "Simulvex: %s\n", qPrintable(message));
        return 1;
    }
    QObject::connect(&program, &SimulatorProgram::QuitRequested, &application, &QCoreApplication::quit);
    QuitOnTerminationSignals();
    std::printf("%s\n", qPrintable(program.ReadyLine()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
