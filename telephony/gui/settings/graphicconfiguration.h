#pragma once

#include "mainsettings.h"
#include "settingspage.h"

#include <array>

class CColorButton;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// How one object window draws its icons (the extensions, lines, entry phones or relays section of the
// main settings): labels, start-up, scrolling, label characters, spacing, which objects are shown (and
// the extensions' service icons), up to three text colours and fonts and the background colour. Fonts
// go into the record copy when chosen; everything else when the sheet ends with OK.
class CGraphicConfiguration : public CSettingsPage {
    Q_OBJECT
public:
    enum Kind { kExtensions = 1, kLines = 2, kEntryPhones = 3, kRelays = 4 };
    static constexpr int kServiceIcons = 10;
    static constexpr unsigned kFirstServiceIconString = 5000;
    static constexpr int kLockedIconSize = 5;
    static constexpr int kMinIconSize = 5;
    static constexpr int kMaxIconSize = 25;
    static constexpr int kMinLayoutValue = 0;
    static constexpr int kMaxLayoutValue = 50;
    // Sizes the font chooser's choice is held to.
    static constexpr int kSmallestFontPoints = 4;
    static constexpr int kLargestFontPoints = 22;

    // Control ids.
    static constexpr int kList = 1025;
    static constexpr int kApply = 1026;
    static constexpr int kOpenAtStart = 1095;
    static constexpr int kLabelsShown = 1096;
    static constexpr int kIconSize = 1097;
    static constexpr int kScrolling = 1098;
    static constexpr int kMinCharacters = 1100;
    static constexpr int kVisibility = 1102;
    static constexpr int kHorizontalSpacing = 1103;
    static constexpr int kVerticalSpacing = 1105;
    static constexpr int kServiceIcon = 1107;
    static constexpr int kBackgroundColour = 1116;
    static constexpr std::array<int, 3> kRowLabels{1119, 1123, 1126};
    static constexpr std::array<int, 3> kColourButtons{1121, 1124, 1127};
    static constexpr std::array<int, 3> kFontButtons{1122, 1125, 1128};

    CGraphicConfiguration(CSystemConfiguration& sheet, Kind kind);

    void OnInitDialog() override;
    bool ValidatePage(bool prompt) override;
    void OnApply() override;

    Kind PageKind() const { return m_kind; }
    // The service icon an object byte names; a stored index past the ten icons counts as the first.
    static int ServiceIconOf(std::uint8_t objectByte);

protected:
    void OnShown() override;

private:
    MainSettings::Section Section() const { return static_cast<MainSettings::Section>(m_kind - 1); }
    int ObjectCount() const;
    QString ObjectName(int index) const;
    QString ServiceIconName(int icon) const;
    void FillList();
    void OnApplyToSelection();
    void OnColour(int slot);
    void OnBackground();
    void OnFont(int slot);

    Kind m_kind;
    QTreeWidget* m_list;
    QPushButton* m_apply;
    QComboBox* m_visibility;
    QComboBox* m_serviceIcon;
    QLineEdit* m_iconSize;
    QLineEdit* m_minCharacters;
    QLineEdit* m_horizontalSpacing;
    QLineEdit* m_verticalSpacing;
    CColorButton* m_background;
    std::array<CColorButton*, 3> m_colours{};
    QStringList m_serviceIconNames;
};
