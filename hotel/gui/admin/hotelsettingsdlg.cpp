#include "hotelsettingsdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <cmath>

namespace lodgix {

namespace {

constexpr int kLowFromLabel = 1285;   // "Da" of low period k: 1285 + 2k, "A" 1286 + 2k
constexpr int kHighFromLabel = 1306;  // "Da" of high period k: 1306 + 2k, "A" 1307 + 2k
constexpr int kLowHint = 1274;
constexpr int kHighHint = 1295;
constexpr int kEarliestLabel = 1271;
constexpr int kLatestLabel = 1269;
constexpr int kCheckOutLabel = 1273;
constexpr int kItcGroup = 1435;
constexpr int kTerminalLabel = 1442;
constexpr int kServerLabel = 1443;
constexpr int kBoundLength = 4;
constexpr int kTerminalDigits = 3;
constexpr int kFirstTerminal = 1;
constexpr int kLastTerminal = 255;

// One season's five periods: a hint above, then a row per period with its two bounds.
QGroupBox* SeasonBox(QWidget* parent, unsigned title, int hintId, unsigned hint, int firstLabel, int firstEdit,
                     QLineEdit** edits)
{
    auto box = new QGroupBox(LoadResString(title), parent);
    auto grid = new QGridLayout(box);
    QLabel* hintLabel = AddLabel(box, hintId, LoadResString(hint));
    hintLabel->setWordWrap(true);
    grid->addWidget(hintLabel, 0, 0, 1, 4);
    for (int k = 0; k < SeasonTable::kRanges; ++k) {
        for (int side = 0; side < 2; ++side) {
            QLineEdit* edit = AddEdit(box, firstEdit + 2 * k + side, kBoundLength);
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
            edits[2 * k + side] = edit;
            grid->addWidget(AddLabel(box, firstLabel + 2 * k + side, LoadResString(side == 0 ? kFromString : kToString)),
                            k + 1, 2 * side);
            grid->addWidget(edit, k + 1, 2 * side + 1);
        }
    }
    return box;
}

}  // namespace

std::optional<quint32> CHotelSettingsDlg::ParseAddress(const QString& text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok);
        if (!ok || value > 255)
            return std::nullopt;
        address = (address << 8) | value;
    }
    return address;
}

