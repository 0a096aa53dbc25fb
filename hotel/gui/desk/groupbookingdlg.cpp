#include "groupbookingdlg.h"

#include "gridlines.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "messagetarget.h"
#include "numericedit.h"
#include "rowsink.h"
#include "stringtable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lodgix {

namespace {

constexpr unsigned kTitleText = 2258;
constexpr unsigned kFromText = 2141;
constexpr unsigned kNightsText = 2105;
constexpr unsigned kQualityText = 2087;
constexpr unsigned kBedsText = 2018;
constexpr unsigned kFeaturesText = 2276;
constexpr unsigned kFeatureColumnText = 2273;
constexpr unsigned kServicesText = 2277;
constexpr unsigned kServiceColumnText = 2025;
constexpr unsigned kExtraPriceText = 2026;
constexpr unsigned kNoConditionText = 2259;  // .. 2262 equal
constexpr unsigned kDatesWrongText = 2096;
constexpr unsigned kCancelText = 2047;
constexpr unsigned kOkText = 19001;
constexpr unsigned kNameText = 2062;
constexpr unsigned kContactText = 2092;
constexpr unsigned kNotesText = 2095;
constexpr unsigned kSelectedText = 2265;
constexpr unsigned kRoomText = 2033;
constexpr unsigned kDailyPriceText = 2125;
constexpr unsigned kTreatmentLabelText = 2111;
constexpr unsigned kFirstTreatmentText = 2112;  // .. 2116 other
constexpr unsigned kBookText = 2266;
constexpr unsigned kMissingDataText = 2037;
constexpr unsigned kConfirmText = 2039;
constexpr std::uint32_t kRecountMessage = WM_USER + 104;
constexpr int kMaxNights = 100;
constexpr int kMaxText = 63;
constexpr int kMaxNotes = 255;
constexpr int kListWidth = 420;
constexpr int kListHeight = 140;
constexpr int kListSide = 2;  // the columns leave this much of the list free on each side

QLabel* Label(QWidget* parent, const QString& text, int id)
{
    auto label = new QLabel(text, parent);
    label->setObjectName(CLodgixDialog::Id(id));
    return label;
}

QPushButton* Button(QWidget* parent, unsigned text, int id)
{
    auto button = new QPushButton(LoadResString(text), parent);
    button->setObjectName(CLodgixDialog::Id(id));
    button->setAutoDefault(false);
    return button;
}

CNumericEdit* Number(QWidget* parent, int id, int minimum, int maximum, int value)
{
    auto edit = new CNumericEdit(parent);
    edit->setObjectName(CLodgixDialog::Id(id));
    edit->SetFormat(CNumericEdit::kInteger, 0, 0);
    edit->SetRangeAndValue(minimum, maximum, value);
    return edit;
}

QTreeWidget* CheckList(QWidget* parent, int id)
{
    auto list = new QTreeWidget(parent);
    list->setObjectName(CLodgixDialog::Id(id));
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    ShowGridLines(*list);
    list->setMinimumSize(kListWidth, kListHeight);
    return list;
}

// A query's rows as unticked rows of a check list, each with its key.
class CheckRows : public RowSink {
public:
    explicit CheckRows(QTreeWidget& list) : m_list(list) {}
    void DeleteAll() override { m_list.clear(); }
    void Append(const QStringList& texts, qint64 itemData) override
    {
        auto item = new QTreeWidgetItem(&m_list, texts.mid(0, m_list.columnCount()));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, Qt::UserRole, itemData);
        for (int column = 1; column < m_list.columnCount(); ++column)
            item->setTextAlignment(column, Qt::AlignCenter);
    }

private:
    QTreeWidget& m_list;
};

void AddTicked(const QTreeWidget& list, std::vector<int>& ids)
{
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        if (list.topLevelItem(row)->checkState(0) == Qt::Checked)
            ids.push_back(list.topLevelItem(row)->data(0, Qt::UserRole).toInt());
}

QComboBox* ComparisonCombo(QWidget* parent, int id)
{
    auto combo = new QComboBox(parent);
    combo->setObjectName(CLodgixDialog::Id(id));
    for (unsigned text = kNoConditionText; text <= kNoConditionText + 3; ++text)
        combo->addItem(LoadResString(text));
    return combo;
}

}  // namespace

