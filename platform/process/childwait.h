#pragma once

#include <QString>
#include <QStringList>

// Requests to stop (SIGTERM, SIGINT, SIGHUP) for programs without an event loop: the handler only notes
// the request; the program looks at it between steps and in its waits, and ends in its own order.
namespace StopSignals {
void Install();
bool Requested();
// Readable once a request arrived (-1 before Install); for event loops that watch it.
int Descriptor();
}  // namespace StopSignals

struct ChildOutcome {
    bool started = false;
    bool exited = false;   // false: the wait ended on a stop request, or the child died of a signal
    int exitCode = -1;
};

// Starts a program with its arguments (no shell) and waits until it ends or a stop request arrives;
// in the second case the child lives on.
ChildOutcome RunChildAndWait(const QString& program, const QStringList& arguments);
