#pragma once

// SIGTERM, SIGINT and SIGHUP end the event loop like a "quit" command, so that the published serial link
// and the control socket are removed on the way out.
void QuitOnTerminationSignals();
