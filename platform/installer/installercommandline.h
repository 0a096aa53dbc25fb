#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Property settings on an installer command line: NAME=VALUE separated by blanks. A value holding a blank
// or a double quote is written in double quotes, with each quote inside doubled.

// The value as it enters a command line.
QString QuotedInstallerValue(const QString& value);

// The settings of a command line; false (the installer's 1639) for a word without '=', an empty name or
// an unclosed quote.
bool ParseInstallerProperties(const QString& commandLine, QMap<QString, QString>& properties);

// The command line with the values of the named properties shown as "********", for logs.
QString MaskedInstallerCommandLine(const QString& commandLine, const QStringList& hiddenNames);
