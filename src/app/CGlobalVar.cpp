#include "app/CGlobalVar.h"

#include "platform/AppPath.h"
#include "platform/Shell.h"

CGlobalVar GlobalVar;

CGlobalVar::CGlobalVar()
    : SecurityNone("None"), SecurityWEP("WEP"), SecurityWPAPSK("WPA-PSK"), SecurityWPA("WPA"),
      AuthenOpen("Open"), AuthenShared("Shared"), AuthenAuto("Auto"), WEP64("64 bit"),
      WEP128("128 bit"), WPA_WPA("WPA Only"), WPA_WPA2("WPA2 Only"), WPA_WPAAuto("WPA or WPA2"),
      CipherTKIP("TKIP"), CipherAES("AES"), CipherAuto("TKIP and AES") {}

CGlobalVar::~CGlobalVar() = default;

bool CGlobalVar::Load(const std::string& exePath) {
    exePath_ = exePath;
    AppPath = platform::FolderOf(exePath);
    Ini = std::make_unique<CThreadIni>(platform::ReplaceExtension(exePath, ".ini"));
    LoadProductKeys();
    LoadStrings();
    return true;
}

void CGlobalVar::LoadProductKeys() {
    ShortName = Ini->ReadString("Product", "ShortName", "NV-5180RX");
    MutexName = ShortName + "_Mutex";
    AppTitle = platform::BaseNameOf(exePath_);
    AppTitle = Ini->ReadString("Product", "AppTitle", AppTitle);
    MsgTitle = Ini->ReadString("Product", "MsgTitle", AppTitle);
    std::string reader = Ini->ReadString("Product", "AcrobatReader", "");
    AcrobatReader = reader.empty() ? std::string() : AppPath + reader;
    AcrobatReaderTitle =
        Ini->ReadString("Product", "AcrobatReaderTitle", "Adobe Reader 7.0.5 - Setup");
    LicenseAccepted = false;
    Password = DEFAULT_PASSWORD;
    NonWorking = Ini->ReadBool("Setting", "NonWorking", false);
}

void CGlobalVar::LoadStrings() {
    struct Entry {
        const char* key;
        std::string* field;
    };
    const Entry entries[] = {
        {"SecurityNone", &SecurityNone},
        {"SecurityWEP", &SecurityWEP},
        {"SecurityWPAPSK", &SecurityWPAPSK},
        {"SecurityWPA", &SecurityWPA},
        {"AuthenOpen", &AuthenOpen},
        {"AuthenShared", &AuthenShared},
        {"AuthenAuto", &AuthenAuto},
        {"WEP64", &WEP64},
        {"WEP128", &WEP128},
        {"WPA_WPA", &WPA_WPA},
        {"WPA_WPA2", &WPA_WPA2},
        {"WPA_WPAAuto", &WPA_WPAAuto},
        {"CipherTKIP", &CipherTKIP},
        {"CipherAES", &CipherAES},
        {"CipherAuto", &CipherAuto},
    };
    for (const Entry& e : entries)
        *e.field = Ini->ReadString("String", e.key, *e.field);
}

void CGlobalVar::ResetIPSetting(IPSetting& setting) {
    setting = IPSetting{1, 0, 0, 0, 0, 0};
}

void CGlobalVar::ResetWlSetting(WlSetting& setting) {
    setting = WlSetting{};
    std::string ssid = Ini ? Ini->ReadString("Setting", "SSID", "wireless") : "wireless";
    SetFixedText(setting.SSID, ssid);
    setting.SecurityMode = 0;
    setting.AuthMode = 2;
    setting.WepKeyLen = 0;
    setting.WepKeyIndex = 1;
    setting.WpaMode = 2;
    setting.WpaCipher = 2;
}

int CGlobalVar::OpenUserGuide(platform::Shell& shell) {
    std::string guide = Ini ? Ini->ReadString("Product", "UserGuide", "") : std::string();
    if (guide.empty())
        return 2;
    std::string path = AppPath + guide;
    if (!platform::FileExists(path))
        return 2;
    if (!shell.HasAssociatedProgram(path))
        return 3;
    return shell.Open(path) ? 0 : 2;
}
