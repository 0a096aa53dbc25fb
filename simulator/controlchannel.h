#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QSocketNotifier;

// Where the simulator's commands come from: a local socket (any number of clients) and, when asked,
// standard input. Each line is one command, answered by one line on the same connection (standard
// output for standard input). Lines longer than kMaxLineLength are refused and skipped.
class ControlChannel : public QObject {
    Q_OBJECT
public:
    using Executor = std::function<QString(const QString& command)>;
    static constexpr qsizetype kMaxLineLength = 4096;

    explicit ControlChannel(Executor execute);
    ~ControlChannel() override;

    // Listens on the local socket name (a stale socket of that name is removed first).
    bool Listen(const QString& name, QString* error);
    QString FullServerName() const;
    void ReadStandardInput();

private:
    void Accept();
    // Answers every whole line in `buffer` (consumed), writing each reply through `reply`.
    void AnswerLines(QByteArray& buffer, const std::function<void(const QByteArray&)>& reply);
    void ReadStdin();

    Executor m_execute;
    QLocalServer* m_server = nullptr;
    QSocketNotifier* m_stdinNotifier = nullptr;
    QByteArray m_stdinBuffer;
};
