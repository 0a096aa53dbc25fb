#include "recordinginfo.h"

namespace {

constexpr int kMinNameLength = 26;
const QString kExtension = QStringLiteral(".psx");
constexpr int kFirstYear = 2000;

// The decimal number of `count` digits at `position`; -1 when they are not all digits.
int Number(const QString& name, int position, int count)
{
    int value = 0;
    for (int i = position; i < position + count; ++i) {
        if (!name.at(i).isDigit() || name.at(i).unicode() > '9')
            return -1;
        value = value * 10 + (name.at(i).unicode() - '0');
    }
    return value;
}

// A party: its kind character and three-digit index.
int Party(const QString& name, int position)
{
    const QChar kind = name.at(position);
    const int index = Number(name, position + 1, 3);
    if (index < 0 || (kind != u'0' && kind != u'1'))
        return -1;
    return (kind == u'0' ? RecordingInfo::kExtensionParty : RecordingInfo::kLineParty) + index;
}

}  // namespace

std::optional<RecordingInfo> ParseRecordingName(const QString& fileName, const QString& folder)
{
    if (fileName.size() < kMinNameLength || !fileName.endsWith(kExtension) ||
        (fileName.at(0) != u'C' && fileName.at(0) != u'c'))
        return std::nullopt;
    RecordingInfo info;
    info.firstParty = Party(fileName, 1);
    info.secondParty = Party(fileName, 5);
    if (info.firstParty < 0 || info.secondParty < 0)
        return std::nullopt;
    if (fileName.at(9) == u'0')
        info.direction = 2;
    else if (fileName.at(9) == u'1')
        info.direction = 1;
    else
        return std::nullopt;
    int parts[6];
    for (int i = 0; i < 6; ++i)
        if ((parts[i] = Number(fileName, 10 + 2 * i, 2)) < 0)
            return std::nullopt;
    const QDate date(kFirstYear + parts[2], parts[1], parts[0]);
    if (!date.isValid() || !QTime::isValid(parts[3], parts[4], parts[5]))
        return std::nullopt;
    info.time = OleDate(date.year(), date.month(), date.day(), parts[3], parts[4], parts[5]);
    const QString text = fileName.mid(22, fileName.size() - 22 - kExtension.size());
    if (text.size() <= RecordingInfo::kMaxText)
        info.text = text;
    info.fileName = fileName.left(RecordingInfo::kMaxFileName);
    info.folder = folder.left(RecordingInfo::kMaxFolderName);
    return info;
}
