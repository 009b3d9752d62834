#include "protocol/PacketFormat.h"

#include "app/DebugPrint.h"

#include <cstring>

void BuildHeader(uint8_t* buf, const uint8_t localMac[6]) {
    std::memcpy(buf + HDR_MAGIC, PACKET_MAGIC, PACKET_MAGIC_SIZE);
    buf[HDR_VERSION] = PACKET_VERSION;
    std::memcpy(buf + HDR_MAC, localMac, 6);
    WriteU16BE(buf + HDR_LENGTH, 0);
}

uint16_t ReadU16BE(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

uint32_t ReadU32BE(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

void WriteU16BE(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value >> 8);
    p[1] = static_cast<uint8_t>(value);
}

void WriteU32BE(uint8_t* p, uint32_t value) {
    p[0] = static_cast<uint8_t>(value >> 24);
    p[1] = static_cast<uint8_t>(value >> 16);
    p[2] = static_cast<uint8_t>(value >> 8);
    p[3] = static_cast<uint8_t>(value);
}

PacketCheck CheckHeaderFields(const uint8_t* data, size_t size) {
    if (size < HEADER_SIZE)
        return PacketCheck::Length;
    if (std::memcmp(data + HDR_MAGIC, PACKET_MAGIC, PACKET_MAGIC_SIZE) != 0)
        return PacketCheck::Magic;
    if (data[HDR_VERSION] != PACKET_VERSION)
        return PacketCheck::Version;
    return PacketCheck::Ok;
}

bool TotalLengthMatches(const uint8_t* data, size_t size) {
    return HEADER_SIZE + PacketLength(data) == size;
}

PacketCheck CheckPacket(const uint8_t* data, size_t size) {
    PacketCheck check = CheckHeaderFields(data, size);
    if (check != PacketCheck::Ok)
        return check;
    return TotalLengthMatches(data, size) ? PacketCheck::Ok : PacketCheck::TotalLength;
}

const char* PacketCheckText(PacketCheck check) {
    switch (check) {
    case PacketCheck::Ok:
        return "";
    case PacketCheck::Length:
        return "TFormUDP::ProcRecvData() FAIL length";
    case PacketCheck::Magic:
        return "TFormUDP::ProcRecvData() FAIL magic word";
    case PacketCheck::Version:
        return "TFormUDP::ProcRecvData() FAIL version";
    case PacketCheck::TotalLength:
        return "TFormUDP::ProcRecvData() FAIL total length";
    }
    return "";
}

bool WalkTlvs(const uint8_t* area, size_t length, const std::function<void(const Tlv&)>& handler,
              size_t* count) {
    size_t p = 0;
    size_t handled = 0;
    bool complete = true;
    while (length - p >= 2) {
        const uint8_t n = area[p + 1];
        if (p + 2 + n > length) {
            DebugPrint("  not enough bytes in buffer");
            complete = false;
            break;
        }
        handler(Tlv{area[p], n, area + p + 2});
        ++handled;
        p += 2 + n;
    }
    if (count)
        *count = handled;
    return complete;
}
