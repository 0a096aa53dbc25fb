#pragma once

#include "settingspage.h"

#include <array>

class QLabel;

// The third plug-in: in use, on the call list, automatic recording of incoming calls and the recorder
// monitor (bytes 0-3, 1 or 0); a red "SIMULATOR" when the installation runs in simulation.
class CService3PluginConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    static constexpr std::array<int, 4> kChecks{1161, 1162, 1163, 1164};
    static constexpr int kNotice = 1160;

    explicit CService3PluginConfiguration(CSystemConfiguration& sheet);

    void OnInitDialog() override;
    void OnApply() override;

private:
    QLabel* m_notice;
};

// The plug-in pages' notice in simulation: "SIMULATOR" when the installation is loaded and in mode 4.
bool ShowsSimulatorNotice(const ConsoleWindowContext& context);
