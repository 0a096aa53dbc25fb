#pragma once

#include "settingspage.h"

// Five general switches of the main settings: start on the task bar, the virtual keypad on the toolbar
// and at start-up, missed-call handling (stored inverted: 1 = off) and hotel mode.
class COtherConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    static constexpr int kKeypadAtStart = 1110;
    static constexpr int kKeypadOnToolbar = 1111;
    static constexpr int kStartOnTaskBar = 1112;
    static constexpr int kMissedCalls = 1113;
    static constexpr int kHotelMode = 1114;

    explicit COtherConfiguration(CSystemConfiguration& sheet);

    void OnInitDialog() override;
    void OnApply() override;

private:
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
};
