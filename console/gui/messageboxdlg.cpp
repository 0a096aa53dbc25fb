#include "messageboxdlg.h"

#include "stringtable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;
constexpr unsigned kNoString = 0;
const QString kErrorCodeLabel = QStringLiteral("Codice errore: ");
const QString kWarningCodeLabel = QStringLiteral("Codice warning:");
const QString kCodePrefix = QStringLiteral("FF");

struct KindEntry {
    std::uint8_t kind;
    unsigned titleString;
    int iconId;
    QStyle::StandardPixmap icon;
};

constexpr KindEntry kKinds[] = {
    {CMessageBoxDlg::kKindError, 10045, 131, QStyle::SP_MessageBoxCritical},
    {CMessageBoxDlg::kKindInformation, 10066, 136, QStyle::SP_MessageBoxInformation},
    {CMessageBoxDlg::kKindWarning, 10046, 135, QStyle::SP_MessageBoxWarning},
};

struct CodeEntry {
    std::uint8_t code;
    bool warning;  // picks the code line's label
    unsigned headline;
    unsigned suggestions;
    unsigned closingLine;
};

constexpr unsigned kWillCloseString = 15062;

constexpr CodeEntry kCodes[] = {
    {CMessageBoxDlg::kCodeNotConfigured, false, 15064, 15065, kWillCloseString},
    {CMessageBoxDlg::kCodeServerStopped, false, 15071, 15072, kWillCloseString},
    {CMessageBoxDlg::kCodeServerModeFailed, false, 15066, 15067, kWillCloseString},
    {CMessageBoxDlg::kCodeRestartRequested, true, 15068, 15069, kNoString},
};

QString Text(unsigned id) { return id == kNoString ? QString() : LoadResString(id); }

QLabel* AddLabel(QVBoxLayout* layout, const char* id)
{
    auto label = new QLabel;
    label->setObjectName(QLatin1StringView(id));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    return label;
}

}  // namespace

QColor CMessageBoxDlg::Background() { return QColor(255, 255, 153); }

CMessageBoxDlg::CMessageBoxDlg(std::uint8_t kind, std::uint8_t code, std::uint8_t extra,
                               const std::array<QString, 5>& texts, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_code(code), m_extra(extra), m_texts(texts)
{
    // The labels paint nothing of their own, so the texts stand on the dialog's yellow.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Background());
    setPalette(palette);
    setAutoFillBackground(true);

    m_icon = new QLabel;
    m_icon->setObjectName(QStringLiteral("1000"));
    m_icon->setAlignment(Qt::AlignTop);
    auto textColumn = new QVBoxLayout;
    m_codeLine = AddLabel(textColumn, "1002");
    m_headline = AddLabel(textColumn, "1001");
    m_suggestions = AddLabel(textColumn, "1003");
    m_closingLine = AddLabel(textColumn, "1004");
    textColumn->addStretch();

    auto ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1005"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("1006"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto body = new QHBoxLayout;
    body->addWidget(m_icon);
    body->addLayout(textColumn, 1);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    ShowKind();
    ShowCode();
}

void CMessageBoxDlg::ShowKind()
{
    for (const KindEntry& entry : kKinds) {
        if (entry.kind != m_kind)
            continue;
        setWindowTitle(LoadResString(entry.titleString));
        m_iconId = entry.iconId;
        m_icon->setPixmap(QApplication::style()->standardIcon(entry.icon).pixmap(kIconSize, kIconSize));
    }
}

void CMessageBoxDlg::ShowCode()
{
    for (const CodeEntry& entry : kCodes) {
        if (entry.code != m_code)
            continue;
        // "%s%s%0.2d": label, "FF", the code in at least two digits.
        const QString label = entry.warning ? kWarningCodeLabel : kErrorCodeLabel;
        m_codeLine->setText(label + kCodePrefix + QStringLiteral("%1").arg(m_code, 2, 10, QLatin1Char('0')));
        m_headline->setText(Text(entry.headline));
        m_suggestions->setText(Text(entry.suggestions));
        m_closingLine->setText(Text(entry.closingLine));
    }
}
