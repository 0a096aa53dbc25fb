#include "ruleexpressiondlg.h"

#include "dialogparts.h"
#include "ratingrule.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr unsigned kTitleText = 1143;
constexpr unsigned kConditionText = 1144;
constexpr unsigned kBeginsWithText = 1103;
constexpr unsigned kInGroupText = 1105;
}  // namespace

CRuleExpressionDlg::CRuleExpressionDlg(std::uint8_t kind, const QString& text, const PrefixGroupTable& groups,
                                       QWidget* parent)
    : QDialog(parent), m_kind(kind), m_text(text)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(kTitleText));
    m_condition = NamedControl(new QComboBox, 1083);
    m_condition->addItems({LoadResString(kBeginsWithText), LoadResString(kInGroupText)});
    m_digits = NamedControl(new QLineEdit, 1087);
    m_group = NamedControl(new QComboBox, 1084);
    for (const PrefixGroup& group : groups.groups)
        m_group->addItem(group.name);

    m_condition->setCurrentIndex(-1);
    m_digits->hide();
    m_group->hide();
    if (kind == kBeginsWith) {
        m_condition->setCurrentIndex(kBeginsWithItem);
        m_digits->setText(text);
        m_digits->show();
    } else if (kind == kInGroup) {
        m_condition->setCurrentIndex(kInGroupItem);
        bool ok = false;
        const int group = text.toInt(&ok);
        m_group->setCurrentIndex(ok && group >= 0 && group < m_group->count() ? group : -1);
        m_group->show();
    }

    auto layout = new QVBoxLayout(this);
    layout->addWidget(NamedControl(new QLabel(LoadResString(kConditionText)), 1085));
    layout->addWidget(m_condition);
    layout->addWidget(m_digits);
    layout->addWidget(m_group);
    layout->addLayout(OkCancelRow(this, 1, 2));
    setMinimumWidth(340);
    connect(m_condition, &QComboBox::activated, this, [this] { OnConditionChosen(); });
}

void CRuleExpressionDlg::OnConditionChosen()
{
    if (m_condition->currentIndex() == kInGroupItem) {
        m_group->setCurrentIndex(m_group->count() > 0 ? 0 : -1);
        m_group->show();
        m_digits->hide();
    } else {
        m_group->hide();
        m_digits->show();
        m_digits->clear();
    }
}

void CRuleExpressionDlg::accept()
{
    switch (m_condition->currentIndex()) {
    case kBeginsWithItem: {
        const QString digits = m_digits->text();
        if (digits.isEmpty() || digits.size() > kMaxDigits)
            return;  // stays open: the editors show no message of their own
        m_kind = kBeginsWith;
        m_text = digits;
        break;
    }
    case kInGroupItem:
        if (m_group->currentIndex() < 0)
            return;
        m_kind = kInGroup;
        m_text = QString::asprintf("%d", m_group->currentIndex());
        break;
    default:
        break;  // no condition chosen: the expression stays as it was
    }
    QDialog::accept();
}
