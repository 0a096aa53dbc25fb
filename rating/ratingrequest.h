#pragma once

#include "oledate.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What another program asks the rating program for on its command line: the history (STORICO) or the
// account (BILL) of an extension of a PBX, optionally over a period, computed at once and, for an
// account, followed by the program's end.
struct RatingRequest {
    static constexpr int kAbsent = 255;  // switch not given
    static constexpr int kNotAnIndex = -1;  // given, but no whole number below 256

    bool hasSource = false;  // " -SOURCE:" given; without it the request asks for nothing
    QString source;          // compared exactly: "STORICO", "BILL"; anything else does nothing
    int extension = kAbsent;
    int pbx = kAbsent;
    OleDate start = OleDate::Invalid();  // set only when given as a valid date that is not 0
    OleDate end = OleDate::Invalid();
    std::uint8_t apply = 0;
    std::uint8_t close = 0;

    bool IsHistory() const { return source == QStringLiteral("STORICO"); }
    bool IsAccount() const { return source == QStringLiteral("BILL"); }
};

// Cuts the switch that begins at `position` (" -NAME:value") out of `line` and returns its value: the
// text after the first ':' up to the next " -" or the end of the line, not trimmed.
QString ExtractSwitchValue(QString& line, qsizetype position);

// Reads a request such as " -SOURCE:BILL -PBX:0 -DER:3 -INIT:01/12/2026 00:00:00 -APPLY:1"; dates in
// `locale`, as the starting programs write them.
RatingRequest ParseRatingRequest(QString request, const QLocale& locale);

// The request of the program's arguments (without the program's name): the first argument that is no
// switch (a leading '-') must begin with the program's own path, and what follows that path is the
// request. Nothing when there is no such argument or it names another path.
std::optional<QString> RequestFromArguments(const QStringList& arguments, const QString& ownPath);
