#pragma once

#include <QDialog>
#include <QIcon>

#include <vector>

class QComboBox;

// The language choice at the first start. The result is the index of the chosen entry; the start-up
// stores index + 1 as the language, so closing the window leaves index 0, Italian.
class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLanguageDlg(QWidget* parent = nullptr);

    int SelectedIndex() const { return m_selectedIndex; }
    // The picture list of the combo: the flags of icons 161 and 163.
    const std::vector<QIcon>& ImageList() const { return m_images; }

private:
    void TakeSelection();

    QComboBox* m_combo;
    std::vector<QIcon> m_images;
    int m_selectedIndex = 0;
};
