#include "app/WpsStatusTexts.h"

#include <gtest/gtest.h>

#include <string>

TEST(WpsStatusTexts, CodesAtTheEdgesOfTheTableAndBeyond) {
    struct Row {
        uint32_t code;
        const char* text;
    } rows[] = {
        {0, "Not used"},
        {1, "Idle"},
        {2, "WSC Fail(Ignore this if Intel/Marvell registrar used)"},
        {3, "Start WSC Process"},
        {33, "WSC_ERROR_DEV_PWD_AUTH_FAIL"},
        {34, "Configured"},
        {38, "WAIT PINCODE"},
        {39, "Unknown"},
        {256, "Unknown"},
        {257, "PBC:TOO MANY AP"},
        {264, "EAP_REQ_WRONG_VENDOR_TYPE"},
        {265, "Unknown"},
        {0xFFFFFFFF, "Unknown"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(std::string(WpsStatusText(r.code)), r.text) << r.code;
}
