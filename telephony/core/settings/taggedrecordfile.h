#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The operator console's settings files: an 8-byte version tag (an IEEE 754 double, little-endian, given
// here by its bits) followed by one fixed-size record.
namespace TaggedRecordFile {

inline constexpr qsizetype kTagSize = 8;

// Loads the record from the file. False when the file cannot be read or its tag differs in any bit (the
// record is then unchanged), and when the record part is shorter or longer than the record: as much as
// the file holds is then taken over from the record's start, the rest keeps its values, and the caller's
// save that follows writes the file at the record's size.
bool Load(const QString& path, std::uint64_t tagBits, QByteArray& record);
// Writes the tag and the record whole (temporary file, then rename): a failed save leaves the old file.
bool Save(const QString& path, std::uint64_t tagBits, const QByteArray& record);

}  // namespace TaggedRecordFile
