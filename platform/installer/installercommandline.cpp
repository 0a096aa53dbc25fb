#include "installercommandline.h"

#include <QList>

namespace {

const QString kMaskedValue = QStringLiteral("********");

struct Setting {
    QString name;
    QString value;
    qsizetype start = 0;  // where the setting begins in the command line
    qsizetype end = 0;    // one past its last character
};

// The settings in order; false when the text is no list of settings.
bool ScanSettings(const QString& text, QList<Setting>& settings)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (true) {
        while (i < size && text[i].isSpace())
            ++i;
        if (i >= size)
            return true;
        Setting setting;
        setting.start = i;
        while (i < size && text[i] != u'=' && !text[i].isSpace())
            ++i;
        if (i >= size || text[i] != u'=' || i == setting.start)
            return false;
        setting.name = text.mid(setting.start, i - setting.start);
        ++i;
        if (i < size && text[i] == u'"') {
            ++i;
            bool closed = false;
            while (i < size) {
                if (text[i] == u'"') {
                    if (i + 1 < size && text[i + 1] == u'"') {
                        setting.value += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                setting.value += text[i++];
            }
            if (!closed || (i < size && !text[i].isSpace()))
                return false;
        } else {
            const qsizetype valueStart = i;
            while (i < size && !text[i].isSpace())
                ++i;
            setting.value = text.mid(valueStart, i - valueStart);
        }
        setting.end = i;
        settings << setting;
    }
}

}  // namespace

QString QuotedInstallerValue(const QString& value)
{
    bool needsQuotes = value.contains(u'"');
    for (const QChar c : value)
        needsQuotes = needsQuotes || c.isSpace();
    if (!needsQuotes)
        return value;
    return u'"' + QString(value).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

bool ParseInstallerProperties(const QString& commandLine, QMap<QString, QString>& properties)
{
    QList<Setting> settings;
    if (!ScanSettings(commandLine, settings))
        return false;
    for (const Setting& setting : settings)
        properties.insert(setting.name, setting.value);
    return true;
}

QString MaskedInstallerCommandLine(const QString& commandLine, const QStringList& hiddenNames)
{
    QList<Setting> settings;
    if (!ScanSettings(commandLine, settings)) {
        // Not a list of settings: hide everything after a hidden name's '='.
        for (const QString& name : hiddenNames) {
            if (commandLine.contains(name + u'='))
                return commandLine.left(commandLine.indexOf(name + u'=') + name.size() + 1) + kMaskedValue;
        }
        return commandLine;
    }
    QString masked = commandLine;
    for (qsizetype i = settings.size() - 1; i >= 0; --i) {
        const Setting& setting = settings[i];
        if (hiddenNames.contains(setting.name, Qt::CaseInsensitive))
            masked.replace(setting.start, setting.end - setting.start, setting.name + u'=' + kMaskedValue);
    }
    return masked;
}
