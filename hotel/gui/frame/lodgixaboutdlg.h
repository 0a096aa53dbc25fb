#pragma once

#include <QDialog>

// The about box of the hotel program (dialog 100): the program's name and version and the maker's
// five contact lines.
class CLodgixAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.0.0.29";
    static constexpr int kNameAndVersion = 1076;
    static constexpr int kContactLines[] = {1077, 1078, 1079, 1080, 1082};
    static constexpr int kOk = 1;

    explicit CLodgixAboutDlg(QWidget* parent = nullptr);
};
