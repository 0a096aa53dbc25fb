#pragma once

#include "messagetarget.h"
#include "patchcatalog.h"
#include "suiteipc.h"
#include "updatesettings.h"

#include <QDialog>
#include <QMessageBox>

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The updater's dialog: looks for a newer patch on the update server, downloads it, closes the suite's
// programs, runs the patch and starts the console again. Registered by its title "Refresko", so that the
// console can post it WM_COMMAND 1000 (check), 1004 (automatic check) and 1001 (install).
class CRefreskoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr std::uint32_t IDC_CHECK_UPDATES = 1000;
    static constexpr std::uint32_t IDC_INSTALL_UPDATE = 1001;
    static constexpr std::uint32_t IDC_AUTO_CHECK_UPDATES = 1004;
    static constexpr std::uint32_t kAboutCommand = 16;

    explicit CRefreskoDlg(QWidget* parent = nullptr);
    ~CRefreskoDlg() override;

    // Looks for a newer patch; asks whether to install it. In automatic mode nothing is shown unless a
    // patch was found, and the dialog ends unless the user accepted it.
    void CheckForUpdates();
    // Downloads the chosen patch, closes the suite's programs, runs the patch and starts the console.
    void DownloadAndInstallUpdate();

    // Ends the dialog in order: an open box closes, a running step stops at its next look.
    void OnTerminationRequested();

    bool IsAutomatic() const { return m_automatic; }
    bool IsRegistered() const { return m_registration != nullptr; }
    const UpdateSettings& Settings() const { return m_settings; }
    std::optional<UpdateChoice> ChosenUpdate() const { return m_chosen; }

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnInitDialog();
    void BuildControls();
    void OnCommand(std::uint64_t wParam);
    void ShowAboutBox();

    void StoreFtpMode();
    void ShowStatus(const QString& text);
    void SetProgress(int percent);
    // Status line and stop box, then progress 0.
    void ReportFailure(unsigned stringId);
    QMessageBox::StandardButton ShowBox(const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons);
    bool KeepGoing() const;
    // The chosen patch, downloaded into the shared folder; false after reporting why not.
    bool FetchPatch(const QString& target);
    void CloseSuitePrograms();

    UpdateSettings m_settings;
    std::optional<UpdateChoice> m_chosen;
    bool m_automatic = false;
    bool m_busy = false;
    bool m_terminating = false;

    QtMessageTarget m_target;
    MessageMap m_messages;
    std::unique_ptr<SuiteIpc::Registration> m_registration;

    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_checkButton = nullptr;
    QPushButton* m_installButton = nullptr;
    QPushButton* m_autoCheckButton = nullptr;
    QCheckBox* m_passiveCheck = nullptr;
};
