#include "recordingmatch.h"

namespace {

bool HasParty(const RecordingInfo& recording, int party)
{
    return recording.firstParty == party || recording.secondParty == party;
}

}  // namespace

std::optional<std::size_t> MatchRecording(const std::vector<RecordingInfo>& recordings, int extension,
                                          std::optional<int> line, const OleDate& start, const OleDate& end)
{
    const qint64 from = start.ToSeconds();
    const qint64 to = end.ToSeconds();
    std::optional<std::size_t> found;
    for (std::size_t index = 0; index < recordings.size(); ++index) {
        const RecordingInfo& recording = recordings[index];
        const bool party = HasParty(recording, RecordingInfo::kExtensionParty + extension) ||
                           (line && HasParty(recording, RecordingInfo::kLineParty + *line));
        const qint64 at = recording.time.ToSeconds();
        if (!party || at < from || at > to)
            continue;
        if (!found || at < recordings[*found].time.ToSeconds())
            found = index;
    }
    return found;
}
