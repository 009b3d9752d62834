#pragma once

#include "app/DebugPrint.h"

#include <algorithm>
#include <string>
#include <vector>

// Collects every DebugPrint line while it lives.
class LogCapture {
public:
    LogCapture() {
        SetDebugListener([this](const std::string& line) { Lines.push_back(line); });
    }
    ~LogCapture() { SetDebugListener({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Contains(const std::string& line) const {
        return std::find(Lines.begin(), Lines.end(), line) != Lines.end();
    }
    void Clear() { Lines.clear(); }

    std::vector<std::string> Lines;
};
