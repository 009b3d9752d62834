#pragma once

#include "platform/Shell.h"

#include <set>
#include <string>
#include <vector>

// Records what the program asked of the desktop and answers as the test set it up.
class FakeShell : public platform::Shell {
public:
    bool HasAssociatedProgram(const std::string& path) override {
        Asked.push_back("assoc " + path);
        return Associated;
    }
    bool Open(const std::string& pathOrUrl) override {
        Opened.push_back(pathOrUrl);
        return OpenSucceeds;
    }
    void RunHidden(const std::vector<std::string>& argv) override { Commands.push_back(argv); }
    bool FindTopLevelWindow(const std::string& title) override { return Windows.count(title) != 0; }

    bool Associated = true;
    bool OpenSucceeds = true;
    std::set<std::string> Windows;
    std::vector<std::string> Asked;
    std::vector<std::string> Opened;
    std::vector<std::vector<std::string>> Commands;
};
