#include "platform/TimerQueue.h"

#include "platform/Timer.h"

namespace platform {

void TimerQueue::update(Timer& timer, uint64_t now) {
    if (!timer.Armed()) {
        due_.erase(&timer);
        return;
    }
    due_[&timer] = Entry{now + timer.Interval(), nextSeq_++};
}

void TimerQueue::remove(Timer& timer) {
    due_.erase(&timer);
}

std::optional<uint64_t> TimerQueue::nextDue() const {
    std::optional<uint64_t> best;
    for (const auto& [timer, entry] : due_)
        if (!best || entry.due < *best)
            best = entry.due;
    return best;
}

Timer* TimerQueue::popDue(uint64_t now) {
    auto best = due_.end();
    for (auto it = due_.begin(); it != due_.end(); ++it) {
        if (it->second.due > now)
            continue;
        if (best == due_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.seq < best->second.seq))
            best = it;
    }
    if (best == due_.end())
        return nullptr;
    Timer* timer = best->first;
    best->second = Entry{now + timer->Interval(), nextSeq_++};
    return timer;
}

} // namespace platform
