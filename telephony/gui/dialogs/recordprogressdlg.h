#pragma once

#include <QDialog>

#include <cstdint>

class Event;
class QLabel;
class QProgressBar;

// The playback of a recorded conversation: total and elapsed time and a bar, and "Ferma", which tells
// the player to stop through its event. The player's owner destroys the dialog when playback ends.
class CRecordProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHiddenButton = 1016;
    static constexpr int kStop = 1017;
    static constexpr int kBar = 1018;
    static constexpr int kStartTime = 1019;
    static constexpr int kTotalTime = 1020;
    static constexpr int kElapsedTime = 1021;

    // "m.ss", or "h.mm.ss" from an hour on.
    static QString FormatTime(std::uint16_t seconds);

    CRecordProgressDlg(std::uint16_t totalSeconds, Event& stop, QWidget* parent = nullptr);

    void SetElapsed(std::uint16_t seconds);

private:
    std::uint16_t m_totalSeconds;
    Event& m_stop;
    QProgressBar* m_bar;
    QLabel* m_elapsed;
};
