// Holds idle connections to a TCP port on 127.0.0.1 for the request server's benchmark, in a process of
// its own so that they do not count against the benchmark's descriptor limit:
//   bench_idle_connections PORT COUNT
// connects COUNT sockets that never send, prints "ready N" (N: those connected within the wait) and keeps
// them until its standard input ends.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kConnectWaitMs = 10000;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_idle_connections PORT COUNT\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int count = std::atoi(argv[2]);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<std::uint16_t>(port));
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

    std::vector<pollfd> pending;
    for (int i = 0; i < count; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            break;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&server), sizeof server) == 0 || errno == EINPROGRESS)
            pending.push_back({fd, POLLOUT, 0});
        else
            ::close(fd);
    }
    // Connected once writable without an error.
    int connected = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kConnectWaitMs);
    std::vector<pollfd> waiting = pending;
    while (!waiting.empty() && std::chrono::steady_clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (::poll(waiting.data(), waiting.size(), static_cast<int>(left.count())) <= 0)
            break;
        std::vector<pollfd> still;
        for (const pollfd& entry : waiting) {
            if (entry.revents == 0) {
                still.push_back(entry);
                continue;
            }
            int error = 0;
            socklen_t size = sizeof error;
            if (::getsockopt(entry.fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
                ++connected;
        }
        waiting.swap(still);
    }
    std::printf("ready %d\n", connected);
    std::fflush(stdout);
    char byte = 0;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    for (const pollfd& entry : pending)
        ::close(entry.fd);
    return 0;
}
