#pragma once

class InstallationSettings;
class QWidget;

// Tells the user when the installation store was damaged and replaced by defaults (error box, caption
// 10045, what was wrong as the detail). False, and nothing shown, for any other load.
bool ReportDamagedInstallationStore(const InstallationSettings& settings, QWidget* parent = nullptr);
