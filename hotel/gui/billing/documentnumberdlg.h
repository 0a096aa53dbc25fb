#pragma once

#include "lodgixdialog.h"

class QComboBox;
class QLineEdit;

namespace lodgix {

// Asks for the type, number and year of an issued receipt or invoice. Numbers go from 1 to 99999 and
// years from 2007 to 9999, as a document's file name holds them; a value outside its range is refused
// with a message and the dialog stays open. Opens on receipt number 1 of the current year.
class CDocumentNumberDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 158;
    static constexpr int kType = 1419;
    static constexpr int kNumber = 1420;
    static constexpr int kYear = 1421;
    static constexpr int kTypeLabel = 1422;
    static constexpr int kNumberLabel = 1423;
    static constexpr int kYearLabel = 1424;
    static constexpr int kConfirm = 1425;
    static constexpr int kCancel = 1426;
    static constexpr int kFirstYear = 2007;
    static constexpr int kLastYear = 9999;

    explicit CDocumentNumberDlg(QWidget* parent = nullptr);

    // After OK. Type: 0 receipt, 1 invoice.
    int Type() const { return m_type; }
    int Number() const { return m_number; }
    int Year() const { return m_year; }

private:
    void OnConfirm();
    // The edit's whole number when it lies in the range; else a message, the edit focused, and false.
    bool ReadNumber(QLineEdit* edit, int minimum, int maximum, int& value);

    QComboBox* m_typeCombo;
    QLineEdit* m_numberEdit;
    QLineEdit* m_yearEdit;
    int m_type = -1;
    int m_number = 1;
    int m_year = kFirstYear;
};

}  // namespace lodgix
