#pragma once

#include <cstdint>

// Window messages between the windows, the pages and the protocol engine.
constexpr uint32_t UM_WIZARD = 0x8064;      // page -> main window: WParam 1 exit, 2 next, 3 back
constexpr uint32_t UM_SOCKET = 0x8065;      // socket -> protocol window: 1, the socket
constexpr uint32_t UM_UDP_REPLY = 0x8066;   // engine -> main window: request kind, result byte
constexpr uint32_t UM_UDP_TIMEOUT = 0x8067; // engine -> main window: request kind, 0
constexpr uint32_t UM_UDP_EVENT = 0x8068;   // engine -> main window: 150, WPS status code

constexpr uintptr_t WIZARD_EXIT = 1;
constexpr uintptr_t WIZARD_NEXT = 2;
constexpr uintptr_t WIZARD_BACK = 3;
constexpr uintptr_t UDP_EVENT_WPS = 150;
