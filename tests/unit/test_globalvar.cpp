#include "app/CGlobalVar.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

class GlobalVarTest : public ::testing::Test {
protected:
    // Loads from a fake executable "Setup" in a temp folder, with the given INI text (if any).
    void LoadWith(const char* ini) {
        if (ini)
            dir.Write("Setup.ini", ini);
        ASSERT_TRUE(g.Load(dir.File("Setup")));
    }
    TempDir dir;
    CGlobalVar g;
};

TEST_F(GlobalVarTest, DefaultsWithoutIniFile) {
    LoadWith(nullptr);
    EXPECT_EQ(g.AppPath, dir.Path() + "/");
    EXPECT_EQ(g.ShortName, "NV-5180RX");
    EXPECT_EQ(g.MutexName, "NV-5180RX_Mutex");
    EXPECT_EQ(g.AppTitle, "Setup");
    EXPECT_EQ(g.MsgTitle, "Setup");
    EXPECT_EQ(g.AcrobatReader, "");
    EXPECT_EQ(g.AcrobatReaderTitle, "Adobe Reader 7.0.5 - Setup");
    EXPECT_EQ(g.Password, "tumbo");
    EXPECT_FALSE(g.NonWorking);
    EXPECT_FALSE(g.LicenseAccepted);
    const std::string names[] = {g.SecurityNone, g.SecurityWEP,  g.SecurityWPAPSK, g.SecurityWPA,
                                 g.AuthenOpen,   g.AuthenShared, g.AuthenAuto,     g.WEP64,
                                 g.WEP128,       g.WPA_WPA,      g.WPA_WPA2,       g.WPA_WPAAuto,
                                 g.CipherTKIP,   g.CipherAES,    g.CipherAuto};
    const char* want[] = {"None",      "WEP",         "WPA-PSK", "WPA",     "Open",
                          "Shared",    "Auto",        "64 bit",  "128 bit", "WPA Only",
                          "WPA2 Only", "WPA or WPA2", "TKIP",    "AES",     "TKIP and AES"};
    for (size_t i = 0; i < std::size(want); ++i)
        EXPECT_EQ(names[i], want[i]);
}

TEST_F(GlobalVarTest, ProductKeysAndStringsFromTheIni) {
    LoadWith("[Product]\nShortName=AP9\nAppTitle=Wizard\nAcrobatReader=AR\\setup.exe\n"
             "[Setting]\nNonWorking=1\n[String]\nSecurityWEP=Clé WEP\n");
    EXPECT_EQ(g.MutexName, "AP9_Mutex");
    EXPECT_EQ(g.AppTitle, "Wizard");
    EXPECT_EQ(g.MsgTitle, "Wizard"); // absent MsgTitle follows AppTitle
    EXPECT_EQ(g.AcrobatReader, dir.Path() + "/AR\\setup.exe");
    EXPECT_TRUE(g.NonWorking);
    EXPECT_EQ(g.SecurityWEP, "Clé WEP");
    EXPECT_EQ(g.SecurityNone, "None");
}

TEST_F(GlobalVarTest, EmptyAcrobatReaderLeavesNoFolderOnlyPath) {
    LoadWith("[Product]\nAcrobatReader=\nMsgTitle=\n");
    EXPECT_EQ(g.AcrobatReader, "");
    EXPECT_EQ(g.MsgTitle, ""); // present but empty: an empty caption, not the default
}

TEST_F(GlobalVarTest, ResetRecords) {
    LoadWith("[Setting]\nSSID=0123456789012345678901234567890123456789\n");
    IPSetting ip{0, 1, 2, 3, 4, 5};
    CGlobalVar::ResetIPSetting(ip);
    EXPECT_EQ(ip.IPMode, 1);
    EXPECT_EQ(ip.IPAddr | ip.NetMask | ip.Gateway | ip.DNS1 | ip.DNS2, 0u);

    WlSetting wl;
    std::memset(static_cast<void*>(&wl), 0x5A, sizeof wl);
    g.ResetWlSetting(wl);
    EXPECT_EQ(std::string(wl.SSID), "01234567890123456789012345678901"); // 40 cut to 32
    EXPECT_EQ(wl.StdChannel, 0);
    EXPECT_EQ(wl.ExtChannel, 0);
    for (uint8_t c : wl.ChannelList)
        ASSERT_EQ(c, 0);
    EXPECT_EQ(wl.SecurityMode, 0);
    EXPECT_EQ(wl.AuthMode, 2);
    EXPECT_EQ(wl.WepKeyLen, 0);
    EXPECT_EQ(wl.WepKeyIndex, 1);
    EXPECT_EQ(wl.WpaMode, 2);
    EXPECT_EQ(wl.WpaCipher, 2);
    for (char c : wl.WepKey)
        ASSERT_EQ(c, 0);
    for (char c : wl.WpaPsk)
        ASSERT_EQ(c, 0);
    EXPECT_EQ(wl.WpsDevicePin, 0u);
    EXPECT_EQ(wl.WpsPin, 0u);
}

TEST_F(GlobalVarTest, DefaultSsidWithoutKey) {
    LoadWith(nullptr);
    WlSetting wl;
    g.ResetWlSetting(wl);
    EXPECT_STREQ(wl.SSID, "wireless");
}

TEST_F(GlobalVarTest, OpenUserGuideResults) {
    struct Row {
        const char* ini;
        bool fileThere, associated, opens;
        int result;
        bool openTried;
    } rows[] = {
        {"", true, true, true, 2, false},                               // no key
        {"[Product]\nUserGuide=UG.pdf\n", false, true, true, 2, false}, // no file
        {"[Product]\nUserGuide=UG.pdf\n", true, false, true, 3, false}, // no program
        {"[Product]\nUserGuide=UG.pdf\n", true, true, false, 2, true},  // open failed
        {"[Product]\nUserGuide=UG.pdf\n", true, true, true, 0, true},
    };
    for (const Row& r : rows) {
        TempDir d;
        d.Write("Setup.ini", r.ini);
        if (r.fileThere)
            d.Write("UG.pdf", "%PDF-1.4\n");
        CGlobalVar gv;
        ASSERT_TRUE(gv.Load(d.File("Setup")));
        FakeShell shell;
        shell.Associated = r.associated;
        shell.OpenSucceeds = r.opens;
        EXPECT_EQ(gv.OpenUserGuide(shell), r.result) << r.ini << r.fileThere << r.associated;
        EXPECT_EQ(!shell.Opened.empty(), r.openTried);
        if (r.openTried) {
            EXPECT_EQ(shell.Opened[0], d.File("UG.pdf"));
        }
    }
}
