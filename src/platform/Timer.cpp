#include "platform/Timer.h"

#include "platform/EventLoop.h"

namespace platform {

Timer::Timer(EventLoop& loop, uint32_t interval) : loop_(loop), interval_(interval) {}

Timer::~Timer() {
    loop_.timerRemoved(*this);
}

void Timer::SetInterval(uint32_t ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        loop_.timerChanged(*this);
}

void Timer::SetEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    loop_.timerChanged(*this);
}

void Timer::fire() {
    // A copy, so a handler that replaces OnTimer or stops the timer does not pull the rug.
    auto handler = OnTimer;
    if (handler)
        handler(*this);
}

} // namespace platform
