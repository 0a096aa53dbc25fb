#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// Where and how an FTP session connects.
struct FtpConnection {
    QString host;
    int port = 21;
    QString user;
    QString password;
    bool passive = true;
    // Through a proxy ("host:port" or a URL) with its own account; without one the session connects
    // directly, whatever proxies the environment names.
    QString proxy;
    QString proxyUser;
    QString proxyPassword;
    QString userAgent;     // sent to a proxy that speaks HTTP
    int timeoutMs = 10000; // connecting, each control answer, accepting and moving data
};

struct FtpEntry {
    QString name;
    std::int64_t size = 0;
    bool isFolder = false;
};

// A logged-in FTP session over libcurl: a folder listing and downloads in fixed blocks. Every call
// blocks; `keepGoing`, asked while a transfer waits or moves, stops it early when it returns false.
class FtpSession {
public:
    enum class Result {
        Ok,
        ConnectFailed,  // no connection or log-in refused
        NotFound,       // the folder or file is not on the server
        TransferFailed, // the connection broke or timed out while data moved
        Cancelled,      // `keepGoing` or the block callback said stop
    };

    using KeepGoing = std::function<bool()>;
    // A block of the download: kBlockSize bytes, the last one shorter. False stops the download.
    using BlockCallback = std::function<bool(QByteArrayView block)>;

    static constexpr qsizetype kBlockSize = 4096;

    explicit FtpSession(FtpConnection connection, KeepGoing keepGoing = {});
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // False when libcurl could not give the session a handle: nothing can be done with it.
    bool IsOpen() const;
    // Connects and logs in; the later calls use the same connection while it lives.
    Result Connect();
    // The entries of a folder (a path below the log-in folder).
    Result List(const QString& folder, QList<FtpEntry>& entries);
    Result Download(const QString& path, const BlockCallback& onBlock);

    // libcurl's words for the last failure, for logs.
    QString LastError() const { return m_lastError; }

private:
    struct Handle;

    QString Url(const QString& path) const;
    void Prepare(const QString& url);
    // Runs the prepared transfer to its end; libcurl's result code.
    int Transfer();
    Result Perform(int code);

    FtpConnection m_connection;
    KeepGoing m_keepGoing;
    std::unique_ptr<Handle> m_handle;
    QString m_lastError;
};

// The entries of an MLSD answer ("fact=value;...; name" per line); lines that name no entry are skipped.
QList<FtpEntry> ParseMachineListing(QByteArrayView listing);
