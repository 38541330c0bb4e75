#include "platform/isolated.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

// Present only in a program built with a sanitizer.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace plat {

namespace {

// The child's end of the socket, once the child has closed every other file.
constexpr int kChildSocket = 3;

// A request: its length and time bound, then its bytes; an answer: its
// length (0 for nothing), then its bytes.
struct RequestHeader {
    std::uint64_t length;
    std::uint32_t timeoutMs;
};

qint64 currentVirtualBytes() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return f.readLine().split(' ').value(0).toLongLong() * sysconf(_SC_PAGESIZE);
}

// ---- the child's side: blocking, and any failure ends it

void childRead(void* to, std::size_t n) {
    auto* p = static_cast<char*>(to);
    while (n > 0) {
        const ssize_t k = ::read(kChildSocket, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) _exit(0); // the program has gone, or ended the child
        p += k;
        n -= std::size_t(k);
    }
}

void childWrite(const void* from, std::size_t n) {
    const auto* p = static_cast<const char*>(from);
    while (n > 0) {
        const ssize_t k = ::write(kChildSocket, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) _exit(3);
        p += k;
        n -= std::size_t(k);
    }
}

// A process that just dies: the child keeps none of what the program set up
// to report or tidy after its own crash or exit (signal handlers, a
// sanitizer's death hook, handlers at exit), which would otherwise run in the
// child for a failure that costs the program nothing.
void plainProcess() {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigemptyset(&byDefault.sa_mask);
    for (int s = 1; s < NSIG; ++s)
        if (s != SIGKILL && s != SIGSTOP) ::sigaction(s, &byDefault, nullptr);
    sigset_t none;
    ::sigemptyset(&none);
    ::pthread_sigmask(SIG_SETMASK, &none, nullptr);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(nullptr);
    // Run first of all the handlers at exit, should a library call exit().
    std::atexit([] { _exit(5); });
}

[[noreturn]] void serve(const IsolatedWorker::Work& work, int socket, pid_t parent, qint64 memoryBytes) {
    plainProcess();
    // Ended with the thread that forked it, and never left behind.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) _exit(0);
    // None of the program's files: the socket alone, and the libraries'
    // complaints, which are no message of the program's, go nowhere.
    if (socket != kChildSocket && ::dup2(socket, kChildSocket) != kChildSocket) _exit(3);
    ::close_range(kChildSocket + 1, ~0U, 0);
    const int nada = ::open("/dev/null", O_WRONLY);
    if (nada >= 0) {
        ::dup2(nada, STDOUT_FILENO);
        ::dup2(nada, STDERR_FILENO);
        if (nada > STDERR_FILENO) ::close(nada);
    }
    const qint64 limit = currentVirtualBytes() + memoryBytes;
    if (limit > 0) {
        const rlimit r{rlim_t(limit), rlim_t(limit)};
        ::setrlimit(RLIMIT_AS, &r);
    }
    const rlimit core{0, 0};
    ::setrlimit(RLIMIT_CORE, &core);
    // The memory one request frees is kept for the next, rather than given
    // back and faulted in again page by page.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 256 << 20);
    for (;;) {
        RequestHeader header;
        childRead(&header, sizeof header);
        QByteArray request;
        try {
            request.resize(qsizetype(header.length));
        } catch (...) {
            _exit(4);
        }
        childRead(request.data(), std::size_t(request.size()));
        // Should the program fail to end it in time, the child ends itself.
        ::alarm(header.timeoutMs / 1000 + 2);
        QByteArray answer;
        try {
            answer = work(request);
        } catch (...) {
            answer.clear();
        }
        ::alarm(0);
        const std::uint64_t length = std::uint64_t(answer.size());
        childWrite(&length, sizeof length);
        childWrite(answer.constData(), std::size_t(answer.size()));
    }
}

// ---- the program's side: bounded by the deadline, never blocking past it

using Clock = std::chrono::steady_clock;

// Waits until the socket is ready for `events` or the deadline passes.
bool await(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0) return false;
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, int(left) + 1);
        if (r < 0 && errno == EINTR) continue;
        return r > 0;
    }
}

enum class Io { kDone, kClosed, kLate };

Io sendAll(int fd, const char* p, qsizetype n, Clock::time_point deadline) {
    while (n > 0) {
        if (!await(fd, POLLOUT, deadline)) return Io::kLate;
        const ssize_t k = ::send(fd, p, std::size_t(n), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (k < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (k <= 0) return Io::kClosed;
        p += k;
        n -= k;
    }
    return Io::kDone;
}

Io receiveAll(int fd, char* p, qsizetype n, Clock::time_point deadline) {
    while (n > 0) {
        if (!await(fd, POLLIN, deadline)) return Io::kLate;
        const ssize_t k = ::recv(fd, p, std::size_t(n), MSG_DONTWAIT);
        if (k < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (k <= 0) return Io::kClosed;
        p += k;
        n -= k;
    }
    return Io::kDone;
}

} // namespace

IsolatedWorker::IsolatedWorker(Work work, qint64 memoryBytes) : work_(std::move(work)), memoryBytes_(memoryBytes) {}

IsolatedWorker::~IsolatedWorker() {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopLocked();
}

void IsolatedWorker::start() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (pid_ < 0) startLocked();
}

bool IsolatedWorker::startLocked() {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(ends[0]);
        ::close(ends[1]);
        return false;
    }
    if (pid == 0) serve(work_, ends[1], parent, memoryBytes_);
    ::close(ends[1]);
    pid_ = pid;
    socket_ = ends[0];
    answered_ = 0;
    return true;
}

void IsolatedWorker::stopLocked() {
    if (pid_ < 0) return;
    ::close(socket_);
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    socket_ = -1;
    answered_ = 0;
}

IsolatedWorker::Outcome IsolatedWorker::exchange(const QByteArray& request, qint64 maxBytes, int timeoutMs,
                                                 QByteArray& answer) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const RequestHeader header{std::uint64_t(request.size()), std::uint32_t(timeoutMs)};
    auto outcome = [](Io io) { return io == Io::kLate ? Outcome::kTimedOut : Outcome::kDied; };
    Io io = sendAll(socket_, reinterpret_cast<const char*>(&header), sizeof header, deadline);
    if (io == Io::kDone) io = sendAll(socket_, request.constData(), request.size(), deadline);
    if (io != Io::kDone) return outcome(io);
    std::uint64_t length = 0;
    io = receiveAll(socket_, reinterpret_cast<char*>(&length), sizeof length, deadline);
    if (io != Io::kDone) return outcome(io);
    if (length == 0) return Outcome::kNothing;
    if (length > std::uint64_t(maxBytes)) return Outcome::kTooLong;
    answer.resize(qsizetype(length));
    io = receiveAll(socket_, answer.data(), answer.size(), deadline);
    if (io != Io::kDone) return outcome(io);
    return Outcome::kAnswered;
}

std::optional<QByteArray> IsolatedWorker::run(const QByteArray& request, qint64 maxBytes, int timeoutMs) {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (pid_ < 0 && !startLocked()) return std::nullopt;
        const bool fresh = answered_ == 0;
        QByteArray answer;
        const Outcome o = exchange(request, maxBytes, timeoutMs, answer);
        if (o == Outcome::kAnswered) {
            ++answered_;
            return answer;
        }
        // A child that failed is not trusted with another request.
        stopLocked();
        if (fresh || o == Outcome::kTimedOut || o == Outcome::kTooLong) break;
    }
    return std::nullopt;
}

} // namespace plat