CGroupBookingDlg::CGroupBookingDlg(GroupSearchRecord& search, CHotelDatabase* database, QWidget* parent)
    : CLodgixDialog(parent), m_search(search)
{
    setObjectName(Id(kDialogId));
    setWindowTitle(LoadResString(kTitleText));
    m_firstNight = new QDateEdit(QDate::currentDate(), this);
    m_firstNight->setObjectName(Id(kFirstNight));
    m_firstNight->setCalendarPopup(true);
    m_nights = Number(this, kNights, 1, kMaxNights, 1);
    m_qualityComparison = ComparisonCombo(this, kQualityComparison);
    m_quality = Number(this, kQuality, 1, 5, 3);
    m_bedsComparison = ComparisonCombo(this, kBedsComparison);
    m_beds = Number(this, kBeds, 1, kMaxNights, 2);
    for (const auto& pair : {std::pair{m_qualityComparison, m_quality}, std::pair{m_bedsComparison, m_beds}}) {
        QComboBox* combo = pair.first;
        CNumericEdit* edit = pair.second;
        edit->setEnabled(false);
        connect(combo, &QComboBox::activated, edit, [edit, combo] { edit->setEnabled(combo->currentIndex() != 0); });
    }
    m_features = CheckList(this, kFeatures);
    m_features->setHeaderLabels({LoadResString(kFeatureColumnText)});
    m_services = CheckList(this, kServices);
    m_services->setHeaderLabels({LoadResString(kServiceColumnText), LoadResString(kExtraPriceText)});
    m_services->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    m_features->setColumnWidth(0, kListWidth - 2 * kListSide);
    m_services->setColumnWidth(0, (kListWidth - 2 * kListSide) / 2);
    m_services->setColumnWidth(1, (kListWidth - 2 * kListSide) / 2);
    if (database) {
        CheckRows features(*m_features);
        database->FillRoomFeatureList(features);
        CheckRows services(*m_services);
        database->FillOptionalServiceList(services);
    }
    auto ok = Button(this, kOkText, kOk);
    auto cancel = Button(this, kCancelText, kCancel);
    connect(ok, &QPushButton::clicked, this, &CGroupBookingDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto fields = new QGridLayout;
    fields->addWidget(Label(this, LoadResString(kFromText), 1320), 0, 0);
    fields->addWidget(m_firstNight, 0, 1);
    fields->addWidget(Label(this, LoadResString(kNightsText), 1380), 0, 2);
    fields->addWidget(m_nights, 0, 3);
    fields->addWidget(Label(this, LoadResString(kQualityText), 1325), 1, 0);
    fields->addWidget(m_qualityComparison, 1, 1);
    fields->addWidget(m_quality, 1, 3);
    fields->addWidget(Label(this, LoadResString(kBedsText), 1322), 2, 0);
    fields->addWidget(m_bedsComparison, 2, 1);
    fields->addWidget(m_beds, 2, 3);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Label(this, LoadResString(kFeaturesText), 1331));
    layout->addWidget(m_features);
    layout->addWidget(Label(this, LoadResString(kServicesText), 1333));
    layout->addWidget(m_services);
    layout->addLayout(buttons);
}

void CGroupBookingDlg::OnOk()
{
    for (CNumericEdit* edit : {m_nights, m_quality, m_beds})
        edit->Refresh();
    const QDate today = QDate::currentDate();
    const QDate first = m_firstNight->date();
    const QDate last = first.addDays(static_cast<qint64>(m_nights->GetValue()) - 1);
    if (first > last || first < today) {
        LodgixMessageBox(this, kDatesWrongText, QMessageBox::Critical);
        return;
    }
    m_search.firstNight = OleDate::FromDateTime(first.startOfDay());
    m_search.lastNight = OleDate::FromDateTime(last.startOfDay());
    m_search.qualityComparison = static_cast<quint8>(m_qualityComparison->currentIndex());
    m_search.quality = static_cast<quint8>(m_quality->GetValue());
    m_search.bedsComparison = static_cast<quint8>(m_bedsComparison->currentIndex());
    m_search.beds = static_cast<quint8>(m_beds->GetValue());
    m_search.wantedIds.clear();
    AddTicked(*m_features, m_search.wantedIds);
    AddTicked(*m_services, m_search.wantedIds);
    accept();
}

