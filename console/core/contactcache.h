#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

struct ContactReadResult;
struct EngineSettings;

// The console's own small address book, so that it can name the caller of an incoming call: up to 1000
// contacts with four numbers each, and an index of their numbers sorted for look-ups. Kept in "TapCnt.tpc"
// in the Shared folder: one line per contact, name and the home, mobile, office and office fax numbers
// separated by tabs.
class CContactCache {
public:
    static constexpr int kMaxContacts = 1000;
    static constexpr int kMaxIndexEntries = 2000;
    static constexpr qsizetype kMaxNameLength = 63;
    static constexpr qsizetype kMaxNumberLength = 31;
    static inline const QString kFileName = QStringLiteral("TapCnt.tpc");
    // Where the country code comes from: Registry.ini, the platform's telephony location.
    static inline const QString kLocationKey = QStringLiteral("Telephony");
    static inline const QString kCountryCodeName = QStringLiteral("CountryCode");
    static inline const QString kCityCodeName = QStringLiteral("CityCode");
    static inline const QString kDefaultCountryCode = QStringLiteral("39");

    struct Contact {
        QString home;
        QString mobile;
        QString office;
        QString officeFax;
        QString name;
    };

    // Results of the imports. 3 (the mail program cannot be reached) and 5 (no item collection) have
    // no cause with files.
    static constexpr int kImportDone = 0;
    static constexpr int kImportNothingPicked = 1;
    static constexpr int kImportNotContacts = 2;
    static constexpr int kImportCannotOpen = 4;
    static constexpr int kImportBroken = 6;

    // Tells the user the text of the string table's id and returns when the user has read it.
    using Warning = std::function<void(unsigned textId)>;
    // Asks the user for a contacts export; empty when none was picked.
    using PickFile = std::function<QString()>;

    // The start-up: empties the cache, takes the country code (warning the user, who is asked to set it,
    // and using 39 when there is none), loads the file, then, unless the settings say not to, imports
    // from the chosen source (the mail program's default contacts). The import's result is not shown.
    void SyncAtStartup(const EngineSettings& settings, const Warning& warn);

    // Imports the address book (ContactSource's vCards). The numbers are made international; a contact
    // with a name and a number is stored (the same name replaces), raising `added`. Then the number index
    // is rebuilt and the file written when the cache holds a contact. A file broken after some contacts
    // keeps them and rebuilds the index, but writes nothing (kImportBroken).
    int ImportFromWab(int& added);
    // The same from the mail program's contacts: its default export, or the file that `pick` gives.
    int ImportFromOutlook(int& added, bool defaultFolder, const PickFile& pick = {});
    // Keeps the digits, '#', '*' and '+'; a number left that does not begin with '+' gets "+" and the
    // country code.
    void ToInternationalNumber(QString& number) const;
    // Writes the file whole, or leaves the old one: false when it cannot be written. A tab or line end
    // inside a field is written as a blank, so that it cannot shift the fields.
    bool SaveToFile() const;
    // Empties the cache and deletes the file.
    void ClearAndDeleteFile();

    void Clear();
    // Stores the contact, or replaces the one of exactly the same name; its index, or -1 when the cache
    // is full. The number index is not touched.
    int AddContact(const QString& name, const QString& home, const QString& mobile, const QString& office,
                   const QString& officeFax);
    // Inserts the number in the sorted index; ignored when the index is full.
    void AddNumberIndex(const QString& number, int contact);
    // Reads the file; a line without its four tabs ends the reading (the lines before it stay).
    void LoadFromFile();

    // The index entry of exactly this number (bisection over the sorted index), or kNoMatch.
    std::uint16_t FindNumber(const QString& number) const;
    // The name of the caller with this number, or the empty text. A number of two characters or more
    // that does not begin with '+' is made international first ("00" becomes "+", any other gets "+",
    // the country code and the number).
    QString FindNameByNumber(const QString& number) const;
    static constexpr std::uint16_t kNoMatch = 0xFFFF;

    // A field of a contact; the empty text when there is no such contact.
    QString GetContactName(int contact) const;
    QString GetHomeNumber(int contact) const;
    QString GetMobileNumber(int contact) const;
    QString GetOfficeNumber(int contact) const;
    QString GetOfficeFaxNumber(int contact) const;

    int ContactCount() const { return static_cast<int>(m_contacts.size()); }
    int IndexCount() const { return static_cast<int>(m_index.size()); }
    QString CountryCode() const { return m_countryCode; }
    void SetCountryCode(const QString& code) { m_countryCode = code; }

    static QString FilePath();

private:
    struct NumberEntry {
        QString number;
        std::uint16_t contact;
    };

    void IndexContact(int contact);
    void RebuildIndex();
    QString Field(int contact, QString Contact::* field) const;
    // Stores what a source gave and ends the import; `primaryFax` takes the home fax when there is no
    // office one, as the address book's primary fax does.
    int StoreImported(const ContactReadResult& read, bool primaryFax, int& added);

    QString m_countryCode;
    QString m_cityCode;
    std::vector<Contact> m_contacts;
    std::vector<NumberEntry> m_index;  // ascending by number
};
