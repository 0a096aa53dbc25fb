#pragma once

#include <QDialog>
#include <QString>

#include <initializer_list>
#include <vector>

class QLineEdit;

// A dialog of a few labelled one-line texts, each with its length limit, that closes with OK only when
// every text is filled in (otherwise it stays open without a message). The prefix, new-group and
// group-label dialogs are made of it.
class CTextFieldsDlg : public QDialog {
    Q_OBJECT
public:
    struct Field {
        int labelId;       // the label's control id
        unsigned textId;   // its string
        int editId;        // the edit's control id
        int maxLength;
    };

    CTextFieldsDlg(int dialogId, unsigned titleId, std::initializer_list<Field> fields, int okId, int cancelId,
                   QWidget* parent = nullptr);

    QString Text(int field) const;
    void SetText(int field, const QString& text);

protected:
    void accept() override;

private:
    std::vector<QLineEdit*> m_edits;
};
