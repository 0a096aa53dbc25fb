#pragma once

#include "engineerrorcode.h"

#include <chrono>
#include <functional>

class CEngineClient;
class CSqlDatabase;

// Reads the call log of every extension of the PBX through the engine and stores each call in LogCalls
// under the extension's dialling number. The PBX's log is cleared only when every extension was read to
// its end and every call stored, and never on a "NEXO28" model; otherwise the calls stay in the PBX for
// the next download (which stores each call once). Each extension's calls are stored in one transaction:
// all of them or none. 0, 7 without a client, or the first failing code of the database or the engine.
// The download ends with the PBX's pause (`settleTime`; tests and benchmarks that play the PBX need none).
//
// `stopRequested` (when given) is asked before each request: once it says yes the download ends with
// kCallLogDownloadStopped, keeping what is stored, dropping the calls of an extension not read whole (they
// stay in the PBX) and clearing nothing.
constexpr std::chrono::milliseconds kCallLogSettleTime{500};
constexpr int kCallLogDownloadStopped = kResourceNotOpen;  // as a request of a channel being closed
int DownloadCallLog(const CEngineClient* client, CSqlDatabase& database, int pbx,
                    std::chrono::milliseconds settleTime = kCallLogSettleTime,
                    const std::function<bool()>& stopRequested = {});
