#pragma once

#include <QDialog>

struct EngineSettings;
class InstallationSettings;

// The console's about box: product and version, the maker's address, the update check and, for an
// administrator with the tool installed, the PBX programming tool.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.0.0.59";

    // The update check stores its time in the engine settings and saves them.
    CAboutDlg(EngineSettings& engineSettings, const InstallationSettings& installation, QWidget* parent = nullptr);

private:
    EngineSettings& m_engineSettings;
};
