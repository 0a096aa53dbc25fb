#include "printsettingsdlg.h"

#include "colorbutton.h"
#include "filedialogfilter.h"
#include "headerpreview.h"
#include "printtext.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr unsigned kFirstLineText = 1203;  // "Intestazione linea 1" .. 4
constexpr unsigned kPreviewText = 1207;
constexpr unsigned kLeftMarginText = 1208;
constexpr unsigned kTopMarginText = 1209;
constexpr unsigned kTitleFontText = 1210;
constexpr unsigned kTextFontText = 1211;
constexpr unsigned kFooterFontText = 1212;
constexpr unsigned kLogoText = 1213;
constexpr unsigned kBitmapFilterText = 1214;
constexpr unsigned kRangeText = 19004;
constexpr unsigned kLengthText = 19005;

// Control ids of the header lines, in line order.
constexpr int kLineEdits[] = {1112, 1113, 1114, 1115};
constexpr int kLineLabels[] = {1118, 1119, 1120, 1121};
constexpr int kLineFonts[] = {1124, 1128, 1126, 1130};
constexpr int kLineColours[] = {1125, 1129, 1127, 1131};
// The option boxes 1415-1418 and the flag each one sets.
constexpr int kBoxIds[] = {1415, 1416, 1417, 1418};
constexpr std::uint8_t kBoxFlags[] = {PrintSettings::kPrintHeader, PrintSettings::kPrintLogo,
                                      PrintSettings::kPreprintedDocumentNumber, PrintSettings::kPrintPageNumbers};
// The font chooser offers these sizes only.
constexpr int kSmallestFont = 4;
constexpr int kLargestFont = 22;
constexpr int kPreviewHeight = 110;
// A header line's field shows this many average characters before it scrolls.
constexpr int kHeaderLineShownCharacters = 40;
const QString kMoreText = QStringLiteral("...");

template <typename Widget>
Widget* Named(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

QLabel* Label(unsigned text, int id)
{
    return Named(new QLabel(LoadResString(text)), id);
}

// The width a line edit needs to show `text` whole: the text and the edit's own frame and margins (its size
// hint is 17 'x' wide inside them).
int WidthShowing(const QLineEdit& edit, const QString& text)
{
    constexpr int kHintCharacters = 17;
    const QFontMetrics& metrics = edit.fontMetrics();
    const int chrome = edit.sizeHint().width() - metrics.horizontalAdvance(u'x') * kHintCharacters;
    return metrics.horizontalAdvance(text) + chrome;
}

QPushButton* Button(const QString& text, int id)
{
    auto button = Named(new QPushButton(text), id);
    button->setAutoDefault(false);  // Enter does not press it
    return button;
}

}  // namespace

PrintSettingsForm PrintSettingsForm::Rating()
{
    return {1201, 1079, 1202, false, {}};
}

PrintSettingsForm PrintSettingsForm::Hotel()
{
    return {1216, 1215, 2047, true, {1231, 1232, 1233, 1234}, &PrintSettings::footerFont, &PrintSettings::textFont};
}

