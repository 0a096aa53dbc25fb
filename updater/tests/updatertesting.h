#pragma once

#include "localftpserver.h"
#include "patchcatalog.h"
#include "tempsuite.h"

#include <QByteArray>
#include <QString>

#include <ostream>

// A suite tree whose updater reaches a local FTP server: Registry.ini names the server, the uninstall
// key the installed version, and the server's "Pezzola" folder holds the patches a test puts there.
class UpdaterTestSuite {
public:
    UpdaterTestSuite();

    bool IsReady() const { return m_suite.IsValid() && m_server.IsRunning(); }
    QString Problem() const { return m_server.Log(); }
    const TempSuite& Suite() const { return m_suite; }
    LocalFtpServer& Server() { return m_server; }

    void Install(PatchVersion version) const;
    bool AddPatch(PatchVersion version, const QByteArray& content) const;
    bool MakePatchFolder() const;
    // Points the updater at the local server, or at a port where nothing listens.
    void PointAtServer() const;
    void PointAtNoServer() const;

    // A patch that leaves the folder it ran in as the file "ran.txt" of that folder.
    static QByteArray MarkerScript(const QString& markerName);

private:
    TempSuite m_suite;
    LocalFtpServer m_server;
};

QByteArray ReadWholeFile(const QString& path);
bool WriteExecutable(const QString& path, const QByteArray& content);

// GoogleTest shows texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
