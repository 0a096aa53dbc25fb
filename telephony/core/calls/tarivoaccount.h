#pragma once

#include "oledate.h"
#include "tarivowindow.h"

#include <QLocale>
#include <QString>

#include <cstdint>

// The account of a stay handed to the rating program Tarivo at check-out: its PBX, extension and period.
struct TarivoAccount {
    int pbxIdentifier = 0;
    int extension = 0;
    OleDate start;
    OleDate end;
};

// The messages a running Tarivo takes, in the order they are posted: account PBX, account extension,
// period start and end (a date's 64 bits, low half in wParam, high half in lParam), show, close,
// come to the front (kTarivoActivate, tarivowindow.h).
inline constexpr std::uint32_t kTarivoAccountPbx = 0x400 + 81;
inline constexpr std::uint32_t kTarivoAccountExtension = 0x400 + 72;
inline constexpr std::uint32_t kTarivoAccountStart = 0x400 + 70;
inline constexpr std::uint32_t kTarivoAccountEnd = 0x400 + 71;
inline constexpr std::uint32_t kTarivoShowAccount = 0x400 + 73;
inline constexpr std::uint32_t kTarivoCloseAccount = 0x400 + 74;

// Tarivo's one argument for the account: its own path followed by the switches, dates written as Tarivo
// reads them in the same locale.
QString TarivoAccountArgument(const TarivoAccount& account, const QLocale& locale);

// Posts the account to the running Tarivo; false when it runs not or a post did not reach it.
bool PostTarivoAccount(const TarivoAccount& account);
// Starts Tarivo in its folder on the account; false when it could not be started.
bool StartTarivoAccount(const TarivoAccount& account, const QLocale& locale);
