#include "registrylistdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "companydatadlg.h"
#include "conventiondlg.h"
#include "engineerrorcode.h"
#include "exportlisttofile.h"
#include "gridlines.h"
#include "guestdatadlg.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "seasonpricesdlg.h"
#include "sortlistctrl.h"
#include "sortlistrowsink.h"
#include "stringtable.h"

#include <QLabel>
#include <QHBoxLayout>
#include <QPushButton>

namespace lodgix {

namespace {

constexpr int kListWidth = 900;
constexpr int kListHeight = 420;

struct KindLayout {
    unsigned title;
    unsigned newText;
    std::vector<ListColumn> columns;
    int parts;
    std::vector<int> textColumns;  // exported as text
};

KindLayout GuestLayout()
{
    const unsigned headings[] = {kGuestNameString,   kAddressString,        kCityString,         kProvinceString,
                                 kPostCodeString,    kCountryString,        kHomePhoneString,    kMobilePhoneString,
                                 kOfficePhoneString, kEmailString,          kDocumentTypeString, kDocumentNumberString,
                                 kIssuedByString,    kBirthDateString,      kBirthPlaceString,   kCountryString,
                                 kTaxCodeString,     kConventionTitleString};
    const int shares[] = {4, 4, 3, 2, 2, 3, 3, 3, 3, 4, 4, 3, 3, 2, 4, 2, 3, 3};
    KindLayout layout{kGuestListString, kNewGuestString, {}, 50, {6, 7, 8}};
    for (std::size_t i = 0; i < std::size(headings); ++i)
        layout.columns.push_back({LoadResString(headings[i]), shares[i],
                                  i == 13 ? CSortListCtrl::kDate : CSortListCtrl::kText});
    return layout;
}

KindLayout CompanyLayout()
{
    const QString phone = LoadResString(kPhoneString);
    const QString email = LoadResString(kEmailString);
    const QString headings[] = {LoadResString(kCompanyNameString), LoadResString(kAddressString),
                                LoadResString(kCityString),        LoadResString(kProvinceString),
                                LoadResString(kPostCodeString),    LoadResString(kCountryString),
                                phone + QStringLiteral(" 1"),      phone + QStringLiteral(" 2"),
                                LoadResString(kFaxString),         email + QStringLiteral(" 1"),
                                email + QStringLiteral(" 2"),      LoadResString(kWebAddressString),
                                LoadResString(kVatNumberString),   LoadResString(kTaxCodeString)};
    const int shares[] = {2, 2, 2, 1, 1, 2, 1, 1, 1, 2, 2, 2, 2, 2};
    KindLayout layout{kCompanyListString, kNewCompanyString, {}, 22, {6, 7, 8, 12, 13}};
    for (std::size_t i = 0; i < std::size(headings); ++i)
        layout.columns.push_back({headings[i], shares[i], CSortListCtrl::kText});
    return layout;
}

KindLayout ConventionLayout()
{
    KindLayout layout{kConventionListString, kNewConventionString, {}, 15, {}};
    layout.columns.push_back({LoadResString(kConventionNameString), 2, CSortListCtrl::kText});
    const unsigned prefixes[] = {kServiceColumnPrefixOvernight, kServiceColumnPrefixBreakfast,
                                 kServiceColumnPrefixHalfBoard, kServiceColumnPrefixFullBoard};
    for (Season season : {Season::kLow, Season::kMedium, Season::kHigh}) {
        for (unsigned prefix : prefixes)
            layout.columns.push_back({LoadResString(prefix) + u' ' + CSeasonPricesDlg::SeasonName(season), 1,
                                      CSortListCtrl::kNumber});
    }
    layout.columns.push_back({LoadResString(kVatString), 1, CSortListCtrl::kNumber});
    return layout;
}

KindLayout LayoutOf(CRegistryListDlg::Kind kind)
{
    switch (kind) {
    case CRegistryListDlg::kGuests: return GuestLayout();
    case CRegistryListDlg::kCompanies: return CompanyLayout();
    case CRegistryListDlg::kConventions: break;
    }
    return ConventionLayout();
}

bool AskYesNo(QWidget* parent, unsigned question)
{
    return LodgixMessageBox(parent, question, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace

CRegistryListDlg::CRegistryListDlg(Kind kind, CHotelDatabase& database, MessageTarget* owner, QWidget* parent)
    : CLodgixDialog(parent), m_kind(kind), m_database(database), m_owner(owner), m_list(new CSortListCtrl(this))
{
    setObjectName(QStringLiteral("CRegistryListDlg"));
    const KindLayout layout = LayoutOf(kind);
    setWindowTitle(LoadResString(layout.title));
    m_list->setObjectName(Id(kList));
    m_list->setMinimumSize(kListWidth, kListHeight);
    m_list->setAllColumnsShowFocus(true);
    ShowGridLines(*m_list);
    SetListColumns(*m_list, layout.columns, layout.parts, kListWidth);
    QPushButton* add = AddButton(this, kNew, LoadResString(layout.newText));
    m_delete = AddButton(this, kDelete, LoadResString(kDeleteString));
    m_modify = AddButton(this, kModify, LoadResString(kModifyString));
    m_save = AddButton(this, kSave, LoadResString(kSaveString));
    connect(add, &QPushButton::clicked, this, &CRegistryListDlg::OnNew);
    connect(m_delete, &QPushButton::clicked, this, &CRegistryListDlg::OnDelete);
    connect(m_modify, &QPushButton::clicked, this, &CRegistryListDlg::OnModify);
    connect(m_save, &QPushButton::clicked, this, [this] { ExportListToFile(this, *m_list, TextColumns()); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CRegistryListDlg::UpdateButtons);

    auto buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(m_modify);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_save);
    auto main = new QVBoxLayout(this);
    main->addWidget(m_list);
    main->addLayout(buttons);
    Fill();
}

std::vector<bool> CRegistryListDlg::TextColumns() const
{
    std::vector<bool> flags(static_cast<std::size_t>(m_list->columnCount()), false);
    for (int column : LayoutOf(m_kind).textColumns)
        flags[static_cast<std::size_t>(column)] = true;
    return flags;
}

void CRegistryListDlg::Fill()
{
    SortListRowSink rows(*m_list);
    switch (m_kind) {
    case kGuests: m_database.FillGuestList(rows); break;
    case kCompanies: m_database.FillCompanyList(rows); break;
    case kConventions: m_database.FillConventionList(rows); break;
    }
    ShowWholeTextsAsTips(*m_list);
    m_list->clearSelection();
    m_delete->setEnabled(false);
    m_modify->setEnabled(false);
    m_save->setEnabled(m_list->ItemCount() > 0);
}

int CRegistryListDlg::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CRegistryListDlg::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    m_delete->setEnabled(selected);
    m_modify->setEnabled(selected);
}

void CRegistryListDlg::done(int result)
{
    QDialog::done(result);
    if (m_owner)
        m_owner->Post(kClosedMessage, 0, 0);
}

bool CRegistryListDlg::StoreCompany(int id, const CompanyRecord& company)
{
    CompanyRecord stored = company;
    int newId = 0;
    const int result = id == 0 ? m_database.InsertCompany(stored, newId) : m_database.UpdateCompany(id, stored);
    if (result == kNoError)
        return true;
    // A refused tax code comes back with the company that holds it.
    if (result == kDbRecordSelection)
        LodgixMessageBox(this, LoadResString(kDuplicateTaxCodeString) + u' ' + stored.companyName, QMessageBox::Critical);
    else
        LodgixMessageBox(this, kGuestInsertFailedString, QMessageBox::Critical);
    return false;
}

void CRegistryListDlg::OnNew()
{
    bool stored = false;
    if (m_kind == kGuests) {
        CGuestDataDlg dialog(GuestRecord(), m_database, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        int id = 0;
        stored = m_database.InsertGuest(dialog.Record(), id) == kNoError;
        if (!stored)
            LodgixMessageBox(this, kGuestInsertFailedString, QMessageBox::Critical);
    } else if (m_kind == kCompanies) {
        CCompanyDataDlg dialog(CompanyRecord(), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        stored = StoreCompany(0, dialog.Record());
    } else {
        ConventionRecord convention;
        CConventionDlg dialog(convention, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        stored = m_database.InsertConvention(convention) == kNoError;
        if (!stored)
            LodgixMessageBox(this, kConventionSaveFailedString, QMessageBox::Critical);
    }
    if (stored)
        Fill();
}

void CRegistryListDlg::OnModify()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const int id = static_cast<int>(m_list->ItemData(row));
    bool stored = false;
    // The record is read again by its key: the list shows texts, and a date of birth is a date.
    if (m_kind == kGuests) {
        GuestRecord guest;
        if (!m_database.LoadGuest(id, guest))
            return;
        CGuestDataDlg dialog(guest, m_database, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        stored = m_database.UpdateGuest(id, dialog.Record()) == kNoError;
        if (!stored)
            LodgixMessageBox(this, kGuestUpdateFailedString, QMessageBox::Critical);
    } else if (m_kind == kCompanies) {
        CompanyRecord company;
        if (!m_database.LoadCompany(id, company))
            return;
        CCompanyDataDlg dialog(company, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        stored = StoreCompany(id, dialog.Record());
    } else {
        ConventionRecord convention;
        if (m_database.LoadConvention(id, convention) != kNoError)
            return;
        CConventionDlg dialog(convention, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        stored = m_database.UpdateConvention(id, convention) == kNoError;
        if (!stored)
            LodgixMessageBox(this, kConventionSaveFailedString, QMessageBox::Critical);
    }
    if (stored)
        Fill();
}

void CRegistryListDlg::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const int id = static_cast<int>(m_list->ItemData(row));
    const unsigned questions[] = {kDeleteGuestQuestionString, kDeleteCompanyQuestionString,
                                  kDeleteConventionQuestionString};
    if (AskYesNo(this, questions[m_kind])) {
        switch (m_kind) {
        case kGuests: m_database.DeleteGuest(id); break;
        case kCompanies: m_database.DeleteCompany(id); break;
        case kConventions: m_database.DeleteConvention(id); break;
        }
    }
    Fill();
}

}  // namespace lodgix