CPrintSettingsDlg::CPrintSettingsDlg(const PrintSettings& record, const PrintSettingsForm& form, QWidget* parent)
    : QDialog(parent), m_record(record), m_form(form)
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(LoadResString(form.title));
    auto grid = new QGridLayout;
    int row = 0;
    for (int line = 0; line < PrintSettings::kHeaderLineCount; ++line, ++row) {
        m_lines[line] = Named(new QLineEdit(record.headerLines[line]), kLineEdits[line]);
        m_lines[line]->setMinimumWidth(
            std::max(m_lines[line]->fontMetrics().averageCharWidth() * kHeaderLineShownCharacters,
                     WidthShowing(*m_lines[line], record.headerLines[line])));
        auto font = Button(kMoreText, kLineFonts[line]);
        m_colours[line] = Named(new CColorButton, kLineColours[line]);
        m_colours[line]->setAutoDefault(false);
        m_colours[line]->setFixedSize(60, 24);
        grid->addWidget(Label(kFirstLineText + static_cast<unsigned>(line), kLineLabels[line]), row, 0);
        grid->addWidget(m_lines[line], row, 1, 1, 2);
        grid->addWidget(font, row, 3);
        grid->addWidget(m_colours[line], row, 4);
        connect(m_lines[line], &QLineEdit::editingFinished, this, [this, line] { OnHeaderLineEdited(line); });
        connect(font, &QPushButton::clicked, this,
                [this, line] { OnFont(m_record.headerFonts[static_cast<std::size_t>(line)], true); });
        connect(m_colours[line], &QPushButton::clicked, this, [this, line] { OnColour(line); });
    }
    grid->addWidget(Label(kPreviewText, 1116), row++, 0, 1, 5);
    m_preview = Named(new CHeaderPreview, 1117);
    m_preview->setMinimumHeight(kPreviewHeight);
    grid->addWidget(m_preview, row++, 0, 1, 5);

    m_leftMargin = Named(new QLineEdit(QString::number(record.leftMargin)), 1132);
    m_topMargin = Named(new QLineEdit(QString::number(record.topMargin)), 1133);
    grid->addWidget(Label(kLeftMarginText, 1140), row, 0);
    grid->addWidget(m_leftMargin, row++, 1);
    grid->addWidget(Label(kTopMarginText, 1141), row, 0);
    grid->addWidget(m_topMargin, row++, 1);

    struct FontRow {
        unsigned text;
        int label;
        int button;
        LogFont PrintSettings::*font;
    } const fonts[] = {{kTitleFontText, 1142, 1134, &PrintSettings::titleFont},
                       {kTextFontText, 1143, 1135, form.textFontField},
                       {kFooterFontText, 1144, 1136, form.footerFontField}};
    for (const FontRow& font : fonts) {
        auto button = Button(kMoreText, font.button);
        grid->addWidget(Label(font.text, font.label), row, 0);
        grid->addWidget(button, row++, 1, Qt::AlignLeft);
        connect(button, &QPushButton::clicked, this, [this, field = font.font] { OnFont(m_record.*field, false); });
    }

    m_logoPath = Named(new QLineEdit(record.logoPath), 1137);
    // A path may be longer than any field: its tool tip always shows it whole.
    m_logoPath->setToolTip(record.logoPath);
    // The dialog opens wide enough for the stored path, up to half the screen.
    const int screenWidth = screen() ? screen()->availableGeometry().width() : 0;
    m_logoPath->setMinimumWidth(std::min(WidthShowing(*m_logoPath, record.logoPath), screenWidth / 2));
    connect(m_logoPath, &QLineEdit::textChanged, m_logoPath, &QLineEdit::setToolTip);
    auto browse = Button(kMoreText, 1139);
    grid->addWidget(Label(kLogoText, 1145), row, 0);
    grid->addWidget(m_logoPath, row, 1, 1, 3);
    grid->addWidget(browse, row++, 4);
    connect(browse, &QPushButton::clicked, this, &CPrintSettingsDlg::OnBrowse);

    if (form.optionBoxes) {
        for (std::size_t box = 0; box < m_boxes.size(); ++box) {
            m_boxes[box] = Named(new QCheckBox(LoadResString(form.boxTexts[box])), kBoxIds[box]);
            m_boxes[box]->setChecked(record.flags & kBoxFlags[box]);
            grid->addWidget(m_boxes[box], row++, 0, 1, 5);
        }
    }

    auto apply = Button(LoadResString(form.apply), 1122);
    auto cancel = Button(LoadResString(form.cancel), 1123);
    connect(apply, &QPushButton::clicked, this, &CPrintSettingsDlg::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    m_preview->SetRecord(&m_record);
    for (int line = 0; line < PrintSettings::kHeaderLineCount; ++line)
        m_colours[line]->SetColor(m_record.headerColours[line]);
}

