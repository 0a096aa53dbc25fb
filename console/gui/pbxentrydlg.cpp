#include "pbxentrydlg.h"

#include "configurationbox.h"
#include "stringtable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr unsigned kNewTitleString = 10028;
constexpr unsigned kUpdateTitleString = 10029;
constexpr unsigned kIdentifierString = 10026;
constexpr unsigned kResourceString = 10027;
constexpr unsigned kBadIdentifierString = 10030;
constexpr unsigned kBadResourceString = 10031;

}  // namespace

QStringList PbxResourceNames(const std::vector<SerialPort>& ports)
{
    QStringList names;
    for (const SerialPort& port : ports) {
        const QString name = kSerialResourcePrefix + QString::number(port.number);
        if (port.number > 0 && !names.contains(name))
            names.append(name);
    }
    names.append(kLanResource);
    return names;
}

int ResourcePortNumber(const QString& resource)
{
    if (!resource.startsWith(kSerialResourcePrefix))
        return 0;
    bool ok = false;
    const int number = resource.mid(kSerialResourcePrefix.size()).toInt(&ok, 10);
    return ok && number > 0 ? number : 0;
}

CPbxEntryDlg::CPbxEntryDlg(const QString& identifier, const QString& resource, QWidget* parent,
                           const std::vector<SerialPort>& ports)
    : QDialog(parent)
{
    setWindowTitle(LoadResString(identifier.isEmpty() ? kNewTitleString : kUpdateTitleString));

    auto identifierLabel = new QLabel(LoadResString(kIdentifierString));
    identifierLabel->setObjectName(QStringLiteral("1021"));
    m_identifierEdit = new QLineEdit(identifier);
    m_identifierEdit->setObjectName(QStringLiteral("1020"));
    m_identifierEdit->setMaxLength(kMaxLength);
    m_identifierEdit->setMinimumWidth(m_identifierEdit->fontMetrics().averageCharWidth() * (kMaxLength + 4));
    identifierLabel->setBuddy(m_identifierEdit);

    auto resourceLabel = new QLabel(LoadResString(kResourceString));
    resourceLabel->setObjectName(QStringLiteral("1022"));
    m_resourceCombo = new QComboBox;
    m_resourceCombo->setObjectName(QStringLiteral("1023"));
    m_resourceCombo->setEditable(true);
    m_resourceCombo->setInsertPolicy(QComboBox::NoInsert);
    m_resourceCombo->lineEdit()->setMaxLength(kMaxLength);
    const QStringList resources = PbxResourceNames(ports);
    m_resourceCombo->addItems(resources);
    m_resourceCombo->setCurrentIndex(std::max<qsizetype>(resources.indexOf(resource), 0));
    resourceLabel->setBuddy(m_resourceCombo);

    auto ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1024"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CPbxEntryDlg::TryAccept);
    auto cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("1025"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto layout = new QGridLayout(this);
    layout->addWidget(identifierLabel, 0, 0);
    layout->addWidget(m_identifierEdit, 0, 1, 1, 2);
    layout->addWidget(resourceLabel, 1, 0);
    layout->addWidget(m_resourceCombo, 1, 1, 1, 2);
    layout->addWidget(ok, 2, 1);
    layout->addWidget(cancel, 2, 2);
}

void CPbxEntryDlg::TryAccept()
{
    const QString identifier = m_identifierEdit->text();
    if (!IsValidPbxIdentifier(identifier)) {
        ShowConfigurationError(this, kBadIdentifierString);
        return;
    }
    const QString resource = m_resourceCombo->currentText();
    if (resource.isEmpty()) {
        ShowConfigurationError(this, kBadResourceString);
        return;
    }
    m_identifier = identifier;
    m_resource = resource;
    accept();
}
