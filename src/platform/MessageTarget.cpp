#include "platform/MessageTarget.h"

#include "platform/EventLoop.h"

namespace platform {

MessageTarget::~MessageTarget() {
    loop_.forgetTarget(this);
}

void MessageTarget::PostMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
    loop_.post(*this, Message{msg, wparam, lparam, 0});
}

intptr_t MessageTarget::SendMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
    return loop_.send(*this, Message{msg, wparam, lparam, 0});
}

} // namespace platform
