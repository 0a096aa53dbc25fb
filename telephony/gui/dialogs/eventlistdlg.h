#pragma once

#include "consolewindowcontext.h"
#include "event.h"
#include "messagetarget.h"
#include "oledate.h"
#include "recordinginfo.h"

#include <QDialog>
#include <QHash>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CRecordingPlayer;
class CRecordProgressDlg;
class CSortListCtrl;
class CSqlDatabase;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QUrl;

// The event lists (dialog 181): wake-up events and active wake-ups, calls (with their recordings when the
// PBX has a recorder), alarms, operator messages and notes of one extension or of all (255), over a
// period, with filters and the actions of each type. It has a database connection of its own, made when
// it is first shown. Without a reference date the period is the 30 days up to today 23:59:59 and the list
// waits for "Aggiorna"; with one it runs from that date (messages from 1 January 2007) to today 23:59:59
// and fills itself when first shown.
class CEventListDlg : public QDialog {
    Q_OBJECT
public:
    enum ListType { kWakeUps = 0, kCalls = 1, kAlarms = 2, kMessages = 3, kNotes = 4 };
    static constexpr int kAllExtensions = 255;

    // Controls.
    static constexpr int kList = 1025;
    static constexpr int kPlay = 1026;
    static constexpr int kSaveRecording = 1027;
    static constexpr int kDeleteRecording = 1028;
    static constexpr int kDateFilterText = 1029;
    static constexpr int kOtherFiltersText = 1030;
    static constexpr int kFilters = 1031;
    static constexpr int kRefresh = 1061;
    static constexpr int kClose = 1062;
    static constexpr int kAction = 1063;
    static constexpr int kExport = 1064;
    static constexpr int kFromLabel = 1065;
    static constexpr int kToLabel = 1066;
    static constexpr int kFrom = 1067;
    static constexpr int kTo = 1068;
    static constexpr int kSearch = 1069;
    static constexpr int kAddNote = 1070;
    static constexpr int kAddressBook = 1071;
    static constexpr int kFirstCombo = 1084;
    static constexpr int kSecondCombo = 1085;
    static constexpr int kLineCombo = 1086;
    static constexpr int kNoteNumber = 1138;
    static constexpr int kCallFilter = 1139;

    // The row of a list: its position in the query's answer, the call's or note's link (kind in the high
    // byte, -1 none), the recording of a call, and the record's key (IDMessage, IDNote, an extension).
    struct Row {
        int row = 0;
        int link = -1;
        std::optional<std::size_t> recording;
        qint64 key = 0;
        int extension = -1;
    };

    // What the dialog asks of the user and the desktop; tests replace them.
    struct Hooks {
        std::function<int(QDialog&)> runDialog;  // exec()
        // Connects the dialog's own database: as the program connects its one, by the installation.
        std::function<int(CSqlDatabase& database)> connectDatabase;
        // A file name to save to (empty: cancelled) and the chosen filter's position.
        std::function<QString(const QString& title, const QString& filter, int& filterIndex)> saveFileName;
        std::function<void(const QString& caption, const QString& text)> message;  // a message box
        std::function<void(int code)> error;                                         // the error box
        std::function<bool(const QUrl& url)> openUrl;                                // the default browser
        std::function<void(const QString& text)> setClipboard;
        // The address book's import opened with a number (the "Rubrica" action).
        std::function<void(const QString& number)> importContact;
    };

    CEventListDlg(int listType, int extension, int option, int secondOption, const OleDate& reference,
                  const ConsoleWindowContext& context, QWidget* parent = nullptr);
    ~CEventListDlg() override;

    int ListType() const { return m_listType; }
    int Extension() const { return m_extension; }
    int Option() const { return m_option; }
    int SecondOption() const { return m_secondOption; }
    OleDate Reference() const { return m_reference; }
    OleDate PeriodStart() const { return m_start; }
    OleDate PeriodEnd() const { return m_end; }
    bool HasRecorder() const { return m_recorderPresent; }

