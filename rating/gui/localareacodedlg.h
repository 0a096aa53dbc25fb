#pragma once

#include "prefixgroup.h"

#include <QDialog>

class QComboBox;

// The first run's question for the local area code: one item per entry of the Italian area codes,
// "place (code)", in list order. The result is the chosen index.
class CLocalAreaCodeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLocalAreaCodeDlg(const PrefixGroup& areaCodes, QWidget* parent = nullptr);

    int ChosenIndex() const;

    // Runs the dialog; the chosen index (the first item unless another was chosen, also on cancel).
    static int Choose(const PrefixGroup& areaCodes, QWidget* parent = nullptr);

private:
    QComboBox* m_areaCodes;
};
