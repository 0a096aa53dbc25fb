#pragma once

#include "pbxcallcontrol.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class PbxSimulator;

// The text commands that script the simulated PBX: one command per line, one line of reply ("OK ..."
// or "ERROR ..."). The commands are listed in simulator/README.md.
class SimulatorControl {
public:
    explicit SimulatorControl(PbxSimulator& simulator) : m_simulator(simulator) {}

    QString Execute(const QString& line);
    // Set once "quit" was given.
    bool QuitRequested() const { return m_quit; }

private:
    QString Status() const;
    QString Set(const QStringList& words, const QString& line);
    QString Ring(const QStringList& words);
    QString CallLog(const QStringList& words);
    QString Fault(const QStringList& words);
    QString Frames(const QStringList& words);
    QString Event(const QStringList& words);
    QString Send(const QStringList& words);
    QString Alarm(const QStringList& words);
    QString WakeUpCall(const QStringList& words);
    QString Reporting(const QStringList& words);
    QString ExtensionCommand(const QStringList& words);
    QString PlaceCall(const QStringList& words);
    // Sends the outcome's events: "OK n events", or the outcome's refusal.
    QString Sent(const PbxCallControl::Outcome& outcome);

    PbxSimulator& m_simulator;
    bool m_quit = false;
};
