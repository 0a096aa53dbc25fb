#include "objectimagelists.h"

#include "gdiobjects.h"
#include "iconartwork.h"
#include "labelfitting.h"
#include "mainsettings.h"
#include "operatorconsolestate.h"
#include "picturechoosers.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Where the work bytes keep the flash phase and the label scroll positions.
constexpr std::size_t kExtensionNameScroll = 1;
constexpr std::size_t kExtensionStatusScroll = 2;
constexpr std::size_t kLineNameScroll = 0;
constexpr std::size_t kLineStatusScroll = 1;
constexpr std::size_t kRelayNameScroll = 0;
constexpr std::uint8_t kNotScrolling = 255;

// Cells without labels, and the pictures' places in them.
constexpr QSize kPlainLineCell{49, 30};
constexpr QSize kPlainEntryPhoneCell{29, 43};
constexpr QSize kPlainRelayCell{36, 38};
constexpr int kLineLabelTop = 30;
constexpr int kEntryPhoneLabelLeft = 30;
constexpr int kRelayLabelLeft = 37;
constexpr int kPictureTop = 1;
const QString kCutMark = QStringLiteral("...");
const QString kNumberSample = QStringLiteral("0000");

struct TextStyle {
    QFont font;
    QColor colour;
};

TextStyle Style(const MainSettings& settings, MainSettings::Section section, int slot)
{
    return {FontFromLogFont(settings.Font(section, slot)), ColourFromColorRef(settings.Colour(section, slot))};
}

int LineHeight(const QFont& font) { return QFontMetrics(font).height(); }

int LetterWidth(const QFont& font, int letters)
{
    return QFontMetrics(font).horizontalAdvance(QString(letters, u'A'));
}

