#include "commonareaeditdlg.h"

#include "admincontrols.h"
#include "adminstrings.h"
#include "lodgixmessagebox.h"
#include "stringtable.h"

#include <QLabel>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace lodgix {

namespace {

constexpr int kNameLabel = 1445;
constexpr int kCodeLabel = 1446;

}  // namespace

QString CCommonAreaEditDlg::CodeText(const QString& typed)
{
    return QString::asprintf("%03d", typed.toInt());
}

CCommonAreaEditDlg::CCommonAreaEditDlg(CommonAreaRecord& area, QWidget* parent)
    : CLodgixDialog(parent), m_area(area), m_name(AddEdit(this, kName, CommonAreaRecord::kLabelLength)),
      m_code(AddEdit(this, kCode, kCodeDigits)), m_free(new QCheckBox(LoadResString(kAreaFreeString), this))
{
    setObjectName(QStringLiteral("CCommonAreaEditDlg"));
    setWindowTitle(LoadResString(area.id != 0 ? kModifyAreaString : kNewAreaString));
    m_code->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_code));
    m_free->setObjectName(Id(kFree));
    m_name->setText(area.label);
    m_code->setText(area.code);
    m_free->setChecked(area.free);
    QHBoxLayout* buttons = OkCancelRow(this, kOk, kCancel, [this] { OnOk(); });

    auto grid = new QGridLayout;
    grid->addWidget(AddLabel(this, kNameLabel, LoadResString(kAreaNameString)), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(AddLabel(this, kCodeLabel, LoadResString(kAreaCodeString)), 1, 0);
    grid->addWidget(m_code, 1, 1);
    grid->addWidget(m_free, 2, 1);
    grid->setColumnMinimumWidth(1, 220);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CCommonAreaEditDlg::OnOk()
{
    if (m_name->text().isEmpty() || m_code->text().isEmpty()) {
        LodgixMessageBox(this, kWrongDataString, QMessageBox::Critical);
        return;
    }
    m_area.free = m_free->isChecked();
    m_area.label = m_name->text();
    m_area.code = CodeText(m_code->text());
    accept();
}

}  // namespace lodgix
