#include "graphicconfiguration.h"

#include "colorbutton.h"
#include "consolewindowcontext.h"
#include "gdiobjects.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "pbxdisplaynames.h"
#include "rangeprompt.h"
#include "stringtable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned kLabelsShownText = 1039;
constexpr unsigned kOpenAtStartText = 1040;
constexpr unsigned kScrollingText = 1075;
constexpr unsigned kApplyText = 1038;
constexpr unsigned kIconSizeText = 1076;
constexpr unsigned kMinCharactersText = 1077;
constexpr unsigned kHorizontalSpacingText = 1036;
constexpr unsigned kVerticalSpacingText = 1037;
constexpr unsigned kBackgroundText = 1078;
constexpr unsigned kVisibleText = 1034;
constexpr unsigned kInvisibleText = 1035;
constexpr unsigned kLabelHeading = 1041;
constexpr unsigned kGraphicHeading = 1275;
constexpr unsigned kNumberText = 1022;
constexpr unsigned kLinkText = 1023;
constexpr unsigned kFontButtonText = 19101;
constexpr int kIconSizeLabel = 1099;
constexpr int kMinCharactersLabel = 1101;
constexpr int kHorizontalSpacingLabel = 1104;
constexpr int kVerticalSpacingLabel = 1106;
constexpr int kBackgroundLabel = 1117;
const QString kShownMark = QStringLiteral("X");
// The extension section's two copies of the service icon size.
constexpr int kIconSizeCopies = 2;
constexpr int kVisibleBit = 0x01;
constexpr int kNumberWidth = 60;
constexpr double kPointsPerPixel = 72.0 / 96.0;
constexpr QSize kColourButtonSize(48, 24);

// The row texts of each kind: first, second and third text (0: the row is hidden).
constexpr std::array<std::array<unsigned, 3>, 4> kRowTexts{{
    {kNumberText, kLabelHeading, kLinkText},
    {kLabelHeading, kLinkText, 0},
    {kLabelHeading, kLinkText, 0},
    {kLabelHeading, 0, 0},
}};

QLineEdit* NumberEdit(QWidget* parent, int id)
{
    auto edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), edit));
    edit->setFixedWidth(kNumberWidth);
    return edit;
}

QPushButton* Button(QWidget* parent, int id, const QString& text)
{
    auto button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    return button;
}

}  // namespace

CGraphicConfiguration::CGraphicConfiguration(CSystemConfiguration& sheet, Kind kind)
    : CSettingsPage(sheet), m_kind(kind), m_list(NewList(kList, true)), m_apply(Button(this, kApply, QString())),
      m_visibility(new QComboBox(this)), m_serviceIcon(new QComboBox(this)), m_iconSize(NumberEdit(this, kIconSize)),
      m_minCharacters(NumberEdit(this, kMinCharacters)), m_horizontalSpacing(NumberEdit(this, kHorizontalSpacing)),
      m_verticalSpacing(NumberEdit(this, kVerticalSpacing)), m_background(new CColorButton(this))
{
    setObjectName(QStringLiteral("106"));
    m_visibility->setObjectName(QString::number(kVisibility));
    m_serviceIcon->setObjectName(QString::number(kServiceIcon));
    m_background->setObjectName(QString::number(kBackgroundColour));

    auto left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    auto applyRow = new QHBoxLayout;
    applyRow->addWidget(m_visibility);
    applyRow->addWidget(m_serviceIcon);
    applyRow->addStretch();
    applyRow->addWidget(m_apply);
    left->addLayout(applyRow);

    auto right = new QVBoxLayout;
    right->addWidget(NewCheck(kLabelsShown, kLabelsShownText));
    right->addWidget(NewCheck(kOpenAtStart, kOpenAtStartText));
    right->addWidget(NewCheck(kScrolling, kScrollingText));
    auto numbers = new QGridLayout;
    const std::array<std::pair<int, QLineEdit*>, 4> fields{{{kIconSizeLabel, m_iconSize},
                                                            {kMinCharactersLabel, m_minCharacters},
                                                            {kHorizontalSpacingLabel, m_horizontalSpacing},
                                                            {kVerticalSpacingLabel, m_verticalSpacing}}};
    const std::array<unsigned, 4> fieldTexts{kIconSizeText, kMinCharactersText, kHorizontalSpacingText,
                                             kVerticalSpacingText};
    for (int row = 0; row < 4; ++row) {
        numbers->addWidget(NewLabel(fields[row].first, fieldTexts[row]), row, 0);
        numbers->addWidget(fields[row].second, row, 1);
    }
    right->addLayout(numbers);
    auto colours = new QGridLayout;
    colours->addWidget(NewLabel(kBackgroundLabel, kBackgroundText), 0, 0);
    colours->addWidget(m_background, 0, 1);
    connect(m_background, &QPushButton::clicked, this, &CGraphicConfiguration::OnBackground);
    for (int slot = 0; slot < 3; ++slot) {
        auto label = new QLabel(this);
        label->setObjectName(QString::number(kRowLabels[slot]));
        m_colours[slot] = new CColorButton(this);
        m_colours[slot]->setObjectName(QString::number(kColourButtons[slot]));
        QPushButton* font = Button(this, kFontButtons[slot], LoadResString(kFontButtonText));
        colours->addWidget(label, slot + 1, 0);
        colours->addWidget(m_colours[slot], slot + 1, 1);
        colours->addWidget(font, slot + 1, 2);
        connect(m_colours[slot], &QPushButton::clicked, this, [this, slot] { OnColour(slot); });
        connect(font, &QPushButton::clicked, this, [this, slot] { OnFont(slot); });
    }
    // The rows a kind hides leave their room empty rather than widen the buttons. A colour button draws
    // its face at its size, so that size is fixed before the first colour.
    colours->setColumnStretch(3, 1);
    for (CColorButton* button : findChildren<CColorButton*>())
        button->setFixedSize(kColourButtonSize);
    right->addLayout(colours);
    right->addStretch();

    auto layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_apply->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_apply, &QPushButton::clicked, this, &CGraphicConfiguration::OnApplyToSelection);
}

