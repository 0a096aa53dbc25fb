#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away suite tree <tmp>/suite/<Program>/ and <tmp>/suite/Shared/, with the running test placed
// as <tmp>/suite/<Program>/<Program> for the folder functions. Put back on destruction.
class TempSuite {
public:
    explicit TempSuite(const QString& programName = QStringLiteral("TestProgram"));
    ~TempSuite();
    TempSuite(const TempSuite&) = delete;
    TempSuite& operator=(const TempSuite&) = delete;

    bool IsValid() const { return m_dir.isValid(); }
    QString SuiteFolder() const;    // with trailing '/'
    QString SharedFolder() const;   // with trailing '/'
    QString ProgramFolder() const;  // with trailing '/'

private:
    QTemporaryDir m_dir;
    QString m_programName;
};
