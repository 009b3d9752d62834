#include "app/MessageTexts.h"
#include "app/SettingRules.h"

#include <gtest/gtest.h>

namespace {

std::string Key(const char* key) {
    return key ? key : "(pass)";
}

} // namespace

TEST(StaticAddressRules, Table) {
    struct Row {
        const char* address;
        const char* mask;
        const char* gateway;
        const char* expected; // nullptr: passes
    } rows[] = {
        {"192.168.10.5", "255.255.255.0", "192.168.10.1", nullptr},
        {"192.168.10.5", "255.255.255.0", "", nullptr}, // empty gateway: no gateway checks
        {"192.168.10.5", "255.255.255.0", "192.168.10.5", nullptr}, // gateway may be the address
        {"10.1.2.3", "255.0.0.0", "10.9.9.9", nullptr},
        // rule 1: every address octet typed
        {"", "255.255.255.0", "", "ErIPAddr"},
        {"192.168..5", "255.255.255.0", "", "ErIPAddr"},
        {"192.168.10", "255.255.255.0", "", "ErIPAddr"},
        // rule 2: not 0, below 224.0.0.0, not loopback
        {"0.0.0.0", "255.255.255.0", "", "ErIPAddr"},
        {"127.0.0.1", "255.0.0.0", "", "ErIPAddr"},
        {"224.0.0.1", "255.255.255.0", "", "ErIPAddr"},
        {"240.1.1.1", "255.255.255.0", "", "ErIPAddr"},
        {"223.1.1.1", "255.255.255.0", "", nullptr},
        // an address rule fails before a bad mask is looked at
        {"127.0.0.1", "255.0.255.0", "", "ErIPAddr"},
        // rules 3 and 4: every mask octet typed, not 0 or all ones, contiguous
        {"192.168.10.5", "255.255.255.", "", "ErSubnetMask"},
        {"192.168.10.5", "", "", "ErSubnetMask"},
        {"192.168.10.5", "255.0.255.0", "", "ErSubnetMask"},
        {"192.168.10.5", "0.0.0.0", "", "ErSubnetMask"},
        {"192.168.10.5", "255.255.255.255", "", "ErSubnetMask"},
        // 255.255.255.254 passes the mask rule, then leaves no usable host (rule 5)
        {"192.168.10.6", "255.255.255.254", "", "ErIPAddr"},
        {"10.1.1.1", "128.0.0.0", "", nullptr},
        // rule 5: host part neither all zeros nor all ones
        {"192.168.10.0", "255.255.255.0", "", "ErIPAddr"},
        {"10.255.255.255", "255.0.0.0", "", "ErIPAddr"},
        // rule 6: not the PC's own address, compared as normalised dotted text
        {"10.77.1.2", "255.255.255.0", "", "ErIPSameAsLocahost"},
        {"010.77.1.002", "255.255.255.0", "", "ErIPSameAsLocahost"},
        // rules 8 to 10: gateway fully typed, inside the subnet, not its network or broadcast
        {"192.168.10.5", "255.255.255.0", "192.168.10.", "ErDefaultGateway"},
        {"192.168.10.5", "255.255.255.0", "192.168.20.1", "ErDefaultGateway"},
        {"192.168.10.5", "255.255.255.0", "192.168.10.0", "ErDefaultGateway"},
        {"192.168.10.5", "255.255.255.0", "192.168.10.255", "ErDefaultGateway"},
        // a clash with the PC's address is reported before a bad gateway
        {"10.77.1.2", "255.255.255.0", "10.77.2.1", "ErIPSameAsLocahost"},
    };
    for (const Row& r : rows) {
        const char* got = CheckStaticAddress(SplitOctets(r.address), SplitOctets(r.mask),
                                             SplitOctets(r.gateway), "10.77.1.2");
        EXPECT_EQ(Key(got), Key(r.expected)) << r.address << " / " << r.mask << " / " << r.gateway;
    }
}

TEST(StaticAddressRules, BroadcastEndingBecomes254WhateverTheMask) {
    struct Row {
        const char* address;
        const char* mask;
        const char* fixed;
        bool changed;
    } rows[] = {
        {"192.168.10.255", "255.255.255.0", "192.168.10.254", true},
        {"10.1.1.255", "255.255.0.0", "10.1.1.254", true},
        {"10.1.1.25", "255.255.0.0", "10.1.1.25", false},
        {"10.1.1.", "255.255.0.0", "10.1.1.0", false}, // an empty octet is left to rule 1
    };
    for (const Row& r : rows) {
        OctetTexts a = SplitOctets(r.address);
        EXPECT_EQ(FixBroadcastEnding(a), r.changed) << r.address;
        EXPECT_EQ(OctetsToText(a), r.fixed) << r.address;
    }
    OctetTexts a = SplitOctets("192.168.10.255");
    FixBroadcastEnding(a);
    EXPECT_EQ(CheckStaticAddress(a, SplitOctets("255.255.255.0"), {}, "10.77.1.2"), nullptr);
}

