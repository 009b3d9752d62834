#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// The device's datagram: an 18-byte plain header, then type-length-value items.

constexpr char PACKET_MAGIC[] = "SWP12345"; // 8 characters on the wire, no terminator
constexpr size_t PACKET_MAGIC_SIZE = 8;
constexpr uint8_t PACKET_VERSION = 2;

constexpr size_t HDR_MAGIC = 0;
constexpr size_t HDR_VERSION = 8;
constexpr size_t HDR_MAC = 9;
constexpr size_t HDR_OPCODE = 15;
constexpr size_t HDR_LENGTH = 16;
constexpr size_t HEADER_SIZE = 18;

constexpr uint16_t DEVICE_PORT = 5432; // requests go here until a login names another port
constexpr uint16_t LOCAL_PORT = 5433;  // the tool's own port on every adapter

constexpr size_t REQUEST_BUFFER_SIZE = 1024;
constexpr size_t DISCOVER_BUFFER_SIZE = 256;
constexpr size_t RECEIVE_BUFFER_SIZE = 65536;

// Opcodes: a request and its reply share one.
constexpr uint8_t OP_DISCOVER = 0;
constexpr uint8_t OP_LOGIN = 1;
constexpr uint8_t OP_LOGOUT = 2;
constexpr uint8_t OP_GETCONFIG = 3;
constexpr uint8_t OP_SETCONFIG = 4;
constexpr uint8_t OP_EVENT = 6;

// TLV types.
constexpr uint8_t DEV_NAME = 0x01;
constexpr uint8_t DEV_MAC = 0x02;
constexpr uint8_t IP_MODE = 0x30;
constexpr uint8_t LAN_IP = 0x31;
constexpr uint8_t LAN_NETMASK = 0x32;
constexpr uint8_t LAN_GATEWAY = 0x33;
constexpr uint8_t WL_SSID = 0x50;
constexpr uint8_t WL_CH_LIST = 0x51;
constexpr uint8_t WL_EXT_CH = 0x52;
constexpr uint8_t WL_STD_CH = 0x53;
constexpr uint8_t WL_SECURITY_MODE = 0x60;
constexpr uint8_t WL_AUTH_MODE = 0x61;
constexpr uint8_t WL_WEPKEY_LEN = 0x62;
constexpr uint8_t WL_WEPKEY = 0x63;
constexpr uint8_t WL_WEPKEY_INDEX = 0x67;
constexpr uint8_t WL_WPA_MODE = 0x68;
constexpr uint8_t WL_WPA_CIPHER = 0x69;
constexpr uint8_t WL_WPA_PSK = 0x6a;
constexpr uint8_t WL_WPS_PBC = 0x6b;
constexpr uint8_t WL_WPS_PIN = 0x6c;
constexpr uint8_t TLVTYPE_OTHER_AUTH = 0x90;
constexpr uint8_t TLVTYPE_OTHER_RESULT = 0x91;
constexpr uint8_t TLVTYPE_OTHER_PORT = 0x92;
constexpr uint8_t TLVTYPE_OTHER_GETCONFIG = 0x93;
constexpr uint8_t TLVTYPE_OTHER_CONNECTTIMEOUT = 0x95;
constexpr uint8_t TLVTYPE_OTHER_WPS_STATUS = 0x96;

// The client authentication text of every login request; its length is measured (91).
constexpr char CLIENT_AUTH_TEXT[] =
    "NV-5180RX peer link granted; hello from the setup tool, please keep this text unchanged now";
constexpr size_t CLIENT_AUTH_TEXT_SIZE = sizeof(CLIENT_AUTH_TEXT) - 1;
static_assert(CLIENT_AUTH_TEXT_SIZE == 91);

// Writes magic, version and the sender MAC into buf[0..15) and a TLV length of 0; buf must hold
// at least HEADER_SIZE bytes. The caller sets the opcode and appends TLVs from HEADER_SIZE on.
void BuildHeader(uint8_t* buf, const uint8_t localMac[6]);

uint16_t ReadU16BE(const uint8_t* p);
uint32_t ReadU32BE(const uint8_t* p);
void WriteU16BE(uint8_t* p, uint16_t value);
void WriteU32BE(uint8_t* p, uint32_t value);

// The TLV length field of a header.
inline uint16_t PacketLength(const uint8_t* packet) {
    return ReadU16BE(packet + HDR_LENGTH);
}

// Outcome of the checks on a received datagram, in the order they are made.
enum class PacketCheck { Ok, Length, Magic, Version, TotalLength };

// Size, magic and version: the checks made before the sender's address is looked at.
PacketCheck CheckHeaderFields(const uint8_t* data, size_t size);
// The size is exactly the header plus its TLV length. Only after CheckHeaderFields passed.
bool TotalLengthMatches(const uint8_t* data, size_t size);
// All four checks in order, for callers that do not look at addresses.
PacketCheck CheckPacket(const uint8_t* data, size_t size);
// The debug line of a failed check ("TFormUDP::ProcRecvData() FAIL ..."); empty for Ok.
const char* PacketCheckText(PacketCheck check);

// One TLV as the walk hands it over: the value lies inside the walked area.
struct Tlv {
    uint8_t Type;
    uint8_t Len;
    const uint8_t* Value;
};

// Walks a TLV area of `length` bytes, calling `handler` for each complete TLV in order. A TLV
// that runs past the area logs "  not enough bytes in buffer" and ends the walk with false; a
// single stray byte at the end ends it silently. Returns the number of TLVs handled through
// `count` when given.
bool WalkTlvs(const uint8_t* area, size_t length, const std::function<void(const Tlv&)>& handler,
              size_t* count = nullptr);
