#pragma once

#include "contactsource.h"

#include <QString>

#include <cstdint>
#include <map>
#include <vector>

// The console's access to the user's address book (the vCards of ContactSource) in the shape of a mail
// address book: entries are the individual contacts, their fields are read by property tag. A tag is
// the property's number in the high 16 bits and its type in the low ones.
class CWabImport {
public:
    // The property tags of the fields the import asks for, as text (single value).
    static constexpr std::uint32_t kDisplayName = 0x3001001E;
    static constexpr std::uint32_t kStreetAddress = 0x3A29001E;
    static constexpr std::uint32_t kLocality = 0x3A27001E;
    static constexpr std::uint32_t kStateOrProvince = 0x3A28001E;
    static constexpr std::uint32_t kPostalCode = 0x3A2A001E;
    static constexpr std::uint32_t kCountry = 0x3A26001E;
    static constexpr std::uint32_t kEmailAddress = 0x3003001E;
    static constexpr std::uint32_t kPersonalHomePage = 0x3A50001E;
    static constexpr std::uint32_t kHomeTelephoneNumber = 0x3A09001E;
    static constexpr std::uint32_t kHome2TelephoneNumber = 0x3A2F001E;
    static constexpr std::uint32_t kMobileTelephoneNumber = 0x3A1C001E;
    static constexpr std::uint32_t kCarTelephoneNumber = 0x3A1E001E;
    static constexpr std::uint32_t kBusinessTelephoneNumber = 0x3A08001E;
    static constexpr std::uint32_t kBusiness2TelephoneNumber = 0x3A1B001E;
    static constexpr std::uint32_t kHomeFaxNumber = 0x3A25001E;
    static constexpr std::uint32_t kBusinessFaxNumber = 0x3A24001E;

    // Property types: one text, or several.
    static constexpr std::uint32_t kTypeText = 0x001E;
    static constexpr std::uint32_t kTypeTexts = 0x101E;
    static constexpr std::uint32_t kTypeMask = 0xFFFF;
    // The same property with every value of the card: the single tag's number with the other type.
    static constexpr std::uint32_t AllValues(std::uint32_t tag) { return (tag & ~kTypeMask) | kTypeTexts; }

    static constexpr int kMaxEntries = 1000;
    // ReadEntryIds' results.
    static constexpr int kReadDone = 0;
    static constexpr int kNotOpened = 1;

    // Opens the address book of `place` (the configured one by default); a place that is missing or is
    // no readable address book leaves it not opened, and every later call then finds nothing.
    explicit CWabImport(const QString& place = ContactSource::AddressBookPlace());

    bool IsOpened() const { return m_opened; }
    // Keeps the individual contacts (groups and other kinds are no mail users), at most kMaxEntries, in
    // the order of the book; `count` gets how many. kReadDone, or kNotOpened.
    int ReadEntryIds(std::uint16_t& count);
    // Makes a kept entry the selected one; null (and no selection) for an index that holds none.
    const ContactRecord* SelectEntry(std::uint16_t index);
    // Reads the selected entry's properties, replacing the last ones; nothing without a selection.
    void ReadEntryProperties();
    // A text property of the read ones: a single text gives its (first) value, a multiple one every
    // value each followed by "\n"; another tag or type, or no properties read, gives an empty text.
    QString GetTextProperty(std::uint32_t tag) const;

private:
    bool m_opened = false;
    std::vector<ContactRecord> m_book;
    std::vector<std::size_t> m_entries;  // positions in m_book of the kept entries
    const ContactRecord* m_selected = nullptr;
    std::map<std::uint32_t, QStringList> m_properties;  // by property number (tag >> 16)
};
