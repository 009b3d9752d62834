#include "app/TextHelpers.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MacToText, UpperCaseHexColonSeparated) {
    const uint8_t mac[6] = {0x00, 0x1B, 0x2C, 0x0D, 0x0E, 0xFF};
    EXPECT_EQ(MacToText(mac), "00:1B:2C:0D:0E:FF");
}

TEST(IsHexText, Table) {
    struct Row {
        std::string text;
        bool hex;
    } rows[] = {
        {"", true},
        {"12ab", true},
        {"0123456789ABCDEFabcdef", true},
        {"12g4", false},
        {"12 4", false},
        {std::string("12\0"
                     "4",
                     4),
         false},
        {"0x12", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(IsHexText(r.text), r.hex) << '"' << r.text << '"';
}

TEST(ParseIntList, Table) {
    struct Row {
        std::string text;
        int capacity;
        int count;
        std::vector<int32_t> stored;
    } rows[] = {
        {"10, 20,300,40", 16, 4, {10, 20, 300, 40}},
        {"10 x 20", 16, 2, {10, 20}},
        {"1,2,3,4,5", 4, 5, {1, 2, 3, 4}},
        {"", 16, 0, {}},
        {"x", 16, 0, {}},
        {"300,215", 16, 2, {300, 215}},
        {"-5,+7", 16, 2, {-5, 7}},
        {"\"1 2\",3", 16, 1, {3}},       // a quoted item with a blank is one item, not a number
        {"\"\",4", 16, 1, {4}},          // empty quotes: skipped
        {"\"12\",,\t9", 16, 2, {12, 9}}, // quotes removed; empty items and tabs separate
        {"2147483647,2147483648,-2147483648", 16, 2, {2147483647, -2147483648}},
        {"12abc,7", 16, 1, {7}}, // partly numeric does not count
    };
    for (const Row& r : rows) {
        int32_t out[16];
        std::fill(std::begin(out), std::end(out), -999);
        int n = ParseIntList(r.text, out, r.capacity);
        EXPECT_EQ(n, r.count) << r.text;
        for (size_t i = 0; i < r.stored.size(); ++i)
            EXPECT_EQ(out[i], r.stored[i]) << r.text << " item " << i;
        if (r.capacity < 16) {
            EXPECT_EQ(out[r.capacity], -999) << "wrote past the capacity: " << r.text;
        }
    }
}

TEST(PadCaption, Table) {
    struct Row {
        std::string in, out;
    } rows[] = {
        {"", ""},          {"A", " A "}, {" A ", " A "}, {" Network", " Network "},
        {"Net ", " Net "}, {" ", " "},
    };
    for (const Row& r : rows) {
        std::string s = r.in;
        EXPECT_EQ(&PadCaption(s), &s);
        EXPECT_EQ(s, r.out) << '"' << r.in << '"';
    }
}
