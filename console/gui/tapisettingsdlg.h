#pragma once

#include "contactcache.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QTreeWidget;
struct EngineSettings;

// The settings of the TAPI service, opened from the status board: who handles incoming calls, where the
// contacts cache imports from, the start-up synchronisation and the ring. It shows the cache, imports
// into it and empties it. "Applica" stores the options in the settings file and closes; "Annulla" and
// the close box keep them as they were.
class CTapiSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int kContactsList = 1062;
    static constexpr int kHandlerCombo = 1063;
    static constexpr int kImportButton = 1064;
    static constexpr int kSourceCombo = 1065;
    static constexpr int kApplyButton = 1066;
    static constexpr int kCancelButton = 1067;
    static constexpr int kSyncCheck = 1068;
    static constexpr int kEmptyButton = 1069;
    static constexpr int kFolderCombo = 1070;
    static constexpr int kRingCheck = 1071;
    static constexpr int kColumnCount = 5;

    CTapiSettingsDlg(CContactCache& contacts, EngineSettings& settings, QWidget* parent = nullptr);

    // Where "Importa" asks for the mail program's contacts when the folder is to be picked; the default
    // is a file dialog.
    void SetFilePicker(CContactCache::PickFile picker) { m_pickFile = std::move(picker); }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SizeColumns();
    void FillList();
    void OnImport();
    void OnApply();
    void OnEmpty();
    QString PickContactsFile();

    CContactCache& m_contacts;
    EngineSettings& m_settings;
    CContactCache::PickFile m_pickFile;
    QTreeWidget* m_list;
    QComboBox* m_handler;
    QComboBox* m_source;
    QComboBox* m_folder;
    QCheckBox* m_sync;
    QCheckBox* m_ring;
};
