#pragma once

#include <QString>
#include <QStringList>

// Starting other programs, the way the Windows programs opened them through the shell.

// Starts a program and does not wait for it. An empty folder keeps the current one.
bool StartDetachedProcess(const QString& program, const QStringList& arguments = {}, const QString& folder = {});

// Runs a program to its end; its exit code, or -1 when it could not start, crashed or outlived the time-out
// (it is then killed).
int RunProcess(const QString& program, const QStringList& arguments, const QString& folder, int timeoutMs);
