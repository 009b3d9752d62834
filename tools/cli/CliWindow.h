#pragma once

#include "platform/MessageTarget.h"

#include <cstdint>
#include <deque>

// The command-line tool's main window: keeps the engine's results in arrival order.
class CliWindow : public platform::MessageTarget {
public:
    struct Note {
        uint32_t Msg = 0;
        uintptr_t WParam = 0;
        intptr_t LParam = 0;
    };

    using platform::MessageTarget::MessageTarget;
    void WndProc(platform::Message& msg) override;

    std::deque<Note> Notes;
};