// One label line: centred or left-aligned when it fits; else scrolled (the scroll position moves on) or
// "..." and the whole text, cut at the line's edge.
void DrawLabel(QPainter& painter, const QString& text, const TextStyle& style, const QRect& line, bool centred,
               bool scrolling, std::uint8_t& scrollPosition)
{
    painter.setFont(style.font);
    painter.setPen(style.colour);
    const QFontMetrics metrics(style.font);
    painter.save();
    painter.setClipRect(line);
    if (metrics.horizontalAdvance(text) > line.width()) {
        QString shown;
        if (scrolling) {
            shown = ScrollLabelText(text, scrollPosition);
        } else {
            shown = kCutMark + text;
            scrollPosition = kNotScrolling;
        }
        painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    } else {
        scrollPosition = kNotScrolling;
        painter.drawText(line, (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine,
                         text);
    }
    painter.restore();
}

QImage WhiteCell(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

const QImage* ObjectImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &images[static_cast<std::size_t>(index)];
}

OperatorImageLists::OperatorImageLists(OperatorConsoleState& state, const MainSettings& settings,
                                       PbxLabelReader labels, IconPictureChoosers choosers)
    : m_state(state), m_settings(settings), m_labels(std::move(labels)), m_choosers(std::move(choosers))
{
}

void OperatorImageLists::Clear()
{
    for (ObjectImageList& list : m_lists)
        list = ObjectImageList();
}

void OperatorImageLists::BuildImageLists(int kindNumber)
{
    if (kindNumber < 1 || kindNumber > 4)
        return;
    const auto kind = static_cast<ObjectKind>(kindNumber);
    const PbxObjectCounts counts = m_state.tables.Counts();
    ObjectImageList& list = Mutable(kind);
    list = ObjectImageList();
    int count = 0;
    switch (kind) {
    case ObjectKind::Extensions:
        list.cellSize = GetExtensionCellSize();
        count = counts.extensions;
        break;
    case ObjectKind::Lines:
        list.cellSize = GetLineCellSize();
        count = counts.lines;
        break;
    case ObjectKind::EntryPhones:
        list.cellSize = GetEntryPhoneCellSize();
        count = counts.entryPhones;
        break;
    case ObjectKind::Relays:
        list.cellSize = GetRelayCellSize();
        count = counts.relays;
        break;
    }
    list.images.assign(static_cast<std::size_t>(count), WhiteCell(list.cellSize));
    for (int index = 0; index < count; ++index)
        DrawIcon(kind, index);
}

void OperatorImageLists::DrawIcon(ObjectKind kind, int index)
{
    switch (kind) {
    case ObjectKind::Extensions: DrawExtensionIcon(index); break;
    case ObjectKind::Lines: DrawLineIcon(index); break;
    case ObjectKind::EntryPhones: DrawEntryPhoneIcon(index); break;
    case ObjectKind::Relays: DrawRelayIcon(index); break;
    }
}

QSize OperatorImageLists::GetExtensionCellSize() const
{
    const auto section = MainSettings::kExtensions;
    const int glyphWidth = static_cast<int>(m_settings.ExtensionLabelSize(0));
    const int glyphHeight = static_cast<int>(m_settings.ExtensionLabelSize(1));
    const QFont number = FontFromLogFont(m_settings.Font(section, 0));
    const QFont name = FontFromLogFont(m_settings.Font(section, 1));
    const QFont status = FontFromLogFont(m_settings.Font(section, 2));
    const int letters = m_settings.LabelMinimumCharacters(section);
    const int width = std::max({QFontMetrics(number).horizontalAdvance(kNumberSample) + 4 * glyphWidth + 4,
                                IconArtwork::kExtensionSize.width(), LetterWidth(name, letters),
                                LetterWidth(status, letters)});
    int height = std::max(LineHeight(number), glyphHeight) + IconArtwork::kExtensionSize.height() + 2;
    if (m_settings.LabelsShown(section) != 0)
        height += LineHeight(name) + LineHeight(status) + 2;
    return {width, height + 1};
}

QSize OperatorImageLists::GetLineCellSize() const
{
    const auto section = MainSettings::kLines;
    if (m_settings.LabelsShown(section) == 0)
        return kPlainLineCell;
    const QFont name = FontFromLogFont(m_settings.Font(section, 0));
    const QFont status = FontFromLogFont(m_settings.Font(section, 1));
    const int letters = m_settings.LabelMinimumCharacters(section);
    const int width = std::max({LetterWidth(name, letters), LetterWidth(status, letters), kPlainLineCell.width()});
    return {width, LineHeight(name) + LineHeight(status) + 31 + 1};
}

QSize OperatorImageLists::GetEntryPhoneCellSize() const
{
    const auto section = MainSettings::kEntryPhones;
    if (m_settings.LabelsShown(section) == 0)
        return kPlainEntryPhoneCell;
    const QFont name = FontFromLogFont(m_settings.Font(section, 0));
    const QFont status = FontFromLogFont(m_settings.Font(section, 1));
    const int letters = m_settings.LabelMinimumCharacters(section);
    const int width = kEntryPhoneLabelLeft + std::max(LetterWidth(name, letters), LetterWidth(status, letters));
    return {width, std::max(LineHeight(name) + LineHeight(status) + 2, kPlainEntryPhoneCell.height())};
}

QSize OperatorImageLists::GetRelayCellSize() const
{
    const auto section = MainSettings::kRelays;
    if (m_settings.LabelsShown(section) == 0)
        return kPlainRelayCell;
    const QFont name = FontFromLogFont(m_settings.Font(section, 0));
    const int letters = m_settings.LabelMinimumCharacters(section);
    return {LetterWidth(name, letters) + kRelayLabelLeft,
            std::max(LineHeight(name) + 1, IconArtwork::kRelaySize.height() + 1) + 1};
}

void OperatorImageLists::DrawExtensionIcon(int index)
{
    ObjectImageList& list = Mutable(ObjectKind::Extensions);
    if (!list.Image(index))
        return;
    const auto section = MainSettings::kExtensions;
    const auto object = static_cast<std::size_t>(index);
    auto& tables = m_state.tables;
    const int width = list.cellSize.width();
    const int glyphWidth = static_cast<int>(m_settings.ExtensionLabelSize(0));
    const int glyphHeight = static_cast<int>(m_settings.ExtensionLabelSize(1));

    QImage image = WhiteCell(list.cellSize);
    QPainter painter(&image);
    const ExtensionGlyphs glyphs = ExtensionServiceGlyphs(m_state, m_recorderGlyph, index);
    // Slots A, B, C and D along the top edge.
    const std::pair<int, int> glyphSlots[] = {{glyphs.a, 0},
                                              {glyphs.b, glyphWidth + 1},
                                              {glyphs.c, width - 2 * glyphWidth - 1},
                                              {glyphs.d, width - glyphWidth}};
    for (const auto& [id, x] : glyphSlots)
        if (id != 0)
            painter.drawImage(QRect(x, 0, glyphWidth, glyphHeight), IconArtwork::Picture(id));

    const TextStyle number = Style(m_settings, section, 0);
    const QFontMetrics numberMetrics(number.font);
    painter.setFont(number.font);
    painter.setPen(number.colour);
    const int internalLeading = numberMetrics.height() - number.font.pixelSize();
    painter.drawText(QRect(0, 1 - std::max(0, internalLeading), width, numberMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, DefaultExtensionNumber(m_state, index));

    QString statusText;
    const int pictureId = m_choosers.extension ? m_choosers.extension(index, statusText) : 0;
    const int pictureTop = std::max(numberMetrics.ascent(), glyphHeight) + 2;
    const QImage& picture = IconArtwork::Picture(pictureId);
    painter.drawImage((width - IconArtwork::kExtensionSize.width()) / 2, pictureTop, picture);

    if (m_settings.LabelsShown(section) != 0) {
        const TextStyle name = Style(m_settings, section, 1);
        const TextStyle status = Style(m_settings, section, 2);
        const bool scrolling = m_settings.Scrolling(section) != 0;
        const int nameTop = std::max(LineHeight(number.font), glyphHeight) + IconArtwork::kExtensionSize.height() + 3;
        auto& work = tables.extensionWork[object];
        DrawLabel(painter, FormatExtensionName(m_state, m_labels, index), name,
                  QRect(0, nameTop, width, LineHeight(name.font)), true, scrolling, work[kExtensionNameScroll]);
        DrawLabel(painter, statusText, status,
                  QRect(0, nameTop + LineHeight(name.font), width, LineHeight(status.font)), true, scrolling,
                  work[kExtensionStatusScroll]);
    }
    painter.end();
    list.images[object] = std::move(image);
}

void OperatorImageLists::DrawLineIcon(int index)
{
    ObjectImageList& list = Mutable(ObjectKind::Lines);
    if (!list.Image(index))
        return;
    const auto section = MainSettings::kLines;
    const int width = list.cellSize.width();
    QImage image = WhiteCell(list.cellSize);
    QPainter painter(&image);
    QString statusText;
    const int pictureId = m_choosers.line ? m_choosers.line(index, statusText) : 0;
    painter.drawImage((width - IconArtwork::kLineSize.width()) / 2, kPictureTop, IconArtwork::Picture(pictureId));
    if (m_settings.LabelsShown(section) != 0) {
        const TextStyle name = Style(m_settings, section, 0);
        const TextStyle status = Style(m_settings, section, 1);
        const bool scrolling = m_settings.Scrolling(section) != 0;
        auto& work = m_state.tables.lineWork[static_cast<std::size_t>(index)];
        DrawLabel(painter, FormatLineName(m_state, m_labels, index), name,
                  QRect(0, kLineLabelTop, width, LineHeight(name.font)), true, scrolling, work[kLineNameScroll]);
        DrawLabel(painter, statusText, status,
                  QRect(0, kLineLabelTop + LineHeight(name.font), width, LineHeight(status.font)), true, scrolling,
                  work[kLineStatusScroll]);
    }
    painter.end();
    list.images[static_cast<std::size_t>(index)] = std::move(image);
}

void OperatorImageLists::DrawEntryPhoneIcon(int index)
{
    ObjectImageList& list = Mutable(ObjectKind::EntryPhones);
    if (!list.Image(index))
        return;
    const auto section = MainSettings::kEntryPhones;
    const int width = list.cellSize.width();
    QImage image = WhiteCell(list.cellSize);
    QPainter painter(&image);
    QString statusText;
    const int pictureId = m_choosers.entryPhone ? m_choosers.entryPhone(index, statusText) : 0;
    painter.drawImage(0, kPictureTop, IconArtwork::Picture(pictureId));
    if (m_settings.LabelsShown(section) != 0) {
        const TextStyle name = Style(m_settings, section, 0);
        const TextStyle status = Style(m_settings, section, 1);
        const bool scrolling = m_settings.Scrolling(section) != 0;
        const int room = width - kEntryPhoneLabelLeft;
        auto& work = m_state.tables.entryPhoneWork[static_cast<std::size_t>(index)];
        DrawLabel(painter, FormatEntryPhoneName(m_state, m_labels, index), name,
                  QRect(kEntryPhoneLabelLeft, 0, room, LineHeight(name.font)), false, scrolling,
                  work[kExtensionNameScroll]);
        DrawLabel(painter, statusText, status,
                  QRect(kEntryPhoneLabelLeft, LineHeight(name.font), room, LineHeight(status.font)), false,
                  scrolling, work[kExtensionStatusScroll]);
    }
    painter.end();
    list.images[static_cast<std::size_t>(index)] = std::move(image);
}

void OperatorImageLists::DrawRelayIcon(int index)
{
    ObjectImageList& list = Mutable(ObjectKind::Relays);
    if (!list.Image(index))
        return;
    const auto section = MainSettings::kRelays;
    const int width = list.cellSize.width();
    QImage image = WhiteCell(list.cellSize);
    QPainter painter(&image);
    const int pictureId = m_choosers.relay ? m_choosers.relay(index) : 0;
    painter.drawImage(0, kPictureTop, IconArtwork::Picture(pictureId));
    if (m_settings.LabelsShown(section) != 0) {
        const TextStyle name = Style(m_settings, section, 0);
        auto& work = m_state.tables.relayWork[static_cast<std::size_t>(index)];
        DrawLabel(painter, FormatRelayName(m_state, m_labels, index), name,
                  QRect(kRelayLabelLeft, 0, width - kRelayLabelLeft, LineHeight(name.font)), false,
                  m_settings.Scrolling(section) != 0, work[kRelayNameScroll]);
    }
    painter.end();
    list.images[static_cast<std::size_t>(index)] = std::move(image);
}
