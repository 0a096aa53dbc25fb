#include "labeldlg.h"

#include "configurationbox.h"
#include "stringtable.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr unsigned kTitleString = 1029;
constexpr unsigned kBadLabelString = 10064;
}  // namespace

CLabelDlg::CLabelDlg(const QString& objectName, const QString& label, QWidget* parent)
    : QDialog(parent), m_label(label)
{
    setWindowTitle(LoadResString(kTitleString) + u' ' + objectName);
    m_edit = new QLineEdit(label);
    m_edit->setObjectName(QStringLiteral("1052"));
    m_edit->setMaxLength(kMaxLength);
    // A label of the longest length, in ordinary words, shows whole (two characters more for the frame).
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QString(kMaxLength + 2, u'x')));

    auto ok = new QPushButton(LoadResString(kOkButtonString));
    ok->setObjectName(QStringLiteral("1053"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CLabelDlg::TryAccept);
    auto cancel = new QPushButton(LoadResString(kCancelButtonString));
    cancel->setObjectName(QStringLiteral("1054"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
}

void CLabelDlg::TryAccept()
{
    const QString label = m_edit->text();
    if (label.contains(u'\'')) {
        ShowConfigurationError(this, kBadLabelString);
        return;
    }
    m_label = label;
    accept();
}
