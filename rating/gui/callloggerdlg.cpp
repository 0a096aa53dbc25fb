#include "callloggerdlg.h"

#include "callloggerexport.h"
#include "filedialogfilter.h"
#include "pbxtables.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kCancelString = 1202;
constexpr unsigned kSelectPbxString = 1224;
constexpr unsigned kEnableString = 1248;
constexpr unsigned kPathString = 1249;
constexpr unsigned kTitleString = 1250;
constexpr unsigned kFilterString = 1251;
constexpr unsigned kBadPathString = 1252;
constexpr int kPathEditCharacters = 48;  // room to see a usual path whole
constexpr int kBrowseMargin = 16;        // the button's frame around its three dots

}  // namespace

CCallLoggerDlg::CCallLoggerDlg(CallLoggerSettings* settings, const PbxTables& tables, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(kTitleString));

    m_enabled = new QCheckBox(LoadResString(kEnableString));
    m_enabled->setObjectName(QStringLiteral("1162"));
    m_enabled->setChecked(settings->enabled != 0);

    m_pbx = new QComboBox;
    m_pbx->setObjectName(QStringLiteral("1163"));
    for (int pbx = 0; pbx < tables.PbxCount(); ++pbx)
        if (tables.IsLoaded(pbx))
            m_pbx->addItem(tables.DeviceName(pbx), pbx);
    const int selected = m_pbx->findData(int{settings->pbx});
    m_pbx->setCurrentIndex(selected >= 0 ? selected : 0);
    auto pbxLabel = new QLabel(LoadResString(kSelectPbxString));
    pbxLabel->setObjectName(QStringLiteral("1164"));

    m_path = new QLineEdit(settings->outputPath);
    m_path->setObjectName(QStringLiteral("1165"));
    m_path->setMinimumWidth(m_path->fontMetrics().averageCharWidth() * kPathEditCharacters);
    auto browse = new QPushButton(QStringLiteral("..."));
    browse->setObjectName(QStringLiteral("1166"));
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + kBrowseMargin);
    connect(browse, &QPushButton::clicked, this, &CCallLoggerDlg::Browse);
    auto pathLabel = new QLabel(LoadResString(kPathString));
    pathLabel->setObjectName(QStringLiteral("1169"));

    auto ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1167"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CCallLoggerDlg::TryAccept);
    auto cancel = new QPushButton(LoadResString(kCancelString));
    cancel->setObjectName(QStringLiteral("1168"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto fields = new QGridLayout;
    fields->addWidget(pbxLabel, 0, 0);
    fields->addWidget(m_pbx, 0, 1, 1, 2);
    fields->addWidget(pathLabel, 1, 0);
    fields->addWidget(m_path, 1, 1);
    fields->addWidget(browse, 1, 2);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

bool CCallLoggerDlg::Run(CallLoggerExport& exporter, const PbxTables& tables, QWidget* parent)
{
    CallLoggerSettings copy = exporter.Settings();
    CCallLoggerDlg dialog(&copy, tables, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    exporter.ApplyDialogResult(copy);
    return true;
}

void CCallLoggerDlg::Browse()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(FileDialogFilter(LoadResString(kFilterString)));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!m_path->text().isEmpty())
        dialog.selectFile(m_path->text());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_path->setText(dialog.selectedFiles().constFirst());
}

void CCallLoggerDlg::TryAccept()
{
    const bool enabled = m_enabled->isChecked();
    const QString path = m_path->text();
    // A path the settings file cannot hold whole is refused even with the plug-in off.
    if ((enabled && path.isEmpty()) || !CallLoggerSettings::PathFits(path)) {
        QMessageBox box(QMessageBox::Critical, LoadResString(kProgramNameString), LoadResString(kBadPathString),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_settings->enabled = enabled ? 1 : 0;
    if (m_pbx->currentIndex() >= 0)
        m_settings->pbx = static_cast<std::uint8_t>(m_pbx->currentData().toInt());
    m_settings->outputPath = path;
    accept();
}
