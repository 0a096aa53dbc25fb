#include "systemconfiguration.h"

#include "alarmconfiguration.h"
#include "dialogbuttons.h"
#include "fonivraicon.h"
#include "graphicconfiguration.h"
#include "officepluginconfiguration.h"
#include "otherconfiguration.h"
#include "service2pluginconfiguration.h"
#include "service3pluginconfiguration.h"
#include "stringtable.h"
#include "toolbarconfiguration.h"

#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Tab texts of the first seven pages; the plug-in pages carry their names as they are.
constexpr unsigned kTabStrings[] = {10000, 10001, 10016, 10150, 1019, 1042, 1043};
const QString kPluginTabs[] = {QStringLiteral("Service 1 plug-in"), QStringLiteral("Service 2 plug-in"),
                               QStringLiteral("Service 3 plug-in")};

}  // namespace

CSystemConfiguration::CSystemConfiguration(unsigned captionString, OperatorSettingsRecords* records,
                                           const ConsoleWindowContext& context, QWidget* parent, int firstPage)
    : QDialog(parent), m_records(records), m_context(context), m_firstPage(firstPage), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("CSystemConfiguration"));
    setWindowTitle(LoadResString(captionString));
    m_tabs->setObjectName(QString::number(kTabs));
    // All ten tabs in sight: the sheet is as wide as its tab row.
    m_tabs->tabBar()->setUsesScrollButtons(false);
    m_pages = {new CGraphicConfiguration(*this, CGraphicConfiguration::kExtensions),
               new CGraphicConfiguration(*this, CGraphicConfiguration::kLines),
               new CGraphicConfiguration(*this, CGraphicConfiguration::kEntryPhones),
               new CGraphicConfiguration(*this, CGraphicConfiguration::kRelays),
               new CAlarmConfiguration(*this),
               new CToolbarConfiguration(*this),
               new COtherConfiguration(*this),
               new COfficePluginConfiguration(*this),
               new CService2PluginConfiguration(*this),
               new CService3PluginConfiguration(*this)};
    for (CSettingsPage* page : m_pages)
        m_tabs->addTab(page, QString());
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSystemConfiguration::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(ButtonRow({ok, cancel}));
    OnInitDialog();
    connect(m_tabs, &QTabWidget::currentChanged, this, &CSystemConfiguration::OnTabChanged);
}

void CSystemConfiguration::OnInitDialog()
{
    int tab = 0;
    for (const unsigned id : kTabStrings)
        m_tabs->setTabText(tab++, LoadResString(id));
    for (const QString& text : kPluginTabs)
        m_tabs->setTabText(tab++, text);
    // Every page is made now, in order, so that all of them take part in OK; the sheet opens on the
    // first page whichever the opener asked for.
    for (CSettingsPage* page : m_pages)
        page->OnInitDialog();
    m_tabs->setCurrentIndex(0);
    m_shownPage = 0;
    setWindowIcon(FonivraIcon());
}

void CSystemConfiguration::OnTabChanged(int index)
{
    if (index == m_shownPage)
        return;
    if (!Page(m_shownPage)->ValidatePage(true)) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_shownPage);
        return;
    }
    m_shownPage = index;
}

void CSystemConfiguration::OnOk()
{
    for (int index = 0; index < kPageCount; ++index) {
        if (!Page(index)->ValidatePage(false)) {
            {
                const QSignalBlocker blocker(m_tabs);
                m_tabs->setCurrentIndex(index);
                m_shownPage = index;
            }
            Page(index)->ValidatePage(true);
            return;
        }
    }
    for (CSettingsPage* page : m_pages)
        page->OnApply();
    accept();
}
