#include "hotelconfigdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "configlistdlg.h"
#include "engineerrorcode.h"
#include "extensionchoices.h"
#include "gridlines.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "numericedit.h"
#include "seasonpricesdlg.h"
#include "stringtable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>

namespace lodgix {

namespace {

constexpr int kFirstHotelLabel = 1021;
constexpr int kRoomCountLabel = 1035;
constexpr int kHotelTextLength = 63;
constexpr int kGridWidth = 660;
constexpr int kListWidth = 320;
constexpr int kListMargin = 2;
constexpr int kDefaultServices[] = {1, 6, 7};
constexpr Season kSeasons[] = {Season::kLow, Season::kMedium, Season::kHigh};
// The grid's price columns, after the season names: overnight only, bed and breakfast, half board, full board.
constexpr Treatment kGridTreatments[] = {Treatment::kOvernight, Treatment::kBedAndBreakfast, Treatment::kHalfBoard,
                                         Treatment::kFullBoard};

QTreeWidget* ServiceList(QWidget* parent, int id, const QStringList& headings)
{
    auto list = new QTreeWidget(parent);
    list->setObjectName(CLodgixDialog::Id(id));
    list->setRootIsDecorated(false);
    list->setHeaderLabels(headings);
    ShowGridLines(*list);
    list->setFixedWidth(kListWidth);
    const int width = (kListWidth - 2 * kListMargin) / static_cast<int>(headings.size());
    for (int column = 0; column < headings.size(); ++column)
        list->setColumnWidth(column, width);
    return list;
}

}  // namespace

RoomRecord CHotelConfigDlg::DefaultRoom()
{
    RoomRecord room;
    room.bedrooms = 2;
    room.vat = VatRate::FromHundredths(2000);
    room.quality = 3;
    room.services.assign(std::begin(kDefaultServices), std::end(kDefaultServices));
    return room;
}

CHotelConfigDlg::CHotelConfigDlg(CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_database(database), m_rooms(kMaxRooms, DefaultRoom()),
      m_pages(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("CHotelConfigDlg"));
    m_pages->addWidget(BuildHotelPage());
    m_pages->addWidget(BuildRoomPage());
    m_back = AddButton(this, kBack, QString());
    m_next = AddButton(this, kNext, QString());
    connect(m_back, &QPushButton::clicked, this, &CHotelConfigDlg::OnBack);
    connect(m_next, &QPushButton::clicked, this, &CHotelConfigDlg::OnNext);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    ShowPage();
}

QWidget* CHotelConfigDlg::BuildHotelPage()
{
    auto page = new QWidget(this);
    auto grid = new QGridLayout(page);
    const QString phone = LoadResString(kPhoneString);
    const QString email = LoadResString(kEmailString);
    const QString labels[] = {Required(LoadResString(kHotelNameString)),
                              LoadResString(kAddressString),
                              LoadResString(kCityString),
                              LoadResString(kProvinceString),
                              LoadResString(kPostCodeString),
                              Required(LoadResString(kCountryString)),
                              phone + QStringLiteral(" 1"),
                              phone + QStringLiteral(" 2"),
                              phone + QStringLiteral(" 3"),
                              LoadResString(kWebAddressString),
                              email + QStringLiteral(" 1"),
                              email + QStringLiteral(" 2"),
                              Required(LoadResString(kCompanyNameOfHotelString)),
                              Required(LoadResString(kVatNumberString))};
    for (int i = 0; i < static_cast<int>(m_hotelTexts.size()); ++i) {
        QLineEdit* edit = AddEdit(page, kFirstHotelText + i, kHotelTextLength);
        edit->setMinimumWidth(240);
        m_hotelTexts[static_cast<std::size_t>(i)] = edit;
        grid->addWidget(AddLabel(page, kFirstHotelLabel + i, labels[i]), i % 7, 2 * (i / 7));
        grid->addWidget(edit, i % 7, 2 * (i / 7) + 1);
    }
    m_roomCountEdit = AddNumber(page, kRoomCount, 1, kMaxRooms, m_roomCount, true);
    grid->addWidget(AddLabel(page, kRoomCountLabel, Required(LoadResString(kRoomCountString))), 7, 0);
    grid->addWidget(m_roomCountEdit, 7, 1);
    grid->setRowStretch(8, 1);
    return page;
}

QWidget* CHotelConfigDlg::BuildRoomPage()
{
    auto page = new QWidget(this);
    m_roomNumber = AddEdit(page, kRoomNumber, RoomRecord::kLabelLength);
    m_beds = AddNumber(page, kBeds, 1, 100, 2, true);
    m_pbx = new QComboBox(page);
    m_pbx->setObjectName(Id(kPbx));
    for (int pbx = 0; pbx < m_database.PbxCount(); ++pbx)
        m_pbx->addItem(m_database.PbxIdentifier(pbx));
    m_extension = new QComboBox(page);
    m_extension->setObjectName(Id(kExtension));
    m_extension->setMaxVisibleItems(20);
    m_vat = AddNumber(page, kVat, 0, 1000000, 20);
    m_quality = AddNumber(page, kQuality, 1, 5, 3, true);
    connect(m_pbx, &QComboBox::activated, this, [this](int pbx) {
        FillExtensions(pbx);
        m_extension->setCurrentIndex(0);
    });

    auto fields = new QGridLayout;
    const std::pair<int, QString> labels[] = {{1037, Required(LoadResString(kRoomNumberString))},
                                              {1039, LoadResString(kBedsString)},
                                              {1041, LoadResString(kPbxString)},
                                              {1043, LoadResString(kExtensionString)},
                                              {1053, LoadResString(kVatString)},
                                              {1057, LoadResString(kQualityString)}};
    QWidget* controls[] = {m_roomNumber, m_beds, m_pbx, m_extension, m_vat, m_quality};
    for (int i = 0; i < 6; ++i) {
        fields->addWidget(AddLabel(page, labels[i].first, labels[i].second), i / 2, 4 * 0 + 2 * (i % 2));
        fields->addWidget(controls[i], i / 2, 2 * (i % 2) + 1);
    }

    m_grid = new QTableWidget(3, 5, page);
    m_grid->setObjectName(Id(kPriceGrid));
    m_grid->setHorizontalHeaderLabels({LoadResString(kPriceString), LoadResString(kOvernightString),
                                       LoadResString(kBedAndBreakfastString), LoadResString(kHalfBoardString),
                                       LoadResString(kFullBoardString)});
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setFixedWidth(kGridWidth);
    m_grid->horizontalHeader()->setMinimumSectionSize(10);
    for (int column = 0; column < 5; ++column)
        m_grid->setColumnWidth(column, (kGridWidth - 2 * kListMargin) / 5);
    for (int row = 0; row < 3; ++row) {
        auto season = new QTableWidgetItem(CSeasonPricesDlg::SeasonName(kSeasons[row]));
        season->setFlags(season->flags() & ~Qt::ItemIsEditable);
        m_grid->setItem(row, 0, season);
        for (int column = 1; column < 5; ++column)
            m_grid->setItem(row, column, new QTableWidgetItem);
    }
    m_grid->setFixedHeight(m_grid->horizontalHeader()->sizeHint().height() + 3 * m_grid->rowHeight(0) + 4);
    m_modifyPrices = AddButton(page, kModifyPrices, LoadResString(kModifyPricesString));
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_modifyPrices->setEnabled(!m_grid->selectedItems().isEmpty()); });
    connect(m_modifyPrices, &QPushButton::clicked, this, &CHotelConfigDlg::OnModifyPrices);

    m_optional = ServiceList(page, kOptionalServices,
                             {LoadResString(kServiceNameString), LoadResString(kExtraPriceString)});
    m_features = ServiceList(page, kFeatures, {LoadResString(kFeatureNameString)});
    QPushButton* modifyOptional = AddButton(page, kModifyOptionalServices, LoadResString(kModifyString));
    QPushButton* modifyFeatures = AddButton(page, kModifyFeatures, LoadResString(kModifyString));
    connect(modifyOptional, &QPushButton::clicked, this, [this] { OnModifyServices(true); });
    connect(modifyFeatures, &QPushButton::clicked, this, [this] { OnModifyServices(false); });
    auto lists = new QGridLayout;
    lists->addWidget(AddLabel(page, 1055, LoadResString(kOptionalServicesString)), 0, 0);
    lists->addWidget(modifyOptional, 0, 1, Qt::AlignRight);
    lists->addWidget(m_optional, 1, 0, 1, 2);
    lists->addWidget(AddLabel(page, 1054, LoadResString(kFeaturesString)), 0, 2);
    lists->addWidget(modifyFeatures, 0, 3, Qt::AlignRight);
    lists->addWidget(m_features, 1, 2, 1, 2);

    auto prices = new QHBoxLayout;
    prices->addWidget(m_grid);
    prices->addWidget(m_modifyPrices, 0, Qt::AlignTop);
    prices->addStretch();
    auto layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addLayout(prices);
    layout->addLayout(lists);
    return page;
}

