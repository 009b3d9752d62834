#pragma once

#include "app/CThreadIni.h"
#include "app/DevInfo.h"
#include "app/FixedText.h"
#include "app/IPSetting.h"
#include "app/WlSetting.h"

#include <memory>
#include <string>

namespace platform {
class Shell;
}

// Settings read from the INI file and the shared working state of one wizard run.
class CGlobalVar {
public:
    CGlobalVar();
    virtual ~CGlobalVar();

    // Reads everything from the executable's INI file; exePath is the running program's path.
    bool Load(const std::string& exePath);
    void LoadProductKeys();
    void LoadStrings();
    static void ResetIPSetting(IPSetting& setting);
    void ResetWlSetting(WlSetting& setting);
    // 0 opened; 2 no key, no file or the open failed; 3 no program for the document type.
    int OpenUserGuide(platform::Shell& shell);

    std::string AppPath;
    std::unique_ptr<CThreadIni> Ini;
    std::string ShortName;
    std::string MutexName;
    std::string AppTitle;
    std::string MsgTitle;
    std::string AcrobatReader;
    std::string AcrobatReaderTitle;
    bool LicenseAccepted = false;
    std::string Password;
    bool NonWorking = false;
    DevInfo CurDevInfo;
    int32_t SetupMode = 0;
    int32_t WlMethod = 0;
    int32_t WPSMode = 0;
    IPSetting CurIPSetting;
    IPSetting NewIPSetting;
    WlSetting CurWlSetting;
    WlSetting NewWlSetting;

    std::string SecurityNone, SecurityWEP, SecurityWPAPSK, SecurityWPA;
    std::string AuthenOpen, AuthenShared, AuthenAuto;
    std::string WEP64, WEP128;
    std::string WPA_WPA, WPA_WPA2, WPA_WPAAuto;
    std::string CipherTKIP, CipherAES, CipherAuto;

private:
    std::string exePath_;
};

extern CGlobalVar GlobalVar;

// The built-in device password, the cipher key until the user types another.
constexpr const char* DEFAULT_PASSWORD = "tumbo";