int CGraphicConfiguration::ServiceIconOf(std::uint8_t objectByte)
{
    const int icon = objectByte >> 1;
    return icon < kServiceIcons ? icon : 0;
}

void CGraphicConfiguration::OnInitDialog()
{
    m_apply->setText(LoadResString(kApplyText));
    m_visibility->addItem(LoadResString(kVisibleText));
    m_visibility->addItem(LoadResString(kInvisibleText));
    m_visibility->setCurrentIndex(0);
    m_serviceIconNames.clear();
    for (int icon = 0; icon < kServiceIcons; ++icon)
        m_serviceIconNames << LoadResString(kFirstServiceIconString + static_cast<unsigned>(icon));
    if (m_kind == kExtensions) {
        m_serviceIcon->addItems(m_serviceIconNames);
        m_serviceIcon->setCurrentIndex(0);
        m_list->setHeaderLabels({LoadResString(kLabelHeading), LoadResString(kVisibleText),
                                 LoadResString(kGraphicHeading)});
        SetColumnWidths(*m_list, {1, 1, 1}, 3);
    } else {
        m_serviceIcon->hide();
        m_list->setHeaderLabels({LoadResString(kLabelHeading), LoadResString(kVisibleText)});
        SetColumnWidths(*m_list, {1, 1}, 2);
    }
    for (int column = 1; column < m_list->columnCount(); ++column)
        m_list->headerItem()->setTextAlignment(column, Qt::AlignCenter);

    const MainSettings& main = Records().main;
    const MainSettings::Section section = Section();
    findChild<QCheckBox*>(QString::number(kOpenAtStart))->setChecked(main.OpenAtStart(section) != 0);
    findChild<QCheckBox*>(QString::number(kLabelsShown))->setChecked(main.LabelsShown(section) != 0);
    findChild<QCheckBox*>(QString::number(kScrolling))->setChecked(main.Scrolling(section) != 0);
    m_minCharacters->setText(QString::number(main.LabelMinimumCharacters(section)));
    m_horizontalSpacing->setText(QString::number(main.IconSpacingX(section)));
    m_verticalSpacing->setText(QString::number(main.IconSpacingY(section)));
    m_iconSize->setText(QString::number(m_kind == kExtensions ? main.ExtensionLabelSize(0) : kLockedIconSize));
    m_iconSize->setEnabled(m_kind == kExtensions);

    const auto& texts = kRowTexts[static_cast<std::size_t>(m_kind - 1)];
    for (int slot = 0; slot < 3; ++slot) {
        const bool shown = texts[slot] != 0;
        auto label = findChild<QLabel*>(QString::number(kRowLabels[slot]));
        if (shown)
            label->setText(LoadResString(texts[slot]));
        label->setVisible(shown);
        m_colours[slot]->setVisible(shown);
        findChild<QPushButton*>(QString::number(kFontButtons[slot]))->setVisible(shown);
        m_colours[slot]->SetColor(main.Colour(section, slot));
    }
    m_background->SetColor(main.BackgroundColour(section));
    FillList();
}

int CGraphicConfiguration::ObjectCount() const
{
    const OperatorConsoleState* state = Context().state;
    if (!state)
        return 0;
    const PbxObjectCounts counts = state->tables.Counts();
    const int count = m_kind == kExtensions ? counts.extensions
                      : m_kind == kLines    ? counts.lines
                      : m_kind == kEntryPhones ? counts.entryPhones
                                               : counts.relays;
    return std::min(count, MainSettings::kObjects);
}

QString CGraphicConfiguration::ObjectName(int index) const
{
    OperatorConsoleState& state = *Context().state;
    static const PbxLabelReader noLabels = [](PbxLabelKind, int, int) { return QString(); };
    const PbxLabelReader& labels = Context().labels ? Context().labels : noLabels;
    switch (m_kind) {
    case kExtensions: return FormatExtensionName(state, labels, index);
    case kLines: return FormatLineName(state, labels, index);
    case kEntryPhones: return FormatEntryPhoneName(state, labels, index);
    case kRelays: break;
    }
    return FormatRelayName(state, labels, index);
}

