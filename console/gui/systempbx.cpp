#include "systempbx.h"

#include "globalconfiguration.h"
#include "pbxlistediting.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kNewString = 10040;
constexpr unsigned kModifyString = 10041;
constexpr unsigned kDeleteString = 10042;
constexpr unsigned kNoteString = 10065;
constexpr int kListWidth = 420;

QPushButton* Button(const char* id, unsigned textId)
{
    auto button = new QPushButton(LoadResString(textId));
    button->setObjectName(QString::fromLatin1(id));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CSystemPbx::CSystemPbx(CGlobalConfiguration& sheet, QWidget* parent) : QWidget(parent), m_sheet(sheet)
{
    setObjectName(QStringLiteral("502"));
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("1042"));
    SetUpPbxList(m_list, kListWidth);
    m_new = Button("1043", kNewString);
    m_modify = Button("1045", kModifyString);
    m_delete = Button("1044", kDeleteString);
    auto note = new QLabel(LoadResString(kNoteString));
    note->setObjectName(QStringLiteral("1055"));
    note->setWordWrap(true);

    auto buttons = new QHBoxLayout;
    for (QPushButton* button : {m_new, m_modify, m_delete})
        buttons->addWidget(button);
    buttons->addStretch();
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->addWidget(note);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CSystemPbx::OnSelectionChanged);
    connect(m_new, &QPushButton::clicked, this, &CSystemPbx::AddPbx);
    connect(m_modify, &QPushButton::clicked, this, &CSystemPbx::ModifyPbx);
    connect(m_delete, &QPushButton::clicked, this, &CSystemPbx::DeletePbx);
    Refill();
}

void CSystemPbx::Refill()
{
    CSqlDatabase& database = *m_sheet.Database();
    FillPbxList(m_list, database);
    m_modify->setEnabled(false);
    m_delete->setEnabled(false);
    m_new->setEnabled(database.PbxCount() < kMaxPbxs);
}

int CSystemPbx::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CSystemPbx::OnSelectionChanged()
{
    const int row = SelectedRow();
    m_modify->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0 && row != m_sheet.PbxIndex());
}

void CSystemPbx::AddPbx()
{
    EditPbxEntry(this, *m_sheet.Database(), -1);
    Refill();
}

void CSystemPbx::ModifyPbx()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    EditPbxEntry(this, *m_sheet.Database(), row);
    Refill();
}

void CSystemPbx::DeletePbx()
{
    const int row = SelectedRow();
    if (row < 0 || row == m_sheet.PbxIndex())
        return;
    if (DeletePbxEntry(this, *m_sheet.Database(), row) && row < m_sheet.PbxIndex())
        m_sheet.SetPbxIndex(static_cast<std::uint8_t>(m_sheet.PbxIndex() - 1));
    Refill();
}
