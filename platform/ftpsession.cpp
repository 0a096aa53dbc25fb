#include "ftpsession.h"

#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <mutex>

namespace {

constexpr long kMinimumSeconds = 1;
// The longest the transfer loop sleeps without looking at libcurl again. libcurl 7.88 leaves the data
// connection of a reused FTP connection out of its own wait, which then lasts its full second before the
// data flows (measured: a 64 MB download on loopback took 1.1 s instead of 0.1 s, every other time).
constexpr int kLongestWaitMs = 10;
// A data connection that moves less than a byte a second for the whole time-out counts as broken.
constexpr long kStalledBytesPerSecond = 1;

void InitialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Cuts what libcurl hands over into whole blocks, keeping only a started block between calls.
struct DownloadState {
    const FtpSession::BlockCallback* onBlock = nullptr;
    QByteArray pending;

    // False when the receiver said stop.
    bool Take(QByteArrayView incoming)
    {
        if (!pending.isEmpty()) {
            const qsizetype missing = std::min(FtpSession::kBlockSize - pending.size(), incoming.size());
            pending.append(incoming.first(missing));
            incoming = incoming.sliced(missing);
            if (pending.size() < FtpSession::kBlockSize)
                return true;
            if (!(*onBlock)(pending))
                return false;
            pending.clear();
        }
        while (incoming.size() >= FtpSession::kBlockSize) {
            if (!(*onBlock)(incoming.first(FtpSession::kBlockSize)))
                return false;
            incoming = incoming.sliced(FtpSession::kBlockSize);
        }
        pending.append(incoming);
        return true;
    }

    // The last, shorter block.
    bool Finish() { return pending.isEmpty() || (*onBlock)(pending); }
};

size_t CollectText(char* data, size_t size, size_t count, void* user)
{
    static_cast<QByteArray*>(user)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

size_t CollectBlocks(char* data, size_t size, size_t count, void* user)
{
    auto* state = static_cast<DownloadState*>(user);
    return state->Take(QByteArrayView(data, static_cast<qsizetype>(size * count))) ? size * count : 0;
}

int AskKeepGoing(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* keepGoing = static_cast<const FtpSession::KeepGoing*>(user);
    return *keepGoing && !(*keepGoing)() ? 1 : 0;
}

}  // namespace

struct FtpSession::Handle {
    CURL* curl = nullptr;
    // Drives every transfer and keeps the open connection between them (its cache lives here).
    CURLM* multi = nullptr;
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

FtpSession::FtpSession(FtpConnection connection, KeepGoing keepGoing)
    : m_connection(std::move(connection)), m_keepGoing(std::move(keepGoing)), m_handle(std::make_unique<Handle>())
{
    InitialiseCurlOnce();
    m_handle->curl = curl_easy_init();
    m_handle->multi = curl_multi_init();
    if (!m_handle->multi && m_handle->curl) {
        curl_easy_cleanup(m_handle->curl);
        m_handle->curl = nullptr;
    }
}

FtpSession::~FtpSession()
{
    // The easy handle first: the multi handle closes the connections it still keeps.
    if (m_handle->curl)
        curl_easy_cleanup(m_handle->curl);
    if (m_handle->multi)
        curl_multi_cleanup(m_handle->multi);
}

bool FtpSession::IsOpen() const { return m_handle->curl != nullptr; }

int FtpSession::Transfer()
{
    CURLM* multi = m_handle->multi;
    CURL* curl = m_handle->curl;
    if (curl_multi_add_handle(multi, curl) != CURLM_OK)
        return CURLE_FAILED_INIT;
    int running = 1;
    CURLMcode waited = CURLM_OK;
    while (waited == CURLM_OK) {
        waited = curl_multi_perform(multi, &running);
        if (waited != CURLM_OK || running == 0)
            break;
        waited = curl_multi_poll(multi, nullptr, 0, kLongestWaitMs, nullptr);
    }
    CURLcode result = waited == CURLM_OK ? CURLE_OK : CURLE_RECV_ERROR;
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi, curl);
    return result;
}

QString FtpSession::Url(const QString& path) const
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(m_connection.host);
    url.setPort(m_connection.port);
    url.setPath(u'/' + path);
    return url.toString(QUrl::FullyEncoded);
}

