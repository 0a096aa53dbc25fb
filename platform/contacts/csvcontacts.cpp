#include "contactformats.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <initializer_list>

namespace {

// The next record of RFC 4180 text from `position`; nothing when the quoting is broken.
std::optional<QStringList> NextCsvRecord(const QString& text, qsizetype& position)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool afterQuote = false;  // a quoted field ended: only a separator or the line end may follow
    while (position < text.size()) {
        const QChar c = text[position++];
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (position < text.size() && text[position] == u'"') {
                field += c;
                ++position;
            } else {
                quoted = false;
                afterQuote = true;
            }
        } else if (c == u',') {
            fields << field;
            field.clear();
            afterQuote = false;
        } else if (c == u'\n' || (c == u'\r' && position < text.size() && text[position] == u'\n')) {
            if (c == u'\r')
                ++position;
            break;
        } else if (afterQuote) {
            return std::nullopt;
        } else if (c == u'"') {
            if (!field.isEmpty())
                return std::nullopt;
            quoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields << field;
    return fields;
}

struct CsvColumn {
    QString ContactRecord::* field;
    std::initializer_list<const char*> headers;  // lower case, English and Italian exports
};

const CsvColumn kCsvColumns[] = {
    {&ContactRecord::name, {"name", "full name", "display name", "nome completo", "nome visualizzato"}},
    {&ContactRecord::street, {"business street", "via (uff.)", "indirizzo (uff.)"}},
    {&ContactRecord::locality, {"business city", "città (uff.)"}},
    {&ContactRecord::province, {"business state", "provincia (uff.)"}},
    {&ContactRecord::postalCode, {"business postal code", "cap (uff.)"}},
    {&ContactRecord::country,
     {"business country/region", "business country", "paese/area geografica (uff.)", "paese (uff.)"}},
    {&ContactRecord::email, {"e-mail address", "email address", "indirizzo posta elettronica", "indirizzo e-mail"}},
    {&ContactRecord::webPage, {"web page", "pagina web"}},
    {&ContactRecord::home, {"home phone", "abitazione", "telefono abitazione"}},
    {&ContactRecord::home2, {"home phone 2", "abitazione 2", "telefono abitazione 2"}},
    {&ContactRecord::mobile, {"mobile phone", "cellulare"}},
    {&ContactRecord::car, {"car phone", "telefono auto"}},
    {&ContactRecord::business, {"business phone", "ufficio", "telefono ufficio"}},
    {&ContactRecord::business2, {"business phone 2", "ufficio 2", "telefono ufficio 2"}},
    {&ContactRecord::homeFax, {"home fax", "fax abitazione"}},
    {&ContactRecord::businessFax, {"business fax", "fax ufficio"}},
};
const char* const kFirstNameHeaders[] = {"first name", "nome"};
const char* const kMiddleNameHeaders[] = {"middle name", "secondo nome"};
const char* const kLastNameHeaders[] = {"last name", "cognome"};

// Where each wanted column is in the header row.
struct CsvLayout {
    std::vector<std::pair<QString ContactRecord::*, qsizetype>> fields;
    qsizetype first = -1;
    qsizetype middle = -1;
    qsizetype last = -1;

    bool IsContacts() const
    {
        const bool named = first >= 0 || last >= 0
                           || std::any_of(fields.begin(), fields.end(),
                                          [](const auto& f) { return f.first == &ContactRecord::name; });
        const bool numbered = std::any_of(fields.begin(), fields.end(), [](const auto& f) {
            return f.first != &ContactRecord::name && f.first != &ContactRecord::street
                   && f.first != &ContactRecord::locality && f.first != &ContactRecord::province
                   && f.first != &ContactRecord::postalCode && f.first != &ContactRecord::country
                   && f.first != &ContactRecord::email && f.first != &ContactRecord::webPage;
        });
        return named && numbered;
    }
};

CsvLayout LayoutOf(const QStringList& header)
{
    QHash<QString, qsizetype> columns;
    for (qsizetype i = 0; i < header.size(); ++i)
        columns.insert(header[i].trimmed().toLower(), i);
    const auto find = [&columns](const auto& headers) {
        for (const char* name : headers)
            if (const auto it = columns.constFind(QString::fromUtf8(name)); it != columns.constEnd())
                return *it;
        return qsizetype(-1);
    };
    CsvLayout layout;
    for (const CsvColumn& column : kCsvColumns)
        if (const qsizetype index = find(column.headers); index >= 0)
            layout.fields.emplace_back(column.field, index);
    layout.first = find(kFirstNameHeaders);
    layout.middle = find(kMiddleNameHeaders);
    layout.last = find(kLastNameHeaders);
    return layout;
}

ContactRecord RecordOf(const CsvLayout& layout, const QStringList& row)
{
    ContactRecord record;
    for (const auto& [field, index] : layout.fields)
        record.*field = row[index].trimmed();
    if (record.name.isEmpty()) {
        QStringList parts;
        for (qsizetype index : {layout.first, layout.middle, layout.last})
            if (index >= 0 && !row[index].trimmed().isEmpty())
                parts << row[index].trimmed();
        record.name = parts.join(u' ');
    }
    return record;
}

}  // namespace

ContactReadResult ContactFormats::ReadCsvExport(const QString& text)
{
    ContactReadResult result;
    qsizetype position = 0;
    const std::optional<QStringList> header = NextCsvRecord(text, position);
    const CsvLayout layout = header ? LayoutOf(*header) : CsvLayout{};
    if (!header || !layout.IsContacts()) {
        result.status = ContactReadResult::Status::NotContacts;
        return result;
    }
    while (position < text.size()) {
        const std::optional<QStringList> row = NextCsvRecord(text, position);
        if (row && row->size() == 1 && row->first().isEmpty())
            continue;  // a blank line
        if (!row || row->size() != header->size()) {
            result.status = ContactReadResult::Status::Broken;
            return result;
        }
        result.contacts.push_back(RecordOf(layout, *row));
    }
    return result;
}
