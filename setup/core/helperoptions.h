#pragma once

#include <QString>
#include <QStringList>

// The options of Helper's command line: "-" or "/" and one letter, either case; F, P, K and S take the next
// word (blanks before it skipped, in double quotes when it holds blanks).
struct HelperOptions {
    QString packagePath;   // /F
    QString productCode;   // /P
    QString packageCode;   // /K
    QString saPassword;    // /S
    bool reinstall = false;  // /R
    bool usage = false;      // /?
    bool rewriteMode = false;  // any of /F, /P, /K

    static HelperOptions Parse(const QString& commandLine);
    // The program's arguments as one text for Parse: a word with blanks goes in double quotes; of an option
    // glued to its value ("-F/a b/p.msi") only the value does.
    static QString JoinArguments(const QStringList& arguments);
};
