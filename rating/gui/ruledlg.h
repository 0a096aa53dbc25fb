#pragma once

#include "prefixgrouptable.h"
#include "ratingrule.h"
#include "tarifftable.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// Dialog 141: edits a copy of one rating rule: its name, how its expressions join, the expressions (up
// to six, each through dialog 142) and its tariff. OK needs a name and at least one expression;
// otherwise the dialog stays open.
class CRuleDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 141;

    // Without a rule the copy starts empty.
    CRuleDlg(const RatingRule* rule, const TariffTable& tariffs, const PrefixGroupTable& groups,
             QWidget* parent = nullptr);

    const RatingRule& Rule() const { return m_rule; }

    // The text of an expression in the list: the kind's words and the digits or the group's name.
    static QString ExpressionText(const RuleExpression& expression, const PrefixGroupTable& groups);

protected:
    void accept() override;

private:
    void RebuildList();
    int SelectedRow() const;
    void OnListClick();
    void EditRow(int row);
    void DeleteRow();

    RatingRule m_rule;
    const PrefixGroupTable& m_groups;
    QLineEdit* m_name = nullptr;         // 1071
    QComboBox* m_combination = nullptr;  // 1074
    QTableWidget* m_list = nullptr;      // 1076
    QPushButton* m_modify = nullptr;     // 1077
    QPushButton* m_delete = nullptr;     // 1078
    QComboBox* m_tariff = nullptr;       // 1079
};
