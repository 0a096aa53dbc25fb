#include "localareacodedlg.h"

#include "stringtable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr unsigned kProgramNameString = 1002;
constexpr unsigned kPromptString = 1220;
constexpr unsigned kCancelString = 1202;
}  // namespace

CLocalAreaCodeDlg::CLocalAreaCodeDlg(const PrefixGroup& areaCodes, QWidget* parent)
    : QDialog(parent), m_areaCodes(new QComboBox)
{
    setWindowTitle(LoadResString(kProgramNameString));
    auto prompt = new QLabel(LoadResString(kPromptString));
    prompt->setObjectName(QStringLiteral("1147"));
    m_areaCodes->setObjectName(QStringLiteral("1151"));
    m_areaCodes->setMaxVisibleItems(20);
    for (const PrefixEntry& entry : areaCodes.entries)
        m_areaCodes->addItem(entry.label + QStringLiteral(" (") + entry.number + u')');
    m_areaCodes->setCurrentIndex(areaCodes.entries.empty() ? -1 : 0);

    auto buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadResString(kCancelString));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_areaCodes);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

int CLocalAreaCodeDlg::ChosenIndex() const
{
    return m_areaCodes->currentIndex();
}

int CLocalAreaCodeDlg::Choose(const PrefixGroup& areaCodes, QWidget* parent)
{
    CLocalAreaCodeDlg dialog(areaCodes, parent);
    dialog.exec();
    return dialog.ChosenIndex();
}
