#include "platform/ui/events.h"

#include <QCoreApplication>

#include <atomic>

namespace plat {

namespace {
thread_local bool processing = false;
std::atomic<int> longActions{0};
} // namespace

bool doEvents() {
    if (processing) return false;
    processing = true;
    struct Reset {
        ~Reset() { processing = false; }
    } reset;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return true;
}

bool doEventsRunning() { return processing; }

LongAction::LongAction() { ++longActions; }
LongAction::~LongAction() { --longActions; }
bool longActionRunning() { return longActions.load() > 0; }

PeriodicTimer::PeriodicTimer(int intervalMs, std::function<void()> onTick)
    : interval_(intervalMs), onTick_(std::move(onTick)), timer_(std::make_unique<QTimer>()) {
    timer_->setTimerType(Qt::CoarseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { tick(); });
    apply();
}

PeriodicTimer::~PeriodicTimer() = default;

void PeriodicTimer::setInterval(int ms) {
    interval_ = ms;
    apply();
}

void PeriodicTimer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    apply();
}

bool PeriodicTimer::running() const { return timer_->isActive(); }

void PeriodicTimer::apply() {
    if (enabled_ && interval_ > 0)
        timer_->start(interval_); // restarts a running timer
    else
        timer_->stop();
}

void PeriodicTimer::tick() {
    if (inTick_ || !onTick_) return;
    inTick_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inTick_};
    // A copy: the handler may replace itself.
    const auto handler = onTick_;
    handler();
}

} // namespace plat
