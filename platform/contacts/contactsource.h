#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What a card stands for: a person, or a group of contacts, an organisation, a place or another kind
// (vCard KIND); a card without a kind is a person's.
enum class ContactKind { Individual, Group, Organization, Location, Other };

// One contact of the user's address book or of a contacts export, with every field the suite's imports
// take. Numbers are as the source holds them.
struct ContactRecord {
    QString name;
    QString street;
    QString locality;
    QString province;
    QString postalCode;
    QString country;
    QString email;
    QString webPage;
    QString home;
    QString home2;
    QString mobile;
    QString car;
    QString business;
    QString business2;
    QString homeFax;
    QString businessFax;

    ContactKind kind = ContactKind::Individual;
    // Every value of a property that a card repeats, in card order (filled by the vCard reader; an export
    // has one value a field). The single fields above keep the first value, and home2 and business2 the
    // second one of their type.
    QStringList emails;
    QStringList webPages;
    QStringList homeNumbers;
    QStringList mobileNumbers;
    QStringList carNumbers;
    QStringList businessNumbers;
    QStringList homeFaxNumbers;
    QStringList businessFaxNumbers;

    bool operator==(const ContactRecord&) const = default;
};

// What reading a contacts place gave: every contact up to the end, or up to the fault.
struct ContactReadResult {
    enum class Status {
        Read,         // every contact of the place
        CannotOpen,   // the place is missing or cannot be read
        NotContacts,  // the file is no address book or contacts export
        Broken,       // a fault in the file after the contacts in `contacts`
    };
    Status status = Status::Read;
    std::vector<ContactRecord> contacts;
};

// The user's contacts on this computer. The address book is one vCard file (3.0 or 4.0, several cards
// each) or a folder of them (".vcf"); the mail program's contacts are a CSV export with a header row.
// Their places come from Registry.ini [Contacts]: AddressBook and MailContacts.
namespace ContactSource {

inline const QString kRegistryKey = QStringLiteral("Contacts");
inline const QString kAddressBookName = QStringLiteral("AddressBook");
inline const QString kMailContactsName = QStringLiteral("MailContacts");

// The configured place, else the user's default: ~/.local/share/contacts (a folder of vCards) and
// ~/contacts.csv.
QString AddressBookPlace();
QString MailContactsPlace();

// A vCard file or a folder of vCard files, read in name order.
ContactReadResult ReadAddressBook(const QString& place);
// A CSV export (RFC 4180 quoting, comma separated, header row naming the columns in English or Italian).
ContactReadResult ReadContactsExport(const QString& file);

}  // namespace ContactSource
