#include "recorderftpclient.h"

#include "engineclient.h"
#include "registrykey.h"
#include "voicemailusers.h"

#include <QSaveFile>
#include <QUrl>

#include <curl/curl.h>

#include <memory>

namespace {

const char* const kUser = "Pelmaro";
const char* const kPassword = "VuoK";
const char* const kAgent = "Microsoft Internet Explorer";
constexpr qint64 kKilobyte = 1024;

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

// A connection to the recorder: its account, active mode, and 10-second limits on connecting, on the
// recorder's connection back for the data, on answers and on a stalled transfer.
CurlHandle Connection(const std::string& url)
{
    CurlHandle curl(curl_easy_init());
    if (!curl)
        return curl;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, kUser);
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, kPassword);
    curl_easy_setopt(curl.get(), CURLOPT_USERAGENT, kAgent);
    curl_easy_setopt(curl.get(), CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, CRecorderFtpClient::kTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_ACCEPTTIMEOUT_MS, CRecorderFtpClient::kTimeoutSeconds * 1000);
    curl_easy_setopt(curl.get(), CURLOPT_SERVER_RESPONSE_TIMEOUT, CRecorderFtpClient::kTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_TIME, CRecorderFtpClient::kTimeoutSeconds);
    return curl;
}

// A path element of a URL: spaces and the like escaped.
std::string Escaped(const QString& element)
{
    return QUrl::toPercentEncoding(element).toStdString();
}

size_t AppendText(char* data, size_t size, size_t count, void* target)
{
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

// What a download writes and reports.
struct Transfer {
    QSaveFile* file = nullptr;
    const CRecorderFtpClient::Progress* progress = nullptr;
    CURL* curl = nullptr;
    qint64 done = 0;
    bool cancelled = false;
};

size_t WriteBlock(char* data, size_t size, size_t count, void* target)
{
    auto* transfer = static_cast<Transfer*>(target);
    const qint64 length = static_cast<qint64>(size * count);
    if (transfer->file->write(data, length) != length)
        return 0;
    transfer->done += length;
    if (transfer->progress && *transfer->progress) {
        curl_off_t total = -1;
        curl_easy_getinfo(transfer->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
        const int percent = total > 0 ? static_cast<int>(transfer->done * 100 / total) : 100;
        if (!(*transfer->progress)(CRecorderFtpClient::ProgressText(transfer->done, total > 0 ? total : transfer->done),
                                   percent)) {
            transfer->cancelled = true;
            return 0;
        }
    }
    return size * count;
}

}  // namespace

CRecorderFtpClient::CRecorderFtpClient(const CEngineClient& engine, std::uint8_t pbx)
    : m_lookup([&engine, pbx](std::string& host) { return static_cast<int>(engine.ReadPbxAddress(pbx, host)); }),
      m_port(static_cast<std::uint16_t>(NetworkPort(kPortName, kDefaultPort)))
{
}

CRecorderFtpClient::CRecorderFtpClient(HostLookup lookup, std::uint16_t port) : m_lookup(std::move(lookup)), m_port(port)
{
}

QString CRecorderFtpClient::ProgressText(qint64 done, qint64 total)
{
    return QStringLiteral("%1 : %2%3%4%5")
        .arg(QStringLiteral("Download"))
        .arg(done / kKilobyte)
        .arg(QStringLiteral("/"))
        .arg(total / kKilobyte)
        .arg(QStringLiteral(" KBytes"));
}

bool CRecorderFtpClient::BaseUrl(std::string& url) const
{
    std::string host;
    if (!m_lookup || m_lookup(host) != 0 || host.empty())
        return false;
    url = "ftp://" + host + ':' + std::to_string(m_port) + '/';
    return true;
}

bool CRecorderFtpClient::ListNames(const std::string& url, std::vector<std::string>& names) const
{
    names.clear();
    CurlHandle curl = Connection(url);
    if (!curl)
        return false;
    std::string listing;
    curl_easy_setopt(curl.get(), CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, AppendText);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &listing);
    if (curl_easy_perform(curl.get()) != CURLE_OK)
        return false;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string name = listing.substr(start, end - start);
        if (!name.empty() && name.back() == '\r')
            name.pop_back();
        if (!name.empty())
            names.push_back(name);
        start = end + 1;
    }
    return true;
}

std::vector<RecordingInfo> CRecorderFtpClient::ListRecordings()
{
    std::vector<RecordingInfo> recordings;
    std::string base;
    std::vector<std::string> entries;
    if (!BaseUrl(base) || !ListNames(base, entries))
        return recordings;
    for (const std::string& entry : entries) {
        const QString folder = QString::fromStdString(entry);
        if (!folder.startsWith(kFolderPrefix))
            continue;
        std::vector<std::string> files;
        if (!ListNames(base + Escaped(folder) + '/', files))
            continue;
        for (const std::string& file : files)
            if (auto recording = ParseRecordingName(QString::fromStdString(file), folder))
                recordings.push_back(*recording);
    }
    return recordings;
}

bool CRecorderFtpClient::DeleteRecording(const RecordingInfo& recording)
{
    std::string base;
    if (!BaseUrl(base))
        return false;
    CurlHandle curl = Connection(base);
    if (!curl)
        return false;
    Slist commands(curl_slist_append(nullptr, ("CWD " + recording.folder.toStdString()).c_str()));
    curl_slist_append(commands.get(), ("DELE " + recording.fileName.toStdString()).c_str());
    curl_easy_setopt(curl.get(), CURLOPT_QUOTE, commands.get());
    curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
    return curl_easy_perform(curl.get()) == CURLE_OK;
}

bool CRecorderFtpClient::Fetch(const std::string& url, const QString& localPath, const Progress& progress) const
{
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    CurlHandle curl = Connection(url);
    if (!curl)
        return false;
    Transfer transfer{&file, &progress, curl.get()};
    curl_easy_setopt(curl.get(), CURLOPT_TRANSFERTEXT, 0L);  // image type
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, WriteBlock);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl.get(), CURLOPT_BUFFERSIZE, 4096L);
    const bool fetched = curl_easy_perform(curl.get()) == CURLE_OK && !transfer.cancelled;
    if (!fetched) {
        file.cancelWriting();
        return false;
    }
    if (transfer.done == 0 && progress)
        progress(ProgressText(0, 0), 100);  // nothing to copy is all of it
    return file.commit();
}

bool CRecorderFtpClient::DownloadRecording(const RecordingInfo& recording, const QString& localPath,
                                           const Progress& progress)
{
    std::string base;
    if (!BaseUrl(base))
        return false;
    return Fetch(base + Escaped(recording.folder) + '/' + Escaped(recording.fileName), localPath, progress);
}

bool CRecorderFtpClient::DownloadVoiceMailUsers(const QString& localPath, CVoiceMailUsers& users)
{
    std::string base;
    if (!BaseUrl(base))
        return false;
    std::string path;
    // Appended piece by piece: "/" + a temporary string makes g++ 12 at -O2 report a false -Wrestrict.
    for (const QString& element : kUsersPath.split(u'/')) {
        if (!path.empty())
            path += '/';
        path += Escaped(element);
    }
    return Fetch(base + path, localPath, {}) && users.Load(localPath);
}
