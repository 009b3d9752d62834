#pragma once

#include <string>

namespace platform {
class Dialogs;
class EventLoop;
class MessageTarget;
} // namespace platform

// The application object of the windows: the loop they run on, the dialogs service, the title
// and the main window that pages and the protocol engine post their messages to.
class TApplication {
public:
    // Becomes Application while it lives.
    TApplication(platform::EventLoop& loop, platform::Dialogs& dialogs);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    platform::EventLoop& Loop() const { return loop_; }
    platform::Dialogs& Dialogs() const { return dialogs_; }
    // The standard error box for an error nobody handled.
    void ShowException(const std::string& text) const;

    std::string Title;
    // Where UM_WIZARD and the protocol notifications go; null before the windows exist.
    platform::MessageTarget* MainForm = nullptr;

private:
    platform::EventLoop& loop_;
    platform::Dialogs& dialogs_;
};

extern TApplication* Application;
