// The millisecond clock used to pace animations, pauses and tips, and a way
// to wait without letting any event run.
#pragma once

#include <cstdint>
#include <functional>

namespace plat {

// Milliseconds of a monotonic clock (since an arbitrary fixed start, the same
// for the whole process); never goes back.
std::int64_t msClock();

// The low 32 bits of msClock(): wraps around after about 49.7 days. Compare
// two readings by their difference (ticksBetween), never by their order.
std::uint32_t timeGetTime();

// Milliseconds from `from` to `to`, two timeGetTime() readings, correct
// across one wrap-around.
inline std::uint32_t ticksBetween(std::uint32_t from, std::uint32_t to) { return to - from; }

// Returns once msClock() has advanced by ms (nothing for ms <= 0). Sleeps on
// the real clock; runs no events. With a test clock installed it only reads
// that clock until the time has passed, so the test clock must advance by
// itself as it is read.
void waitMs(int ms);

// Replaces the clock behind msClock() (and timeGetTime() and waitMs()) for
// tests; an empty function restores the real clock.
void setClockSourceForTests(std::function<std::int64_t()> source);
// Whether a test clock is installed (a waiting loop then only reads the clock
// and never sleeps on the real one).
bool clockSourceIsForTests();

// Installs a test clock for the lifetime of the object.
class ScopedClockSource {
public:
    explicit ScopedClockSource(std::function<std::int64_t()> source) { setClockSourceForTests(std::move(source)); }
    ~ScopedClockSource() { setClockSourceForTests({}); }
    ScopedClockSource(const ScopedClockSource&) = delete;
    ScopedClockSource& operator=(const ScopedClockSource&) = delete;
};

// The local date and time now as a date value (days since 30 December 1899,
// time of day as the fraction; see numbers.h).
double now();

} // namespace plat
