#include "app/TextHelpers.h"

#include "platform/EventLoop.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string MacToText(const uint8_t mac[6]) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

bool IsHexText(const std::string& text) {
    for (char c : text)
        if (!std::strchr("0123456789ABCDEFabcdef", c) || c == '\0')
            return false;
    return true;
}

// Items of a comma list: commas and control characters or blanks separate, double quotes
// group (a doubled quote inside stands for one), empty items are dropped.
static std::vector<std::string> SplitCommaText(const std::string& text) {
    std::vector<std::string> items;
    size_t i = 0;
    const size_t n = text.size();
    auto separator = [](char c) { return c == ',' || static_cast<unsigned char>(c) <= ' '; };
    while (i < n) {
        while (i < n && separator(text[i]))
            ++i;
        if (i >= n)
            break;
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
            // An empty quoted item still counts as an item; it just never converts.
            items.push_back(item);
            continue;
        }
        while (i < n && !separator(text[i]))
            item += text[i++];
        items.push_back(item);
    }
    return items;
}

static bool ToInt32(const std::string& item, int32_t& value) {
    if (item.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(item.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || end == item.c_str() || v < INT32_MIN || v > INT32_MAX)
        return false;
    // strtoll skips leading blanks; an item never has them, but be exact anyway.
    if (static_cast<unsigned char>(item[0]) <= ' ')
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

int ParseIntList(const std::string& text, int32_t* out, int capacity) {
    int count = 0;
    for (const std::string& item : SplitCommaText(text)) {
        int32_t value;
        if (!ToInt32(item, value))
            continue;
        if (count < capacity)
            out[count] = value;
        ++count;
    }
    return count;
}

std::string& PadCaption(std::string& caption) {
    if (caption.empty())
        return caption;
    if (caption.front() != ' ')
        caption.insert(caption.begin(), ' ');
    if (caption.back() != ' ')
        caption.push_back(' ');
    return caption;
}

bool WaitWithMessages(platform::EventLoop& loop, uint32_t ms) {
    const uint64_t deadline = loop.tickCount() + ms;
    while (loop.tickCount() < deadline)
        loop.processEvents(deadline);
    return true;
}
