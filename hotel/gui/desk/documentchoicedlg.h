#pragma once

#include "lodgixdialog.h"

#include <QStringList>

class QComboBox;

// Dialog 157: picks one of a list of documents (or of counts of accounts). It is left only through OK, so
// the caller always gets an index: the first entry unless the user picked another.
class CDocumentChoiceDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 157;
    static constexpr int kCombo = 1374;
    static constexpr int kLabel = 1375;
    static constexpr int kOk = 1376;
    static constexpr int kOther = 1377;  // does nothing

    explicit CDocumentChoiceDlg(const QStringList& entries, QWidget* parent = nullptr);

    int Selected() const { return m_selected; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QComboBox* m_combo = nullptr;
    int m_selected = 0;
};
