#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TlvWriter.h"

#include "support/HexBytes.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const uint8_t kMac[6] = {0x00, 0x1b, 0x2c, 0x0d, 0x0e, 0xff};

std::vector<uint8_t> Packet(const std::vector<uint8_t>& area, uint8_t opcode = OP_GETCONFIG,
                            int lengthDelta = 0) {
    std::vector<uint8_t> p(HEADER_SIZE);
    BuildHeader(p.data(), kMac);
    p[HDR_OPCODE] = opcode;
    WriteU16BE(p.data() + HDR_LENGTH, static_cast<uint16_t>(area.size() + lengthDelta));
    p.insert(p.end(), area.begin(), area.end());
    return p;
}

} // namespace

TEST(Codec, GetConfigRequestMatchesWorkedExample) {
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    BuildHeader(buf, kMac);
    buf[HDR_OPCODE] = OP_GETCONFIG;
    TlvWriter w(buf, sizeof buf);
    ASSERT_TRUE(w.AddU8(TLVTYPE_OTHER_GETCONFIG, 0));
    EXPECT_EQ(ToHex(buf, w.Size()), ToHex(FromHex("53 57 50 31 32 33 34 35 02"
                                                  "00 1b 2c 0d 0e ff 03 00 03"
                                                  "93 01 00")));
    EXPECT_EQ(w.Size(), 21u);
}

TEST(Codec, LoginRequestMatchesWorkedExample) {
    const uint8_t dev[6] = {0xa0, 0xb1, 0xc2, 0xd3, 0xe4, 0xf5};
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    BuildHeader(buf, kMac);
    buf[HDR_OPCODE] = OP_LOGIN;
    TlvWriter w(buf, sizeof buf);
    ASSERT_TRUE(w.Add(DEV_MAC, dev, 6));
    ASSERT_TRUE(w.AddText(TLVTYPE_OTHER_AUTH, CLIENT_AUTH_TEXT));
    ASSERT_EQ(w.Size(), 119u);
    std::vector<uint8_t> expected = FromHex("53 57 50 31 32 33 34 35 02 00 1b 2c 0d 0e ff 01 00 65"
                                            "02 06 a0 b1 c2 d3 e4 f5 90 5b");
    const std::string auth = "NV-5180RX peer link granted; hello from the setup tool, please keep "
                             "this text unchanged now";
    expected.insert(expected.end(), auth.begin(), auth.end());
    EXPECT_EQ(ToHex(buf, w.Size()), ToHex(expected));
}

TEST(Codec, WriterIsBigEndianAndStopsAtTheBufferEnd) {
    uint8_t buf[HEADER_SIZE + 12] = {};
    BuildHeader(buf, kMac);
    TlvWriter w(buf, sizeof buf);
    EXPECT_TRUE(w.AddU16(TLVTYPE_OTHER_PORT, 0x1538));
    EXPECT_TRUE(w.AddU32(LAN_IP, 0xC0A80001));
    EXPECT_EQ(ToHex(buf + HEADER_SIZE, w.Length()), "92 02 15 38 31 04 c0 a8 00 01");
    EXPECT_EQ(PacketLength(buf), 10);
    // Two bytes remain: an empty TLV fits, a one-byte one no longer does.
    EXPECT_FALSE(w.AddU8(IP_MODE, 1));
    EXPECT_FALSE(w.Ok());
    EXPECT_FALSE(w.Add(WL_WPS_PBC, nullptr, 0)) << "a failed writer stays failed";
    EXPECT_EQ(PacketLength(buf), 10);

    uint8_t big[REQUEST_BUFFER_SIZE] = {};
    TlvWriter tooLong(big, sizeof big);
    EXPECT_FALSE(tooLong.AddText(WL_SSID, std::string(256, 'x'))) << "length byte cannot hold it";
    TlvWriter longest(big, sizeof big);
    EXPECT_TRUE(longest.AddText(WL_SSID, std::string(255, 'x')));
    EXPECT_EQ(longest.Size(), HEADER_SIZE + 257);
}

TEST(Codec, Rc4MatchesPublishedVectors) {
    struct Row {
        const char* key;
        size_t offset;
        const char* stream;
    } rows[] = {
        {"0102030405", 0, "b2 39 63 05 f0 3d c0 27 cc c3 52 4a 0a 11 18 a8"},
        {"0102030405", 16, "69 82 94 4f 18 fc 82 d5 89 c4 03 a4 7a 0d 09 19"},
        {"0102030405", 240, "28 cb 11 32 c9 6c e2 86 42 1d ca ad b8 b6 9e ae"},
        {"0102030405", 1008, "45 12 90 48 e6 a0 ed 0b 56 b4 90 33 8f 07 8d a5"},
        {"01020304050607", 0, "29 3f 02 d4 7f 37 c9 b6 33 f2 af 52 85 fe b4 6b"},
        {"0102030405060708090a0b0c0d0e0f10", 0, "9a c7 cc 9a 60 9d 1e f7 b2 93 28 99 cd e4 1b 97"},
        {"0102030405060708090a0b0c0d0e0f10", 16, "52 48 c4 95 90 14 12 6a 6e 8a 84 f1 1d 1a 9e 1c"},
    };
    for (const Row& r : rows) {
        std::vector<uint8_t> key = FromHex(r.key);
        std::vector<uint8_t> data(r.offset + 16, 0);
        Rc4Crypt(key.data(), static_cast<int>(key.size()), data.data(), data.size());
        EXPECT_EQ(ToHex(data.data() + r.offset, 16), r.stream) << r.key << " @" << r.offset;
    }
}

