#pragma once

#include "oledate.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// A call note as the operator console hands it to CSqlDatabase::InsertNote. Its byte form: the Link value
// big-endian in bytes 0-1, the note's date-time (days) at 8, the number (50 bytes) at 16 and the note
// text from 66, each text Windows-1252 and zero-terminated.
struct NoteRecord {
    static constexpr qsizetype kLinkOffset = 0;
    static constexpr qsizetype kDateOffset = 8;
    static constexpr qsizetype kNumberOffset = 16;
    static constexpr qsizetype kNumberSize = 50;
    static constexpr qsizetype kNoteOffset = 66;
    static constexpr qsizetype kNoteSize = 513;
    static constexpr qsizetype kSize = kNoteOffset + kNoteSize;

    std::uint16_t link = 0;
    OleDate date;
    QString number;
    QString note;

    QByteArray ToBytes() const;
    // Shorter records read as far as they reach.
    static NoteRecord FromBytes(const QByteArray& bytes);
};
