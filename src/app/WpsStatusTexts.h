#pragma once

#include <cstdint>

// The text of a WPS status code reported by the device; "Unknown" for a code not in the table.
const char* WpsStatusText(uint32_t code);
