#include "helperoptions.h"

namespace {

// The value after an option letter at position i; i moves past it.
QString TakeValue(const QString& text, qsizetype& i)
{
    while (i < text.size() && text[i] == u' ')
        ++i;
    const bool quoted = i < text.size() && text[i] == u'"';
    if (quoted)
        ++i;
    const qsizetype start = i;
    while (i < text.size() && (quoted ? text[i] != u'"' : text[i] != u' '))
        ++i;
    const QString value = text.mid(start, i - start);
    if (quoted && i < text.size())
        ++i;  // the closing quote
    return value;
}

}  // namespace

HelperOptions HelperOptions::Parse(const QString& commandLine)
{
    HelperOptions options;
    qsizetype i = 0;
    while (i < commandLine.size()) {
        const QChar c = commandLine[i++];
        if ((c != u'-' && c != u'/') || i >= commandLine.size())
            continue;
        const QChar letter = commandLine[i++].toUpper();
        if (letter == u'F') {
            options.packagePath = TakeValue(commandLine, i);
            options.rewriteMode = true;
        } else if (letter == u'P') {
            options.productCode = TakeValue(commandLine, i);
            options.rewriteMode = true;
        } else if (letter == u'K') {
            options.packageCode = TakeValue(commandLine, i);
            options.rewriteMode = true;
        } else if (letter == u'S') {
            options.saPassword = TakeValue(commandLine, i);
        } else if (letter == u'R') {
            options.reinstall = true;
        } else if (letter == u'?') {
            options.usage = true;
        }
    }
    return options;
}

QString HelperOptions::JoinArguments(const QStringList& arguments)
{
    QStringList words;
    for (const QString& argument : arguments)
        words << (argument.contains(u' ') || argument.isEmpty() ? u'"' + argument + u'"' : argument);
    return words.join(u' ');
}
