// Stands in for the updater in the console's tests. Arguments: the program path whose suite it belongs
// to, and the file that receives the first message posted to it ("message wParam lParam").
#include "messagetarget.h"
#include "suiteipc.h"
#include "suitelocation.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

namespace {

constexpr int kLifetimeMs = 30000;  // never outlives a test that forgot it

class ReportingTarget : public MessageTarget {
public:
    explicit ReportingTarget(QString outputPath) : m_outputPath(std::move(outputPath)) {}

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        QFile output(m_outputPath);
        if (output.open(QIODevice::WriteOnly | QIODevice::Truncate))
            output.write(QStringLiteral("%1 %2 %3\n").arg(message).arg(wParam).arg(lParam).toLatin1());
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
    if (argc != 3)
        return 2;
    SetProgramFilePath(QString::fromLocal8Bit(argv[1]));
    ReportingTarget target(QString::fromLocal8Bit(argv[2]));
    const auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, QStringLiteral("Refresko"), target);
    if (!registration)
        return 3;
    QTimer::singleShot(kLifetimeMs, &application, [] { QCoreApplication::exit(4); });
    return application.exec();
}