void CHotelConfigDlg::SetRooms(const std::vector<RoomRecord>& rooms)
{
    const std::size_t count = std::min(rooms.size(), m_rooms.size());
    std::copy_n(rooms.begin(), count, m_rooms.begin());
}

void CHotelConfigDlg::SetPage(int page)
{
    m_page = page;
    m_pageCount = m_roomCount;
    ShowPage();
}

std::vector<RoomRecord> CHotelConfigDlg::Rooms() const
{
    const auto count = static_cast<std::size_t>(std::clamp(m_roomCount, 0, kMaxRooms));
    return {m_rooms.begin(), m_rooms.begin() + static_cast<std::ptrdiff_t>(count)};
}

void CHotelConfigDlg::ShowPage()
{
    const bool hotelPage = m_page == 0;
    if (IsNewHotel()) {
        const bool last = !hotelPage && m_page >= m_pageCount;
        m_back->setText(LoadResString(kBackString));
        m_back->setEnabled(!hotelPage);
        m_next->setText(LoadResString(last ? kFinishString : kNextString));
    } else {
        m_back->setText(LoadResString(kCancelString));
        m_back->setEnabled(true);
        m_next->setText(LoadResString(kOkButtonString));
    }
    if (hotelPage)
        setWindowTitle(LoadResString(IsNewHotel() ? kHotelNewTitleString : kHotelEditTitleString));
    else
        setWindowTitle(LoadResString(kRoomConfigurationString) + u' ' + QString::number(m_page));
    m_pages->setCurrentIndex(hotelPage ? 0 : 1);
    if (hotelPage) {
        for (std::size_t i = 0; i < m_hotelTexts.size(); ++i)
            m_hotelTexts[i]->setText(m_hotel.*HotelRecord::Columns()[i].field);
        m_roomCountEdit->SetValue(m_roomCount);
        // The rooms of an existing hotel are added and removed one by one, from the view.
        m_roomCountEdit->setEnabled(IsNewHotel());
        m_hotelTexts[0]->setFocus();
    } else {
        LoadRoomPage();
        m_roomNumber->setFocus();
    }
}

