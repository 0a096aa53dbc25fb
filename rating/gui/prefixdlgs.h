#pragma once

#include "textfieldsdlg.h"

// Dialog 143: a prefix's label (at most 63 characters) and number (at most 15). Both start empty; the
// caller fills them before showing it.
class CPrefixDlg : public CTextFieldsDlg {
    Q_OBJECT
public:
    static constexpr int kDialogId = 143;
    explicit CPrefixDlg(QWidget* parent = nullptr);

    QString Label() const { return Text(0); }
    QString Number() const { return Text(1); }
    void SetPrefix(const QString& label, const QString& number)
    {
        SetText(0, label);
        SetText(1, number);
    }
};

// Dialog 501: a new prefix group's name and its first prefix (a group never starts empty).
class CPrefixGroupDlg : public CTextFieldsDlg {
    Q_OBJECT
public:
    static constexpr int kDialogId = 501;
    explicit CPrefixGroupDlg(QWidget* parent = nullptr);

    QString GroupLabel() const { return Text(0); }
    QString PrefixLabel() const { return Text(1); }
    QString PrefixNumber() const { return Text(2); }
};

// Dialog 502: a prefix group's new name.
class CPrefixGroupLabelDlg : public CTextFieldsDlg {
    Q_OBJECT
public:
    static constexpr int kDialogId = 502;
    explicit CPrefixGroupLabelDlg(QWidget* parent = nullptr);

    QString GroupLabel() const { return Text(0); }
    void SetGroupLabel(const QString& label) { SetText(0, label); }
};
