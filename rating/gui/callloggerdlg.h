#pragma once

#include "callloggersettings.h"

#include <QDialog>

class CallLoggerExport;
class PbxTables;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The call-logger plug-in's settings: on or off, the PBX whose calls go out and the output file. Edits the
// caller's copy; OK stores into it only a path that fits the settings file, and none empty when enabled.
class CCallLoggerDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 148;

    CCallLoggerDlg(CallLoggerSettings* settings, const PbxTables& tables, QWidget* parent = nullptr);

    // The menu command of the plug-in: the dialog on a copy of the export's settings; OK hands the copy to
    // the export, which saves it. True when confirmed.
    static bool Run(CallLoggerExport& exporter, const PbxTables& tables, QWidget* parent);

private:
    void Browse();
    void TryAccept();

    CallLoggerSettings* m_settings;
    QCheckBox* m_enabled;
    QComboBox* m_pbx;
    QLineEdit* m_path;
};
