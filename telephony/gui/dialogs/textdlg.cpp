#include "textdlg.h"

#include "dialogbuttons.h"
#include "stringtable.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

constexpr unsigned kViewCaption = 1261;
constexpr unsigned kEntryCaption = 1198;
constexpr QSize kSize(380, 220);

}  // namespace

CTextDlg::CTextDlg(const QString& text, QWidget* parent)
    : QDialog(parent), m_text(text.left(kMaxLength)), m_viewMode(!text.isEmpty()), m_edit(new QPlainTextEdit(this)),
      m_ok(IdButton(LoadResString(kOkButtonString), kOk, this))
{
    setObjectName(QStringLiteral("216"));
    m_edit->setObjectName(QString::number(kText));
    m_edit->setTabChangesFocus(true);
    m_ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    connect(m_ok, &QPushButton::clicked, this, &CTextDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CTextDlg::KeepWithinLimit);

    setWindowTitle(LoadResString(m_viewMode ? kViewCaption : kEntryCaption));
    cancel->setEnabled(!m_viewMode);
    m_edit->setPlainText(m_text);
    m_edit->installEventFilter(this);
    if (m_viewMode)
        m_ok->setFocus();

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(ButtonRow({m_ok, cancel}));
    resize(kSize);
}

bool CTextDlg::eventFilter(QObject* watched, QEvent* event)
{
    // In view mode the text never keeps the focus.
    if (watched == m_edit && event->type() == QEvent::FocusIn && m_viewMode)
        m_ok->setFocus();
    return QDialog::eventFilter(watched, event);
}

void CTextDlg::KeepWithinLimit()
{
    const QString text = m_edit->toPlainText();
    if (text.size() <= kMaxLength)
        return;
    QSignalBlocker block(m_edit);
    m_edit->setPlainText(text.left(kMaxLength));
    m_edit->moveCursor(QTextCursor::End);
}

void CTextDlg::OnOk()
{
    m_text = m_edit->toPlainText();
    if (!m_text.isEmpty())
        accept();
}
