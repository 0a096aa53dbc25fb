#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QLineEdit;

// Types or corrects one contact: sixteen fields in the contact list's column order (name, address, city,
// province, post code, country, e-mail, web address, home 1 and 2, mobile 1 and 2, office 1 and 2, home
// fax, office fax). The opener sets them before running it and reads them after OK, which takes only a
// contact with a name and at least one number, the numbers cleaned.
class CContactEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFields = 16;
    static constexpr int kOk = 1040;
    static constexpr int kCancel = 1041;
    // The edits' ids in field order; each label has its edit's id plus one.
    static constexpr std::array<int, kFields> kEditIds = {1042, 1044, 1046, 1048, 1050, 1052, 1054, 1072,
                                                          1056, 1058, 1060, 1062, 1064, 1066, 1068, 1070};
    static constexpr std::array<int, kFields> kMaxLengths = {127, 127, 127, 15, 15, 63, 127, 63,
                                                             63,  63,  63,  63, 63, 63, 63,  63};

    explicit CContactEditDlg(QWidget* parent = nullptr);

    void SetFields(const QStringList& fields);
    QStringList Fields() const { return m_fields; }

private:
    void OnOk();

    QStringList m_fields;
    std::array<QLineEdit*, kFields> m_edits{};
};
