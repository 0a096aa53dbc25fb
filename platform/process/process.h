#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starting other programs, the way the Windows programs opened them through the shell.

// Starts a program and does not wait for it. An empty folder keeps the current one.
bool StartDetachedProcess(const QString& program, const QStringList& arguments = {}, const QString& folder = {});

// Runs a program to its end; its exit code, or -1 when it could not start, crashed or outlived the time-out
// (it is then killed).
int RunProcess(const QString& program, const QStringList& arguments, const QString& folder, int timeoutMs);

// Starts a program that outlives this one when this one ends first; its process id, or 0 when it could
// not start.
qint64 StartOwnedDetachedProcess(const QString& program, const QStringList& arguments, const QString& folder);
// Waits until the process has ended; false when `keepWaiting` (asked several times a second) said stop
// first.
bool WaitForProcessEnd(qint64 processId, const std::function<bool()>& keepWaiting);
