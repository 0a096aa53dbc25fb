#pragma once

#include "buttononlydialog.h"
#include "consolewindowcontext.h"
#include "pbxdirectory.h"

#include <QString>

#include <cstdint>
#include <memory>

class CNumericEdit;
class CProgressDlg;
class CSortListCtrl;
class CSqlDatabase;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The phone book that the PBX keeps: reads a range of its positions into a list, writes numbers picked
// from the address book into consecutive positions, edits or clears single positions and saves the list
// as a text file. With a global book (bit 0x10 of the PBX's configuration byte 1) the PBX has that one
// book; otherwise a common book (positions 0 .. C - 1, one-byte positions) and this station's personal
// book, shown behind it as positions C .. C + P - 1. Every PBX access is an engine request of up to 6
// seconds; the long loops show a progress dialog whose Cancel ends them. The address book is read
// through a database connection of the dialog's own. Only its buttons and the close box end it.
class CPbxDirectoryDlg : public CButtonOnlyDialog {
    Q_OBJECT
public:
    static constexpr int kPositions = 1025;
    static constexpr int kImport = 1026;
    static constexpr int kFirst = 1058;
    static constexpr int kReadBook = 1059;
    static constexpr int kLast = 1060;
    static constexpr int kRead = 1063;
    static constexpr int kClose = 1064;
    static constexpr int kPosition = 1065;
    static constexpr int kWriteBook = 1067;
    static constexpr int kSearchField = 1068;
    static constexpr int kSearchBook = 1069;
    static constexpr int kSearchText = 1070;
    static constexpr int kSearch = 1071;
    static constexpr int kContacts = 1072;
    static constexpr int kAvailable = 1073;
    static constexpr int kSelected = 1074;
    static constexpr int kDelete = 1076;
    static constexpr int kModify = 1077;
    static constexpr int kSave = 1078;
    static constexpr int kRequestSeconds = 6;
    static constexpr std::uint8_t kGlobalBookBit = 0x10;  // of system configuration byte 1
    // Common positions travel as one byte.
    static constexpr int kMaxCommonPositions = 256;
    static constexpr int kNumberColumns = 8;  // of the address-book list, behind the name
    enum class Book { kGlobal, kCommon, kPersonal };
    enum SaveFilter { kTabFilter = 1, kCsvFilter = 2 };

    explicit CPbxDirectoryDlg(const ConsoleWindowContext& context, QWidget* parent = nullptr);
    ~CPbxDirectoryDlg() override;

    // Connects the database and reads the books' sizes from the PBX; on a failure it shows the error box
    // and answers false (exec then ends at once).
    bool OnInitDialog();
    int exec() override;

    bool HasGlobalBook() const;
    int GlobalSize() const;
    int CommonSize() const;  // at most 256
    int PersonalSize() const;
    int AvailableCount() const { return m_available; }
    int SelectedCount() const { return m_selected; }
    // The positions list's file: `path` loses its extension and takes ".txt" (tabs) or ".csv" (the
    // locale's list separator). False when it could not be written (the box was shown).
    bool SaveList(const QString& path, int filter);
    // The progress dialog of the running loop, none between loops.
    CProgressDlg* Progress() const { return m_progress.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetColumnWidths();
    void FillBookCombo(QComboBox& combo);
    Book BookOf(const QComboBox& combo) const;
    void ApplyReadRange();
    void ApplyWriteRange();
    void UpdateAvailable();
    void UpdateImportButton();
    void UpdatePositionButtons();
    void ShowSelected();
    std::uint8_t Pbx() const;
    std::uint8_t OwnExtension() const;
    // One position of a book: read its number, or write one (empty: clear).
    std::uint8_t ReadPosition(Book book, int position, std::string& number) const;
    std::uint8_t WritePosition(Book book, int position, const QString& number) const;
    // The book a listed position lies in, as delete and modify address it.
    Book BookOfPosition(int position) const;
    void SetPositionItem(int position, const QString& number);
    void SortPositions();
    void StartProgress(unsigned captionString);
    void EndProgress();
    void ShowFailure(std::uint8_t code);
    void OnRead();
    void OnImport();
    void OnDelete();
    void OnModify();
    void OnSearch();
    void OnSave();
    void OnContactsClicked();

    ConsoleWindowContext m_context;
    std::unique_ptr<CSqlDatabase> m_database;
    PbxDirectory::InfoBlock m_info{};
    int m_selected = 0;
    int m_available = 0;
    std::unique_ptr<CProgressDlg> m_progress;

    QComboBox* m_searchField;
    QComboBox* m_searchBook;
    QLineEdit* m_searchText;
    CSortListCtrl* m_contacts;
    QLabel* m_selectedLabel;
    QComboBox* m_writeBook;
    CNumericEdit* m_position;
    QLabel* m_availableLabel;
    QPushButton* m_import;
    QComboBox* m_readBook;
    CNumericEdit* m_first;
    CNumericEdit* m_last;
    QPushButton* m_read;
    CSortListCtrl* m_positions;
    QPushButton* m_delete;
    QPushButton* m_modify;
    QPushButton* m_save;
};
