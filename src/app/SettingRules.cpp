#include "app/SettingRules.h"

#include "app/TextHelpers.h"

#include <cctype>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Set bits form one run from the most significant bit down.
bool IsContiguousMask(uint32_t m) {
    return static_cast<uint32_t>(0u - m) == (m & (0u - m));
}

} // namespace

OctetTexts SplitOctets(const std::string& dotted) {
    OctetTexts octets;
    size_t part = 0;
    for (char c : dotted) {
        if (c == '.') {
            if (++part == octets.size())
                break;
            continue;
        }
        octets[part] += c;
    }
    return octets;
}

bool IsOctetText(const std::string& dotted) {
    size_t dots = 0;
    for (char c : dotted)
        if (c == '.')
            ++dots;
    if (dots > 3)
        return false;
    for (const std::string& octet : SplitOctets(dotted)) {
        if (octet.size() > 3)
            return false;
        for (char c : octet)
            if (!IsDigit(c))
                return false;
        if (!octet.empty() && std::stoi(octet) > 255)
            return false;
    }
    return true;
}

uint32_t OctetValue(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        value = value * 10 + static_cast<uint32_t>(c - '0');
        if (value > 255)
            return 255;
    }
    return value;
}

bool AllOctetsEmpty(const OctetTexts& octets) {
    for (const std::string& o : octets)
        if (!o.empty())
            return false;
    return true;
}

bool AllOctetsFilled(const OctetTexts& octets) {
    for (const std::string& o : octets)
        if (o.empty())
            return false;
    return true;
}

uint32_t OctetsToAddress(const OctetTexts& octets) {
    uint32_t a = 0;
    for (const std::string& o : octets)
        a = (a << 8) | OctetValue(o);
    return a;
}

std::string OctetsToText(const OctetTexts& octets) {
    if (AllOctetsEmpty(octets))
        return std::string();
    std::string text;
    for (size_t i = 0; i < octets.size(); ++i) {
        if (i)
            text += '.';
        text += std::to_string(OctetValue(octets[i]));
    }
    return text;
}

bool FixBroadcastEnding(OctetTexts& address) {
    if (address[3].empty() || OctetValue(address[3]) != 255)
        return false;
    address[3] = "254";
    return true;
}

const char* CheckStaticAddress(const OctetTexts& address, const OctetTexts& mask,
                               const OctetTexts& gateway, const std::string& localIP) {
    if (!AllOctetsFilled(address))
        return "ErIPAddr";
    const uint32_t a = OctetsToAddress(address);
    if (a == 0 || a >= 0xE0000000u || OctetValue(address[0]) == 127)
        return "ErIPAddr";
    if (!AllOctetsFilled(mask))
        return "ErSubnetMask";
    const uint32_t m = OctetsToAddress(mask);
    if (m == 0 || m == 0xFFFFFFFFu || !IsContiguousMask(m))
        return "ErSubnetMask";
    const uint32_t host = a & ~m;
    if (host == 0 || host == ~m)
        return "ErIPAddr";
    if (OctetsToText(address) == localIP)
        return "ErIPSameAsLocahost";
    if (AllOctetsEmpty(gateway))
        return nullptr;
    if (!AllOctetsFilled(gateway))
        return "ErDefaultGateway";
    const uint32_t g = OctetsToAddress(gateway);
    if ((g & m) != (a & m))
        return "ErDefaultGateway";
    if ((g & ~m) == 0 || (g | m) == 0xFFFFFFFFu)
        return "ErDefaultGateway";
    return nullptr;
}

WepKeyCheck CheckWepKey(int32_t wepKeyLen, const std::string& key) {
    const bool bits128 = wepKeyLen == 1;
    const size_t max = bits128 ? 26 : 10;
    WepKeyCheck check;
    if (key.size() == max / 2) {
        check.StoredKey = key;
        return check;
    }
    if (key.size() == max && IsHexText(key)) {
        check.Hex = true;
        check.StoredKey = key;
        for (char& c : check.StoredKey)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return check;
    }
    const bool hexFlag = key.size() == max;
    check.Hex = hexFlag;
    if (bits128)
        check.ErrorKey = hexFlag ? "ER_WEP128Hex" : "ER_WEP128";
    else
        check.ErrorKey = hexFlag ? "ER_WEP64Hex" : "ER_WEP64";
    return check;
}

const char* CheckPsk(const std::string& psk) {
    const size_t n = psk.size();
    if (n == 64)
        return IsHexText(psk) ? nullptr : "ER_PSKKeyHex";
    if (n >= 8 && n <= 63)
        return nullptr;
    return "ER_PSKKey";
}

const char* CheckPin(const std::string& text, uint32_t* pin) {
    if (text.empty() || text.size() > 8)
        return "ER_PIN_Code";
    uint32_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return "ER_PIN_Code";
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (pin)
        *pin = value;
    return nullptr;
}

const char* CheckSsid(const std::string& ssid) {
    return ssid.empty() ? "ER_Empty_SSID" : nullptr;
}
