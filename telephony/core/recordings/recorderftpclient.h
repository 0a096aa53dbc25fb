#pragma once

#include "recordinginfo.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CEngineClient;
class CVoiceMailUsers;

// The client of the PBX's call recorder and voice box, reached over FTP (active mode, user "Pelmaro") at
// the network address that the engine reports for the PBX. Every operation looks the host up, opens a
// connection of its own and closes it before returning; each reports only success or failure.
class CRecorderFtpClient {
public:
    static constexpr std::uint16_t kDefaultPort = 21;
    static inline const QString kPortName = QStringLiteral("RecorderFtpPort");  // Registry.ini [Network]
    static constexpr long kTimeoutSeconds = 10;
    static inline const QString kFolderPrefix = QStringLiteral("Hard Disk");
    static inline const QString kUsersPath = QStringLiteral("Msg/Risp/UserPwd.dat");

    // The host look-up: 0 and the address, or a failure code.
    using HostLookup = std::function<int(std::string& host)>;
    // The caption of the window that shows a download's progress: string 1251 "Trasferimento in corso,
    // attendere prego...".
    static constexpr unsigned kProgressCaptionString = 1251;
    // Progress of a download: the status text and per cent; false asks to cancel.
    using Progress = std::function<bool(const QString& text, int percent)>;

    // The host of the PBX as the engine reports it; the port from Registry.ini or 21.
    CRecorderFtpClient(const CEngineClient& engine, std::uint8_t pbx);
    CRecorderFtpClient(HostLookup lookup, std::uint16_t port);

    // Every recording in the folders whose name begins with "Hard Disk"; empty when the host or the
    // connection fails.
    std::vector<RecordingInfo> ListRecordings();
    bool DeleteRecording(const RecordingInfo& recording);
    // Downloads the recording into the file; a failed or cancelled download leaves no file.
    bool DownloadRecording(const RecordingInfo& recording, const QString& localPath, const Progress& progress = {});
    // Fetches the compressed users' table to the file and loads it into `users`.
    bool DownloadVoiceMailUsers(const QString& localPath, CVoiceMailUsers& users);

    // The status text of a download: "Download : <done>/<total> KBytes".
    static QString ProgressText(qint64 done, qint64 total);

private:
    bool BaseUrl(std::string& url) const;
    bool ListNames(const std::string& url, std::vector<std::string>& names) const;
    bool Fetch(const std::string& url, const QString& localPath, const Progress& progress) const;

    HostLookup m_lookup;
    std::uint16_t m_port;
};