void CHotelConfigDlg::LoadRoomPage()
{
    const RoomRecord& room = m_rooms[static_cast<std::size_t>(m_page - 1)];
    m_roomNumber->setText(room.label);
    m_beds->SetValue(room.bedrooms);
    m_pbx->setCurrentIndex(room.pbx);
    FillExtensions(room.pbx);
    m_extension->setCurrentIndex(room.extension);
    m_quality->SetValue(room.quality);
    for (int row = 0; row < 3; ++row) {
        for (int column = 1; column < 5; ++column)
            m_grid->item(row, column)->setText(room.prices.Price(kSeasons[row], kGridTreatments[column - 1]).Text());
    }
    m_grid->clearSelection();
    m_modifyPrices->setEnabled(false);
    m_vat->SetValue(RateValue(room.vat));
    FillServiceLists();
}

void CHotelConfigDlg::FillExtensions(int pbx)
{
    m_extension->clear();
    m_extension->addItems(ExtensionChoices(m_database, pbx));
}

void CHotelConfigDlg::FillServiceLists()
{
    m_optional->clear();
    m_features->clear();
    for (int id : m_rooms[static_cast<std::size_t>(m_page - 1)].services) {
        const QString name = m_database.GetRoomServiceName(id);
        if (name.isEmpty())
            continue;
        const Money price = m_database.GetRoomServicePrice(id);
        auto item = price.IsZero() ? new QTreeWidgetItem(m_features, {name})
                                   : new QTreeWidgetItem(m_optional, {name, price.Text()});
        item->setData(0, Qt::UserRole, id);
    }
}

void CHotelConfigDlg::StoreHotelPage()
{
    for (std::size_t i = 0; i < m_hotelTexts.size(); ++i)
        m_hotel.*HotelRecord::Columns()[i].field = m_hotelTexts[i]->text();
    m_roomCount = static_cast<int>(m_roomCountEdit->GetValue());
}

void CHotelConfigDlg::StoreRoomPage()
{
    RoomRecord& room = m_rooms[static_cast<std::size_t>(m_page - 1)];
    room.label = m_roomNumber->text().left(RoomRecord::kLabelLength);
    room.bedrooms = static_cast<int>(m_beds->GetValue());
    room.pbx = std::max(m_pbx->currentIndex(), 0);
    room.extension = std::max(m_extension->currentIndex(), 0);
    for (int row = 0; row < 3; ++row) {
        for (int column = 1; column < 5; ++column) {
            Money price;  // a cell that is no amount counts as 0
            Money::FromText(m_grid->item(row, column)->text().trimmed(), price);
            room.prices.Price(kSeasons[row], kGridTreatments[column - 1]) = price;
        }
    }
    room.vat = RateOf(m_vat->GetValue());
    room.quality = static_cast<int>(m_quality->GetValue());
}

