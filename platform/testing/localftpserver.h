#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real FTP server on loopback for tests: Debian's pyftpdlib serving a throw-away folder on a free port
// with one account. Stopped when the object goes.
class LocalFtpServer {
public:
    static constexpr const char* kUser = "corvanti";
    static constexpr const char* kPassword = "q71k9zt";

    LocalFtpServer();
    // Serves with another account; `writable` lets it store and delete files too.
    LocalFtpServer(const QString& user, const QString& password, bool writable);
    ~LocalFtpServer();
    LocalFtpServer(const LocalFtpServer&) = delete;
    LocalFtpServer& operator=(const LocalFtpServer&) = delete;

    // True once the server accepts connections.
    bool IsRunning() const { return m_running; }
    int Port() const { return m_port; }
    QString Root() const { return m_root.path(); }
    // What went wrong while starting, for the test's message.
    QString Log() const;

    // A file below the served folder, its folders created.
    bool WriteFile(const QString& relativePath, const QByteArray& content) const;
    bool MakeFolder(const QString& relativePath) const;

private:
    bool Start();

    QTemporaryDir m_root;
    QTemporaryDir m_logDir;
    QProcess m_process;
    QString m_user = QString::fromLatin1(kUser);
    QString m_password = QString::fromLatin1(kPassword);
    bool m_writable = false;
    int m_port = 0;
    bool m_running = false;
};

// A port on 127.0.0.1 that nothing listens on at the moment of asking.
int FreeLoopbackPort();
