#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Appends TLVs to a request whose header is already built, keeping the header's Length current.
// Never writes past the buffer: an item that does not fit (or a value over 255 bytes) is not
// written and the writer stays failed.
class TlvWriter {
public:
    TlvWriter(uint8_t* packet, size_t capacity);

    bool Add(uint8_t type, const void* value, size_t len);
    bool AddU8(uint8_t type, uint8_t value);
    bool AddU16(uint8_t type, uint16_t value);
    bool AddU32(uint8_t type, uint32_t value);
    bool AddText(uint8_t type, std::string_view text) {
        return Add(type, text.data(), text.size());
    }

    bool Ok() const { return ok_; }
    // Bytes in the TLV area so far.
    size_t Length() const { return pos_ - headerSize_; }
    // Size of the whole datagram: header plus TLV area.
    size_t Size() const { return pos_; }

private:
    uint8_t* packet_;
    size_t capacity_;
    size_t headerSize_;
    size_t pos_;
    bool ok_ = true;
};
