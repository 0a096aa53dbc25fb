#include "contactcache.h"

#include "binaryrecord.h"
#include "contactsource.h"
#include "enginesettings.h"
#include "folders.h"
#include "registrykey.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr unsigned kNoCountryCodeString = 10089;
constexpr int kFieldCount = 5;

// A field of the file: a tab or a line end inside it would shift every later field.
QString FileField(const QString& text)
{
    QString field = text;
    for (QChar& c : field)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return field;
}

bool KeepsDialChar(QChar c) { return (c.isDigit() && c.unicode() < 128) || c == u'#' || c == u'*' || c == u'+'; }

}  // namespace

QString CContactCache::FilePath() { return GetSharedFolder() + kFileName; }

void CContactCache::SyncAtStartup(const EngineSettings& settings, const Warning& warn)
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
    if (settings.skipAddressBookSync != 0)
        return;
    int added = 0;
    if (settings.addressBookSource != 0)
        ImportFromWab(added);
    else
        ImportFromOutlook(added, true);
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
        const QStringList fields = DecodeUtf8OrAnsi(bytes).split(u'\t');
        if (fields.size() < kFieldCount)
            break;
        const QString officeFax = fields.mid(kFieldCount - 1).join(u'\t');
        const int contact = AddContact(fields[0], fields[1], fields[2], fields[3], officeFax);
        if (contact >= 0)
            IndexContact(contact);
    }
}

void CContactCache::RebuildIndex()
{
    m_index.clear();
    for (int contact = 0; contact < ContactCount(); ++contact)
        IndexContact(contact);
}

QString CContactCache::Field(int contact, QString Contact::* field) const
{
    return contact >= 0 && contact < ContactCount() ? m_contacts[static_cast<std::size_t>(contact)].*field : QString();
}

QString CContactCache::GetContactName(int contact) const { return Field(contact, &Contact::name); }
QString CContactCache::GetHomeNumber(int contact) const { return Field(contact, &Contact::home); }
QString CContactCache::GetMobileNumber(int contact) const { return Field(contact, &Contact::mobile); }
QString CContactCache::GetOfficeNumber(int contact) const { return Field(contact, &Contact::office); }
QString CContactCache::GetOfficeFaxNumber(int contact) const { return Field(contact, &Contact::officeFax); }

void CContactCache::ToInternationalNumber(QString& number) const
{
    QString kept;
    for (QChar c : number)
        if (KeepsDialChar(c))
            kept += c;
    if (!kept.isEmpty() && !kept.startsWith(u'+'))
        kept = QLatin1Char('+') + m_countryCode + kept;
    number = kept;
}

bool CContactCache::SaveToFile() const
{
    QSaveFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const Contact& contact : m_contacts) {
        const QString line = FileField(contact.name) + u'\t' + FileField(contact.home) + u'\t' + FileField(contact.mobile)
                             + u'\t' + FileField(contact.office) + u'\t' + FileField(contact.officeFax)
                             + QStringLiteral("\r\n");
        if (file.write(line.toUtf8()) < 0) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

void CContactCache::ClearAndDeleteFile()
{
    Clear();
    QFile::remove(FilePath());
}

int CContactCache::StoreImported(const ContactReadResult& read, bool primaryFax, int& added)
{
    for (const ContactRecord& record : read.contacts) {
        QString numbers[] = {record.home, record.mobile, record.business,
                             primaryFax && record.businessFax.isEmpty() ? record.homeFax : record.businessFax};
        bool anyNumber = false;
        for (QString& number : numbers) {
            ToInternationalNumber(number);
            anyNumber = anyNumber || !number.isEmpty();
        }
        if (record.name.isEmpty() || !anyNumber)
            continue;
        if (AddContact(record.name, numbers[0], numbers[1], numbers[2], numbers[3]) >= 0)
            ++added;
    }
    // Contacts replaced or added leave the index stale, even when the file broke off.
    RebuildIndex();
    if (read.status == ContactReadResult::Status::Broken)
        return kImportBroken;
    if (ContactCount() > 0)
        SaveToFile();
    return kImportDone;
}

int CContactCache::ImportFromWab(int& added)
{
    added = 0;
    const ContactReadResult read = ContactSource::ReadAddressBook(ContactSource::AddressBookPlace());
    switch (read.status) {
    case ContactReadResult::Status::CannotOpen: return kImportCannotOpen;
    case ContactReadResult::Status::NotContacts: return kImportNotContacts;
    default: return StoreImported(read, true, added);
    }
}

int CContactCache::ImportFromOutlook(int& added, bool defaultFolder, const PickFile& pick)
{
    added = 0;
    QString file = ContactSource::MailContactsPlace();
    if (!defaultFolder) {
        file = pick ? pick() : QString();
        if (file.isEmpty())
            return kImportNothingPicked;
    }
    const ContactReadResult read = ContactSource::ReadContactsExport(file);
    switch (read.status) {
    case ContactReadResult::Status::CannotOpen: return defaultFolder ? kImportCannotOpen : kImportNotContacts;
    case ContactReadResult::Status::NotContacts: return kImportNotContacts;
    default: return StoreImported(read, false, added);
    }
}
