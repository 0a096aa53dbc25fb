#pragma once

#include "pbxdirectory.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <cstdint>
#include <optional>

// The phone book of the simulated PBX: numbers as the PBX keeps them (coded digits, PbxDirectory), in
// common positions addressed by one byte, a global book and one personal book per extension addressed
// by 16-bit positions. An empty number clears a position.
class PbxPhoneBook {
public:
    static constexpr int kCommonPositions = 32;
    static constexpr int kPersonalPositions = 16;
    // The information block gives the global book's size as byte 3 x 256 + byte 6, so it shares byte 6
    // with the personal book's size: both books have the same length here.
    static constexpr int kGlobalPositions = kPersonalPositions;

    static constexpr int kMaxCommonPositions = 0xFFFF;
    static constexpr int kMaxPersonalPositions = 0xFFFF;
    static constexpr int kMaxGlobalHigh = 0xFF;

    PbxPhoneBook();

    // Gives the books other sizes, all positions empty: the common book, each personal book, and the
    // global book's high byte (its size is that x 256 + the personal size's low byte, as the information
    // block says).
    void Resize(int common, int personal, int globalHigh);

    // The information block: the request's selector bytes echoed in bytes 0-1, then the books' sizes.
    PbxDirectory::InfoBlock Info() const;

    // Nothing for a position outside the book.
    std::optional<QByteArray> Common(int position) const;
    bool SetCommon(int position, const QByteArray& coded);
    // Book 255 is the global book; any other value the personal book of that extension.
    std::optional<QByteArray> Entry(int book, int position) const;
    bool SetEntry(int book, int position, const QByteArray& coded);

private:
    int m_globalHigh = kGlobalPositions >> 8;
    int m_personalSize = kPersonalPositions;
    QList<QByteArray> m_common;
    QList<QByteArray> m_global;
    QHash<int, QList<QByteArray>> m_personal;
};
