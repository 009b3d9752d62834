#pragma once

#include "CliOptions.h"
#include "CliWindow.h"
#include "app/DevInfo.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class TFormUDP;
namespace platform {
class EventLoop;
}

// One run of a command: search, find the device, log in, act as the wizard's pages do, read the
// configuration back, log out, print.
class CliRunner {
public:
    CliRunner(platform::EventLoop& loop, TFormUDP& udp, CliWindow& window, std::ostream& out,
              std::ostream& err);
    int Run(const CliOptions& options);

private:
    int Search();
    int FindDevice();
    // Logs in and waits for the answer; a failure is reported with the text of failureKey.
    int Login(uint32_t timeoutMs, const char* failureKey);
    int ReadConfig(uint32_t timeoutMs);
    int SetIP();
    int SetWireless();
    int Wps();
    // The address-change and wireless-change runs: send, retry once after a fresh login, wait,
    // read back.
    int SetRun(uintptr_t kind, const std::function<void()>& send);
    int Finish(int code);

    // Runs the loop until the reply or time-out of `kind` arrives; null if the loop ran dry.
    std::optional<CliWindow::Note> WaitFor(uintptr_t kind);
    // Hands WPS status events on to the WPS run; elsewhere they are dropped.
    void TakeEvents();
    int Fail(int code, const std::string& text);
    std::string Text(const char* key) const;
    void PrintDiscover() const;
    void PrintConfig() const;

    platform::EventLoop& loop_;
    TFormUDP& udp_;
    CliWindow& window_;
    std::ostream& out_;
    std::ostream& err_;
    CliOptions options_;
    std::function<void(uint32_t)> onWpsStatus_;
    std::vector<DevInfo> devices_;
};
