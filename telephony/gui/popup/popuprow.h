#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// What a popup button does; the numbers are those the buttons are known by.
enum class PopupAction : std::uint8_t {
    None = 0,
    Answer = 1,
    Reject = 2,
    HangUp = 3,
    Transfer = 4,
    Resume = 5,
    PickUp = 6,
    ShowMessages = 7,
    ShowMissedCalls = 8,
    ResetAlarm = 9,
    ShowAlarm = 10,
    AddNote = 11,
    Record = 12,
};

// Where a row comes from. With the source index it names a row from one refresh to the next.
enum class PopupSource : std::uint8_t {
    Recorder = 0,
    Extension = 1,
    Line = 2,
    EntryPhone = 3,
    MissedCalls = 5,
    Messages = 6,
    Alarm = 7,
};

// One row of the popup: a text, up to three buttons (an empty caption: no button) and, for calls in
// conversation, the list of extensions to transfer to.
struct PopupRow {
    static constexpr int kButtons = 3;
    static constexpr qsizetype kMaxText = 255;    // the row text's field holds 256 characters with the NUL
    static constexpr qsizetype kMaxCaption = 31;  // a caption's field, 32
    static constexpr std::uint8_t kNoExtension = 255;

    QString text;
    std::array<QString, kButtons> captions;
    std::array<PopupAction, kButtons> actions{};
    bool transferList = false;
    std::uint8_t excludedExtension = kNoExtension;  // left out of the transfer list besides the station
    std::uint8_t sourceIndex = 0;
    PopupSource sourceKind = PopupSource::Recorder;

    bool SameSource(PopupSource kind, std::uint8_t index) const { return sourceKind == kind && sourceIndex == index; }
    friend bool operator==(const PopupRow&, const PopupRow&) = default;
};

// The rows of the popup, row 0 on top. The controls and their identifiers are sized for 32 rows, so the
// table never holds more: a row added to a full table is left out.
class PopupRowTable {
public:
    static constexpr int kMaxRows = 32;
    static constexpr int kNoRow = 255;

    // Adds the row at the end; false (and counted as left out) when the table is full.
    bool Append(PopupRow row);
    int Count() const { return static_cast<int>(m_rows.size()); }
    bool IsEmpty() const { return m_rows.empty(); }
    int LeftOut() const { return m_leftOut; }
    const PopupRow& At(int position) const { return m_rows[static_cast<std::size_t>(position)]; }
    const std::vector<PopupRow>& Rows() const { return m_rows; }
    // The position of the row of that source, or kNoRow.
    int Find(PopupSource kind, std::uint8_t index) const;

    // Takes the rows just built into the rows shown: a shown row whose source is gone is removed, one
    // still there takes the new content in its place, and each new source's row goes on top (the last
    // built ends highest). Returns how many new alarm rows were added.
    int Merge(const PopupRowTable& built);

private:
    std::vector<PopupRow> m_rows;
    int m_leftOut = 0;
};
