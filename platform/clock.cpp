#include "platform/clock.h"

#include "platform/numbers.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <chrono>
#include <thread>

namespace plat {

namespace {

std::function<std::int64_t()>& testSource() {
    static std::function<std::int64_t()> source;
    return source;
}

std::int64_t realClock() {
    // The monotonic clock's own reference point (system start on Linux), so
    // that readings are large and never zero, like a system tick count.
    QElapsedTimer t;
    t.start();
    return t.msecsSinceReference();
}

} // namespace

std::int64_t msClock() {
    const auto& source = testSource();
    return source ? source() : realClock();
}

std::uint32_t timeGetTime() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(msClock())); }

void waitMs(int ms) {
    if (ms <= 0) return;
    const std::int64_t target = msClock() + ms;
    for (;;) {
        const std::int64_t remaining = target - msClock();
        if (remaining <= 0) return;
        if (!testSource()) std::this_thread::sleep_for(std::chrono::milliseconds(remaining));
    }
}

void setClockSourceForTests(std::function<std::int64_t()> source) { testSource() = std::move(source); }

bool clockSourceIsForTests() { return static_cast<bool>(testSource()); }

double now() { return toDateValue(QDateTime::currentDateTime()); }

} // namespace plat
