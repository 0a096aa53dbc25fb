#include "contactcache.h"

#include "folders.h"
#include "registrykey.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr unsigned kNoCountryCodeString = 10089;
constexpr int kFieldCount = 5;

// The file is UTF-8 as the console writes it; an older one may be Windows-1252.
QString DecodeLine(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi(bytes);
}

}  // namespace

QString CContactCache::FilePath() { return GetSharedFolder() + kFileName; }

void CContactCache::SyncAtStartup(const EngineSettings&, const Warning& warn)
{
    Clear();
    m_countryCode.clear();
    m_cityCode.clear();
    const RegistryKey location(kLocationKey);
    m_countryCode = location.ReadString(kCountryCodeName).trimmed();
    m_cityCode = location.ReadString(kCityCodeName).trimmed();
    if (m_countryCode.isEmpty()) {
        if (warn)
            warn(kNoCountryCodeString);
        m_countryCode = kDefaultCountryCode;
    }
    LoadFromFile();
}

void CContactCache::Clear()
{
    m_contacts.clear();
    m_index.clear();
}

int CContactCache::AddContact(const QString& name, const QString& home, const QString& mobile, const QString& office,
                              const QString& officeFax)
{
    if (ContactCount() >= kMaxContacts)
        return -1;
    const Contact contact{home.left(kMaxNumberLength), mobile.left(kMaxNumberLength), office.left(kMaxNumberLength),
                          officeFax.left(kMaxNumberLength), name.left(kMaxNameLength)};
    const auto same = std::find_if(m_contacts.begin(), m_contacts.end(),
                                   [&contact](const Contact& stored) { return stored.name == contact.name; });
    if (same != m_contacts.end()) {
        *same = contact;
        return static_cast<int>(same - m_contacts.begin());
    }
    m_contacts.push_back(contact);
    return ContactCount() - 1;
}

void CContactCache::AddNumberIndex(const QString& number, int contact)
{
    if (IndexCount() >= kMaxIndexEntries)
        return;
    // The order is that of the bytes, as the look-up compares them.
    const QByteArray key = number.toUtf8();
    const auto position = std::upper_bound(m_index.begin(), m_index.end(), key,
                                           [](const QByteArray& k, const NumberEntry& e) { return k < e.number.toUtf8(); });
    m_index.insert(position, {number.left(kMaxNumberLength), static_cast<std::uint16_t>(contact)});
}

std::uint16_t CContactCache::FindNumber(const QString& number) const
{
    if (m_index.empty())
        return kNoMatch;
    const QByteArray key = number.toUtf8();
    std::size_t low = 0;
    std::size_t high = m_index.size() - 1;
    for (;;) {
        if (m_index[low].number.toUtf8() == key)
            return static_cast<std::uint16_t>(low);
        if (m_index[high].number.toUtf8() == key)
            return static_cast<std::uint16_t>(high);
        if (high - low < 2)
            return kNoMatch;
        const std::size_t middle = low + (high - low) / 2;
        if (key < m_index[middle].number.toUtf8())
            high = middle;
        else
            low = middle;
    }
}

QString CContactCache::FindNameByNumber(const QString& number) const
{
    QString international = number;
    if (number.size() >= 2 && !number.startsWith(QLatin1Char('+'))) {
        international = number.startsWith(QLatin1String("00")) ? QLatin1Char('+') + number.mid(2)
                                                               : QLatin1Char('+') + m_countryCode + number;
    }
    const std::uint16_t entry = FindNumber(international);
    if (entry == kNoMatch)
        return {};
    const std::size_t contact = m_index[entry].contact;
    return contact < m_contacts.size() ? m_contacts[contact].name : QString();
}

void CContactCache::IndexContact(int contact)
{
    const Contact& stored = m_contacts[static_cast<std::size_t>(contact)];
    for (const QString* number : {&stored.home, &stored.mobile, &stored.office, &stored.officeFax})
        if (!number->isEmpty())
            AddNumberIndex(*number, contact);
}

void CContactCache::LoadFromFile()
{
    QFile file(FilePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        // The fifth field runs to the end of the line, tabs and all.
        const QStringList fields = DecodeLine(bytes).split(u'\t');
        if (fields.size() < kFieldCount)
            break;
        const QString officeFax = fields.mid(kFieldCount - 1).join(u'\t');
        const int contact = AddContact(fields[0], fields[1], fields[2], fields[3], officeFax);
        if (contact >= 0)
            IndexContact(contact);
    }
}
