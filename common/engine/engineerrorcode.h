#pragma once

#include <cstdint>

// The one result type of the PBX channels, the engine request protocol and the database layer: 0 is
// success; the text of code n is string 15000 + n.
enum EngineErrorCode : std::uint8_t {
    kNoError = 0,
    kResourceAlreadyOpen = 1,        // serial port already open; LAN channel already bound or not started
    kResourceNotAvailable = 2,       // serial port not found; unknown resource name; LAN socket failure
    kResourceAccessDenied = 3,       // serial port held; LAN write failed; no host name for the announcement
    kResourceOpenFailed = 4,
    kResourceNotOpen = 5,            // port or channel not open; no channel
    kSerialEventNotCreated = 6,
    kQueueSizesRefused = 7,
    kNoEngineClient = 7,             // a helper found no engine client object
    kPortStateNotReadable = 8,
    kPortStateNotSettable = 9,
    kEventMaskNotSettable = 10,
    kOverlappedMisuse = 11,
    kEventWaitFailed = 12,
    kHandleWaitFailed = 13,
    kSerialTimedOut = 14,
    kSerialWaitFailed = 15,
    kReadTimeoutsNotSettable = 16,
    kSerialConfiguration17 = 17,
    kSerialIo18 = 18,
    kWriteFailed = 19,
    kReadFailed = 20,
    kOverlappedResultFailed = 21,
    kListenerEventNotCreated = 22,
    kListenerThreadNotStarted = 23,
    kSendQueueFull = 24,
    kRequestRecordNotAllocated = 25,
    kRequestBufferNotAllocated = 26,
    kAnswerBufferNotAllocated = 27,
    kSendThreadNotStarted = 28,
    kMessageQueue29 = 29,
    kChannelTimeout = 30,            // channel: no answer within the time-out
    kServerTimeout = 31,             // server: no answer within the budget
    kServerNoData = 32,              // server: answer without data
    kServerUnknownTarget = 33,       // server: target is no configured PBX
    kClientSocketFailure = 34,
    kClientShortData = 35,
    kClientEchoMismatch = 36,
    kClientShortHeader = 37,
    kAnswerNotAcceptable = 38,
    kAcknowledgeStatus1 = 39,
    kAcknowledgeStatus2 = 40,
    kAcknowledgeStatus3 = 41,
    kAcknowledgeStatusOther = 42,
    kDbConnectionFailed = 43,        // open, close
    kDbStatementFailed = 44,         // statement, field or row
    kDbRecordSelection45 = 45,
    kDbRecordSelection = 46,
    kDbNotConnected = 47,
    kDbEnginePathNotReadable = 48,
    kDbCatalogLookupFailed = 49,
    kDbCatalogCloseFailed = 50,
    kDbCatalogCreationFailed = 51,
    kDbReconnectionFailed = 52,
    kDbTableCheckFailed = 53,
    kDbTableDropFailed = 54,
    kDbTableCreationFailed = 55,     // also an insert into a snapshot table
    kDbTableUpdateFailed = 56,
    kDbRowInsertFailed = 57,
    kDatagramNotSent = 58,
    kDatagramTooLong = 59,
    kExtensionNotAvailable = 60,
    kNoNumberToDial = 61,
    kInstallationFailed = 62,
};

constexpr unsigned kEngineErrorTextBase = 15000;

// The call state of an extension, line or entry phone as the PBX reports it; the text of state n is
// string 14000 + n (14000 itself is the heading).
enum ExtensionState : std::uint8_t {
    kStateNotReady = 1,
    kStateReady = 2,
    kStateIncomingCall = 3,
    kStateCallWaiting = 4,
    kStateCallHeld = 5,
    kStateUnknown6 = 6,
    kStateConnected = 7,
    kStateOutgoingCall = 8,
    kStateCallEnded = 9,
    kStateConference = 10,
    kStateUnknown11 = 11,
    kStateTransfer = 12,
    kStateDialling = 13,
    kStateExternalCall = 14,
    kStateWaitingOperator = 15,
    kStateWaitingSelection = 16,
    kStatePause = 17,
    kStateArriving = 18,
    kStateDisaCall = 19,
    kStateWaitingLine = 20,
    kStateBooking = 21,
};

constexpr unsigned kExtensionStateTextBase = 14000;
