#pragma once

#include "callplacement.h"
#include "pbxdisplaynames.h"

#include <QString>

#include <functional>

class CEngineClient;
class CRecorderFtpClient;
class CSqlDatabase;
class InstallationSettings;
class OperatorConsoleState;
class OperatorImageLists;
struct OperatorSettingsRecords;

// What the frame hands every view and dialog it opens, so that none of them reaches back into the
// program: the console's state and settings, the installation, the database for names and labels, the
// engine client (created after the frame, hence a getter), the image lists, how a call is placed, the
// recorder's client and where the settings files go. Members the frame has not got are null.
struct ConsoleWindowContext {
    OperatorConsoleState* state = nullptr;
    OperatorSettingsRecords* settings = nullptr;
    const InstallationSettings* installation = nullptr;
    CSqlDatabase* database = nullptr;
    PbxLabelReader labels;  // the database's labels; no labels when empty
    std::function<CEngineClient*()> engine;
    OperatorImageLists* images = nullptr;
    CallProgressView* callProgress = nullptr;
    CRecorderFtpClient* recorder = nullptr;  // the program's client of the PBX's recorder
    CallPlacement::Sleep sleep;  // the windows' fixed waits (the thread sleeps when empty)
    QString settingsFolder;

    CEngineClient* Engine() const { return engine ? engine() : nullptr; }
    // How a call goes out now: the engine client of this moment and the first PBX.
    CallPlacement Placement() const;
    // One of the windows' fixed waits.
    void Pause(std::chrono::milliseconds time) const;
    // An extension's display name (label, else "INT. " and its number); empty without a state.
    QString ExtensionName(int index) const;
};
