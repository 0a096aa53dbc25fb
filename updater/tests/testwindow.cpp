// A stand-in for a program of the suite in the updater's tests: registers a window class and writes the
// first message it receives, with the time it came, to a file; then ends. Arguments: the program path
// whose suite it belongs to, the window class, the output file.
#include "messagetarget.h"
#include "suiteipc.h"
#include "suitelocation.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

namespace {

constexpr int kLifetimeMs = 60000;  // never outlives a test that forgot it

class ReportingTarget : public MessageTarget {
public:
    explicit ReportingTarget(QString outputPath) : m_outputPath(std::move(outputPath)) {}

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        QFile output(m_outputPath);
        if (output.open(QIODevice::WriteOnly | QIODevice::Truncate))
            output.write(QStringLiteral("%1 %2 %3 %4\n")
                             .arg(message)
                             .arg(wParam)
                             .arg(lParam)
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .toLatin1());
        output.close();
        QCoreApplication::exit(0);
    }

private:
    QString m_outputPath;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 4)
        return 2;
    SetProgramFilePath(QString::fromLocal8Bit(argv[1]));
    ReportingTarget target(QString::fromLocal8Bit(argv[3]));
    const auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, QString::fromLocal8Bit(argv[2]), target);
    if (!registration)
        return 3;
    QFile ready(QString::fromLocal8Bit(argv[3]) + QStringLiteral(".ready"));
    ready.open(QIODevice::WriteOnly);
    ready.close();
    QTimer::singleShot(kLifetimeMs, &application, [] { QCoreApplication::exit(4); });
    return application.exec();
}
