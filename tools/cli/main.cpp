#include "CliDialogs.h"
#include "CliOptions.h"
#include "CliRunner.h"
#include "CliWindow.h"
#include "app/CGlobalVar.h"
#include "platform/AppPath.h"
#include "platform/GioShell.h"
#include "platform/LinuxNetwork.h"
#include "platform/PollEventLoop.h"
#include "protocol/TFormUDP.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

namespace {

void AddCommon(CLI::App& sub, CliOptions& o, bool needsDevice) {
    sub.add_option("--wait", o.WaitMs, "search time in milliseconds")->capture_default_str();
    sub.add_option("--password", o.Password, "device password")->capture_default_str();
    if (needsDevice)
        sub.add_option("--device", o.Device, "MAC of the device, as discover lists it")->required();
}

} // namespace

int main(int argc, char** argv) {
    CliOptions o;
    std::vector<std::string> addresses;
    std::vector<std::string> wpsArgs;

    CLI::App app{"Finds and configures the access point over the network."};
    app.name("signalmate-cli");
    app.require_subcommand(1);

    CLI::App* discover = app.add_subcommand("discover", "list the devices that answer a search");
    AddCommon(*discover, o, false);
    discover->add_flag("--json", o.Json, "one JSON document");

    CLI::App* get = app.add_subcommand("get", "print the device's address and wireless settings");
    AddCommon(*get, o, true);
    get->add_flag("--json", o.Json, "one JSON document");

    CLI::App* setIp = app.add_subcommand("set-ip", "set the device's address");
    AddCommon(*setIp, o, true);
    setIp->add_option("mode", o.IPMode, "dhcp or static")
        ->required()
        ->check(CLI::IsMember({"dhcp", "static"}));
    setIp->add_option("addresses", addresses, "ADDR MASK [GATEWAY] for static");

    CLI::App* setWl = app.add_subcommand("set-wireless", "set the device's wireless network");
    AddCommon(*setWl, o, true);
    setWl->add_option("--ssid", o.SSID, "network name")->required();
    setWl->add_option("--security", o.Security)
        ->check(CLI::IsMember({"none", "wep", "wpa-psk"}))
        ->capture_default_str();
    setWl->add_option("--wep-length", o.WepLength)
        ->check(CLI::IsMember({64, 128}))
        ->capture_default_str();
    setWl->add_option("--wep-key", o.WepKey, "5 or 13 characters, or 10 or 26 hex digits");
    setWl->add_option("--auth", o.Auth)
        ->check(CLI::IsMember({"open", "shared", "auto"}))
        ->capture_default_str();
    setWl->add_option("--wpa-mode", o.WpaMode)
        ->check(CLI::IsMember({"wpa", "wpa2", "auto"}))
        ->capture_default_str();
    setWl->add_option("--psk", o.Psk, "8 to 63 characters, or 64 hex digits");

    CLI::App* wps = app.add_subcommand("wps", "start Wi-Fi Protected Setup and follow it");
    AddCommon(*wps, o, true);
    wps->add_option("method", wpsArgs, "pbc | pin DIGITS")->required()->expected(1, 2);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return EXIT_DONE;
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) {
            std::cout << app.help(); // help of a subcommand
            return EXIT_DONE;
        }
        std::cerr << "signalmate-cli: " << e.what() << '\n';
        return EXIT_USAGE;
    }

    for (CLI::App* sub : app.get_subcommands())
        o.Command = sub->get_name();
    if (o.Command == "set-ip") {
        const bool ok =
            o.IPMode == "dhcp" ? addresses.empty() : addresses.size() == 2 || addresses.size() == 3;
        if (!ok) {
            std::cerr << "signalmate-cli: set-ip takes dhcp, or static ADDR MASK [GATEWAY]\n";
            return EXIT_USAGE;
        }
        if (o.IPMode == "static") {
            o.Address = addresses[0];
            o.Mask = addresses[1];
            o.Gateway = addresses.size() == 3 ? addresses[2] : std::string();
        }
    } else if (o.Command == "wps") {
        o.WpsMethod = wpsArgs[0];
        const bool ok = (o.WpsMethod == "pbc" && wpsArgs.size() == 1) || o.WpsMethod == "pin";
        if (!ok) {
            std::cerr << "signalmate-cli: wps takes pbc, or pin DIGITS\n";
            return EXIT_USAGE;
        }
        if (wpsArgs.size() == 2)
            o.Pin = wpsArgs[1];
    }

    // Texts and settings come from the INI file beside the executable, as for the wizard.
    GlobalVar.Load(platform::ExecutablePath());

    platform::PollEventLoop loop;
    platform::LinuxNetwork network;
    platform::GioShell shell;
    CliDialogs dialogs(std::cerr);
    CliWindow window(loop);
    TFormUDP udp(loop, network, dialogs, shell, &window);
    CliRunner runner(loop, udp, window, std::cout, std::cerr);
    return runner.Run(o);
}
