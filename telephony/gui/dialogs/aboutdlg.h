#pragma once

#include <QDialog>

// The operator console's about box (dialog 501): its icon, name and version, and the maker's five
// contact lines.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.0.0.49";
    explicit CAboutDlg(QWidget* parent = nullptr);
};
