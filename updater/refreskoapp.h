#pragma once

// The updater program: runs its dialog modally and ends with it, or in order on SIGTERM.
class CRefreskoApp {
public:
    // Always false: the program ends when the dialog has ended.
    bool InitInstance();
};
