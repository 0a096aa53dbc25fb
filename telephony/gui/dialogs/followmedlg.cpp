#include "followmedlg.h"

#include "dialogbuttons.h"
#include "operatorconsolestate.h"
#include "stringtable.h"

#include <QComboBox>

namespace {

constexpr unsigned kTitleString = 1067;
constexpr int kMinimumWidth = 260;

}  // namespace

CFollowMeDlg::CFollowMeDlg(int extension, const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_extension(extension), m_list(new QComboBox(this))
{
    setObjectName(QStringLiteral("213"));
    setWindowTitle(LoadResString(kTitleString));
    m_list->setObjectName(QString::number(kList));
    const int count = context.state ? context.state->FirstCounts().extensions : 0;
    for (int index = 0; index < count; ++index) {
        if (index != extension)
            m_list->addItem(context.ExtensionName(index));
    }
    m_list->setCurrentIndex(m_list->count() > 0 ? 0 : -1);
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, &CFollowMeDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(ButtonRow({ok, cancel}));
    setMinimumWidth(kMinimumWidth);
}

void CFollowMeDlg::OnOk()
{
    const int position = m_list->currentIndex();
    if (position < 0) {
        reject();
        return;
    }
    // The list leaves the given extension out: positions from it on stand one extension further.
    m_extension = position < m_extension ? position : position + 1;
    accept();
}
