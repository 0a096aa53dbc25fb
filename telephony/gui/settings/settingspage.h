#pragma once

#include <QWidget>

class CSystemConfiguration;
class QCheckBox;
class QLabel;
class QTreeWidget;
struct ConsoleWindowContext;
struct OperatorSettingsRecords;

// One page of the settings sheet. The sheet makes every page at its start (OnInitDialog, in tab order)
// and, when it ends with OK, checks the pages' fields and has each one write its controls into the
// sheet's copy of its record (OnApply). A page reaches the records through the sheet.
class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CSettingsPage(CSystemConfiguration& sheet);

    virtual void OnInitDialog() = 0;
    // False when a field is outside its range: the page is to stay; with `prompt` the range prompt was
    // shown and the field has the focus.
    virtual bool ValidatePage(bool /*prompt*/) { return true; }
    virtual void OnApply() = 0;

protected:
    // What a page does each time it is shown.
    virtual void OnShown() {}
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    OperatorSettingsRecords& Records() const;
    const ConsoleWindowContext& Context() const;

    // Controls named by their control id.
    QCheckBox* NewCheck(int id, unsigned textString);
    QLabel* NewLabel(int id, unsigned textString);
    // A report list of full rows; several rows may be selected when `multiple`.
    QTreeWidget* NewList(int id, bool multiple);
    // The list's columns as fractions of its width less 2 pixels on each side, set again whenever the
    // page is shown at its size.
    void SetColumnWidths(QTreeWidget& list, const QList<int>& parts, int whole);
    // The plug-in pages' notice, drawn in red with a font of its own.
    QLabel* NewNotice(int id);

    CSystemConfiguration& m_sheet;

private:
    struct ColumnShares {
        QTreeWidget* list;
        QList<int> parts;
        int whole;
    };
    static void ApplyColumnWidths(const ColumnShares& shares);

    QList<ColumnShares> m_columnShares;
};