QString CHotelSettingsDlg::AddressText(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

CHotelSettingsDlg::CHotelSettingsDlg(const HotelSettings& settings, const SeasonTable& seasons, QWidget* parent)
    : CLodgixDialog(parent), m_settings(settings), m_seasons(seasons),
      m_earliestCheckIn(AddNumber(this, kEarliestCheckIn, 8, 18, settings.earliestCheckInHour, true)),
      m_latestCheckIn(AddNumber(this, kLatestCheckIn, 1, 6, settings.latestNightCheckInHour, true)),
      m_latestCheckOut(AddNumber(this, kLatestCheckOut, 6, 20, settings.latestCheckOutHour, true)),
      m_terminal(AddEdit(this, kTerminal, kTerminalDigits)), m_server(AddEdit(this, kServer, 15))
{
    setObjectName(QStringLiteral("CHotelSettingsDlg"));
    setWindowTitle(LoadResString(kHotelSettingsString));
    // The check-in hours are shown only: the reminders and the bills count on them as they are.
    m_earliestCheckIn->setEnabled(false);
    m_latestCheckIn->setEnabled(false);

    QGroupBox* low = SeasonBox(this, kLowSeasonString, kLowHint, kLowSeasonHintString, kLowFromLabel, kLowStart,
                               m_bounds.data());
    QGroupBox* high = SeasonBox(this, kHighSeasonString, kHighHint, kHighSeasonHintString, kHighFromLabel,
                                kHighStart, m_bounds.data() + 2 * SeasonTable::kRanges);
    const SeasonBoundTexts texts = SeasonTexts(seasons);
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_bounds[i]->setText(texts[i]);

    auto hours = new QGridLayout;
    hours->addWidget(AddLabel(this, kEarliestLabel, LoadResString(kEarliestCheckInString)), 0, 0);
    hours->addWidget(m_earliestCheckIn, 0, 1);
    hours->addWidget(AddLabel(this, kLatestLabel, LoadResString(kLatestCheckInString)), 1, 0);
    hours->addWidget(m_latestCheckIn, 1, 1);
    hours->addWidget(AddLabel(this, kCheckOutLabel, LoadResString(kLatestCheckOutString)), 2, 0);
    hours->addWidget(m_latestCheckOut, 2, 1);

    auto itc = new QGroupBox(LoadResString(kItcGroupString), this);
    itc->setObjectName(Id(kItcGroup));
    const std::pair<int, unsigned> switches[] = {
        {kEnabled, kItcEnabledString}, {kBooking, kItcBookingString},
        {kCheckIn, kItcCheckInString}, {kCharging, kItcChargingString}};
    const quint8 values[] = {settings.keyCardEnabled, settings.keyCardBooking, settings.keyCardCheckIn,
                             settings.keyCardCharging};
    auto itcGrid = new QGridLayout(itc);
    for (std::size_t i = 0; i < m_switches.size(); ++i) {
        m_switches[i] = new QCheckBox(LoadResString(switches[i].second), itc);
        m_switches[i]->setObjectName(Id(switches[i].first));
        m_switches[i]->setChecked(values[i] != 0);
        itcGrid->addWidget(m_switches[i], static_cast<int>(i), 0, 1, 2);
    }
    // Bookings are not passed to the key-card system.
    m_switches[1]->setEnabled(false);
    m_terminal->setValidator(new QIntValidator(0, 999, m_terminal));
    m_terminal->setText(QString::number(settings.keyCardSystemId));
    m_server->setMinimumWidth(m_server->fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + 16);
    m_server->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([0-9]{1,3}\\.){0,3}[0-9]{0,3}")), m_server));
    m_server->setText(AddressText(settings.keyCardServer));
    itcGrid->addWidget(AddLabel(itc, kTerminalLabel, LoadResString(kTerminalString)), 4, 0);
    itcGrid->addWidget(m_terminal, 4, 1);
    itcGrid->addWidget(AddLabel(itc, kServerLabel, LoadResString(kItcServerString)), 5, 0);
    itcGrid->addWidget(m_server, 5, 1);

    QHBoxLayout* buttons = OkCancelRow(this, kOk, kCancel, [this] { OnOk(); });

    auto right = new QVBoxLayout;
    right->addLayout(hours);
    right->addWidget(itc);
    right->addStretch();
    auto top = new QHBoxLayout;
    top->addWidget(low);
    top->addWidget(high);
    top->addLayout(right);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void CHotelSettingsDlg::OnOk()
{
    bool terminalOk = false;
    const int terminal = m_terminal->text().toInt(&terminalOk);
    if (!terminalOk || terminal < kFirstTerminal || terminal > kLastTerminal) {
        LodgixMessageBox(this, LoadResString(kTerminalRangeString).arg(kFirstTerminal).arg(kLastTerminal),
                         QMessageBox::Warning);
        m_terminal->setFocus();
        return;
    }
    const std::optional<quint32> address = ParseAddress(m_server->text());
    if (!address) {
        LodgixMessageBox(this, kWrongDataString, QMessageBox::Critical);
        m_server->setFocus();
        return;
    }
    SeasonBoundTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_bounds[i]->text();
    const std::optional<SeasonTable> seasons = ParseSeasonTexts(texts);
    if (!seasons) {
        LodgixMessageBox(this, kInvalidPeriodsString, QMessageBox::Critical);
        return;
    }
    m_settings.earliestCheckInHour = static_cast<quint8>(std::floor(m_earliestCheckIn->GetValue()));
    m_settings.latestNightCheckInHour = static_cast<quint8>(std::floor(m_latestCheckIn->GetValue()));
    m_settings.latestCheckOutHour = static_cast<quint8>(std::floor(m_latestCheckOut->GetValue()));
    m_settings.keyCardSystemId = static_cast<quint8>(terminal);
    quint8* switches[] = {&m_settings.keyCardEnabled, &m_settings.keyCardBooking, &m_settings.keyCardCheckIn,
                          &m_settings.keyCardCharging};
    for (std::size_t i = 0; i < m_switches.size(); ++i)
        *switches[i] = m_switches[i]->isChecked() ? 1 : 0;
    m_settings.keyCardServer = *address;
    m_seasons = *seasons;
    accept();
}

}  // namespace lodgix