TEST(OctetTexts, SplitConvertAndValidate) {
    EXPECT_EQ(SplitOctets("1.2.3.4.5"), (OctetTexts{"1", "2", "3", "4"}));
    EXPECT_EQ(SplitOctets("10..0.1"), (OctetTexts{"10", "", "0", "1"}));
    EXPECT_EQ(OctetsToText(SplitOctets("10..0.1")), "10.0.0.1");
    EXPECT_EQ(OctetsToText(SplitOctets("")), "");
    EXPECT_EQ(OctetsToAddress(SplitOctets("192.168.1.10")), 0xC0A8010Au);
    EXPECT_EQ(OctetValue("999"), 255u);
    EXPECT_EQ(OctetValue("007"), 7u);
    EXPECT_EQ(OctetValue("1a2"), 1u);
    struct Row {
        const char* text;
        bool ok;
    } rows[] = {{"192.168.1.10", true}, {"10..0.1", true},    {"", true},
                {"1.2.3.4.5", false},   {"256.1.1.1", false}, {"1.2.3.x", false},
                {"1.2.3.0004", false},  {" 1.2.3.4", false},  {"-1.2.3.4", false}};
    for (const Row& r : rows)
        EXPECT_EQ(IsOctetText(r.text), r.ok) << '"' << r.text << '"';
}

TEST(WepKeyRules, Table) {
    struct Row {
        int32_t length;
        const char* key;
        const char* expected;
        const char* stored;
    } rows[] = {
        {0, "a,b;!", nullptr, "a,b;!"}, // five characters of any kind, kept as typed
        {0, "0123456789", nullptr, "0123456789"},
        {0, "abcdef0123", nullptr, "ABCDEF0123"}, // hex keys kept in upper case
        {0, "abcdef012g", "ER_WEP64Hex", ""},
        {0, "abcdefg", "ER_WEP64", ""},
        {0, "", "ER_WEP64", ""},
        {0, "0123456789ABC", "ER_WEP64", ""}, // a 128-bit length is wrong for 64 bit
        {1, "thirteen-char", nullptr, "thirteen-char"},
        {1, "0123456789abcdef0123456789", nullptr, "0123456789ABCDEF0123456789"},
        {1, "0123456789abcdef012345678z", "ER_WEP128Hex", ""},
        {1, "twenty characters!!!", "ER_WEP128", ""},
        {1, "12345", "ER_WEP128", ""},
        {7, "12345", nullptr, "12345"}, // an unknown length code counts as 64 bit
    };
    for (const Row& r : rows) {
        WepKeyCheck c = CheckWepKey(r.length, r.key);
        EXPECT_EQ(Key(c.ErrorKey), Key(r.expected)) << r.length << " " << r.key;
        if (!r.expected) {
            EXPECT_EQ(c.StoredKey, r.stored) << r.key;
        }
    }
}

TEST(PskRules, Table) {
    const std::string hex64(64, 'a');
    struct Row {
        std::string psk;
        const char* expected;
    } rows[] = {
        {"1234567", "ER_PSKKey"},
        {"", "ER_PSKKey"},
        {"12345678", nullptr},
        {"with blanks & punctuation", nullptr},
        {std::string(63, '~'), nullptr},
        {hex64, nullptr},
        {std::string(32, 'A') + std::string(32, 'f'), nullptr},
        {std::string(63, 'a') + "g", "ER_PSKKeyHex"},
        {std::string(65, 'a'), "ER_PSKKey"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Key(CheckPsk(r.psk)), Key(r.expected)) << r.psk;
}

TEST(PinAndSsidRules, Table) {
    struct Row {
        const char* text;
        const char* expected;
        uint32_t pin;
    } rows[] = {
        {"12345670", nullptr, 12345670}, {"1234", nullptr, 1234},
        {"00001234", nullptr, 1234},     {"1", nullptr, 1},
        {"", "ER_PIN_Code", 0},          {"123456789", "ER_PIN_Code", 0},
        {"12a4", "ER_PIN_Code", 0},      {"-123", "ER_PIN_Code", 0},
    };
    for (const Row& r : rows) {
        uint32_t pin = 0xFFFFFFFF;
        EXPECT_EQ(Key(CheckPin(r.text, &pin)), Key(r.expected)) << r.text;
        if (!r.expected) {
            EXPECT_EQ(pin, r.pin) << r.text;
        }
    }
    EXPECT_STREQ(CheckSsid(""), "ER_Empty_SSID");
    EXPECT_EQ(CheckSsid(" "), nullptr);
    EXPECT_EQ(CheckSsid("home"), nullptr);
}

TEST(MessageTextsTest, BuiltInTextsAsTheSystemWritesThem) {
    struct Row {
        const char* key;
        const char* text;
    } rows[] = {
        {"ErIPAddr", "The IP Address entered is invalid."},
        {"ErIPSameAsLocahost", "The IP Address is the same as local host IP."},
        {"ER_PIN_Code", "Invaild PIN Code"},
        {"ER_LOGIN", "Unable to login the deivce."},
        {"ER_PSKKey", "Passphrase should be between 8 to 63 charachers in ASCII format."},
        {"ER_WEP128Hex", "You have entered an incorrect WEP key. Please try again."},
        {"NoSuchKey", ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(DefaultMessageText(r.key), r.text);
        EXPECT_EQ(ReadMessageText(nullptr, r.key), r.text);
    }
}
