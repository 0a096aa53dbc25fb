#include "aboutdlg.h"

#include "fonivraicon.h"
#include "stringtable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr unsigned kCaptionString = 1003;
constexpr unsigned kProgramNameString = 1004;
constexpr int kIconSide = 32;

// The maker's name, street, town, country and web address.
constexpr struct {
    const char* control;
    unsigned string;
} kMakerLines[] = {{"1077", 1070}, {"1078", 1071}, {"1079", 1072}, {"1080", 1073}, {"1082", 1074}};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("501"));
    setWindowTitle(LoadResString(kCaptionString));
    auto icon = new QLabel;
    icon->setPixmap(FonivraIcon().pixmap(kIconSide, kIconSide));
    auto texts = new QVBoxLayout;
    auto product = new QLabel(LoadResString(kProgramNameString) + u' ' + QLatin1StringView(kVersion));
    product->setObjectName(QStringLiteral("1076"));
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    texts->addWidget(product);
    for (const auto& line : kMakerLines) {
        auto label = new QLabel(LoadResString(line.string));
        label->setObjectName(QLatin1StringView(line.control));
        texts->addWidget(label);
    }
    auto top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);
    auto buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadResString(kOkButtonString));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}
