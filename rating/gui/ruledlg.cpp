#include "ruledlg.h"

#include "dialogparts.h"
#include "ruleexpressiondlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kTitleText = 1095;
constexpr unsigned kNameText = 1136;
constexpr unsigned kOperandText = 1137;
constexpr unsigned kListText = 1138;
constexpr unsigned kModifyText = 1139;
constexpr unsigned kDeleteText = 1140;
constexpr unsigned kNewText = 1141;
constexpr unsigned kExpressionText = 1142;
constexpr unsigned kTariffText = 1042;
constexpr unsigned kIfText = 1099;
constexpr unsigned kAndText = 1100;  // 1101 "Oppure"
constexpr unsigned kFirstKindText = 1103;
constexpr int kListWidth = 420;
constexpr int kListHeight = 170;

}  // namespace

CRuleDlg::CRuleDlg(const RatingRule* rule, const TariffTable& tariffs, const PrefixGroupTable& groups,
                   QWidget* parent)
    : QDialog(parent), m_groups(groups)
{
    if (rule)
        m_rule = *rule;
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(kTitleText));
    m_name = NamedControl(new QLineEdit(m_rule.name), 1071);
    m_name->setMaxLength(RatingRule::kNameWidth - 1);
    m_combination = NamedControl(new QComboBox, 1074);
    m_combination->addItems({LoadResString(kAndText), LoadResString(kAndText + 1)});
    m_combination->setCurrentIndex(m_rule.combination == kAnyExpression ? 1 : 0);
    m_list = NamedControl(new QTableWidget(0, 2), 1076);
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHorizontalHeaderLabels({QString(), LoadResString(kExpressionText)});
    m_list->setFixedSize(kListWidth, kListHeight);
    const int inner = kListWidth - 2 * m_list->frameWidth();
    m_list->setColumnWidth(0, inner / 10 - 4 + 30);  // room for "Oppure"
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_modify = NamedControl(new QPushButton(LoadResString(kModifyText)), 1077);
    m_delete = NamedControl(new QPushButton(LoadResString(kDeleteText)), 1078);
    m_tariff = NamedControl(new QComboBox, 1079);
    for (const TariffRecord& tariff : tariffs.tariffs)
        m_tariff->addItem(tariff.name);
    m_tariff->setCurrentIndex(m_rule.tariffSlot >= 0 && m_rule.tariffSlot < m_tariff->count() ? m_rule.tariffSlot : -1);

    auto grid = new QGridLayout;
    grid->addWidget(NamedControl(new QLabel(LoadResString(kNameText)), 1072), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(NamedControl(new QLabel(LoadResString(kOperandText)), 1073), 1, 0);
    grid->addWidget(m_combination, 1, 1);
    grid->addWidget(NamedControl(new QLabel(LoadResString(kListText)), 1075), 2, 0, 1, 2);
    grid->addWidget(m_list, 3, 0, 1, 2);
    auto rowButtons = new QHBoxLayout;
    rowButtons->addStretch();
    rowButtons->addWidget(m_modify);
    rowButtons->addWidget(m_delete);
    grid->addLayout(rowButtons, 4, 0, 1, 2);
    grid->addWidget(NamedControl(new QLabel(LoadResString(kTariffText)), 1080), 5, 0);
    grid->addWidget(m_tariff, 5, 1);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(this, 1081, 1082));

    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] { OnListClick(); });
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row) { EditRow(row); });
    connect(m_modify, &QPushButton::clicked, this, [this] { EditRow(SelectedRow()); });
    connect(m_delete, &QPushButton::clicked, this, [this] { DeleteRow(); });
    connect(m_combination, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            m_rule.combination = static_cast<std::uint8_t>(index);
        RebuildList();
    });
    RebuildList();
}

QString CRuleDlg::ExpressionText(const RuleExpression& expression, const PrefixGroupTable& groups)
{
    QString text = LoadResString(kFirstKindText + expression.kind) + u' ';
    if (expression.kind == kInGroup || expression.kind == kNotInGroup) {
        bool ok = false;
        const int group = expression.text.toInt(&ok);
        return text + (ok && group >= 0 && group < groups.Count() ? groups.groups[static_cast<std::size_t>(group)].name
                                                                 : expression.text);
    }
    return text + expression.text;
}

void CRuleDlg::RebuildList()
{
    const QSignalBlocker blocker(m_list);
    const int count = static_cast<int>(m_rule.expressions.size());
    m_list->clearContents();
    m_list->setRowCount(count < RatingRule::kMaxExpressions ? count + 1 : count);  // an empty row adds one
    for (int row = 0; row < count; ++row) {
        const unsigned joint = row == 0 ? kIfText : kAndText + (m_rule.combination == kAnyExpression ? 1 : 0);
        m_list->setItem(row, 0, new QTableWidgetItem(LoadResString(joint)));
        m_list->setItem(row, 1,
                        new QTableWidgetItem(ExpressionText(m_rule.expressions[static_cast<std::size_t>(row)], m_groups)));
    }
    m_list->clearSelection();
    m_modify->setText(LoadResString(kModifyText));
    m_modify->setEnabled(false);
    m_delete->setEnabled(false);
}

int CRuleDlg::SelectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CRuleDlg::OnListClick()
{
    const int row = SelectedRow();
    const bool expression = row >= 0 && row < static_cast<int>(m_rule.expressions.size());
    m_modify->setText(LoadResString(row >= 0 && !expression ? kNewText : kModifyText));
    m_modify->setEnabled(row >= 0);
    m_delete->setEnabled(expression);
}

void CRuleDlg::EditRow(int row)
{
    const int count = static_cast<int>(m_rule.expressions.size());
    if (row < 0 || row > count || row >= RatingRule::kMaxExpressions)
        return;
    const RuleExpression current = row < count ? m_rule.expressions[static_cast<std::size_t>(row)] : RuleExpression{};
    CRuleExpressionDlg dialog(current.kind, current.text, m_groups, this);
    if (dialog.exec() == QDialog::Accepted) {
        const RuleExpression edited{dialog.Kind(), dialog.Text()};
        if (row < count)
            m_rule.expressions[static_cast<std::size_t>(row)] = edited;
        else
            m_rule.expressions.push_back(edited);
    }
    RebuildList();
}

void CRuleDlg::DeleteRow()
{
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_rule.expressions.size()))
        return;
    m_rule.expressions.erase(m_rule.expressions.begin() + row);
    RebuildList();
}

void CRuleDlg::accept()
{
    if (m_rule.expressions.empty() || m_name->text().isEmpty())
        return;  // incomplete: stays open without a message
    m_rule.name = m_name->text();
    if (m_tariff->currentIndex() >= 0)
        m_rule.tariffSlot = static_cast<std::int16_t>(m_tariff->currentIndex());
    QDialog::accept();
}
