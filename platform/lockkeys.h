#pragma once

#include <QString>

// The lock keys' states as the keyboards' lights show them. The kernel's LED class names each light
// "<device>::capslock", "<device>::numlock" or "<device>::scrolllock" and gives its brightness (0 is off);
// a key counts as on when any keyboard lights it. A machine without such lights reads every key off.
struct LockKeyStates {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;

    bool operator==(const LockKeyStates&) const = default;
};

LockKeyStates ReadLockKeyStates(const QString& ledFolder = QStringLiteral("/sys/class/leds"));
