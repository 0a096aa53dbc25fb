#include "callfilterruledlg.h"

#include "dialogbuttons.h"
#include "operatorconsolestate.h"
#include "stringtable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr unsigned kRejectString = 1176;
constexpr unsigned kToExtensionString = 1211;
constexpr unsigned kToNumberString = 1212;
constexpr unsigned kBeginsWithString = 1213;
constexpr unsigned kIsString = 1214;
constexpr unsigned kTitleString = 1215;
constexpr int kMinimumWidth = 340;

template <typename Widget>
Widget* WithId(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

}  // namespace

CCallFilterRuleDlg::CCallFilterRuleDlg(CallFilterRule& rule, const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_rule(rule), m_number(WithId(new QLineEdit(this), kNumber)),
      m_match(WithId(new QComboBox(this), kMatch)), m_action(WithId(new QComboBox(this), kAction)),
      m_extension(WithId(new QComboBox(this), kExtension)), m_destination(WithId(new QLineEdit(this), kDestination))
{
    setObjectName(QStringLiteral("217"));
    setWindowTitle(LoadResString(kTitleString));
    m_number->setMaxLength(kNumberMaxLength);
    m_destination->setMaxLength(kDestinationMaxLength);
    const int extensions = context.state ? context.state->FirstCounts().extensions : 0;
    for (int index = 0; index < extensions; ++index)
        m_extension->addItem(context.ExtensionName(index));
    m_action->addItems({LoadResString(kRejectString), LoadResString(kToExtensionString), LoadResString(kToNumberString)});
    m_match->addItems({LoadResString(kIsString), LoadResString(kBeginsWithString)});

    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, &CCallFilterRuleDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto form = new QFormLayout;
    form->addRow(m_match, m_number);
    form->addRow(m_action);
    form->addRow(m_extension);
    form->addRow(m_destination);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(ButtonRow({ok, cancel}));
    setMinimumWidth(kMinimumWidth);

    Load();
    connect(m_action, &QComboBox::currentIndexChanged, this, &CCallFilterRuleDlg::OnActionChanged);
}

void CCallFilterRuleDlg::Load()
{
    const bool beginsWith = m_rule.pattern.startsWith(CallFilterRule::kBeginsWith);
    m_match->setCurrentIndex(beginsWith ? kBeginsWith : kIs);
    m_number->setText(beginsWith ? m_rule.pattern.mid(CallFilterRule::kBeginsWith.size()) : m_rule.pattern);
    m_action->setCurrentIndex(m_rule.action <= CallFilterRule::kTransferToNumber ? m_rule.action : -1);
    m_extension->setCurrentIndex(m_extension->count() > 0 ? 0 : -1);
    m_destination->clear();
    if (m_rule.action == CallFilterRule::kTransferToExtension) {
        const int extension = m_rule.argument.toInt();
        if (extension >= 0 && extension < m_extension->count())
            m_extension->setCurrentIndex(extension);
    } else if (m_rule.action == CallFilterRule::kTransferToNumber) {
        m_destination->setText(m_rule.argument);
    }
    ShowFieldsOfAction();
}

void CCallFilterRuleDlg::OnActionChanged()
{
    // A new action starts from the first extension and no number.
    m_extension->setCurrentIndex(m_extension->count() > 0 ? 0 : -1);
    m_destination->clear();
    ShowFieldsOfAction();
}

void CCallFilterRuleDlg::ShowFieldsOfAction()
{
    const int action = m_action->currentIndex();
    m_extension->setVisible(action == CallFilterRule::kTransferToExtension);
    m_destination->setVisible(action == CallFilterRule::kTransferToNumber);
}

void CCallFilterRuleDlg::OnOk()
{
    const int action = m_action->currentIndex();
    if (m_number->text().isEmpty() || (action == CallFilterRule::kTransferToNumber && m_destination->text().isEmpty()))
        return;
    m_rule.action = static_cast<std::uint8_t>(action < 0 ? CallFilterRule::kReject : action);
    m_rule.pattern =
        (m_match->currentIndex() == kBeginsWith ? CallFilterRule::kBeginsWith : QString()) + m_number->text();
    switch (m_rule.action) {
    case CallFilterRule::kTransferToExtension: m_rule.argument = QString::number(std::max(0, m_extension->currentIndex())); break;
    case CallFilterRule::kTransferToNumber: m_rule.argument = m_destination->text(); break;
    default: m_rule.argument.clear(); break;
    }
    accept();
}
