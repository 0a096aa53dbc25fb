#pragma once

#include "blockingsocket.h"
#include "messagetarget.h"
#include "pbxchannel.h"
#include "qstringprinter.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Collects what a channel posts, from any thread.
class RecordingTarget : public MessageTarget {
public:
    struct Posted {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
    std::size_t Count() const;
    Posted At(std::size_t index) const;

private:
    mutable std::mutex m_mutex;
    std::vector<Posted> m_posted;
};

// A PBX on the LAN side of a test: a UDP socket on a loopback address and a port of its own.
class LanPeer {
public:
    explicit LanPeer(const std::string& address = "127.0.0.1");
    std::uint16_t Port() const { return m_port; }
    void SendTo(std::uint16_t port, const Bytes& datagram);
    // The next datagram within the time-out; empty on silence.
    Bytes Receive(int seconds = 5);

private:
    CBlockingSocket m_socket;
    std::uint16_t m_port = 0;
};

// A folder for the traffic log of one test.
class LogFolder {
public:
    QString Path() const { return m_dir.filePath(QStringLiteral("Engine.log")); }
    // The lines of the log without their stamps, each with its CR LF.
    QStringList Lines() const;
    // The lines that contain the text.
    QStringList LinesWith(const QString& text) const;

private:
    QTemporaryDir m_dir;
};

// The bytes of a frame: sync bytes, code, payload length, payload.
Bytes Frame(std::uint8_t code, const Bytes& payload = {});

// A wait long enough for any exchange on loopback; tests never reach it unless something is wrong.
constexpr int kLongMs = 10000;

// Sends a frame that waits for an answer through the channel; the request's record.
std::shared_ptr<PbxRequestRecord> SendRequest(CPbxChannel& channel, const Bytes& frame, int timeoutMs = kLongMs);
// Whether the request ended (answered, timed out or failed) within the long wait.
bool RequestFinished(const std::shared_ptr<PbxRequestRecord>& record);
// The frame held in a received-frame slot.
Bytes FrameSlotBytes(const CPbxChannel& channel, int slot);
