#include "pbxconnectiondlg.h"

#include "dialogbuttons.h"
#include "stringtable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr unsigned kSourceText = 1238;
constexpr unsigned kDestinationText = 1239;
constexpr unsigned kDirectionText = 1241;
constexpr unsigned kAssociatedPbxText = 1240;
constexpr unsigned kSecondPbxText = 1237;
constexpr unsigned kModifyCaption = 1242;
constexpr unsigned kNewCaption = 1243;
constexpr int kDirectionLabel = 1155;
constexpr int kSourceLabel = 1156;
constexpr int kDestinationLabel = 1157;
const QString kLinePrefix = QStringLiteral("L.");
const QString kExtensionPrefix = QStringLiteral("I.");

QLabel* Label(QWidget* parent, int id, unsigned text)
{
    auto label = new QLabel(LoadResString(text), parent);
    label->setObjectName(QString::number(id));
    return label;
}

QComboBox* Combo(QWidget* parent, int id)
{
    auto combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    return combo;
}

}  // namespace

CPbxConnectionDlg::CPbxConnectionDlg(bool modify, std::uint8_t secondPbx, std::uint8_t sourceLine,
                                     std::uint8_t destination, QWidget* parent)
    : QDialog(parent), m_modify(modify), m_secondPbx(secondPbx), m_sourceLine(sourceLine),
      m_destination(destination), m_direction(Combo(this, kDirection)), m_line(Combo(this, kLine)),
      m_extension(Combo(this, kExtension))
{
    setObjectName(QStringLiteral("218"));
    m_direction->addItem(LoadResString(kAssociatedPbxText));
    m_direction->addItem(LoadResString(kSecondPbxText));
    m_direction->setCurrentIndex(m_secondPbx);
    for (int line = 1; line <= kLines; ++line)
        m_line->addItem(kLinePrefix + QString::number(line));
    m_line->setCurrentIndex(m_sourceLine);
    for (int extension = 1; extension <= kExtensions; ++extension)
        m_extension->addItem(kExtensionPrefix + QString::number(extension));
    m_extension->setCurrentIndex(m_destination);
    m_direction->setEnabled(!m_modify);
    setWindowTitle(LoadResString(m_modify ? kModifyCaption : kNewCaption));

    auto grid = new QGridLayout;
    grid->addWidget(Label(this, kDirectionLabel, kDirectionText), 0, 0);
    grid->addWidget(m_direction, 0, 1);
    grid->addWidget(Label(this, kSourceLabel, kSourceText), 1, 0);
    grid->addWidget(m_line, 1, 1);
    grid->addWidget(Label(this, kDestinationLabel, kDestinationText), 2, 0);
    grid->addWidget(m_extension, 2, 1);
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CPbxConnectionDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow({ok, cancel}));
}

void CPbxConnectionDlg::OnOk()
{
    m_secondPbx = static_cast<std::uint8_t>(std::max(0, m_direction->currentIndex()));
    m_sourceLine = static_cast<std::uint8_t>(std::max(0, m_line->currentIndex()));
    m_destination = static_cast<std::uint8_t>(std::max(0, m_extension->currentIndex()));
    accept();
}
