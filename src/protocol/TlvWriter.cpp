#include "protocol/TlvWriter.h"

#include "protocol/PacketFormat.h"

#include <cstring>

TlvWriter::TlvWriter(uint8_t* packet, size_t capacity)
    : packet_(packet), capacity_(capacity), headerSize_(HEADER_SIZE), pos_(HEADER_SIZE) {
    if (capacity_ < HEADER_SIZE) {
        ok_ = false;
        pos_ = headerSize_ = 0;
        return;
    }
    WriteU16BE(packet_ + HDR_LENGTH, 0);
}

bool TlvWriter::Add(uint8_t type, const void* value, size_t len) {
    if (!ok_ || len > 255 || capacity_ - pos_ < 2 + len) {
        ok_ = false;
        return false;
    }
    packet_[pos_] = type;
    packet_[pos_ + 1] = static_cast<uint8_t>(len);
    if (len)
        std::memcpy(packet_ + pos_ + 2, value, len);
    pos_ += 2 + len;
    WriteU16BE(packet_ + HDR_LENGTH, static_cast<uint16_t>(Length()));
    return true;
}

bool TlvWriter::AddU8(uint8_t type, uint8_t value) {
    return Add(type, &value, 1);
}

bool TlvWriter::AddU16(uint8_t type, uint16_t value) {
    uint8_t b[2];
    WriteU16BE(b, value);
    return Add(type, b, 2);
}

bool TlvWriter::AddU32(uint8_t type, uint32_t value) {
    uint8_t b[4];
    WriteU32BE(b, value);
    return Add(type, b, 4);
}
