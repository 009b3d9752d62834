#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace platform {

class Timer;

// Due times of armed timers, for backends that keep their own clock (poll, virtual time).
class TimerQueue {
public:
    void update(Timer& timer, uint64_t now);
    void remove(Timer& timer);
    std::optional<uint64_t> nextDue() const;
    // The earliest timer due at `now` (ties in the order they were armed), re-armed for its next
    // period; null when none is due.
    Timer* popDue(uint64_t now);
    bool empty() const { return due_.empty(); }

private:
    struct Entry {
        uint64_t due;
        uint64_t seq;
    };
    std::map<Timer*, Entry> due_;
    uint64_t nextSeq_ = 0;
};

} // namespace platform
