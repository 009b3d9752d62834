#include "support/VirtualEventLoop.h"

#include "platform/Timer.h"

void VirtualEventLoop::watchReadable(int fd, std::function<void()> onReadable) {
    watches_[fd] = std::move(onReadable);
}

void VirtualEventLoop::unwatch(int fd) {
    watches_.erase(fd);
}

void VirtualEventLoop::NotifyReadable(int fd) {
    invokeLater([this, fd] {
        auto it = watches_.find(fd);
        if (it != watches_.end()) {
            auto cb = it->second;
            cb();
        }
    });
}

void VirtualEventLoop::timerChanged(platform::Timer& timer) {
    timers_.update(timer, now_);
}

void VirtualEventLoop::timerRemoved(platform::Timer& timer) {
    timers_.remove(timer);
}

bool VirtualEventLoop::fireDue() {
    bool any = false;
    while (platform::Timer* timer = timers_.popDue(now_)) {
        fireTimer(*timer);
        any = true;
    }
    return any;
}

bool VirtualEventLoop::processEvents(std::optional<uint64_t> deadline) {
    if (dispatchPosted() || fireDue())
        return true;
    std::optional<uint64_t> next = timers_.nextDue();
    if (deadline && (!next || *deadline < *next)) {
        if (*deadline > now_)
            now_ = *deadline;
        return false;
    }
    if (!next)
        return false; // nothing can ever happen: a nested run waiting on it would hang
    now_ = *next;
    return fireDue();
}

void VirtualEventLoop::RunUntilIdle() {
    while (dispatchPosted() || fireDue()) {
    }
}

void VirtualEventLoop::Advance(uint64_t ms) {
    const uint64_t end = now_ + ms;
    while (processEvents(end)) {
    }
    now_ = end;
}
