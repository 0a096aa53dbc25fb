#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// Edits the label of one extension, line, entry phone, alarm or relay. Only validates; the caller
// stores the result.
class CLabelDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 50;

    CLabelDlg(const QString& objectName, const QString& label, QWidget* parent = nullptr);

    QString Label() const { return m_label; }

private:
    void TryAccept();

    QLineEdit* m_edit;
    QString m_label;
};
