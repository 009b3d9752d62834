#pragma once

#include "app/IPSetting.h"
#include "app/WlSetting.h"

#include <cstdint>
#include <string>
#include <vector>

class FakeNetwork;

// A device on the in-memory network: answers discovery, login (checking the password by
// deciphering), logout, get-config and set-config, and sends events when the test asks.
class FakeDevice {
public:
    struct Request {
        uint8_t Opcode = 0;
        uint8_t SenderMac[6] = {};
        std::string SrcIp;
        uint16_t DstPort = 0;
        std::vector<uint8_t> Area; // deciphered with the device's password (discovery: as sent)
        std::vector<uint8_t> Raw;  // the datagram as it arrived
    };

    FakeDevice(FakeNetwork& net, const std::string& iface, const std::string& ip,
               const uint8_t mac[6], const std::string& name, const std::string& password);
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    // Called by the network for a datagram to this device's address or a broadcast.
    void Receive(const std::string& srcIp, uint16_t srcPort, uint16_t dstPort,
                 const std::vector<uint8_t>& data);
    bool Listens(uint16_t port) const;

    // Sends an event with the given plain TLV area.
    void SendEvent(const std::vector<uint8_t>& area);
    void SendWpsStatus(uint32_t code);
    // Sends a reply of `opcode` with the given plain TLV area to the last client.
    void SendReply(uint8_t opcode, const std::vector<uint8_t>& area);
    // Sends what was held back while HoldReplies was on.
    void ReleaseHeld();

    std::string Iface;
    std::string IP;
    uint8_t MAC[6] = {};
    std::string Name;
    std::string Password;
    uint16_t LoginPort = 0; // non-zero: named in the login reply, listened on after
    bool AnswerDiscovery = true;
    bool EmptyDiscoveryReply = false; // a discovery reply without TLVs
    bool AnswerRequests = true;       // false: everything but discovery goes unanswered
    bool HoldReplies = false;         // replies wait for ReleaseHeld
    uint8_t SetResult = 1;
    IPSetting IP_;
    WlSetting Wl;
    bool LoggedIn = false;
    std::vector<Request> Requests;

private:
    void Send(uint8_t opcode, std::vector<uint8_t> area);

    FakeNetwork& net_;
    std::string clientIp_;
    uint16_t clientPort_ = 0;
    std::vector<std::vector<uint8_t>> held_;
};
