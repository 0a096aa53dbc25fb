#pragma once

#include "oledate.h"
#include "placeholderdialog.h"

#include <cstdint>

// The event lists dialog: one list type (0 wake-up events, 1 calls, 2 alarms, 3 operator messages,
// 4 notes) for an extension (255 all) with its options and reference date. The dialog proper comes later.
class CEventListDlg : public CPlaceholderDialog {
    Q_OBJECT
public:
    CEventListDlg(int listType, int extension, int option, int secondOption, const OleDate& reference,
                  const ConsoleWindowContext& context, QWidget* parent = nullptr);

    int ListType() const { return m_listType; }
    int Extension() const { return m_extension; }
    int Option() const { return m_option; }
    int SecondOption() const { return m_secondOption; }
    OleDate Reference() const { return m_reference; }

private:
    int m_listType;
    int m_extension;
    int m_option;
    int m_secondOption;
    OleDate m_reference;
};
