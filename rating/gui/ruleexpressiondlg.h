#pragma once

#include "prefixgrouptable.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QComboBox;
class QLineEdit;

// Dialog 142: one expression of a rule, either "il numero inizia per" with its starting digits or
// "appartiene al gruppo" with one of the prefix groups. An expression of another kind opens with no
// condition chosen; OK then leaves it as it was.
class CRuleExpressionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 142;
    static constexpr int kBeginsWithItem = 0;
    static constexpr int kInGroupItem = 1;
    static constexpr qsizetype kMaxDigits = 31;

    CRuleExpressionDlg(std::uint8_t kind, const QString& text, const PrefixGroupTable& groups,
                       QWidget* parent = nullptr);

    std::uint8_t Kind() const { return m_kind; }
    const QString& Text() const { return m_text; }

protected:
    void accept() override;

private:
    void OnConditionChosen();

    std::uint8_t m_kind;
    QString m_text;
    QComboBox* m_condition = nullptr;  // 1083
    QLineEdit* m_digits = nullptr;     // 1087
    QComboBox* m_group = nullptr;      // 1084
};
