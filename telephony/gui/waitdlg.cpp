#include "waitdlg.h"

#include <QLabel>
#include <QVBoxLayout>

CWaitDlg::CWaitDlg(const QString& text, QWidget* parent) : QDialog(parent), m_text(new QLabel(text, this))
{
    setObjectName(QStringLiteral("154"));
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    setModal(false);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
}

QString CWaitDlg::Text() const { return m_text->text(); }
