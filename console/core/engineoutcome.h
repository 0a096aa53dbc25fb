#pragma once

#include <QString>

#include <cstdint>

// How the engine's start ended, as the status board shows it (string 16000 + code).
enum EngineOutcomeCode : std::uint8_t {
    kEngineStarted = 0,
    kEngineDatabaseNotConfigured = 4,  // text only: the start-up never sets it
    kEngineDatabaseNotConnected = 5,   // connect, schema or record load failed
    kEngineTcpServerFailed = 6,        // the request server did not start
    kEngineTcpClientFailed = 7,        // no engine client, server name not resolved, or no ping answer
    kEngineUdpServerFailed = 8,        // the client listener did not start
    kEngineConfigurationFailed = 9,    // text only
};

// How the link to the TAPI driver ended (string 17000 + code).
enum TapiServiceOutcomeCode : std::uint8_t {
    kTapiStarted = 0,
    kTapiEngineNotStarted = 1,  // before the engine has run
    kTapiServerFailed = 2,      // the TAPI listener did not start
    kTapiPbxFault = 5,          // bound PBX down, or the associated extension beyond its counts
};

QString EngineOutcomeText(std::uint8_t code);
QString TapiServiceOutcomeText(std::uint8_t code);