    Hooks& DialogHooks() { return m_hooks; }
    CSortListCtrl& List() const { return *m_list; }
    // The record of a list row (by its position in the list as shown).
    const Row* RowAt(int position) const;
    const std::vector<RecordingInfo>& Recordings() const { return m_recordings; }
    // The playback window while a recording plays; none otherwise.
    CRecordProgressDlg* PlaybackWindow() const;
    // The period from the date pickers, as the operator sets them.
    void SetPeriod(const OleDate& start, const OleDate& end);
    // Selects a list row as a click on it does (its button rules run); -1 clears the selection.
    void ClickRow(int position);

    // The refresh of the list (button 1061); false when a query failed.
    bool Refresh();
    // The extension of the combined numbering behind a message's "PBX + extension" cell (the display
    // rule of the "Da" and "A" columns): its name, or "Sconosciuto".
    static QString MessagePartyName(const QString& cell, const ConsoleWindowContext& context);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // Construction.
    void BuildControls();
    void FillCombos();
    void BuildColumns();
    void UpdateControls();
    void DisableRowButtons();
    void FillNoteLinkCombo();
    QString Title() const;
    QString FilterText() const;
    void OnFirstComboChosen();
    void OnSecondComboChosen();
    void OnDatesChanged();
    void ConnectDatabase();

    // Refresh per type.
    bool RefreshWakeUps();
    void ListActiveWakeUps();
    bool RefreshCalls();
    bool RefreshAlarms();
    bool RefreshMessages();
    bool RefreshNotes();
    QString LinkText(int link);
    QString ExtensionText(const QString& indexText);
    QString ContactName(const QString& number);
    OleDate StoredDate(const QString& text) const;
    int AddRow(Row row);
    void SetCell(int position, int column, const QString& text);
    void SetDateCell(int position, int column, const QString& stored, bool timeOnly = false);
    void FinishRows();

    // Actions.
    void OnAction();
    void OnSearch();
    void OnAddNote();
    void OnAddressBook();
    void OnExport();
    void OnListClicked();
    void OnListDoubleClicked();
    void CallRow(int position);
    void DeleteMessageRow(int position);
    void ShowRowText(int position);
    int SelectedPosition() const;

    // Recordings.
    bool Login(bool administrator);
    void OnPlay();
    void OnSaveRecording();
    void OnDeleteRecording();
    const RecordingInfo* SelectedRecording() const;
    void OnPlayerStarted(std::uint64_t seconds);
    void OnPlayerTick(std::uint64_t seconds);
    void OnPlayerEnded();
    void Message(unsigned textString);
    void Error(int code);

    ConsoleWindowContext m_context;
    Hooks m_hooks;
    CSortListCtrl* m_list;
    OleDate m_start;
    OleDate m_end;
    std::unique_ptr<CSqlDatabase> m_database;
    bool m_connected = false;
    int m_extension;
    int m_option;
    int m_secondOption;
    int m_listType;
    OleDate m_reference;
    bool m_activeColumns = false;
    bool m_refreshOnShow;
    bool m_initialised = false;
    bool m_recorderPresent = false;
    std::vector<RecordingInfo> m_recordings;
    std::vector<Row> m_rows;
    QHash<QString, QString> m_contactNames;  // the names looked up in this refresh
    QString m_storedDateFormat;              // how the connection writes dates, in this refresh
    int m_pbxIdentifier = 0;

    QDateTimeEdit* m_from;
    QDateTimeEdit* m_to;
    QComboBox* m_firstCombo;
    QComboBox* m_secondCombo;
    QComboBox* m_lineCombo;
    QLineEdit* m_noteNumber;
    QLineEdit* m_callFilter;
    QLabel* m_dateFilter;
    QLabel* m_otherFilters;
    QGroupBox* m_filters;
    QLabel* m_fromLabel;
    QLabel* m_toLabel;
    QPushButton* m_refresh;
    QPushButton* m_close;
    QPushButton* m_export;
    QPushButton* m_action;
    QPushButton* m_search;
    QPushButton* m_addNote;
    QPushButton* m_addressBook;
    QPushButton* m_play;
    QPushButton* m_saveRecording;
    QPushButton* m_deleteRecording;

    MessageMap m_messages;
    QtMessageTarget m_target{this};
    Event m_stop{Event::Reset::Automatic};
    CRecordProgressDlg* m_progress = nullptr;
    std::unique_ptr<CRecordingPlayer> m_player;
};
