#include "aboutdlg.h"

#include "enginesettings.h"
#include "folders.h"
#include "installationsettings.h"
#include "programmingtool.h"
#include "stringtable.h"
#include "updatecheck.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr unsigned kProductString = 1003;
constexpr unsigned kUpdateButtonString = 1081;
constexpr unsigned kProgrammerButtonString = 1110;
constexpr unsigned kExitButtonString = 1031;

// The maker's name, street, town, country and web address.
constexpr struct {
    const char* control;
    unsigned string;
} kMakerLines[] = {{"1077", 1004}, {"1078", 1005}, {"1079", 1006}, {"1080", 1007}, {"1082", 1008}};

QPushButton* AddButton(QHBoxLayout* layout, const char* id, unsigned textId)
{
    auto button = new QPushButton(LoadResString(textId));
    button->setObjectName(QLatin1StringView(id));
    layout->addWidget(button);
    return button;
}

}  // namespace

CAboutDlg::CAboutDlg(EngineSettings& engineSettings, const InstallationSettings& installation, QWidget* parent)
    : QDialog(parent), m_engineSettings(engineSettings)
{
    setWindowTitle(LoadResString(kProductString));
    setWindowIcon(QApplication::windowIcon());

    auto texts = new QVBoxLayout;
    auto product = new QLabel(LoadResString(kProductString) + u' ' + QLatin1StringView(kVersion));
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

    auto buttons = new QHBoxLayout;
    QPushButton* update = AddButton(buttons, "1106", kUpdateButtonString);
    connect(update, &QPushButton::clicked, this, [this] { CheckForUpdatesNow(m_engineSettings); });
    QPushButton* programmer = AddButton(buttons, "1107", kProgrammerButtonString);
    programmer->setEnabled(FileExists(ProgrammingToolPath()) &&
                           installation.Protection() == InstallationSettings::kProtectionAdministrator);
    connect(programmer, &QPushButton::clicked, this, [] { StartProgrammingTool(); });
    buttons->addStretch();
    QPushButton* exit = AddButton(buttons, "1083", kExitButtonString);
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    auto layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}
