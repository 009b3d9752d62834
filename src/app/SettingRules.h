#pragma once

#include <array>
#include <cstdint>
#include <string>

// The input rules of the address and wireless pages, shared with the command-line tool. Each
// check returns the "Message" key of the first rule that fails, or nullptr when the input passes;
// the caller shows ReadMessageText of that key.

// The four octet texts of an address field, octet 1 first, as the address control holds them.
using OctetTexts = std::array<std::string, 4>;

// Splits dotted text as the address control takes it: part n into octet n, missing parts empty,
// parts beyond the fourth dropped. Nothing is checked.
OctetTexts SplitOctets(const std::string& dotted);
// Whether dotted text is something the address control can hold: at most four parts, each empty
// or one to three digits of a value up to 255.
bool IsOctetText(const std::string& dotted);
// An octet's value: cut at the first non-digit, empty is 0, above 255 counts as 255.
uint32_t OctetValue(const std::string& text);
bool AllOctetsEmpty(const OctetTexts& octets);
bool AllOctetsFilled(const OctetTexts& octets);
// Host order, octet 1 in the most significant byte.
uint32_t OctetsToAddress(const OctetTexts& octets);
// The values joined by dots; empty when all four octets are empty.
std::string OctetsToText(const OctetTexts& octets);
// An address ending in 255 is taken as meant to end in 254; true when the octet was changed.
bool FixBroadcastEnding(OctetTexts& address);

// The static address checks in their order, against the PC's adapter address localIP (dotted).
// Keys: "ErIPAddr", "ErSubnetMask", "ErIPSameAsLocahost", "ErDefaultGateway".
const char* CheckStaticAddress(const OctetTexts& address, const OctetTexts& mask,
                               const OctetTexts& gateway, const std::string& localIP);

// The result of the WEP key check: the failed key ("ER_WEP64", "ER_WEP64Hex", "ER_WEP128",
// "ER_WEP128Hex") or nullptr, and the key as it is stored when it passed.
struct WepKeyCheck {
    const char* ErrorKey = nullptr;
    bool Hex = false;
    std::string StoredKey;
};
// wepKeyLen 1 is 128 bit, anything else 64 bit: 5 / 13 characters of any kind, or 10 / 26 hex
// digits kept in upper case.
WepKeyCheck CheckWepKey(int32_t wepKeyLen, const std::string& key);

// A pre-shared key: 64 hex digits ("ER_PSKKeyHex" otherwise), or 8 to 63 characters
// ("ER_PSKKey" otherwise).
const char* CheckPsk(const std::string& psk);

// The WPS PIN text: "ER_PIN_Code" when empty; the PIN field takes only up to eight digits, so any
// other text fails the same way. pin receives the value when it passes.
const char* CheckPin(const std::string& text, uint32_t* pin);

// The network name: "ER_Empty_SSID" when empty (blanks count as text).
const char* CheckSsid(const std::string& ssid);
