#pragma once

#include <QDialog>

#include <cstdint>

class QComboBox;

// One connection between an external line of one PBX and an extension of the other: the direction (0
// from the associated PBX's line to the second PBX's extension, 1 the other way), the source line and the
// destination extension. In modify mode the direction cannot change. After OK the three values hold
// the choices.
class CPbxConnectionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDirection = 1152;
    static constexpr int kLine = 1153;
    static constexpr int kExtension = 1154;
    static constexpr int kOk = 1158;
    static constexpr int kCancel = 1159;
    static constexpr int kLines = 32;
    static constexpr int kExtensions = 256;

    CPbxConnectionDlg(bool modify, std::uint8_t secondPbx, std::uint8_t sourceLine, std::uint8_t destination,
                      QWidget* parent = nullptr);

    std::uint8_t SecondPbx() const { return m_secondPbx; }
    std::uint8_t SourceLine() const { return m_sourceLine; }
    std::uint8_t Destination() const { return m_destination; }

private:
    void OnOk();

    bool m_modify;
    std::uint8_t m_secondPbx;
    std::uint8_t m_sourceLine;
    std::uint8_t m_destination;
    QComboBox* m_direction;
    QComboBox* m_line;
    QComboBox* m_extension;
};
