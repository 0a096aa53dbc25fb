#include "valuxaaboutdlg.h"

#include "stringtable.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr unsigned kProgramNameString = 1002;
// The maker's name, street, town, country and web address.
constexpr struct {
    const char* control;
    unsigned string;
} kMakerLines[] = {{"1077", 1190}, {"1078", 1191}, {"1079", 1192}, {"1080", 1193}, {"1082", 1194}};

}  // namespace

CValuxaAboutDlg::CValuxaAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(LoadResString(kProgramNameString));
    setWindowIcon(QApplication::windowIcon());

    auto layout = new QVBoxLayout(this);
    auto product = new QLabel(LoadResString(kProgramNameString) + u' ' + QLatin1StringView(kVersion));
    product->setObjectName(QStringLiteral("1076"));
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    layout->addWidget(product);
    for (const auto& line : kMakerLines) {
        auto label = new QLabel(LoadResString(line.string));
        label->setObjectName(QLatin1StringView(line.control));
        layout->addWidget(label);
    }
    layout->addSpacing(12);
    auto buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(260);
}
