#pragma once

#include "lodgixdialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Dialog 146: a guest message, who it is from and its text. Empty after construction (a new message);
// SetMessage fills it with an existing one, whose buttons then read "Modifica" and "Annulla". OK refuses
// an empty text; "from" may stay empty.
class CMessageEditDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kFrom = 1257;
    static constexpr int kFromLabel = 1258;
    static constexpr int kText = 1259;
    static constexpr int kTextLabel = 1260;
    static constexpr int kOk = 1262;
    static constexpr int kCancel = 1263;
    static constexpr int kFromLength = 63;
    static constexpr int kTextLength = 511;

    explicit CMessageEditDlg(QWidget* parent = nullptr);

    void SetMessage(const QString& from, const QString& text);
    QString From() const { return m_fromText; }
    QString Text() const { return m_messageText; }

private:
    void UpdateCaptions();
    void OnOk();
    void CutText();

    QString m_fromText;
    QString m_messageText;
    QLineEdit* m_from;
    QPlainTextEdit* m_text;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
