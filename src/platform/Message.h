#pragma once

#include <cstdint>

namespace platform {

// A window message: number, two parameters and the result a synchronous send hands back.
struct Message {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

} // namespace platform
