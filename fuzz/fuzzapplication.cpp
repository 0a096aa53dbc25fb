#include "fuzzapplication.h"

#include <QCoreApplication>

void EnsureFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}
