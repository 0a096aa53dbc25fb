#include "startupreport.h"

#include <cstdio>

void ReportStartup(const QString& line)
{
    std::printf("Pultex: %s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}
