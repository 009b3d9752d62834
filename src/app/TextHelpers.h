#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {
class EventLoop;
}

// "00:1B:2C:0D:0E:FF" from six bytes in transmission order.
std::string MacToText(const uint8_t mac[6]);
// True when every character is a hexadecimal digit; true for the empty string.
bool IsHexText(const std::string& text);
// Integers of a comma- or blank-separated list (quotes group an item); stores at most
// `capacity` of them and returns how many were found.
int ParseIntList(const std::string& text, int32_t* out, int capacity);
// Surrounds a non-empty caption with one blank on each side, unless already there.
std::string& PadCaption(std::string& caption);
// Keeps dispatching messages until `ms` milliseconds have passed; always true.
bool WaitWithMessages(platform::EventLoop& loop, uint32_t ms);
