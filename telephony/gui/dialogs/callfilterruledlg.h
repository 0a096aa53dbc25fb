#pragma once

#include "callfilterrule.h"
#include "consolewindowcontext.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// Edits one rule of the incoming-call filter: which caller numbers it matches (the whole number or its
// start) and what happens to a matching call (rejected, transferred to an extension or to a number). On
// OK the rule holds the new values; OK keeps the dialog open while the number, or the destination of a
// transfer to a number, is empty.
class CCallFilterRuleDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNumber = 1131;
    static constexpr int kMatch = 1132;
    static constexpr int kDestination = 1133;
    static constexpr int kAction = 1134;
    static constexpr int kExtension = 1135;
    static constexpr int kOk = 1136;
    static constexpr int kCancel = 1137;
    static constexpr int kNumberMaxLength = 20;
    static constexpr int kDestinationMaxLength = 21;
    enum Match { kIs = 0, kBeginsWith = 1 };

    CCallFilterRuleDlg(CallFilterRule& rule, const ConsoleWindowContext& context, QWidget* parent = nullptr);

private:
    void Load();
    void OnActionChanged();
    void ShowFieldsOfAction();
    void OnOk();

    CallFilterRule& m_rule;
    QLineEdit* m_number;
    QComboBox* m_match;
    QComboBox* m_action;
    QComboBox* m_extension;
    QLineEdit* m_destination;
};
