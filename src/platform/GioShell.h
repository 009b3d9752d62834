#pragma once

#include "platform/Shell.h"

namespace platform {

// The desktop's shell through GIO (associations, opening) and the X11 window list; commands are
// started detached with their output discarded.
class GioShell : public Shell {
public:
    bool HasAssociatedProgram(const std::string& path) override;
    bool Open(const std::string& pathOrUrl) override;
    void RunHidden(const std::vector<std::string>& argv) override;
    // Looks through _NET_CLIENT_LIST (or the root's children without a window manager) on the
    // display named by DISPLAY; false without an X display. libX11 is loaded when first needed.
    bool FindTopLevelWindow(const std::string& title) override;
};

} // namespace platform
