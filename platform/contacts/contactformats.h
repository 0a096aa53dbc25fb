#pragma once

// The two formats behind ContactSource, each in a file of its own.

#include "contactsource.h"

#include <optional>

namespace ContactFormats {

// A file's text: UTF-8, or Windows-1252 where it is not; a byte-order mark is dropped. Nothing when the
// file cannot be read.
std::optional<QString> ReadText(const QString& path);
// Appends the cards of one vCard file.
ContactReadResult::Status ReadVCardFile(const QString& path, std::vector<ContactRecord>& contacts);
// The contacts of a CSV export's text.
ContactReadResult ReadCsvExport(const QString& text);

}  // namespace ContactFormats
