#pragma once

#include "incomingcallpopup.h"

#include <QString>
#include <QStringList>

// A popup that writes down what it is told, one line per call, into a list that outlives it.
class RecordingPopup : public IncomingCallPopup {
public:
    explicit RecordingPopup(QStringList& log) : m_log(log) {}

    void SetCallState(std::uint8_t state, const QString& line2, const QString& line1) override
    {
        m_log << QStringLiteral("state %1 [%2] [%3]").arg(state).arg(line2, line1);
    }
    void AllowPopup() override { m_log << QStringLiteral("allow"); }
    void HideAll() override { m_log << QStringLiteral("hide"); }
    bool HasWindow() const override { return m_hasWindow; }
    void PlayRingSound() override { m_log << QStringLiteral("ring sound"); }

    bool m_hasWindow = true;

private:
    QStringList& m_log;
};
