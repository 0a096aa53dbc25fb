#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;

// Chooses a computer of the network by name, from the names this one knows (NetworkBrowser). Titled
// "Seleziona"; OK or a double-click takes the selected name.
class CComputerBrowseDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTitleString = 10024;

    explicit CComputerBrowseDlg(const QStringList& computers, QWidget* parent = nullptr);

    QString Computer() const { return m_computer; }

private:
    void TakeSelection();

    QListWidget* m_list;
    QString m_computer;
};
