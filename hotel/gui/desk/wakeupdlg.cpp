#include "wakeupdlg.h"

#include "deskform.h"
#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace lodgix {
namespace {

constexpr unsigned kCaptionString = 5045;      // "Imposta sveglia"
constexpr unsigned kCancelString = 2047;       // "Annulla"
constexpr unsigned kSingleString = 2237;       // "Singola"
constexpr unsigned kDailyString = 2238;        // "Giornaliera"
constexpr unsigned kDisabledString = 2239;     // "Disabilitata"
constexpr unsigned kBadTimeString = 2240;      // "Impostazione dell'ora non valida"
constexpr unsigned kModeString = 2241;         // "Modo sveglia"
constexpr unsigned kTimeString = 2242;         // "Imposta ora sveglia (hhmm)"
constexpr qsizetype kWakeUpSize = 5;
constexpr qsizetype kModeByte = 1;
constexpr qsizetype kHourByte = 2;
constexpr qsizetype kMinuteByte = 3;
constexpr qsizetype kStateByte = 4;

quint8 Byte(const QByteArray& bytes, qsizetype index)
{
    return static_cast<quint8>(bytes.at(index));
}

}  // namespace

CWakeUpDlg::CWakeUpDlg(quint8 mode, QByteArray& wakeUp, QWidget* parent)
    : CLodgixDialog(parent), m_mode(mode), m_wakeUp(wakeUp), m_time(new QLineEdit(this)), m_modeCombo(new QComboBox(this))
{
    setObjectName(QStringLiteral("CWakeUpDlg"));
    setWindowTitle(LoadResString(kCaptionString));
    if (m_wakeUp.size() < kWakeUpSize)
        m_wakeUp.resize(kWakeUpSize, '\0');
    m_time->setObjectName(Id(kTime));
    m_time->setMaxLength(4);
    m_modeCombo->setObjectName(Id(kMode));
    m_modeCombo->addItems({LoadResString(kDisabledString), LoadResString(kSingleString), LoadResString(kDailyString)});
    if (m_mode == 0) {
        m_time->setText(QStringLiteral("%1%2").arg(Byte(m_wakeUp, kHourByte), 2, 10, QChar(u'0'))
                            .arg(Byte(m_wakeUp, kMinuteByte), 2, 10, QChar(u'0')));
        const quint8 stored = Byte(m_wakeUp, kModeByte);
        m_modeCombo->setCurrentIndex(stored == kDailyMode ? kDailyEntry : stored == kSingleMode ? kSingleEntry : kDisabledEntry);
    }

    auto ok = DeskButton(this, kOk, LoadResString(kOkButtonString));
    auto cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, &CWakeUpDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    grid->addWidget(DeskLabel(this, kTimeLabel, LoadResString(kTimeString)), 0, 0);
    grid->addWidget(m_time, 0, 1);
    grid->addWidget(DeskLabel(this, kModeLabel, LoadResString(kModeString)), 1, 0);
    grid->addWidget(m_modeCombo, 1, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CWakeUpDlg::OnOk()
{
    if (m_mode != 0) {
        reject();
        return;
    }
    // Four digits exactly: a letter is no hour (the old reading took "ab30" as 00:30).
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    const QString text = m_time->text();
    const int hour = text.left(2).toInt();
    const int minute = text.mid(2).toInt();
    if (!fourDigits.match(text).hasMatch() || hour > 23 || minute > 59) {
        LodgixMessageBox(this, kBadTimeString, QMessageBox::Critical);
        return;
    }
    m_wakeUp[kHourByte] = static_cast<char>(hour);
    m_wakeUp[kMinuteByte] = static_cast<char>(minute);
    m_wakeUp[kStateByte] = 0;
    const int entry = m_modeCombo->currentIndex();
    m_wakeUp[kModeByte] = static_cast<char>(entry == kSingleEntry ? kSingleMode : entry == kDailyEntry ? kDailyMode : kDisabledMode);
    accept();
}

}  // namespace lodgix
