#include "platform/EventLoop.h"

#include "platform/MessageTarget.h"
#include "platform/Timer.h"

#include <algorithm>

namespace platform {

EventLoop::~EventLoop() = default;

void EventLoop::post(MessageTarget& target, const Message& msg) {
    queue_.push_back(Item{nextSeq_++, &target, msg, {}});
    wake();
}

void EventLoop::invokeLater(std::function<void()> fn) {
    queue_.push_back(Item{nextSeq_++, nullptr, {}, std::move(fn)});
    wake();
}

intptr_t EventLoop::send(MessageTarget& target, Message msg) {
    target.WndProc(msg);
    return msg.Result;
}

bool EventLoop::runUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (quit_ || !processEvents(std::nullopt))
            return done();
    }
    return true;
}

void EventLoop::quit() {
    quit_ = true;
    wake();
}

bool EventLoop::dispatchPosted() {
    const uint64_t end = nextSeq_;
    bool any = false;
    // Pop one at a time: a handler may post more (handled next turn) or destroy a target.
    while (!queue_.empty() && queue_.front().seq < end) {
        Item item = std::move(queue_.front());
        queue_.pop_front();
        any = true;
        if (item.fn)
            item.fn();
        else
            item.target->WndProc(item.msg);
    }
    return any;
}

void EventLoop::fireTimer(Timer& timer) {
    timer.fire();
}

void EventLoop::forgetTarget(const MessageTarget* target) {
    std::erase_if(queue_, [target](const Item& item) { return item.target == target; });
}

} // namespace platform
