#pragma once

#include <QString>

// The splash texts of the console's start-up. The per-PBX texts are followed by the PBX's identifier
// text and "...".
constexpr unsigned kProgressConnectingDatabase = 10005;
constexpr unsigned kProgressStartingServer = 10006;
constexpr unsigned kProgressStartingClient = 10007;
constexpr unsigned kProgressReadingInitialization = 10008;
constexpr unsigned kProgressReadingConfiguration = 10009;
constexpr unsigned kProgressReadingStates = 10010;
constexpr unsigned kProgressReadingProgramming = 10011;
constexpr unsigned kProgressProcessingCallLog = 10012;
constexpr unsigned kProgressStartingTapi = 10013;
constexpr unsigned kProgressStartingUdpServer = 10053;

// A per-PBX progress text: the string, the PBX's identifier text and "...".
QString PbxProgressText(unsigned stringId, const QString& pbxName);
