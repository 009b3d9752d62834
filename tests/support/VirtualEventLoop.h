#pragma once

#include "platform/EventLoop.h"
#include "platform/TimerQueue.h"

#include <map>

// Virtual time for tests: the clock stands still while anything is ready and jumps to the next
// due timer when nothing is, so minutes of time-outs run in microseconds, deterministically.
class VirtualEventLoop : public platform::EventLoop {
public:
    uint64_t tickCount() const override { return now_; }
    void watchReadable(int fd, std::function<void()> onReadable) override;
    void unwatch(int fd) override;
    bool processEvents(std::optional<uint64_t> deadline) override;

    // Handles everything ready now without moving the clock.
    void RunUntilIdle();
    // Runs for ms of virtual time: every timer due in that span fires, the clock ends at now+ms.
    void Advance(uint64_t ms);
    // A fake descriptor became readable: its watcher runs on the next turn.
    void NotifyReadable(int fd);
    bool Watching(int fd) const { return watches_.count(fd) != 0; }
    bool HasArmedTimers() const { return !timers_.empty(); }

protected:
    void timerChanged(platform::Timer& timer) override;
    void timerRemoved(platform::Timer& timer) override;

private:
    bool fireDue();

    uint64_t now_ = 1000;
    platform::TimerQueue timers_;
    std::map<int, std::function<void()>> watches_;
};
