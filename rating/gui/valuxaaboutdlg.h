#pragma once

#include <QDialog>

// The rating program's about box: the program's name and version and the maker's address.
class CValuxaAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.0.0.25";

    explicit CValuxaAboutDlg(QWidget* parent = nullptr);
};
