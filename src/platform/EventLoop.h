#pragma once

#include "platform/Message.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace platform {

class MessageTarget;
class Timer;

// The message loop of the one user-interface thread. This front keeps the posted-message queue
// (delivered in the order posted); a backend supplies the clock, timers, descriptor readiness
// and the wait: plain poll(), Qt, or virtual time for tests.
class EventLoop {
public:
    virtual ~EventLoop();
    EventLoop() = default;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    void post(MessageTarget& target, const Message& msg);
    // Runs fn on a later turn, in order with posted messages.
    void invokeLater(std::function<void()> fn);
    // Synchronous: the target handles the message before this returns.
    intptr_t send(MessageTarget& target, Message msg);

    // Milliseconds on a monotonic clock.
    virtual uint64_t tickCount() const = 0;
    virtual void watchReadable(int fd, std::function<void()> onReadable) = 0;
    virtual void unwatch(int fd) = 0;

    // One turn: dispatches what is ready; when nothing is, waits until something is or until the
    // tick `deadline`. Returns false when nothing was dispatched (deadline passed, or nothing can
    // ever happen again).
    virtual bool processEvents(std::optional<uint64_t> deadline) = 0;

    // Nested run until `done` holds; false when the loop quit or ran dry first.
    bool runUntil(const std::function<bool()>& done);
    void run() {
        runUntil([] { return false; });
    }
    void quit();
    bool quitRequested() const { return quit_; }

protected:
    friend class Timer;
    friend class MessageTarget;

    // A timer was enabled, disabled or given a new interval; the backend re-arms or disarms it.
    virtual void timerChanged(Timer& timer) = 0;
    virtual void timerRemoved(Timer& timer) = 0;
    // Something was queued: make sure a turn follows (Qt needs the nudge; poll does not).
    virtual void wake() {}

    bool hasPosted() const { return !queue_.empty(); }
    // Delivers what was queued before the call; true if anything was.
    bool dispatchPosted();
    static void fireTimer(Timer& timer);

private:
    void forgetTarget(const MessageTarget* target);

    struct Item {
        uint64_t seq;
        MessageTarget* target;
        Message msg;
        std::function<void()> fn;
    };
    std::deque<Item> queue_;
    uint64_t nextSeq_ = 0;
    bool quit_ = false;
};

} // namespace platform
