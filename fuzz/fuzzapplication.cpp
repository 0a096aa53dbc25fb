#include "fuzzapplication.h"

#include <QCoreApplication>
#include <QFile>

void EnsureFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

bool WriteFuzzInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size);
}
