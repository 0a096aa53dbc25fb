#include "cinifile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The part of the file looked at for NUL bytes.
constexpr qint64 kBinaryProbeSize = 1024;

QString TrimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; };
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

}  // namespace

bool CIniFile::IsBinaryFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kBinaryProbeSize);
    return head.startsWith("\xFF\xFE") || head.contains('\0');
}

bool CIniFile::Load()
{
    const QFileInfo info(m_path);
    if (!info.exists() || info.isDir() || IsBinaryFile(m_path))
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_sections.clear();
    const QString text = QString::fromUtf8(file.readAll());
    qsizetype current = -1;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = TrimBlanks(line);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2);
            current = FindSectionIndex(name);
            if (current < 0) {
                m_sections.append({name, {}});
                current = m_sections.size() - 1;
            }
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (current < 0 || equals < 0)
            continue;
        auto& entries = m_sections[current].entries;
        const QString key = TrimBlanks(line.left(equals));
        const QString value = TrimBlanks(line.mid(equals + 1));
        auto existing = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
            return entry.first.compare(key, Qt::CaseInsensitive) == 0;
        });
        if (existing != entries.end())
            existing->second = value;
        else
            entries.append({key, value});
    }
    return true;
}

qsizetype CIniFile::FindSectionIndex(const QString& name) const
{
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const CIniFile::Section* CIniFile::FindSection(const QString& name) const
{
    const qsizetype index = FindSectionIndex(name);
    return index < 0 ? nullptr : &m_sections[index];
}

QStringList CIniFile::KeyNames(const QString& section) const
{
    QStringList names;
    if (const Section* found = FindSection(section)) {
        for (const auto& entry : found->entries)
            names << entry.first;
    }
    return names;
}

bool CIniFile::GetString(const QString& section, const std::optional<QString>& key, const QString& defaultValue,
                         QString& out) const
{
    const Section* found = FindSection(section);
    if (!found) {
        out = defaultValue;
        return false;
    }
    out.clear();
    if (!key) {
        for (const auto& entry : found->entries)
            out += entry.first + QChar(u'\0');
        out += QChar(u'\0');
        return true;
    }
    for (const auto& entry : found->entries) {
        if (entry.first.compare(*key, Qt::CaseInsensitive) == 0) {
            out = entry.second;
            break;
        }
    }
    return true;
}

QString CIniFile::GetValue(const QString& section, const std::optional<QString>& key) const
{
    QString value;
    GetString(section, key, QString(), value);
    return value;
}
