#include "settingspage.h"

#include "stringtable.h"
#include "systemconfiguration.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

namespace {

// The lists' room: the columns share the list's width less its frame of 2 pixels on each side.
constexpr int kListFrame = 4;
constexpr int kListWidth = 420;
constexpr int kListHeight = 220;

}  // namespace

CSettingsPage::CSettingsPage(CSystemConfiguration& sheet) : QWidget(nullptr), m_sheet(sheet) {}

void CSettingsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    OnShown();
}

void CSettingsPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (const ColumnShares& shares : m_columnShares)
        ApplyColumnWidths(shares);
}

OperatorSettingsRecords& CSettingsPage::Records() const { return *m_sheet.Records(); }

const ConsoleWindowContext& CSettingsPage::Context() const { return m_sheet.Context(); }

QCheckBox* CSettingsPage::NewCheck(int id, unsigned textString)
{
    auto check = new QCheckBox(LoadResString(textString), this);
    check->setObjectName(QString::number(id));
    return check;
}

QLabel* CSettingsPage::NewLabel(int id, unsigned textString)
{
    auto label = new QLabel(LoadResString(textString), this);
    label->setObjectName(QString::number(id));
    return label;
}

QTreeWidget* CSettingsPage::NewList(int id, bool multiple)
{
    auto list = new QTreeWidget(this);
    list->setObjectName(QString::number(id));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    list->setMinimumSize(kListWidth, kListHeight);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    return list;
}

void CSettingsPage::SetColumnWidths(QTreeWidget& list, const QList<int>& parts, int whole)
{
    m_columnShares.append({&list, parts, whole});
    ApplyColumnWidths(m_columnShares.constLast());
}

void CSettingsPage::ApplyColumnWidths(const ColumnShares& shares)
{
    const int width = std::max(shares.list->width(), shares.list->minimumWidth()) - kListFrame;
    for (int column = 0; column < shares.parts.size(); ++column)
        shares.list->setColumnWidth(column, width * shares.parts.at(column) / shares.whole);
}

QLabel* CSettingsPage::NewNotice(int id)
{
    auto notice = new QLabel(this);
    notice->setObjectName(QString::number(id));
    QFont font = notice->font();
    font.setBold(true);
    notice->setFont(font);
    QPalette palette = notice->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    notice->setPalette(palette);
    return notice;
}