CRoomSelectDlg::CRoomSelectDlg(std::vector<RoomRecord>& rooms, DailyPrice price, QWidget* parent)
    : CLodgixDialog(parent), m_rooms(rooms), m_price(std::move(price))
{
    setObjectName(Id(kDialogId));
    setWindowTitle(LoadResString(kTitleText));
    auto edit = [this](int id, int length) {
        auto widget = new QLineEdit(this);
        widget->setObjectName(Id(id));
        widget->setMaxLength(length);
        return widget;
    };
    m_name = edit(kName, kMaxText);
    m_contact = edit(kContact, kMaxText);
    m_notes = edit(kNotes, kMaxNotes);
    m_treatmentText = edit(kTreatmentText, kMaxText);
    m_selected = Label(this, LoadResString(kSelectedText) + QStringLiteral(": 0"), kSelectedLabel);
    m_list = CheckList(this, kRooms);
    m_list->setHeaderLabels({LoadResString(kRoomText), LoadResString(kBedsText), LoadResString(kQualityText),
                             LoadResString(kDailyPriceText)});
    const int width = kListWidth - 2 * kListSide;
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column, width / 5);
    m_list->setColumnWidth(3, 2 * width / 5);
    m_treatment = new QComboBox(this);
    m_treatment->setObjectName(Id(kTreatment));
    for (unsigned text = kFirstTreatmentText; text <= kFirstTreatmentText + kOther; ++text)
        m_treatment->addItem(LoadResString(text));
    m_book = Button(this, kBookText, kBook);
    auto cancel = Button(this, kCancelText, kCancel);
    connect(m_treatment, &QComboBox::activated, this, &CRoomSelectDlg::OnTreatmentChosen);
    // The tick changes with the click: the count waits for the posted message, after it.
    auto post = [this] { QtMessageTarget(this).Post(kRecountMessage, 0, 0); };
    connect(m_list, &QTreeWidget::itemClicked, this, post);
    connect(m_list, &QTreeWidget::itemChanged, this, post);
    connect(m_book, &QPushButton::clicked, this, &CRoomSelectDlg::OnBook);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto fields = new QGridLayout;
    fields->addWidget(Label(this, Required(LoadResString(kNameText)), 1335), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(Label(this, Required(LoadResString(kContactText)), 1336), 1, 0);
    fields->addWidget(m_contact, 1, 1);
    fields->addWidget(Label(this, LoadResString(kNotesText), 1341), 2, 0);
    fields->addWidget(m_notes, 2, 1);
    fields->addWidget(Label(this, LoadResString(kTreatmentLabelText), 1361), 3, 0);
    auto treatment = new QHBoxLayout;
    treatment->addWidget(m_treatment);
    treatment->addWidget(m_treatmentText, 1);
    fields->addLayout(treatment, 3, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_book);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_selected);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    OnTreatmentChosen();
}

QString CRoomSelectDlg::Name() const
{
    return m_name->text();
}

QString CRoomSelectDlg::Contact() const
{
    return m_contact->text();
}

QString CRoomSelectDlg::Notes() const
{
    return m_notes->text();
}

QString CRoomSelectDlg::Treatment() const
{
    return m_treatmentText->text();
}

void CRoomSelectDlg::OnTreatmentChosen()
{
    const int treatment = std::max(0, m_treatment->currentIndex());
    const bool other = treatment >= kOther;
    m_treatmentText->setEnabled(other);
    m_treatmentText->setText(other ? QString() : m_treatment->currentText());
    const QSignalBlocker quiet(m_list);  // price rewrites are no ticks
    const bool fill = m_list->topLevelItemCount() == 0;
    for (std::size_t room = 0; room < m_rooms.size(); ++room) {
        Money price;
        if (other || !m_price || !m_price(m_rooms[room].id, treatment, price))
            price = Money();
        if (fill) {
            auto item = new QTreeWidgetItem(m_list, {m_rooms[room].label, QString::number(m_rooms[room].bedrooms),
                                                     QString::number(m_rooms[room].quality), QString()});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
            item->setData(0, Qt::UserRole, static_cast<int>(room));
        }
        m_list->topLevelItem(static_cast<int>(room))->setText(3, price.Text());
    }
    m_book->setEnabled(false);
}

void CRoomSelectDlg::Recount()
{
    int ticked = 0;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        ticked += m_list->topLevelItem(row)->checkState(0) == Qt::Checked ? 1 : 0;
    m_selected->setText(LoadResString(kSelectedText) + QStringLiteral(": ") + QString::number(ticked));
    m_book->setEnabled(ticked != 0);
}

bool CRoomSelectDlg::event(QEvent* event)
{
    if (event->type() == WindowMessageEvent::EventType()) {
        if (static_cast<WindowMessageEvent*>(event)->Message() == kRecountMessage)
            Recount();
        return true;
    }
    return CLodgixDialog::event(event);
}

void CRoomSelectDlg::OnBook()
{
    if (m_name->text().isEmpty() || m_contact->text().isEmpty()) {
        LodgixMessageBox(this, kMissingDataText, QMessageBox::Critical);
        return;
    }
    std::vector<RoomRecord> ticked;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked)
            ticked.push_back(m_rooms[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())]);
    }
    if (ticked.empty())
        return;
    if (LodgixMessageBox(this, kConfirmText, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    m_rooms = std::move(ticked);
    accept();
}

}  // namespace lodgix
