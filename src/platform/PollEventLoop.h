#pragma once

#include "platform/EventLoop.h"
#include "platform/TimerQueue.h"

#include <map>

namespace platform {

// The loop of the tools that run without Qt (command-line front end, device emulator): poll(2)
// on the watched descriptors, timers on the monotonic clock.
class PollEventLoop : public EventLoop {
public:
    ~PollEventLoop() override;

    uint64_t tickCount() const override;
    void watchReadable(int fd, std::function<void()> onReadable) override;
    void unwatch(int fd) override;
    bool processEvents(std::optional<uint64_t> deadline) override;

protected:
    void timerChanged(Timer& timer) override;
    void timerRemoved(Timer& timer) override;

private:
    bool fireDueTimers();

    TimerQueue timers_;
    std::map<int, std::function<void()>> watches_;
};

} // namespace platform
