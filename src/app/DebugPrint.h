#pragma once

#include <functional>
#include <string>

class CDebug;

// The process's one log, created before main() runs.
CDebug& Debug();

// printf-style line to the log. The format must be a literal: callers' texts go in as "%s".
void DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Tests hear every formatted line, whether the log file is on or not. Empty: no listener.
void SetDebugListener(std::function<void(const std::string&)> listener);
