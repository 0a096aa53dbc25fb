#pragma once

// The popup's texts in the program's string table.
namespace popupstrings {

constexpr unsigned kProgramName = 1004;
constexpr unsigned kAlarmFrom = 1025;
constexpr unsigned kInConversation = 1168;
constexpr unsigned kHangUp = 1169;
constexpr unsigned kTransfer = 1170;
constexpr unsigned kAnswer = 1171;
constexpr unsigned kPickUp = 1172;
constexpr unsigned kResume = 1174;
constexpr unsigned kOnHold = 1175;
constexpr unsigned kReject = 1176;
constexpr unsigned kIncomingCall = 1177;
constexpr unsigned kShow = 1182;
constexpr unsigned kReset = 1199;
constexpr unsigned kNote = 1218;
constexpr unsigned kCallEnded = 1228;
constexpr unsigned kRecord = 1257;
constexpr unsigned kInConversationWith = 19400;
constexpr unsigned kOnHoldAt = 19401;
constexpr unsigned kWith = 19402;
constexpr unsigned kIncomingCallFrom = 19403;
constexpr unsigned kCallEndedWith = 19404;
constexpr unsigned kMessagesForYou = 19405;
constexpr unsigned kOneMissedCall = 19406;
constexpr unsigned kMissedCalls = 19407;
constexpr unsigned kNotAnswered = 19408;
constexpr unsigned kRecording = 19409;
constexpr unsigned kRecorderMonitor = 19410;
constexpr unsigned kFirstError = 15000;

}  // namespace popupstrings