bool CPrintSettingsDlg::Validate()
{
    for (QLineEdit* line : m_lines) {
        if (line->text().size() > kMaxLineCharacters) {
            QMessageBox::warning(this, windowTitle(), LoadResString(kLengthText).arg(kMaxLineCharacters));
            line->setFocus();
            return false;
        }
    }
    for (QLineEdit* margin : {m_leftMargin, m_topMargin}) {
        bool ok = false;
        const uint value = margin->text().trimmed().toUInt(&ok);
        if (!ok || value > kMaxMargin) {
            QMessageBox::warning(this, windowTitle(), LoadResString(kRangeText).arg(0).arg(kMaxMargin));
            margin->setFocus();
            return false;
        }
    }
    if (m_logoPath->text().size() >= PrintSettings::kLogoPathWidth) {
        QMessageBox::warning(this, windowTitle(), LoadResString(kLengthText).arg(PrintSettings::kLogoPathWidth - 1));
        m_logoPath->setFocus();
        return false;
    }
    return true;
}

void CPrintSettingsDlg::OnHeaderLineEdited(int line)
{
    if (!isVisible() || !Validate())
        return;
    m_record.headerLines[static_cast<std::size_t>(line)] = m_lines[static_cast<std::size_t>(line)]->text();
    RepaintPreview();
}

void CPrintSettingsDlg::OnColour(int line)
{
    std::uint32_t& stored = m_record.headerColours[static_cast<std::size_t>(line)];
    const QColor chosen = QColorDialog::getColor(ColourOf(stored), this);
    if (!chosen.isValid())
        return;
    stored = static_cast<std::uint32_t>(chosen.red()) | static_cast<std::uint32_t>(chosen.green()) << 8 |
             static_cast<std::uint32_t>(chosen.blue()) << 16;
    m_colours[static_cast<std::size_t>(line)]->SetColor(stored);
    RepaintPreview();
}

void CPrintSettingsDlg::OnFont(LogFont& font, bool repaintPreview)
{
    QFont initial(font.FaceName());
    initial.setPointSize(std::clamp(std::abs(font.Height()), kSmallestFont, kLargestFont));
    if (font.Weight() > 0)
        initial.setWeight(static_cast<QFont::Weight>(std::clamp(font.Weight(), 1, 1000)));
    initial.setItalic(font.Italic() != 0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return;
    font.SetFaceName(chosen.family());
    font.SetHeight(std::clamp(chosen.pointSize(), kSmallestFont, kLargestFont));
    font.SetWeight(chosen.weight());
    font.SetItalic(chosen.italic() ? 1 : 0);
    font.SetUnderline(chosen.underline() ? 1 : 0);
    font.SetStrikeOut(chosen.strikeOut() ? 1 : 0);
    if (repaintPreview)
        RepaintPreview();
}

void CPrintSettingsDlg::OnBrowse()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(FileDialogFilter(LoadResString(kBitmapFilterText)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_logoPath->setText(dialog.selectedFiles().constFirst());
    if (!Validate())
        return;
    m_record.logoPath = m_logoPath->text();
    RepaintPreview();
}

void CPrintSettingsDlg::OnApply()
{
    if (!Validate())
        return;
    for (int line = 0; line < PrintSettings::kHeaderLineCount; ++line)
        m_record.headerLines[line] = m_lines[line]->text();
    m_record.topMargin = static_cast<std::uint16_t>(m_topMargin->text().trimmed().toUInt());
    m_record.leftMargin = static_cast<std::uint16_t>(m_leftMargin->text().trimmed().toUInt());
    m_record.logoPath = m_logoPath->text();
    if (m_form.optionBoxes) {
        for (std::size_t box = 0; box < m_boxes.size(); ++box) {
            if (m_boxes[box]->isChecked())
                m_record.flags |= kBoxFlags[box];
            else
                m_record.flags &= static_cast<std::uint8_t>(~kBoxFlags[box]);
        }
    }
    accept();
}

void CPrintSettingsDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape do not end the dialog: only its two buttons and the close box do.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPrintSettingsDlg::RepaintPreview()
{
    m_preview->repaint();
}