TEST(Codec, Rc4WithoutKeyUsesTheBuiltInKeyAndRestores) {
    const std::string builtIn = "qmzpvhtgan7281bcxwoy";
    std::vector<uint8_t> plain(300);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<uint8_t>(i * 7);
    for (int keyLen : {0, -1}) {
        std::vector<uint8_t> viaDefault = plain, viaText = plain;
        Rc4Crypt(reinterpret_cast<const uint8_t*>("ignored"), keyLen, viaDefault.data(),
                 viaDefault.size());
        Rc4Crypt(reinterpret_cast<const uint8_t*>(builtIn.data()), 20, viaText.data(),
                 viaText.size());
        EXPECT_EQ(viaDefault, viaText);
        EXPECT_NE(viaDefault, plain);
        Rc4Crypt(nullptr, keyLen, viaDefault.data(), viaDefault.size());
        EXPECT_EQ(viaDefault, plain);
    }
}

TEST(Codec, HeaderChecksInOrder) {
    std::vector<uint8_t> good = Packet({});
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        PacketCheck check;
    } rows[] = {
        {"18 bytes, Length 0", good, PacketCheck::Ok},
        {"17 bytes", std::vector<uint8_t>(good.begin(), good.end() - 1), PacketCheck::Length},
        {"bad magic",
         [&] {
             auto b = good;
             b[7] = '6';
             return b;
         }(),
         PacketCheck::Magic},
        {"17 zero bytes: size comes first", std::vector<uint8_t>(17, 0), PacketCheck::Length},
        {"version 3",
         [&] {
             auto b = good;
             b[HDR_VERSION] = 3;
             return b;
         }(),
         PacketCheck::Version},
        {"magic checked before version",
         [&] {
             auto b = good;
             b[0] = 'X';
             b[HDR_VERSION] = 3;
             return b;
         }(),
         PacketCheck::Magic},
        {"Length one more than arrived", Packet({0x91, 0x01, 0x01}, OP_LOGIN, 1),
         PacketCheck::TotalLength},
        {"Length one less than arrived", Packet({0x91, 0x01, 0x01}, OP_LOGIN, -1),
         PacketCheck::TotalLength},
        {"with TLVs", Packet({0x91, 0x01, 0x01}), PacketCheck::Ok},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CheckPacket(r.bytes.data(), r.bytes.size()), r.check) << r.name;
    EXPECT_STREQ(PacketCheckText(PacketCheck::TotalLength),
                 "TFormUDP::ProcRecvData() FAIL total length");
}

TEST(Codec, TlvWalk) {
    struct Row {
        const char* name;
        const char* area;
        const char* seen; // type:len of each TLV handed over
        bool complete;
        bool logged;
    } rows[] = {
        {"empty", "", "", true, false},
        {"two TLVs", "91 01 01 92 02 15 38", "91:1 92:2", true, false},
        {"empty value", "6b 00", "6b:0", true, false},
        {"3-byte area, length byte 5", "01 05 41", "", false, true},
        {"overrun after a good TLV", "91 01 01 50 04 41 42", "91:1", false, true},
        {"single stray byte", "91 01 01 50", "91:1", true, false},
        {"value fills the area exactly", "50 03 41 42 43", "50:3", true, false},
    };
    for (const Row& r : rows) {
        LogCapture log;
        std::vector<uint8_t> area = FromHex(r.area);
        std::string seen;
        size_t count = 99;
        bool complete = WalkTlvs(
            area.data(), area.size(),
            [&](const Tlv& t) {
                char b[16];
                std::snprintf(b, sizeof b, "%s%02x:%d", seen.empty() ? "" : " ", t.Type, t.Len);
                seen += b;
                EXPECT_TRUE(t.Value + t.Len <= area.data() + area.size());
            },
            &count);
        EXPECT_EQ(seen, r.seen) << r.name;
        EXPECT_EQ(complete, r.complete) << r.name;
        EXPECT_EQ(log.Contains("  not enough bytes in buffer"), r.logged) << r.name;
        EXPECT_EQ(log.Lines.size(), r.logged ? 1u : 0u) << r.name;
    }
}
