// A 64 MB patch from a local FTP server (pyftpdlib on loopback): through the updater's download (blocks of
// 4,096 bytes into a temporary file that is renamed when whole, with the progress figure and status text
// worked out after every block), against libcurl writing the same file directly. Reports the MB/s of
// both and the updater's share of libcurl's speed.

#include "ftpsession.h"
#include "localftpserver.h"
#include "patchdownload.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr std::int64_t kPatchSize = 64LL * 1024 * 1024;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;
const QString kRemoteName = QStringLiteral("Refresko00010002.exe");

FtpConnection ConnectionTo(const LocalFtpServer& server)
{
    FtpConnection connection;
    connection.host = QStringLiteral("127.0.0.1");
    connection.port = server.Port();
    connection.user = QString::fromLatin1(LocalFtpServer::kUser);
    connection.password = QString::fromLatin1(LocalFtpServer::kPassword);
    return connection;
}

size_t WriteToFile(char* data, size_t size, size_t count, void* file)
{
    return std::fwrite(data, size, count, static_cast<FILE*>(file)) * size;
}

bool CurlDirect(const LocalFtpServer& server, const QString& target)
{
    FILE* file = std::fopen(target.toLocal8Bit().constData(), "wb");
    if (!file)
        return false;
    CURL* curl = curl_easy_init();
    const QByteArray url = QStringLiteral("ftp://127.0.0.1:%1/%2").arg(server.Port()).arg(kRemoteName).toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, LocalFtpServer::kUser);
    curl_easy_setopt(curl, CURLOPT_PASSWORD, LocalFtpServer::kPassword);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
    const bool ok = curl_easy_perform(curl) == CURLE_OK;
    curl_easy_cleanup(curl);
    return std::fclose(file) == 0 && ok;
}

bool ThroughUpdater(const LocalFtpServer& server, const QString& target)
{
    FtpSession session(ConnectionTo(server));
    if (session.Connect() != FtpSession::Result::Ok)
        return false;
    int percent = 0;
    QString status;
    const bool ok = DownloadPatch(session, kRemoteName, target, kPatchSize, [&](std::int64_t bytes) {
        percent = DownloadProgressPercent(bytes, kPatchSize);
        status = KilobyteCounter(bytes, kPatchSize);
    });
    benchmark::DoNotOptimize(percent);
    benchmark::DoNotOptimize(status);
    return ok;
}

template <typename Download>
double Seconds(Download download)
{
    const auto start = std::chrono::steady_clock::now();
    const bool ok = download();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return ok ? elapsed.count() : -1.0;
}

void BM_PatchDownload(benchmark::State& state)
{
    LocalFtpServer server;
    QTemporaryDir target;
    if (!server.IsRunning() || !server.WriteFile(kRemoteName, QByteArray(kPatchSize, 'p'))) {
        state.SkipWithError("no local FTP server");
        return;
    }
    double updaterSeconds = 0;
    double curlSeconds = 0;
    bool updaterFirst = true;
    for (auto _ : state) {
        // Turn about, so that neither always meets a warmer server or cache.
        const auto updaterRun = [&] { return Seconds([&] { return ThroughUpdater(server, target.filePath(QStringLiteral("LastUpdate.exe"))); }); };
        const auto curlRun = [&] { return Seconds([&] { return CurlDirect(server, target.filePath(QStringLiteral("direct.exe"))); }); };
        double updater = 0;
        double curl = 0;
        if (updaterFirst) {
            updater = updaterRun();
            curl = curlRun();
        } else {
            curl = curlRun();
            updater = updaterRun();
        }
        updaterFirst = !updaterFirst;
        if (updater < 0 || curl < 0) {
            state.SkipWithError("download failed");
            return;
        }
        updaterSeconds += updater;
        curlSeconds += curl;
    }
    const double megabytes = static_cast<double>(kPatchSize) * static_cast<double>(state.iterations()) / kBytesPerMegabyte;
    state.counters["updater_MBps"] = megabytes / updaterSeconds;
    state.counters["curl_MBps"] = megabytes / curlSeconds;
    state.counters["updater_vs_curl"] = curlSeconds / updaterSeconds;
}
BENCHMARK(BM_PatchDownload)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
