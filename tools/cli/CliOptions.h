#pragma once

#include <cstdint>
#include <string>

// What the command line asked for, as parsed.
struct CliOptions {
    std::string Command; // discover, get, set-ip, set-wireless, wps
    uint32_t WaitMs = 4000;
    std::string Password = "tumbo";
    std::string Device;
    bool Json = false;

    std::string IPMode; // dhcp, static
    std::string Address, Mask, Gateway;

    std::string SSID;
    std::string Security = "none"; // none, wep, wpa-psk
    int WepLength = 64;
    std::string WepKey;
    std::string Auth = "auto";    // open, shared, auto
    std::string WpaMode = "auto"; // wpa, wpa2, auto
    std::string Psk;

    std::string WpsMethod; // pbc, pin
    std::string Pin;
};

// Exit codes of the tool.
enum CliExit : int {
    EXIT_DONE = 0,
    EXIT_REFUSED = 1, // by an input rule or by the device
    EXIT_USAGE = 2,
    EXIT_NO_DEVICE = 3, // not found, or no reply
};
