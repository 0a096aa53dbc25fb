#pragma once

#include <QDialog>

class QLineEdit;

// Edits one telephone number of at most 20 characters; the opener sets it before and reads it after OK.
class CEditNumberDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNumber = 1080;
    static constexpr int kOk = 1081;
    static constexpr int kCancel = 1082;
    static constexpr int kMaxLength = 20;

    explicit CEditNumberDlg(QWidget* parent = nullptr);

    void SetNumber(const QString& number);
    QString Number() const { return m_number; }

private:
    QString m_number;
    QLineEdit* m_edit;
};
