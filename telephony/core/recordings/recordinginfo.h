#pragma once

#include "oledate.h"

#include <QString>

#include <cstdint>
#include <optional>

// One recorded call on the PBX's recorder, known by its file name "C" + parties + direction + date and
// time + text + ".psx" (kept in memory only).
struct RecordingInfo {
    static constexpr int kMaxFileName = 63;
    static constexpr int kMaxFolderName = 31;
    static constexpr int kMaxText = 49;
    static constexpr int kExtensionParty = 256;  // + index
    static constexpr int kLineParty = 512;       // + index

    QString fileName;
    QString folder;
    QString text;  // taken from the name; empty when none or 50 characters or more
    int firstParty = 0;
    int secondParty = 0;
    OleDate time;
    int direction = 0;  // 2 or 1
};

// The recording that a file name in a folder stands for; nothing for a name that is no recording.
// Positions: 0 "C" or "c"; 1 and 5 the parties' kinds ("0" extension, "1" line); 2-4 and 6-8 their
// indexes; 9 "0" direction 2, "1" direction 1; 10-21 day, month, year - 2000, hour, minute, second;
// then the text up to ".psx". At least 26 characters; the date and time must be valid.
std::optional<RecordingInfo> ParseRecordingName(const QString& fileName, const QString& folder);
