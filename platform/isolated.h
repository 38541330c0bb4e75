// A child process that runs work the program does not trust with its own
// memory (a library reading a file that may be damaged or hostile): a crash,
// a loop, a demand for gigabytes or an endless answer costs only the child.
#pragma once

#include <QByteArray>

#include <sys/types.h>

#include <functional>
#include <mutex>
#include <optional>

namespace plat {

// One child, forked on start() or on the first request, that answers
// requests one at a time with `work` and is kept for the next ones, so that a
// request costs no new process. Each request is bounded: the child may take
// memoryBytes more than it had when it started, and an answer longer than
// maxBytes or later than timeoutMs milliseconds is no answer (the child is
// killed). A child that fails a request in any way (it crashes, ends, times
// out, answers too much or answers nothing) is ended and the next request
// starts a fresh one; a request that a child which had answered earlier ones
// fails by crashing, ending or answering nothing is asked once more of a
// fresh child, so that no answer depends on what came before. The child
// lives no longer than the thread that forked it; it holds none of the
// program's files and runs none of its handlers of signals or at exit, so
// that a child that fails just dies.
class IsolatedWorker {
public:
    using Work = std::function<QByteArray(const QByteArray& request)>;
    IsolatedWorker(Work work, qint64 memoryBytes);
    ~IsolatedWorker();
    IsolatedWorker(const IsolatedWorker&) = delete;
    IsolatedWorker& operator=(const IsolatedWorker&) = delete;

    // Forks the child now, unless one runs: best done while the process is
    // small, since a fork copies the process's page tables.
    void start();
    // The child's answer; nothing when it failed as said above, or when it
    // answered nothing (work gave an empty array or threw).
    std::optional<QByteArray> run(const QByteArray& request, qint64 maxBytes, int timeoutMs);

private:
    enum class Outcome { kAnswered, kNothing, kDied, kTimedOut, kTooLong };
    bool startLocked();
    void stopLocked();
    Outcome exchange(const QByteArray& request, qint64 maxBytes, int timeoutMs, QByteArray& answer);

    Work work_;
    qint64 memoryBytes_;
    std::mutex mutex_;
    pid_t pid_ = -1;
    int socket_ = -1;
    int answered_ = 0; // by the running child
};

} // namespace plat
