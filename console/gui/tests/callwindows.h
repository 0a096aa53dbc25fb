#pragma once

#include "incomingcalldlg.h"
#include "messagetarget.h"
#include "tempsuite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

using Posted = std::tuple<std::uint32_t, std::uint64_t, std::int64_t>;

class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        posted.emplace_back(message, wParam, lParam);
    }
    std::vector<Posted> posted;
};

// A suite whose Shared folder holds the call windows' pictures and sound, all or all but one.
class CallSuite {
public:
    explicit CallSuite(const QString& leaveOut = {}) : m_suite(QStringLiteral("Pultex"))
    {
        const QDir assets(QStringLiteral(SUITE_ASSETS_DIR "/shared"));
        for (const QString& name : assets.entryList({QStringLiteral("*.psx")}, QDir::Files))
            if (name != leaveOut)
                QFile::copy(assets.filePath(name), m_suite.SharedFolder() + name);
    }
    QString SharedFolder() const { return m_suite.SharedFolder(); }

private:
    TempSuite m_suite;
};

// A popup with its view, ring and incoming-call text written down.
struct Popup {
    Popup()
    {
        CIncomingCallDlg::Services services;
        services.view = &view;
        services.setIncomingCallText = [this](const QString& text) { incomingText = text; };
        services.ringMuted = [this] { return muted; };
        services.playSound = [this](const QString& path) {
            rings << path;
            return true;
        };
        dialog = std::make_unique<CIncomingCallDlg>(std::move(services));
    }
    void Deliver()
    {
        QCoreApplication::sendPostedEvents(dialog.get());
        QCoreApplication::sendPostedEvents(dialog->Balloon());
    }
    RecordingTarget view;
    QString incomingText;
    bool muted = false;
    QStringList rings;
    std::unique_ptr<CIncomingCallDlg> dialog;
};
