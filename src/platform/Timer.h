#pragma once

#include <cstdint>
#include <functional>

namespace platform {

class EventLoop;

// A periodic timer on an event loop: fires every Interval ms while Enabled. Enabling starts the
// count from now; changing the interval of a running timer restarts it; interval 0 never fires.
class Timer {
public:
    explicit Timer(EventLoop& loop, uint32_t interval = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // Armed: enabled with a non-zero interval, so the loop will fire it.
    bool Armed() const { return enabled_ && interval_ != 0; }

    intptr_t Tag = 0;
    std::function<void(Timer&)> OnTimer;

private:
    friend class EventLoop;
    void fire();

    EventLoop& loop_;
    uint32_t interval_;
    bool enabled_ = false;
};

} // namespace platform
