#include "contacteditdlg.h"

#include "dialogbuttons.h"
#include "owncountrycode.h"
#include "pbxdisplaynames.h"
#include "stringtable.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr unsigned kCaption = 10115;
constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kNameMissing = 10097;
constexpr unsigned kNumberMissing = 10098;
constexpr unsigned kLabels[CContactEditDlg::kFields] = {10069, 10070, 10071, 10072, 10073, 10074, 10075, 1227,
                                                        10076, 10077, 10082, 10083, 10080, 10081, 10078, 10079};
constexpr int kFirstNumber = 8;
constexpr int kRowsPerColumn = 8;  // the texts on the left, the eight numbers on the right
constexpr int kEditWidth = 220;

}  // namespace

CContactEditDlg::CContactEditDlg(QWidget* parent) : QDialog(parent), m_fields(kFields)
{
    setObjectName(QStringLiteral("192"));
    setWindowTitle(LoadResString(kCaption));
    auto grid = new QGridLayout;
    for (int field = 0; field < kFields; ++field) {
        auto label = new QLabel(LoadResString(kLabels[field]), this);
        label->setObjectName(QString::number(kEditIds[field] + 1));
        auto edit = new QLineEdit(this);
        edit->setObjectName(QString::number(kEditIds[field]));
        edit->setMaxLength(kMaxLengths[field]);
        edit->setMinimumWidth(kEditWidth);
        label->setBuddy(edit);
        m_edits[field] = edit;
        const int row = field % kRowsPerColumn;
        const int column = field / kRowsPerColumn * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
    }
    QPushButton* ok = IdButton(LoadResString(kOkButtonString), kOk, this);
    ok->setDefault(true);
    QPushButton* cancel = IdButton(LoadResString(kCancelButtonString), kCancel, this);
    connect(ok, &QPushButton::clicked, this, &CContactEditDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow({ok, cancel}));
}

void CContactEditDlg::SetFields(const QStringList& fields)
{
    for (int field = 0; field < kFields; ++field) {
        m_fields[field] = fields.value(field).left(kMaxLengths[field]);
        m_edits[field]->setText(m_fields[field]);
    }
}

void CContactEditDlg::OnOk()
{
    for (int field = 0; field < kFields; ++field)
        m_fields[field] = m_edits[field]->text();
    if (m_fields[0].isEmpty()) {
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kNameMissing));
        return;
    }
    const QString countryCode = OwnCountryCode();
    bool anyNumber = false;
    for (int field = kFirstNumber; field < kFields; ++field) {
        CleanPhoneNumber(m_fields[field], countryCode);
        m_edits[field]->setText(m_fields[field]);
        anyNumber = anyNumber || !m_fields[field].isEmpty();
    }
    if (!anyNumber) {
        QMessageBox::critical(this, LoadResString(kProgramNameString), LoadResString(kNumberMissing));
        return;
    }
    accept();
}
