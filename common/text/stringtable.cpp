#include "stringtable.h"

#include "language.h"

#include <QFile>
#include <QList>

namespace {

QString Unescape(QByteArrayView field)
{
    QString text = QString::fromUtf8(field);
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n')
            result += u'\n';
        else if (next == u't')
            result += u'\t';
        else if (next == u'r')
            result += u'\r';
        else
            result += next;
    }
    return result;
}

}  // namespace

StringTable StringTable::Parse(const QByteArray& tsv)
{
    StringTable table;
    for (QByteArray line : tsv.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        bool ok = false;
        const unsigned id = fields[0].toUInt(&ok);
        if (!ok || fields.size() < 2)
            continue;
        table.m_entries[id] = Entry{Unescape(fields[1]), fields.size() > 2 ? Unescape(fields[2]) : QString()};
    }
    return table;
}

StringTable StringTable::FromResource(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Parse(file.readAll());
}

QString StringTable::Text(unsigned id, bool english) const
{
    const auto entry = m_entries.find(id);
    if (entry == m_entries.end())
        return {};
    return english && !entry->second.english.isEmpty() ? entry->second.english : entry->second.italian;
}

QString LoadResString(unsigned id)
{
    static const StringTable programTable = StringTable::FromResource(QStringLiteral(":/strings/program.tsv"));
    static const StringTable commonTable = StringTable::FromResource(QStringLiteral(":/strings/common.tsv"));
    const StringTable& table = programTable.Contains(id) ? programTable : commonTable;
    return table.Text(id, IsEnglish());
}
