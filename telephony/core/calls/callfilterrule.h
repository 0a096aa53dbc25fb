#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// One rule of the incoming-call filter as the office plug-in's settings keep it (45 bytes): the caller
// number it matches ("*" first: the number begins with the rest; else the whole number), what happens
// to a matching call, and the action's argument (the extension index as text, or the number).
struct CallFilterRule {
    enum Action : std::uint8_t { kReject = 0, kTransferToExtension = 1, kTransferToNumber = 2 };
    static constexpr qsizetype kSize = 45;
    static constexpr qsizetype kPatternOffset = 0;
    static constexpr qsizetype kPatternWidth = 22;
    static constexpr qsizetype kActionOffset = 22;
    static constexpr qsizetype kArgumentOffset = 23;
    static constexpr qsizetype kArgumentWidth = 22;
    static inline const QString kBeginsWith = QStringLiteral("*");

    QString pattern;
    std::uint8_t action = kReject;
    QString argument;

    // A record shorter than kSize reads as zeros where it ends.
    static CallFilterRule Read(QByteArrayView record);
    QByteArray Write() const;
};
