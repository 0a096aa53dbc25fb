#pragma once

#include "engineerrorcode.h"
#include "event.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// One request queued on a PBX channel. The caller that queued it may keep it (shared) and read the
// answer and the status once its answer event is signalled; the channel never frees it under the caller.
struct PbxRequestRecord {
    std::vector<std::uint8_t> data;        // the frame (or announcement) as queued
    std::vector<std::uint8_t> answer;      // a copy of the answer; empty when there is none
    EngineErrorCode status = kNoError;     // 0, or the failure of the request
    std::shared_ptr<Event> answerEvent;    // signalled when the record is finished; may be null
    bool answerExpected = false;
    int timeoutMs = 0;                     // how long to wait for the answer
    std::atomic<bool> finished{false};     // set by the one who finishes it: an answer, a time-out or a stop
};
