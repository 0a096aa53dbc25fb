#pragma once

#include "oledate.h"
#include "recordinginfo.h"

#include <optional>
#include <vector>

// The recording of a listed call: one of the recordings whose party is the call's extension, or its line
// when the call went over one, made from the call's start to its end (both included); of several, the
// first by time. Indexes are the PBX's own (the recorder names them so). Nothing when none matches.
std::optional<std::size_t> MatchRecording(const std::vector<RecordingInfo>& recordings, int extension,
                                          std::optional<int> line, const OleDate& start, const OleDate& end);
