#include "contactsource.h"

#include "binaryrecord.h"
#include "contactformats.h"
#include "registrykey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using Status = ContactReadResult::Status;

std::optional<QString> ContactFormats::ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = DecodeUtf8OrAnsi(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

namespace {

QString ConfiguredPlace(const QString& name, const QString& fallback)
{
    const QString place = RegistryKey(ContactSource::kRegistryKey).ReadString(name).trimmed();
    return place.isEmpty() ? fallback : place;
}

}  // namespace

namespace ContactSource {

QString AddressBookPlace()
{
    return ConfiguredPlace(kAddressBookName, QDir::homePath() + QStringLiteral("/.local/share/contacts"));
}

QString MailContactsPlace() { return ConfiguredPlace(kMailContactsName, QDir::homePath() + QStringLiteral("/contacts.csv")); }

ContactReadResult ReadAddressBook(const QString& place)
{
    ContactReadResult result;
    const QFileInfo info(place);
    if (!info.isDir()) {
        result.status = ContactFormats::ReadVCardFile(place, result.contacts);
        return result;
    }
    const QDir folder(place);
    if (!folder.isReadable()) {
        result.status = Status::CannotOpen;
        return result;
    }
    const QStringList files =
        folder.entryList({QStringLiteral("*.vcf"), QStringLiteral("*.vcard")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : files) {
        const Status status = ContactFormats::ReadVCardFile(folder.filePath(name), result.contacts);
        if (status != Status::Read) {
            // A bad file among good ones breaks the address book after what was read.
            result.status = result.contacts.empty() ? status : Status::Broken;
            return result;
        }
    }
    return result;
}

ContactReadResult ReadContactsExport(const QString& file)
{
    const std::optional<QString> text = ContactFormats::ReadText(file);
    if (!text) {
        ContactReadResult result;
        result.status = Status::CannotOpen;
        return result;
    }
    return ContactFormats::ReadCsvExport(*text);
}

}  // namespace ContactSource
