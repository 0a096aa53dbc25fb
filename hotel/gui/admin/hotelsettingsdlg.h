#pragma once

#include "hotelsettings.h"
#include "lodgixdialog.h"
#include "seasonperiods.h"
#include "seasontable.h"

#include <array>

class CNumericEdit;
class QCheckBox;
class QLineEdit;

namespace lodgix {

// The hotel's low- and high-season periods, the check-out hour and the key-card system's settings. The
// caller copies Settings() and Seasons() back after OK; nothing is stored while a period is wrong.
class CHotelSettingsDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kLowStart = 1275;    // low season period k: start 1275 + 2k, end 1276 + 2k
    static constexpr int kHighStart = 1296;   // high season period k: start 1296 + 2k, end 1297 + 2k
    static constexpr int kEarliestCheckIn = 1270;
    static constexpr int kLatestCheckIn = 1268;
    static constexpr int kLatestCheckOut = 1272;
    static constexpr int kTerminal = 1440;
    static constexpr int kEnabled = 1436;
    static constexpr int kBooking = 1437;
    static constexpr int kCheckIn = 1438;
    static constexpr int kCharging = 1439;
    static constexpr int kServer = 1441;
    static constexpr int kOk = 1316;
    static constexpr int kCancel = 1317;

    CHotelSettingsDlg(const HotelSettings& settings, const SeasonTable& seasons, QWidget* parent = nullptr);

    const HotelSettings& Settings() const { return m_settings; }
    const SeasonTable& Seasons() const { return m_seasons; }

    // The key-card server's dotted address as a number, its first part the highest byte; none when it is not
    // four numbers of 0 to 255.
    static std::optional<quint32> ParseAddress(const QString& text);
    static QString AddressText(quint32 address);

private:
    void OnOk();

    HotelSettings m_settings;
    SeasonTable m_seasons;
    std::array<QLineEdit*, 4 * SeasonTable::kRanges> m_bounds{};  // in the order of SeasonBoundTexts
    CNumericEdit* m_earliestCheckIn;
    CNumericEdit* m_latestCheckIn;
    CNumericEdit* m_latestCheckOut;
    QLineEdit* m_terminal;
    std::array<QCheckBox*, 4> m_switches{};  // enabled, booking, check-in, charging
    QLineEdit* m_server;
};

}  // namespace lodgix
