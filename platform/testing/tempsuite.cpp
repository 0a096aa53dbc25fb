#include "tempsuite.h"

#include "suitelocation.h"

#include <QDir>

TempSuite::TempSuite(const QString& programName) : m_programName(programName)
{
    QDir().mkpath(ProgramFolder());
    QDir().mkpath(SharedFolder());
    SetProgramFilePath(ProgramFolder() + m_programName);
}

TempSuite::~TempSuite() { SetProgramFilePath(QString()); }

QString TempSuite::SuiteFolder() const { return m_dir.path() + QStringLiteral("/suite/"); }
QString TempSuite::SharedFolder() const { return SuiteFolder() + QStringLiteral("Shared/"); }
QString TempSuite::ProgramFolder() const { return SuiteFolder() + m_programName + u'/'; }
