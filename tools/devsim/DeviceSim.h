#pragma once

#include "SimConfig.h"

#include "platform/DatagramSocket.h"
#include "platform/Timer.h"

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

namespace platform {
class EventLoop;
}
class TlvWriter;

// Plays one or more devices on the device port (and the login port): answers discovery, login,
// logout, get- and set-config, runs WPS status scripts and the connect time-out, and keeps a
// JSON state file of its configuration and of every request it received.
class DeviceSim {
public:
    // Appends a reply's TLVs.
    using Fill = std::function<void(TlvWriter&)>;

    DeviceSim(platform::EventLoop& loop, SimConfig config);
    ~DeviceSim();

    // Opens the sockets and writes the first state; false (with a line on stderr) on failure.
    bool Start();
    void WriteState();

private:
    struct Device {
        std::array<uint8_t, 6> MAC{};
        std::string Name;
        DeviceConfig Config;
        bool LoggedIn = false;
        std::string Client; // MAC of the PC that logged in
        std::string WpsMode;
        std::string WpsPin;
        int WpsRuns = 0;
        // Bumped by every login, logout and WPS start: a scheduled event of an older one is void.
        uint64_t LoginGen = 0;
        uint64_t WpsGen = 0;
        nlohmann::json Events = nlohmann::json::array(); // what it sent unasked, in order
    };
    struct Peer {
        platform::DatagramSocket* Socket;
        uint16_t Port;
        std::string IP;
    };

    void OnReadable(platform::DatagramSocket& socket);
    void Handle(const uint8_t* data, size_t size, platform::DatagramSocket& socket,
                const Peer& from);
    // Each returns the outcome text for the request log.
    std::string HandleLogin(Device& dev, const std::vector<uint8_t>& area, const Peer& from,
                            const std::string& client, nlohmann::json& entry);
    std::string HandleSetConfig(Device& dev, const std::vector<uint8_t>& area, const Peer& from,
                                nlohmann::json& entry);
    void ConfigArea(const Device& dev, TlvWriter& w) const;

    // Builds and sends one datagram after `delayMs` (0: at once).
    void Reply(const Device& dev, uint8_t opcode, const Fill& fill, const Peer& to,
               uint32_t delayMs);
    void SendNow(const std::vector<uint8_t>& packet, const Peer& to);
    // Sends what Reply queued without delay.
    void Flush();
    void Later(uint32_t ms, std::function<void()> fn);
    void StartWps(Device& dev, const Peer& to);
    void ArmConnectTimeout(Device& dev, const Peer& to);
    nlohmann::json DeviceJson(const Device& dev) const;

    platform::EventLoop& loop_;
    SimConfig config_;
    std::vector<Device> devices_;
    std::vector<std::unique_ptr<platform::DatagramSocket>> sockets_;
    std::vector<std::unique_ptr<platform::Timer>> timers_;
    std::vector<std::pair<std::vector<uint8_t>, Peer>> outbox_;
    std::map<int, int> seen_; // opcode -> requests received
    nlohmann::json requests_ = nlohmann::json::array();
};
