#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// An INI file held in memory. Section and key names compare without regard to case; keys keep the order
// of the file, as the setup's options are applied in that order.
class CIniFile {
public:
    explicit CIniFile(const QString& path) : m_path(path) {}

    // False when the file is missing, a folder, binary or unreadable.
    bool Load();
    // FF FE at the start, or a NUL among the first 1,024 bytes.
    static bool IsBinaryFile(const QString& path);

    // As the system's profile reader: a missing section gives the default and false; a missing key an empty
    // text; no key (nullopt) gives every key name of the section, each ended by NUL, and one more NUL.
    bool GetString(const QString& section, const std::optional<QString>& key, const QString& defaultValue,
                   QString& out) const;
    QString GetValue(const QString& section, const std::optional<QString>& key) const;
    // The key names of a section in file order.
    QStringList KeyNames(const QString& section) const;

private:
    struct Section {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    qsizetype FindSectionIndex(const QString& name) const;
    const Section* FindSection(const QString& name) const;

    QString m_path;
    QList<Section> m_sections;
};
