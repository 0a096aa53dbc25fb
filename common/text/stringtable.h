#pragma once

#include <QByteArray>
#include <QString>

#include <unordered_map>

// A string table: per id an Italian text and an English one (empty English falls back to Italian).
// Source form: one entry per line, "id<TAB>Italian<TAB>English", '#' lines are comments; in the texts
// \n, \t and \\ stand for a new line, a tab and a backslash.
class StringTable {
public:
    static StringTable Parse(const QByteArray& tsv);
    static StringTable FromResource(const QString& resourcePath);  // empty table when missing

    bool Contains(unsigned id) const { return m_entries.contains(id); }
    QString Text(unsigned id, bool english) const;
    qsizetype Size() const { return static_cast<qsizetype>(m_entries.size()); }

private:
    struct Entry {
        QString italian;
        QString english;
    };
    std::unordered_map<unsigned, Entry> m_entries;
};

// The text of a string id in the current language: the program's own table first (":/strings/program.tsv"),
// then the table every program shares (":/strings/common.tsv"); empty when neither has it.
QString LoadResString(unsigned id);

// Texts of the shared table that every dialog uses.
inline constexpr unsigned kOkButtonString = 19001;
inline constexpr unsigned kCancelButtonString = 19002;
