#include "messageeditdlg.h"

#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr unsigned kMissingDataString = 2037;  // "Mancano alcuni dati obbligatori"
constexpr unsigned kCancelString = 2047;       // "Annulla"
constexpr unsigned kChangeString = 2079;       // "Modifica"
constexpr unsigned kFromString = 2226;         // "Messaggio da"
constexpr unsigned kTextString = 2227;         // "Testo"
constexpr unsigned kNewCaptionString = 2228;   // "Nuovo messaggio"
constexpr unsigned kEditCaptionString = 2229;  // "Modifica messaggio"
constexpr int kTextLines = 6;
constexpr int kTextWidth = 340;

}  // namespace

CMessageEditDlg::CMessageEditDlg(QWidget* parent)
    : CLodgixDialog(parent), m_from(new QLineEdit(this)), m_text(new QPlainTextEdit(this)),
      m_ok(new QPushButton(this)), m_cancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("CMessageEditDlg"));
    auto fromLabel = new QLabel(LoadResString(kFromString), this);
    fromLabel->setObjectName(Id(kFromLabel));
    auto textLabel = new QLabel(Required(LoadResString(kTextString)), this);
    textLabel->setObjectName(Id(kTextLabel));
    m_from->setObjectName(Id(kFrom));
    m_from->setMaxLength(kFromLength);
    m_text->setObjectName(Id(kText));
    m_text->setTabChangesFocus(true);
    m_text->setMinimumWidth(kTextWidth);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * kTextLines);
    connect(m_text, &QPlainTextEdit::textChanged, this, &CMessageEditDlg::CutText);
    m_ok->setObjectName(Id(kOk));
    m_cancel->setObjectName(Id(kCancel));
    connect(m_ok, &QPushButton::clicked, this, &CMessageEditDlg::OnOk);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto grid = new QGridLayout;
    grid->addWidget(fromLabel, 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(textLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(m_text, 1, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    UpdateCaptions();
}

void CMessageEditDlg::SetMessage(const QString& from, const QString& text)
{
    m_fromText = from.left(kFromLength);
    m_messageText = text.left(kTextLength);
    m_from->setText(m_fromText);
    m_text->setPlainText(m_messageText);
    UpdateCaptions();
}

void CMessageEditDlg::UpdateCaptions()
{
    const bool existing = !m_fromText.isEmpty() || !m_messageText.isEmpty();
    setWindowTitle(LoadResString(existing ? kEditCaptionString : kNewCaptionString));
    m_ok->setText(existing ? LoadResString(kChangeString) : QStringLiteral("OK"));
    m_cancel->setText(LoadResString(kCancelString));
}

void CMessageEditDlg::CutText()
{
    // The text column holds 511 characters: a longer paste is cut where it goes over.
    const QString text = m_text->toPlainText();
    if (text.size() > kTextLength) {
        const QSignalBlocker block(m_text);
        m_text->setPlainText(text.left(kTextLength));
        m_text->moveCursor(QTextCursor::End);
    }
}

void CMessageEditDlg::OnOk()
{
    m_fromText = m_from->text();
    m_messageText = m_text->toPlainText().left(kTextLength);
    if (m_messageText.isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    accept();
}
