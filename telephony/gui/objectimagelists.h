#pragma once

#include "pbxdisplaynames.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class MainSettings;
class OperatorConsoleState;

// One image per object of a kind, in the combined numbering, all of one cell size.
struct ObjectImageList {
    QSize cellSize;
    std::vector<QImage> images;

    int Count() const { return static_cast<int>(images.size()); }
    // Null beyond the list.
    const QImage* Image(int index) const;
};

// The kinds of object window, by the number the image lists use.
enum class ObjectKind { Extensions = 1, Lines = 2, EntryPhones = 3, Relays = 4 };

// How an object's picture is chosen: a bitmap id by its state (and, but for relays, its status text).
struct IconPictureChoosers {
    std::function<int(int index, QString& statusText)> extension;
    std::function<int(int index, QString& statusText)> line;
    std::function<int(int index, QString& statusText)> entryPhone;
    std::function<int(int index)> relay;
};

// The four image lists of the object windows and the drawing of each object's icon: a white cell with
// the picture chosen by the object's state, an extension's service glyphs and dialling number, and with
// labels shown the display name and status text fitted to the cell (scrolled or cut with "..."). The
// graphic settings of each kind (labels, minimum characters, scrolling, fonts, colours, glyph size) are
// those of the main settings when the list is built; the per-object work bytes hold the flash phase and
// the label scroll positions (extensions and entry phones: flash, name, status; lines: name, status,
// flash; relays: name).
class OperatorImageLists {
public:
    OperatorImageLists(OperatorConsoleState& state, const MainSettings& settings, PbxLabelReader labels,
                       IconPictureChoosers choosers);

    // Whether the voice-mail function shows its glyph in an extension's slot D (the third plug-in in use).
    void SetRecorderGlyphSwitch(bool on) { m_recorderGlyph = on; }

    // Deletes the kind's list and builds it again: cell size, one image per object, every icon drawn.
    void BuildImageLists(int kind);
    // Draws an object's icon into its image; an index outside the list draws nothing.
    void DrawExtensionIcon(int index);
    void DrawLineIcon(int index);
    void DrawEntryPhoneIcon(int index);
    void DrawRelayIcon(int index);
    void DrawIcon(ObjectKind kind, int index);

    // The cells the kind's icons take with the current settings.
    QSize GetExtensionCellSize() const;
    QSize GetLineCellSize() const;
    QSize GetEntryPhoneCellSize() const;
    QSize GetRelayCellSize() const;

    const ObjectImageList& List(ObjectKind kind) const { return m_lists[Slot(kind)]; }
    // Frees the four lists (at the program's end).
    void Clear();

private:
    static int Slot(ObjectKind kind) { return static_cast<int>(kind) - 1; }
    ObjectImageList& Mutable(ObjectKind kind) { return m_lists[Slot(kind)]; }

    OperatorConsoleState& m_state;
    const MainSettings& m_settings;
    PbxLabelReader m_labels;
    IconPictureChoosers m_choosers;
    bool m_recorderGlyph = false;
    std::array<ObjectImageList, 4> m_lists;
};
