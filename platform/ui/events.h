// Event processing for the program's long loops, and its periodic timer.
//
// The program has one thread. A handler that runs a long loop (a held-button
// rotation, a replay, the solver) lets the events that came in meanwhile run
// by calling doEvents() after each step, and marks itself with a LongAction
// so that the handlers those events reach can refuse or put off commands
// that would change the puzzle under the loop.
#pragma once

#include <QTimer>

#include <functional>
#include <memory>

namespace plat {

// Runs the events pending for this thread once and returns true. A call made
// while another one is running its events (from a handler that one
// dispatched) returns false at once without running anything: events are
// never dispatched more than one level deep. A loop that waits for a flag
// that an event clears must therefore not itself run under doEvents(); the
// handlers refuse such commands while longActionRunning() is true.
bool doEvents();
// Whether a doEvents() call is running its events on this thread.
bool doEventsRunning();

// Marks a long loop for its lifetime. Nestable.
class LongAction {
public:
    LongAction();
    ~LongAction();
    LongAction(const LongAction&) = delete;
    LongAction& operator=(const LongAction&) = delete;
};
// Whether some long loop is running on the GUI thread.
bool longActionRunning();

// A timer that calls its handler every interval while it is enabled. It does
// not tick with an interval of 0 or less. Changing the interval of a running
// timer starts the interval afresh. A tick that comes while the handler is
// still running (because the handler let events run) is dropped.
class PeriodicTimer {
public:
    explicit PeriodicTimer(int intervalMs = 0, std::function<void()> onTick = {});
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    void setOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }
    // Whether ticks are coming (enabled with a positive interval).
    bool running() const;
    // One tick, as the timer gives it.
    void tick();

private:
    void apply();

    int interval_ = 0;
    bool enabled_ = true;
    bool inTick_ = false;
    std::function<void()> onTick_;
    std::unique_ptr<QTimer> timer_;
};

} // namespace plat
