#pragma once

#include "dbparameters.h"

#include <QByteArray>

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>

class CSqlDatabase;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

// The console's first-run wizard, in four steps on one dialog: the network role of this workstation, the
// installed PBXs (server roles) or the server's computer name (client), the PBX bound to this workstation
// and its extension. OK hands the choices to the start-up, which stores them; Cancel ends the program.
class CSetupWizardDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStepRole = 0;
    static constexpr int kStepPbxsOrServer = 1;
    static constexpr int kStepPbx = 2;
    static constexpr int kStepExtension = 3;
    static constexpr int kExtensionChoices = 255;
    // The wizard's width at every step; it grows in height as the steps open.
    static constexpr int kWidth = 460;
    // How long the role step waits, its notice shown, before it tries this computer's database.
    static constexpr int kRoleWaitMs = 1000;
    static inline const QString kFailedExtension = QStringLiteral("FAIL");

    // `initialMode` is the installation mode it is opened with (255 when the settings are not loaded);
    // mode 3 offers the client role only.
    // `hostsFile` is the hosts database that "Seleziona" offers the computers of.
    CSetupWizardDlg(std::uint8_t initialMode, const DbParameters& database, QWidget* parent = nullptr,
                    const QString& hostsFile = {});
    ~CSetupWizardDlg() override;

    std::uint8_t Mode() const { return m_mode; }
    QString ServerName() const { return m_serverName; }
    std::uint8_t PbxIndex() const { return m_pbxIndex; }
    std::uint8_t ExtensionIndex() const { return m_extensionIndex; }
    int Step() const { return m_step; }

private:
    void ShowStep(int step);
    void EnterRoleStep();
    void TakeRole();
    void FillPbxList();
    void AddPbx();
    void ModifyPbx();
    void DeletePbx();
    void OnPbxSelectionChanged();
    int SelectedPbx() const;
    void BrowseComputers();
    void TakeStepOne();
    void TakeServerName();
    void EnterPbxStep();
    void TakePbx();
    void EnterExtensionStep();
    void TakeExtension();
    bool IsServerRole() const;
    void ShowError(unsigned textId);
    void ReplaceDatabase();

    const std::uint8_t m_initialMode;
    const DbParameters m_databaseParameters;
    const QString m_hostsFile;
    std::unique_ptr<CSqlDatabase> m_database;
    int m_step = kStepRole;
    std::uint8_t m_mode = 0;
    QString m_serverName;
    std::uint8_t m_pbxIndex = 0;
    std::uint8_t m_extensionIndex = 0;
    int m_clientExtensionCount = 0;
    QByteArray m_initialization;
    QByteArray m_configuration;

    QWidget* m_roleStep;
    QComboBox* m_roleCombo;
    QWidget* m_pbxListStep;
    QLabel* m_pbxListHeading;
    QTreeWidget* m_pbxList;
    QPushButton* m_newPbx;
    QPushButton* m_modifyPbx;
    QPushButton* m_deletePbx;
    QWidget* m_pbxListPart;
    QWidget* m_serverNamePart;
    QLineEdit* m_serverNameEdit;
    QWidget* m_pbxStep;
    QComboBox* m_pbxCombo;
    QWidget* m_extensionStep;
    QComboBox* m_extensionCombo;
};
