#pragma once

#include <cstddef>
#include <cstdint>

// A fuzz input: two bytes that set the engine's state, then the datagram as received.
constexpr size_t FUZZ_CONTROL_SIZE = 2;

// Byte 0: what PendingReq awaits (modulo the nine request kinds).
// Byte 1: flags below.
constexpr uint8_t FUZZ_LOGGED_IN = 0x01;
constexpr uint8_t FUZZ_DEVMAC_SHIFT = 1; // two bits: 0 any, 1 the seed device, 2 another, 3 any
constexpr uint8_t FUZZ_DEVMAC_MASK = 0x06;
// The harness enciphers the TLV area first, so the handlers see the input's own plain TLVs.
constexpr uint8_t FUZZ_PLAIN = 0x08;
// The seed device is in the list already, as after a first reply.
constexpr uint8_t FUZZ_LISTED = 0x10;

constexpr uint8_t FUZZ_DEVICE_MAC[6] = {0x00, 0x1B, 0x2C, 0x0D, 0x0E, 0x42};
constexpr uint8_t FUZZ_OTHER_MAC[6] = {0x00, 0x1B, 0x2C, 0x0D, 0x0E, 0x99};
constexpr uint8_t FUZZ_PC_MAC[6] = {0x02, 0x50, 0x43, 0x00, 0x00, 0x01};
