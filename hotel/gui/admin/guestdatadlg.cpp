#include "guestdatadlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "hoteldatabase.h"
#include "lodgixmessagebox.h"
#include "rowsink.h"
#include "stringtable.h"

#include <QLabel>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace lodgix {

namespace {

constexpr int kDocumentTypeLabel = 1080;
constexpr int kBirthDateLabel = 1038;
constexpr int kConventionLabel = 1088;
constexpr int kFieldsPerColumn = 9;
const QDate kDefaultBirthDate(1980, 1, 1);

// The agreements' labels as the combo's entries.
class ComboRows : public RowSink {
public:
    explicit ComboRows(QComboBox& combo) : m_combo(combo) {}
    void DeleteAll() override { m_combo.clear(); }
    void Append(const QStringList& texts, qint64 itemData) override { m_combo.addItem(texts.value(0), itemData); }

private:
    QComboBox& m_combo;
};

}  // namespace

const std::vector<CGuestDataDlg::Field>& CGuestDataDlg::Fields()
{
    static const std::vector<Field> fields = {
        {kName, 1055, kGuestNameString, true, &GuestRecord::name},
        {1058, 1057, kAddressString, true, &GuestRecord::address},
        {1060, 1059, kCityString, true, &GuestRecord::city},
        {1062, 1061, kProvinceString, true, &GuestRecord::province},
        {1064, 1063, kPostCodeString, false, &GuestRecord::postCode},
        {1066, 1065, kCountryString, true, &GuestRecord::country},
        {1068, 1067, kHomePhoneString, false, &GuestRecord::phone1},
        {1070, 1069, kMobilePhoneString, false, &GuestRecord::phone2},
        {1072, 1071, kOfficePhoneString, false, &GuestRecord::phone3},
        {1074, 1073, kEmailString, false, &GuestRecord::email},
        {1078, 1077, kDocumentNumberString, true, &GuestRecord::documentNumber},
        {1076, 1075, kIssuedByString, true, &GuestRecord::issuedBy},
        {1082, 1083, kBirthPlaceString, true, &GuestRecord::birthPlace},
        {1017, 1034, kCountryString, true, &GuestRecord::birthCountry},
        {1084, 1085, kTaxCodeString, false, &GuestRecord::taxCode},
    };
    return fields;
}

CGuestDataDlg::CGuestDataDlg(const GuestRecord& guest, CHotelDatabase& database, QWidget* parent)
    : CLodgixDialog(parent), m_guest(guest), m_documentType(new QComboBox(this)), m_birthDate(new QDateEdit(this)),
      m_convention(new QComboBox(this))
{
    setObjectName(QStringLiteral("CGuestDataDlg"));
    // The same title for a new customer and a changed one.
    setWindowTitle(LoadResString(kNewGuestString));
    auto grid = new QGridLayout;
    auto place = [&](QWidget* label, QWidget* control, int index) {
        const int column = 2 * (index / kFieldsPerColumn);
        grid->addWidget(label, index % kFieldsPerColumn, column);
        grid->addWidget(control, index % kFieldsPerColumn, column + 1);
    };
    int index = 0;
    for (const Field& field : Fields()) {
        QLineEdit* edit = AddEdit(this, field.edit, kTextLength);
        edit->setText(guest.*field.member);
        edit->setMinimumWidth(200);
        const QString text = LoadResString(field.text);
        place(AddLabel(this, field.label, field.required ? Required(text) : text), edit, index++);
        m_edits.emplace_back(edit, &field);
        if (field.member == &GuestRecord::email) {
            m_documentType->setObjectName(Id(kDocumentType));
            m_documentType->setEditable(true);
            m_documentType->lineEdit()->setMaxLength(kTextLength);
            m_documentType->addItems({LoadResString(kIdentityCardString), LoadResString(kDrivingLicenceString),
                                      LoadResString(kPassportString)});
            m_documentType->setCurrentText(guest.documentType.isEmpty() ? LoadResString(kIdentityCardString)
                                                                        : guest.documentType);
            place(AddLabel(this, kDocumentTypeLabel, Required(LoadResString(kDocumentTypeString))), m_documentType,
                  index++);
        } else if (field.member == &GuestRecord::issuedBy) {
            m_birthDate->setObjectName(Id(kBirthDate));
            m_birthDate->setCalendarPopup(true);
            // The locale's short date with the century: a date of birth needs all four digits.
            QString format = QLocale().dateFormat(QLocale::ShortFormat);
            if (!format.contains(QLatin1String("yyyy")))
                format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
            m_birthDate->setDisplayFormat(format);
            m_birthDate->setDate(guest.dateOfBirth.isValid() ? guest.dateOfBirth : kDefaultBirthDate);
            place(AddLabel(this, kBirthDateLabel, Required(LoadResString(kBirthDateString))), m_birthDate, index++);
        }
    }
    m_convention->setObjectName(Id(kConvention));
    place(AddLabel(this, kConventionLabel, LoadResString(kConventionTitleString)), m_convention, index++);
    FillConventions(database);

    QHBoxLayout* buttons = OkCancelRow(this, kOk, kCancel, [this] { OnOk(); });
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    m_edits.front().first->setFocus();
}

void CGuestDataDlg::FillConventions(CHotelDatabase& database)
{
    ComboRows rows(*m_convention);
    database.FillConventionCombo(rows, LoadResString(kNoConventionString));
    if (m_convention->count() == 0)
        m_convention->addItem(LoadResString(kNoConventionString), 0);
    // An agreement that is no longer listed leaves the first entry chosen.
    const int found = m_guest.conventionName.isEmpty() ? -1 : m_convention->findText(m_guest.conventionName, Qt::MatchExactly);
    m_convention->setCurrentIndex(found >= 0 ? found : 0);
}

void CGuestDataDlg::OnOk()
{
    bool missing = m_documentType->currentText().isEmpty();
    for (const auto& [edit, field] : m_edits)
        missing = missing || (field->required && edit->text().isEmpty());
    if (missing) {
        LodgixMessageBox(this, kMissingDataString, QMessageBox::Critical);
        return;
    }
    for (const auto& [edit, field] : m_edits)
        m_guest.*field->member = edit->text();
    m_guest.documentType = m_documentType->currentText();
    m_guest.dateOfBirth = m_birthDate->date();
    // The first entry stands for no agreement.
    m_guest.conventionName = m_convention->currentData().toInt() != 0 ? m_convention->currentText() : QString();
    accept();
}

}  // namespace lodgix
