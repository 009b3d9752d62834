#pragma once

#include "platform/Message.h"

namespace platform {

class EventLoop;

// Anything that receives window messages: forms, pages, the protocol window.
class MessageTarget {
public:
    explicit MessageTarget(EventLoop& loop) : loop_(loop) {}
    // Messages still queued for a destroyed target are dropped, never delivered.
    virtual ~MessageTarget();
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    virtual void WndProc(Message& msg) = 0;

    EventLoop& Loop() const { return loop_; }
    void PostMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam);
    intptr_t SendMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam);

private:
    EventLoop& loop_;
};

} // namespace platform
