#include "aboutrefreskodlg.h"

#include "refreskoidentity.h"
#include "stringtable.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr unsigned kAboutTitleString = 1009;
constexpr unsigned kAboutPurposeString = 1011;
constexpr int kIconSize = 32;
}  // namespace

CAboutRefreskoDlg::CAboutRefreskoDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(LoadResString(kAboutTitleString));
    auto* icon = new QLabel(this);
    icon->setPixmap(RefreskoIcon().pixmap(kIconSize, kIconSize));
    auto* texts = new QVBoxLayout;
    auto* name = new QLabel(RefreskoNameAndVersion(), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    texts->addWidget(name);
    texts->addWidget(new QLabel(LoadResString(kAboutPurposeString), this));
    for (unsigned id = kFirstSupplierString; id <= kLastSupplierString; ++id)
        texts->addWidget(new QLabel(LoadResString(id), this));
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
