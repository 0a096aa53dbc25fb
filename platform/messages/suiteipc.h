#pragma once

#include "messagetarget.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Finding and messaging the windows of the suite's other programs. A program that registers a window
// class or title listens on a local socket named from the user, the suite folder and that name; another
// program finds it by connecting, and posts it a message as one record {msg u32, wParam u64, lParam i64},
// little-endian, which the registration posts to its window.
class SuiteIpc {
public:
    enum class Key { WindowClass, WindowTitle };

    class Registration;

    // Registers a name; messages posted to it reach `target`. Fails (returns null) while another live
    // program holds the name; a name left behind by a program that died is taken over.
    static std::unique_ptr<Registration> Register(Key key, const QString& name, MessageTarget& target);

    static bool Find(Key key, const QString& name);
    static bool Post(Key key, const QString& name, std::uint32_t message, std::uint64_t wParam,
                     std::int64_t lParam);

    // The local socket name, for the suite folder of the running program.
    static QString ServerName(Key key, const QString& name);

    static constexpr int kRecordSize = 20;
    static constexpr int kConnectTimeoutMs = 200;
};

class SuiteIpc::Registration : public QObject {
    Q_OBJECT
public:
    Registration(QLocalServer* server, MessageTarget& target);
    ~Registration() override;

private:
    void AcceptConnections();
    void ReadRecords(QLocalSocket* socket);

    QLocalServer* m_server;
    MessageTarget& m_target;
};
