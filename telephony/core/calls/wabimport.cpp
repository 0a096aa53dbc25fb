#include "wabimport.h"

namespace {

constexpr int kNumberShift = 16;

std::uint32_t NumberOf(std::uint32_t tag) { return tag >> kNumberShift; }

QStringList ValuesOr(const QStringList& values, const QString& single)
{
    if (!values.isEmpty())
        return values;
    return single.isEmpty() ? QStringList() : QStringList{single};
}

}  // namespace

CWabImport::CWabImport(const QString& place)
{
    ContactReadResult read = ContactSource::ReadAddressBook(place);
    if (read.status != ContactReadResult::Status::Read)
        return;
    m_book = std::move(read.contacts);
    m_opened = true;
}

int CWabImport::ReadEntryIds(std::uint16_t& count)
{
    count = 0;
    m_entries.clear();
    if (!m_opened)
        return kNotOpened;
    for (std::size_t position = 0; position < m_book.size() && m_entries.size() < kMaxEntries; ++position)
        if (m_book[position].kind == ContactKind::Individual)
            m_entries.push_back(position);
    count = static_cast<std::uint16_t>(m_entries.size());
    return kReadDone;
}

const ContactRecord* CWabImport::SelectEntry(std::uint16_t index)
{
    if (index >= m_entries.size())
        return nullptr;
    m_selected = &m_book[m_entries[index]];
    return m_selected;
}

void CWabImport::ReadEntryProperties()
{
    if (!m_selected)
        return;
    const ContactRecord& c = *m_selected;
    m_properties.clear();
    const auto put = [this](std::uint32_t tag, const QStringList& values) {
        if (!values.isEmpty())
            m_properties[NumberOf(tag)] = values;
    };
    put(kDisplayName, ValuesOr({}, c.name));
    put(kStreetAddress, ValuesOr({}, c.street));
    put(kLocality, ValuesOr({}, c.locality));
    put(kStateOrProvince, ValuesOr({}, c.province));
    put(kPostalCode, ValuesOr({}, c.postalCode));
    put(kCountry, ValuesOr({}, c.country));
    put(kEmailAddress, ValuesOr(c.emails, c.email));
    put(kPersonalHomePage, ValuesOr(c.webPages, c.webPage));
    // The first number of a type is its number; its "2" property holds the ones after it.
    put(kHomeTelephoneNumber, ValuesOr(c.homeNumbers, c.home));
    put(kHome2TelephoneNumber, ValuesOr(c.homeNumbers.mid(1), c.home2));
    put(kMobileTelephoneNumber, ValuesOr(c.mobileNumbers, c.mobile));
    put(kCarTelephoneNumber, ValuesOr(c.carNumbers, c.car));
    put(kBusinessTelephoneNumber, ValuesOr(c.businessNumbers, c.business));
    put(kBusiness2TelephoneNumber, ValuesOr(c.businessNumbers.mid(1), c.business2));
    put(kHomeFaxNumber, ValuesOr(c.homeFaxNumbers, c.homeFax));
    put(kBusinessFaxNumber, ValuesOr(c.businessFaxNumbers, c.businessFax));
}

QString CWabImport::GetTextProperty(std::uint32_t tag) const
{
    const auto it = m_properties.find(NumberOf(tag));
    if (it == m_properties.end())
        return QString();
    switch (tag & kTypeMask) {
    case kTypeText: return it->second.first();
    case kTypeTexts: {
        QString text;
        for (const QString& value : it->second)
            text += value + u'\n';
        return text;
    }
    default: return QString();
    }
}
