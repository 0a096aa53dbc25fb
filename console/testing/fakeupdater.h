#pragma once

#include "findwindow.h"
#include "qstringprinter.h"
#include "suitelocation.h"
#include "waitfor.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// Runs the stand-in updater for the suite of the running test and reads what it was sent.
class FakeUpdater {
public:
    static constexpr int kStartTimeoutMs = 20000;

    FakeUpdater()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(FAKE_UPDATER_PATH), {ProgramFilePath(), OutputPath()});
    }

    ~FakeUpdater()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kStartTimeoutMs);
        }
    }

    bool WaitUntilFound() { return WaitFor([] { return FindRefreskoWindow(); }, kStartTimeoutMs); }

    // The message it received ("message wParam lParam"), once it has ended; empty when it received none.
    QString ReceivedMessage()
    {
        if (!m_process.waitForFinished(kStartTimeoutMs) || m_process.exitCode() != 0)
            return {};
        QFile output(OutputPath());
        return output.open(QIODevice::ReadOnly) ? QString::fromLatin1(output.readAll()).trimmed() : QString();
    }

private:
    QString OutputPath() const { return m_dir.filePath(QStringLiteral("received.txt")); }

    QTemporaryDir m_dir;
    QProcess m_process;
};
