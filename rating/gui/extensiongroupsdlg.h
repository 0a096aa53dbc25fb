#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

class CRatingDatabase;
struct ExtensionGroup;
struct RatingPbxFacts;
class QComboBox;
class QPushButton;
class QTableWidget;

// Dialog 146: the extension groups of one PBX (table Groups), listed with their member counts, created,
// changed one at a time and deleted several at once. The list is read again after every change and
// every change of PBX.
class CExtensionGroupsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 146;
    // "Nuovo" stays enabled while the PBX has at most this many groups.
    static constexpr int kMaxGroups = 200;

    CExtensionGroupsDlg(CRatingDatabase& database, const RatingPbxFacts& pbxs, QWidget* parent = nullptr);

    void OnNew();
    void OnModify();
    void OnDelete();

private:
    int SelectedPbx() const;
    std::vector<std::int32_t> SelectedIds() const;
    void FillList();
    void UpdateButtons();
    // The group dialog on `group`; on OK `store` writes it, and a refusal is shown with `failureString`.
    void EditAndStore(ExtensionGroup& group, const std::function<int(const ExtensionGroup&)>& store,
                      unsigned failureString);

    CRatingDatabase& m_database;
    const RatingPbxFacts& m_pbxs;
    QComboBox* m_pbxCombo = nullptr;    // 1154
    QTableWidget* m_list = nullptr;     // 1156
    std::vector<int> m_columnWidths;    // the list's columns at least: 2/3 and 1/3 of it
    QPushButton* m_new = nullptr;       // 1157
    QPushButton* m_modify = nullptr;    // 1158
    QPushButton* m_delete = nullptr;    // 1155
};
