#include "documentchoicedlg.h"

#include "stringtable.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr unsigned kTitleText = 2303;
constexpr unsigned kOkText = 19001;
constexpr unsigned kCancelText = 2047;

}  // namespace

CDocumentChoiceDlg::CDocumentChoiceDlg(const QStringList& entries, QWidget* parent) : CLodgixDialog(parent)
{
    setObjectName(Id(kDialogId));
    setWindowTitle(LoadResString(kTitleText));
    auto label = new QLabel(LoadResString(kTitleText), this);
    label->setObjectName(Id(kLabel));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(Id(kCombo));
    m_combo->addItems(entries);
    m_combo->setCurrentIndex(entries.isEmpty() ? -1 : m_selected);
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto ok = new QPushButton(LoadResString(kOkText), this);
    ok->setObjectName(Id(kOk));
    auto other = new QPushButton(LoadResString(kCancelText), this);
    other->setObjectName(Id(kOther));
    for (QPushButton* button : {ok, other})
        button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_selected = std::max(0, m_combo->currentIndex());
        accept();
    });

    auto layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_combo);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(other);
    layout->addLayout(buttons);
}

void CDocumentChoiceDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();  // the choice is always made: only OK ends the dialog
}

void CDocumentChoiceDlg::reject()
{
}