void CGraphicConfiguration::FillList()
{
    m_list->clear();
    const MainSettings& main = Records().main;
    for (int index = 0; index < ObjectCount(); ++index) {
        const std::uint8_t flags = main.ObjectFlags(Section(), index);
        auto item = new QTreeWidgetItem(m_list);
        item->setText(0, ObjectName(index));
        item->setToolTip(0, item->text(0));
        item->setText(1, (flags & kVisibleBit) ? kShownMark : QString());
        item->setTextAlignment(1, Qt::AlignCenter);
        if (m_kind == kExtensions) {
            item->setText(2, m_serviceIconNames.at(ServiceIconOf(flags)));
            item->setTextAlignment(2, Qt::AlignCenter);
        }
    }
    m_apply->setEnabled(false);
}

void CGraphicConfiguration::OnShown() { m_apply->setEnabled(false); }

void CGraphicConfiguration::OnApplyToSelection()
{
    const bool visible = m_visibility->currentIndex() == 0;
    int icon = m_serviceIcon->currentIndex();
    if (icon < 0 || icon >= kServiceIcons)
        icon = 0;
    MainSettings& main = Records().main;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (!m_list->topLevelItem(row)->isSelected())
            continue;
        const int value = m_kind == kExtensions ? (icon << 1) + (visible ? 1 : 0) : (visible ? 1 : 0);
        main.SetObjectFlags(Section(), row, static_cast<std::uint8_t>(value));
    }
    FillList();
}

void CGraphicConfiguration::OnColour(int slot)
{
    CColorButton* button = m_colours[static_cast<std::size_t>(slot)];
    const QColor chosen = QColorDialog::getColor(ColourFromColorRef(button->Color()), this);
    if (chosen.isValid())
        button->SetColor(ColorRefFromColour(chosen));
}

void CGraphicConfiguration::OnBackground()
{
    const QColor chosen = QColorDialog::getColor(ColourFromColorRef(m_background->Color()), this);
    if (chosen.isValid())
        m_background->SetColor(ColorRefFromColour(chosen));
}

void CGraphicConfiguration::OnFont(int slot)
{
    MainSettings& main = Records().main;
    QFont initial = FontFromLogFont(main.Font(Section(), slot));
    if (initial.pixelSize() > 0)
        initial.setPointSizeF(initial.pixelSize() * kPointsPerPixel);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, this, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return;
    chosen.setPointSizeF(std::clamp(chosen.pointSizeF(), double(kSmallestFontPoints), double(kLargestFontPoints)));
    main.SetFont(Section(), slot, LogFontFromFont(chosen));
}

bool CGraphicConfiguration::ValidatePage(bool prompt)
{
    int value = 0;
    if (m_kind == kExtensions && !CheckRange(*m_iconSize, kMinIconSize, kMaxIconSize, value, prompt))
        return false;
    for (QLineEdit* field : {m_minCharacters, m_horizontalSpacing, m_verticalSpacing}) {
        if (!CheckRange(*field, kMinLayoutValue, kMaxLayoutValue, value, prompt))
            return false;
    }
    return true;
}

void CGraphicConfiguration::OnApply()
{
    MainSettings& main = Records().main;
    const MainSettings::Section section = Section();
    auto checked = [this](int id) -> std::uint8_t {
        return findChild<QCheckBox*>(QString::number(id))->isChecked() ? 1 : 0;
    };
    main.SetOpenAtStart(section, checked(kOpenAtStart));
    main.SetLabelsShown(section, checked(kLabelsShown));
    main.SetScrolling(section, checked(kScrolling));
    main.SetIconSpacingX(section, m_horizontalSpacing->text().toUInt());
    main.SetIconSpacingY(section, m_verticalSpacing->text().toUInt());
    if (m_kind == kExtensions) {
        for (int copy = 0; copy < kIconSizeCopies; ++copy)
            main.SetExtensionLabelSize(copy, m_iconSize->text().toUInt());
    }
    main.SetLabelMinimumCharacters(section, static_cast<std::uint8_t>(m_minCharacters->text().toUInt()));
    main.SetBackgroundColour(section, m_background->Color());
    // The colours of the rows a kind shows: all three for extensions, two for lines and entry phones,
    // the first for relays.
    const auto& texts = kRowTexts[static_cast<std::size_t>(m_kind - 1)];
    for (int slot = 0; slot < 3; ++slot) {
        if (texts[slot] != 0)
            main.SetColour(section, slot, m_colours[slot]->Color());
    }
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        int value = item->text(1).isEmpty() ? 0 : 1;
        if (m_kind == kExtensions)
            value += static_cast<int>(std::max<qsizetype>(0, m_serviceIconNames.indexOf(item->text(2)))) << 1;
        main.SetObjectFlags(section, row, static_cast<std::uint8_t>(value));
    }
}
