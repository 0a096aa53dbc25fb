#include "lodgixaboutdlg.h"

#include "stringtable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr unsigned kProgramNameString = 1002;  // "Lodgix"
constexpr unsigned kFirstContactString = 1190;

}  // namespace

CLodgixAboutDlg::CLodgixAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CLodgixAboutDlg"));
    const QString name = LoadResString(kProgramNameString);
    setWindowTitle(name);
    auto layout = new QVBoxLayout(this);
    auto title = new QLabel(name + u' ' + QLatin1String(kVersion), this);
    title->setObjectName(QString::number(kNameAndVersion));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    unsigned text = kFirstContactString;
    for (const int id : kContactLines) {
        auto line = new QLabel(LoadResString(text++), this);
        line->setObjectName(QString::number(id));
        layout->addWidget(line);
    }
    auto ok = new QPushButton(LoadResString(kOkButtonString), this);
    ok->setObjectName(QString::number(kOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
}