bool CHotelConfigDlg::HotelTextsComplete() const
{
    return !m_hotel.name.isEmpty() && !m_hotel.country.isEmpty() && !m_hotel.companyName.isEmpty() &&
           !m_hotel.vatNumber.isEmpty();
}

bool CHotelConfigDlg::Ask(unsigned question)
{
    return LodgixMessageBox(this, question, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void CHotelConfigDlg::OnNext()
{
    if (m_page == 0) {
        StoreHotelPage();
        if (!HotelTextsComplete()) {
            LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
            return;
        }
        if (IsNewHotel()) {
            m_pageCount = m_roomCount;
            m_page = 1;
            ShowPage();
            return;
        }
        if (!Ask(kConfirmDataString))
            return;
        if (m_database.UpdateHotel(m_hotelId, m_hotel, m_roomCount) != kNoError) {
            LodgixMessageBox(this, kHotelSaveFailedString, QMessageBox::Critical);
            return;
        }
        accept();
        return;
    }
    if (m_roomNumber->text().isEmpty()) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    StoreRoomPage();
    if (IsNewHotel() && m_page < m_pageCount) {
        if (m_page == 1 && Ask(kCopyPricesQuestionString)) {
            for (std::size_t i = 1; i < m_rooms.size(); ++i)
                m_rooms[i].prices = m_rooms[0].prices;
        }
        ++m_page;
        ShowPage();
        return;
    }
    if (!Ask(kConfirmDataString))
        return;
    if (IsNewHotel() ? SaveNewHotel() : SaveRoom()) {
        accept();
        return;
    }
    LodgixMessageBox(this, kHotelSaveFailedString, QMessageBox::Critical);
}

bool CHotelConfigDlg::SaveNewHotel()
{
    int id = 0;
    // The hotel and its rooms stand or fall together: a failed save leaves nothing behind, and the
    // operator can correct the page and save again.
    if (m_database.CreateHotel(m_hotel, Rooms(), id) != kNoError)
        return false;
    std::vector<RoomRecord> stored;
    if (m_database.LoadRooms(id, stored) != kNoError)
        return false;
    m_hotelId = id;
    m_roomCount = static_cast<int>(stored.size());
    SetRooms(stored);
    return true;
}

bool CHotelConfigDlg::SaveRoom()
{
    const RoomRecord& room = m_rooms[static_cast<std::size_t>(m_page - 1)];
    const int result = room.id == 0 ? m_database.InsertRoom(m_hotelId, room) : m_database.UpdateRoom(m_hotelId, room);
    std::vector<RoomRecord> stored;
    if (result != kNoError || m_database.LoadRooms(m_hotelId, stored) != kNoError)
        return false;
    m_roomCount = static_cast<int>(stored.size());
    SetRooms(stored);
    return true;
}

void CHotelConfigDlg::OnBack()
{
    if (!IsNewHotel()) {
        reject();
        return;
    }
    if (m_page == 0)
        return;
    --m_page;
    ShowPage();
}

void CHotelConfigDlg::OnModifyServices(bool optional)
{
    QTreeWidget* list = optional ? m_optional : m_features;
    std::vector<int> shown;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        shown.push_back(list->topLevelItem(row)->data(0, Qt::UserRole).toInt());
    CConfigListDlg dialog(optional ? CConfigListDlg::kChooseOptionalServices : CConfigListDlg::kChooseFeatures,
                          m_database, this);
    dialog.SetChosen(shown);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<int>& services = m_rooms[static_cast<std::size_t>(m_page - 1)].services;
    std::erase_if(services, [&](int id) { return m_database.GetRoomServicePrice(id).IsZero() != optional; });
    for (int id : dialog.Chosen()) {
        if (services.size() < static_cast<std::size_t>(RoomRecord::kMaxServices) &&
            std::find(services.begin(), services.end(), id) == services.end())
            services.push_back(id);
    }
    FillServiceLists();
}

void CHotelConfigDlg::OnModifyPrices()
{
    const QList<QTableWidgetItem*> selected = m_grid->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = selected.first()->row();
    CSeasonPricesDlg::Prices prices;
    for (int column = 1; column < 5; ++column)
        Money::FromText(m_grid->item(row, column)->text().trimmed(), prices[static_cast<std::size_t>(column - 1)]);
    CSeasonPricesDlg dialog(kSeasons[row], prices, this);
    if (dialog.exec() == QDialog::Accepted) {
        for (int column = 1; column < 5; ++column)
            m_grid->item(row, column)->setText(dialog.Result()[static_cast<std::size_t>(column - 1)].Text());
    }
    m_grid->clearSelection();
    m_modifyPrices->setEnabled(false);
}

}  // namespace lodgix
