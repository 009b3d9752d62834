#include "app/DebugPrint.h"

#include "app/CDebug.h"
#include "platform/AppPath.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {

struct Listener {
    std::recursive_mutex Lock;
    std::function<void(const std::string&)> Hear;
};

// Function-local so static initialisers in other files may log before this file's statics exist.
Listener& TheListener() {
    static Listener* listener = new Listener;
    return *listener;
}

// Opens the log before main() runs.
[[maybe_unused]] const bool LogOpened = (Debug(), TheListener(), true);

} // namespace

CDebug& Debug() {
    // Never destroyed, so static destructors elsewhere may still log; the kernel closes the file.
    static CDebug* instance = new CDebug(platform::ExecutablePath());
    return *instance;
}

void DebugPrint(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(nullptr, 0, format, args);
    if (needed > 0) {
        text.resize(size_t(needed));
        // Writes the terminating zero into the string's own terminator slot.
        int got = std::vsnprintf(text.data(), size_t(needed) + 1, format, again);
        if (got < 0)
            text.clear();
        else if (got < needed)
            text.resize(size_t(got));
    }
    va_end(again);
    va_end(args);

    {
        Listener& listener = TheListener();
        std::lock_guard<std::recursive_mutex> guard(listener.Lock);
        if (listener.Hear)
            listener.Hear(text);
    }
    Debug().WriteLine(text);
}

void SetDebugListener(std::function<void(const std::string&)> listener) {
    Listener& l = TheListener();
    std::lock_guard<std::recursive_mutex> guard(l.Lock);
    l.Hear = std::move(listener);
}
