#pragma once

#include <QString>

// A patch may bring a new updater, which it cannot write over the running updater itself: it leaves the
// program as "NexUpd.psx" in the Shared folder, and the console puts it in place at its next start.
inline const QString kUpdaterPatchFile = QStringLiteral("NexUpd.psx");

enum class UpdaterReplacement {
    NoPatch,   // nothing waiting in the Shared folder
    Replaced,  // the new updater is in place and the patch file is gone
    Failed,    // the old updater and the patch file are left as they were
};

// Copies the patch beside the updater under a temporary name and renames it over the updater in one
// step, so that the updater is never half written; the result is executable. Then the patch file is
// deleted.
UpdaterReplacement ReplaceUpdaterFromPatch();
