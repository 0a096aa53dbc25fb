#include "contactformats.h"

#include <QSet>
#include <QStringList>

#include <initializer_list>
#include <utility>

using Status = ContactReadResult::Status;

namespace {

// A content line: [group.]NAME;PARAM=VALUE...:value. Parameters may be quoted and hold ':' or ';'.
struct VCardLine {
    QString name;
    QSet<QString> types;  // lower case, from TYPE=a,b, repeated TYPE and the bare types of older cards
    QString value;
};

QStringList SplitOutsideQuotes(const QString& text, QChar separator)
{
    QStringList parts;
    QString part;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        if (c == separator && !quoted) {
            parts << part;
            part.clear();
        } else {
            part += c;
        }
    }
    parts << part;
    return parts;
}

std::optional<VCardLine> ParseVCardLine(const QString& line)
{
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            colon = i;
    }
    if (colon <= 0)
        return std::nullopt;
    const QStringList parts = SplitOutsideQuotes(line.left(colon), u';');
    VCardLine parsed;
    parsed.name = parts[0].section(u'.', -1).trimmed().toUpper();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const qsizetype equals = parts[i].indexOf(u'=');
        const QString key = equals < 0 ? QStringLiteral("TYPE") : parts[i].left(equals).trimmed().toUpper();
        QString values = equals < 0 ? parts[i] : parts[i].mid(equals + 1);
        values.remove(u'"');
        if (key == QLatin1String("PREF"))
            parsed.types.insert(QStringLiteral("pref"));
        if (key != QLatin1String("TYPE"))
            continue;
        for (const QString& type : values.split(u',', Qt::SkipEmptyParts))
            parsed.types.insert(type.trimmed().toLower());
    }
    parsed.value = line.mid(colon + 1);
    return parsed;
}

// The components of a structured value (separated by unescaped ';'), each unescaped.
QStringList SplitComponents(const QString& value)
{
    QStringList components;
    QString component;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            component += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else if (c == u';') {
            components << component;
            component.clear();
        } else {
            component += c;
        }
    }
    components << component;
    return components;
}

QString TextValue(const QString& value) { return SplitComponents(value).join(u';'); }

void PutFirstFree(ContactRecord& record, std::initializer_list<QString ContactRecord::*> targets, const QString& number)
{
    for (QString ContactRecord::* target : targets) {
        if ((record.*target).isEmpty()) {
            record.*target = number;
            return;
        }
    }
}

