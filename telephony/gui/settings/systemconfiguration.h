#pragma once

#include "consolewindowcontext.h"
#include "operatorsettingsrecords.h"

#include <QDialog>

#include <array>

class CSettingsPage;
class QTabWidget;

// The settings sheet over copies of the five settings records: ten pages (four window displays, alarms,
// toolbar, general options and the three plug-ins), all made at its start. OK checks the fields, has
// every page write into the copies and accepts; a page whose field is out of range is shown instead and
// the sheet stays. Cancel leaves the copies to be dropped. A page cannot be left while a field of it is
// out of range.
class CSystemConfiguration : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPageCount = 10;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kTabs = 12320;
    static constexpr int kIcon = 128;

    CSystemConfiguration(unsigned captionString, OperatorSettingsRecords* records,
                         const ConsoleWindowContext& context, QWidget* parent = nullptr, int firstPage = 0);

    OperatorSettingsRecords* Records() const { return m_records; }
    const ConsoleWindowContext& Context() const { return m_context; }
    int FirstPage() const { return m_firstPage; }
    QTabWidget* Tabs() const { return m_tabs; }
    CSettingsPage* Page(int index) const { return m_pages.at(static_cast<std::size_t>(index)); }

private:
    void OnInitDialog();
    void OnOk();
    void OnTabChanged(int index);

    OperatorSettingsRecords* m_records;
    ConsoleWindowContext m_context;
    int m_firstPage;
    QTabWidget* m_tabs;
    std::array<CSettingsPage*, kPageCount> m_pages{};
    int m_shownPage = 0;
};
