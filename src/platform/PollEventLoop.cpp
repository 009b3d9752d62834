#include "platform/PollEventLoop.h"

#include "platform/Timer.h"

#include <cerrno>
#include <ctime>
#include <poll.h>
#include <vector>

namespace platform {

PollEventLoop::~PollEventLoop() = default;

uint64_t PollEventLoop::tickCount() const {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000 + uint64_t(ts.tv_nsec) / 1000000;
}

void PollEventLoop::watchReadable(int fd, std::function<void()> onReadable) {
    watches_[fd] = std::move(onReadable);
}

void PollEventLoop::unwatch(int fd) {
    watches_.erase(fd);
}

void PollEventLoop::timerChanged(Timer& timer) {
    timers_.update(timer, tickCount());
}

void PollEventLoop::timerRemoved(Timer& timer) {
    timers_.remove(timer);
}

bool PollEventLoop::fireDueTimers() {
    const uint64_t now = tickCount();
    bool any = false;
    while (Timer* timer = timers_.popDue(now)) {
        fireTimer(*timer);
        any = true;
    }
    return any;
}

bool PollEventLoop::processEvents(std::optional<uint64_t> deadline) {
    if (dispatchPosted())
        return true;
    if (fireDueTimers())
        return true;

    const uint64_t now = tickCount();
    std::optional<uint64_t> wakeAt = timers_.nextDue();
    if (deadline && (!wakeAt || *deadline < *wakeAt))
        wakeAt = deadline;
    if (!wakeAt && watches_.empty())
        return false; // nothing could ever wake us

    int timeout = -1;
    if (wakeAt)
        timeout = *wakeAt > now ? int(*wakeAt - now) : 0;

    std::vector<pollfd> fds;
    fds.reserve(watches_.size());
    for (const auto& [fd, cb] : watches_)
        fds.push_back(pollfd{fd, POLLIN, 0});
    int n = ::poll(fds.data(), fds.size(), timeout);
    if (n < 0 && errno != EINTR)
        return false;

    bool any = false;
    for (const pollfd& p : fds) {
        if (!(p.revents & (POLLIN | POLLERR | POLLHUP)))
            continue;
        auto it = watches_.find(p.fd);
        if (it == watches_.end())
            continue; // unwatched by an earlier callback of this turn
        auto cb = it->second;
        cb();
        any = true;
    }
    return fireDueTimers() || any || hasPosted();
}

} // namespace platform