void FtpSession::Prepare(const QString& url)
{
    CURL* curl = m_handle->curl;
    // A reset keeps the open connection for the next call.
    curl_easy_reset(curl);
    const long timeoutSeconds = std::max<long>(kMinimumSeconds, m_connection.timeoutMs / 1000);
    curl_easy_setopt(curl, CURLOPT_URL, url.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_connection.user.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_connection.password.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, m_connection.userAgent.toUtf8().constData());
    // An empty proxy turns off the ones named in the environment too.
    curl_easy_setopt(curl, CURLOPT_PROXY, m_connection.proxy.toUtf8().constData());
    if (!m_connection.proxy.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, m_connection.proxyUser.toUtf8().constData());
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, m_connection.proxyPassword.toUtf8().constData());
        // Through an HTTP proxy FTP keeps its own commands inside a tunnel.
        curl_easy_setopt(curl, CURLOPT_HTTPPROXYTUNNEL, 1L);
    }
    // Active mode: the server connects back to the address of the control connection.
    curl_easy_setopt(curl, CURLOPT_FTPPORT, m_connection.passive ? nullptr : "-");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connection.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(m_connection.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kStalledBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, AskKeepGoing);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_keepGoing);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_handle->errorBuffer);
    m_handle->errorBuffer[0] = '\0';
}

FtpSession::Result FtpSession::Perform(int code)
{
    const auto curlCode = static_cast<CURLcode>(code);
    if (curlCode == CURLE_OK) {
        m_lastError.clear();
        return Result::Ok;
    }
    m_lastError = QString::fromUtf8(m_handle->errorBuffer[0] ? m_handle->errorBuffer : curl_easy_strerror(curlCode));
    switch (curlCode) {
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
        return Result::NotFound;
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_WRITE_ERROR:
        return Result::Cancelled;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_WEIRD_SERVER_REPLY:
        return Result::ConnectFailed;
    default:
        return Result::TransferFailed;
    }
}

FtpSession::Result FtpSession::Connect()
{
    if (!m_handle->curl)
        return Result::ConnectFailed;
    Prepare(Url(QString()));
    curl_easy_setopt(m_handle->curl, CURLOPT_NOBODY, 1L);
    const Result result = Perform(Transfer());
    return result == Result::Ok || result == Result::Cancelled ? result : Result::ConnectFailed;
}

FtpSession::Result FtpSession::List(const QString& folder, QList<FtpEntry>& entries)
{
    entries.clear();
    if (!m_handle->curl)
        return Result::ConnectFailed;
    QString path = folder;
    if (!path.endsWith(u'/'))
        path += u'/';
    Prepare(Url(path));
    QByteArray listing;
    // MLSD: one line per entry with its type and size as named facts, the same on every server.
    curl_easy_setopt(m_handle->curl, CURLOPT_CUSTOMREQUEST, "MLSD");
    curl_easy_setopt(m_handle->curl, CURLOPT_WRITEFUNCTION, CollectText);
    curl_easy_setopt(m_handle->curl, CURLOPT_WRITEDATA, &listing);
    const Result result = Perform(Transfer());
    if (result == Result::Ok)
        entries = ParseMachineListing(listing);
    return result;
}

FtpSession::Result FtpSession::Download(const QString& path, const BlockCallback& onBlock)
{
    if (!m_handle->curl)
        return Result::ConnectFailed;
    Prepare(Url(path));
    DownloadState state;
    state.onBlock = &onBlock;
    curl_easy_setopt(m_handle->curl, CURLOPT_WRITEFUNCTION, CollectBlocks);
    curl_easy_setopt(m_handle->curl, CURLOPT_WRITEDATA, &state);
    const Result result = Perform(Transfer());
    if (result != Result::Ok)
        return result;
    return state.Finish() ? Result::Ok : Result::Cancelled;
}

QList<FtpEntry> ParseMachineListing(QByteArrayView listing)
{
    QList<FtpEntry> entries;
    for (QByteArrayView line : QByteArray(listing.data(), listing.size()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // The facts end at the first blank; the name is everything after it, blanks included.
        const qsizetype blank = line.indexOf(' ');
        if (blank <= 0 || blank + 1 >= line.size())
            continue;
        FtpEntry entry;
        entry.name = QString::fromUtf8(line.sliced(blank + 1));
        QString type;
        for (const QByteArray& fact : QByteArray(line.first(blank).data(), blank).split(';')) {
            const qsizetype equals = fact.indexOf('=');
            if (equals <= 0)
                continue;
            const QByteArray key = fact.first(equals).toLower();
            const QByteArray value = fact.sliced(equals + 1);
            if (key == "type")
                type = QString::fromLatin1(value).toLower();
            else if (key == "size")
                entry.size = value.toLongLong();
        }
        if (type == u"cdir" || type == u"pdir")
            continue;
        entry.isFolder = type == u"dir";
        entries.append(entry);
    }
    return entries;
}
