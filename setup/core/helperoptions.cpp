#include "helperoptions.h"

namespace {

bool IsOptionMark(QChar c) { return c == u'-' || c == u'/'; }

bool TakesValue(QChar letter)
{
    const QChar upper = letter.toUpper();
    return upper == u'F' || upper == u'P' || upper == u'K' || upper == u'S';
}

QString Quoted(const QString& word)
{
    return word.isEmpty() || word.contains(u' ') ? u'"' + word + u'"' : word;
}

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
    bool valueNext = false;
    for (const QString& argument : arguments) {
        if (valueNext) {
            // The word after a lone option letter is its value, whatever it starts with.
            words << Quoted(argument);
            valueNext = false;
            continue;
        }
        if (argument.size() < 2 || !IsOptionMark(argument[0]) || !TakesValue(argument[1])) {
            words << Quoted(argument);
            continue;
        }
        // An option glued to its value ("-F/a b/p.msi"): only the value goes in quotes, so that the scan
        // still sees the option letter.
        qsizetype start = 2;
        while (start < argument.size() && argument[start] == u' ')
            ++start;
        const QString value = argument.mid(start);
        if (value.isEmpty()) {
            words << argument.left(2);
            valueNext = true;
        } else {
            words << argument.left(2) + Quoted(value);
        }
    }
    return words.join(u' ');
}
