#pragma once

#include <cstddef>
#include <mutex>
#include <string>

// The diagnostic log: on only when a file named after the executable with ".Log" exists beside
// it (or, when that one is held by a running instance, a numbered fallback).
class CDebug {
public:
    explicit CDebug(const std::string& exePath);
    virtual ~CDebug();
    CDebug(const CDebug&) = delete;
    CDebug& operator=(const CDebug&) = delete;

    virtual void Write(const void* data, size_t len);
    // "(hh:mm:ss:mmm 0xTID) text\r\n"
    virtual void WriteLine(const std::string& text);
    // Prefix and text to the debugger channel (standard error here).
    virtual void DebugOut(const std::string& text);

    bool IsOn() const { return Handle >= 0; }
    const std::string& GetLogPath() const { return LogPath; }

private:
    std::string LogPath;
    std::string Prefix;
    int Handle = -1;
    std::recursive_mutex WriteLock;
};
