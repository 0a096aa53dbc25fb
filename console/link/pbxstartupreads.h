#pragma once

#include "downloadcalllog.h"

#include <functional>

class BoundPbxRecords;
class CEngineClient;
class CSqlDatabase;

// What the engine reads from a PBX when its link opens, through the engine request server like any
// workstation's request, storing each answer at once: initialization (up to five attempts), clock (then
// set to the PC's), system configuration, the status of every detected extension, line and entry phone
// (relays are stored idle, not read), the programming and wake-up of every extension, the programming of
// every line, entry phone and relay, the system programming, the call log; then the PBX is asked for its
// state events and its ComStat set to 0. Copies for the bound PBX go to `bound` when given.
//
// The progress callback receives 10008, 10009, 10010, 10011 and 10012 before the initialization, the
// configuration, the states, the programming and the call log. The result is 0 or the first failing code
// of a read or a store, which ends the sequence.
//
// `stopRequested` (when given) is asked before each request: once it says yes the reads end with
// kStartupReadsStopped, what is stored staying stored (the call log as DownloadCallLog keeps it).
int ReadPbxAtStartup(const CEngineClient& client, CSqlDatabase& database, int pbx, BoundPbxRecords* bound,
                     const std::function<void(unsigned stringId)>& progress = {},
                     const std::function<bool()>& stopRequested = {});

constexpr int kStartupReadSeconds = 6;
constexpr int kStartupReadsStopped = kCallLogDownloadStopped;
constexpr int kInitializationAttempts = 5;
