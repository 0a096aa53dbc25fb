#pragma once

#include <QDialog>

// The updater's about box: its name and version, what it does, and its supplier.
class CAboutRefreskoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutRefreskoDlg(QWidget* parent = nullptr);
};
