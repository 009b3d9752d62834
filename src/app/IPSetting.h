#pragma once

#include <cstdint>

// A device's address settings; numbers in host order.
struct IPSetting {
    int32_t IPMode = 0; // 1 automatic (DHCP), 0 static
    uint32_t IPAddr = 0;
    uint32_t NetMask = 0;
    uint32_t Gateway = 0;
    uint32_t DNS1 = 0; // kept by the IP page, never sent
    uint32_t DNS2 = 0;
};
