#pragma once

#include <QString>

// File and folder helpers of the setup programs.
class CFileUtil {
public:
    // True when the path is missing or is a folder; otherwise the file is deleted unless it is in use.
    static bool RemoveFile(const QString& path);
    // Deletes everything inside the folder, then the folder. Links are deleted, never followed.
    static void RemoveFolder(const QString& folder);
    // Joins with one '/' between the parts.
    static void AppendPath(QString& path, const QString& tail);

    // In use: another process holds a lock on it, or it cannot be opened at all.
    static bool IsFileInUse(const QString& path);
    // Read-only: the owner may not write it.
    static bool IsReadOnly(const QString& path);
    // Gives the owner read and write (and keeps execution), as "normal attributes" do.
    static bool SetNormalAttributes(const QString& path);

    // A new private folder (mode 0700) named "SV" and random letters in the temporary folder, made in one
    // step; empty when it cannot be made.
    static QString MakeWorkFolder();
};