ContactKind KindOf(const QString& value)
{
    static const std::pair<const char*, ContactKind> kKinds[] = {{"individual", ContactKind::Individual},
                                                                  {"group", ContactKind::Group},
                                                                  {"org", ContactKind::Organization},
                                                                  {"location", ContactKind::Location}};
    for (const auto& [name, kind] : kKinds)
        if (value.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return kind;
    return ContactKind::Other;
}

// Builds one card's record from its lines.
class VCardBuilder {
public:
    void Add(const VCardLine& line)
    {
        const auto has = [&line](const char* type) { return line.types.contains(QLatin1String(type)); };
        if (line.name == QLatin1String("FN")) {
            m_record.name = TextValue(line.value).trimmed();
        } else if (line.name == QLatin1String("N")) {
            const QStringList n = SplitComponents(line.value);
            QStringList parts;
            for (int component : {1, 2, 0})  // given, additional, family
                if (component < n.size() && !n[component].trimmed().isEmpty())
                    parts << n[component].trimmed();
            m_structuredName = parts.join(u' ');
        } else if (line.name == QLatin1String("TEL")) {
            AddNumber(line, has);
        } else if (line.name == QLatin1String("KIND") || line.name == QLatin1String("X-ADDRESSBOOK-SERVER-KIND")) {
            m_record.kind = KindOf(TextValue(line.value).trimmed());
        } else if (line.name == QLatin1String("EMAIL")) {
            m_record.emails << TextValue(line.value).trimmed();
            if (m_record.email.isEmpty() || (has("pref") && !m_emailPreferred)) {
                m_record.email = TextValue(line.value).trimmed();
                m_emailPreferred = has("pref");
            }
        } else if (line.name == QLatin1String("URL")) {
            m_record.webPages << TextValue(line.value).trimmed();
            if (m_record.webPage.isEmpty() || (has("home") && !m_homePage)) {
                m_record.webPage = TextValue(line.value).trimmed();
                m_homePage = has("home");
            }
        } else if (line.name == QLatin1String("ADR")) {
            // The office address, as the address book's street and locality are; else the first one.
            if (!m_record.street.isEmpty() || !m_record.locality.isEmpty() || !m_record.country.isEmpty()) {
                if (m_workAddress || !has("work"))
                    return;
            }
            const QStringList adr = SplitComponents(line.value);
            const auto part = [&adr](int index) { return index < adr.size() ? adr[index].trimmed() : QString(); };
            m_record.street = part(2);
            m_record.locality = part(3);
            m_record.province = part(4);
            m_record.postalCode = part(5);
            m_record.country = part(6);
            m_workAddress = has("work");
        }
    }

    ContactRecord Take()
    {
        if (m_record.name.isEmpty())
            m_record.name = m_structuredName;
        return std::move(m_record);
    }

private:
    template <typename Has>
    void AddNumber(const VCardLine& line, const Has& has)
    {
        QString number = TextValue(line.value).trimmed();
        if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
            number = number.mid(4).section(u';', 0, 0);
        if (number.isEmpty() || has("pager"))
            return;
        using R = ContactRecord;
        if (has("fax")) {
            const bool home = has("home") && !has("work");
            PutFirstFree(m_record, {home ? &R::homeFax : &R::businessFax}, number);
            (home ? m_record.homeFaxNumbers : m_record.businessFaxNumbers) << number;
        } else if (has("car")) {
            PutFirstFree(m_record, {&R::car}, number);
            m_record.carNumbers << number;
        } else if (has("cell")) {
            PutFirstFree(m_record, {&R::mobile, &R::car}, number);
            m_record.mobileNumbers << number;
        } else if (has("work")) {
            PutFirstFree(m_record, {&R::business, &R::business2}, number);
            m_record.businessNumbers << number;
        } else {
            PutFirstFree(m_record, {&R::home, &R::home2}, number);
            m_record.homeNumbers << number;
        }
    }

    ContactRecord m_record;
    QString m_structuredName;
    bool m_emailPreferred = false;
    bool m_homePage = false;
    bool m_workAddress = false;
};

// Lines with their folds undone: a line beginning with a blank or a tab continues the one before.
QStringList UnfoldedLines(const QString& text)
{
    QStringList lines;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!lines.isEmpty() && (line.startsWith(u' ') || line.startsWith(u'\t')))
            lines.last() += line.mid(1);
        else
            lines << line;
    }
    return lines;
}

}  // namespace

Status ContactFormats::ReadVCardFile(const QString& path, std::vector<ContactRecord>& contacts)
{
    const std::optional<QString> text = ReadText(path);
    if (!text)
        return Status::CannotOpen;
    std::optional<VCardBuilder> card;
    bool anyCard = false;
    for (const QString& line : UnfoldedLines(*text)) {
        if (line.trimmed().isEmpty())
            continue;
        const std::optional<VCardLine> parsed = ParseVCardLine(line);
        const bool begin = parsed && parsed->name == QLatin1String("BEGIN")
                           && parsed->value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
        const bool end = parsed && parsed->name == QLatin1String("END")
                         && parsed->value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
        if (!card) {
            if (!begin)
                return anyCard ? Status::Broken : Status::NotContacts;
            card.emplace();
            anyCard = true;
        } else if (end) {
            contacts.push_back(card->Take());
            card.reset();
        } else if (!parsed || begin) {
            return Status::Broken;
        } else {
            card->Add(*parsed);
        }
    }
    if (card)
        return Status::Broken;
    return anyCard ? Status::Read : Status::NotContacts;
}
