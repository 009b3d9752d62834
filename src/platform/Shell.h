#pragma once

#include <string>
#include <vector>

namespace platform {

// The desktop's shell: documents, folders, links, hidden commands and top-level windows.
class Shell {
public:
    virtual ~Shell() = default;

    // Whether some program is registered to open the document's type.
    virtual bool HasAssociatedProgram(const std::string& path) = 0;
    // Opens a document, a folder or a URL with its associated program; false if that failed.
    virtual bool Open(const std::string& pathOrUrl) = 0;
    // Starts a command without a window, without waiting; its outcome is ignored.
    virtual void RunHidden(const std::vector<std::string>& argv) = 0;
    // Whether a top-level window with exactly this title exists.
    virtual bool FindTopLevelWindow(const std::string& title) = 0;
};

} // namespace platform
