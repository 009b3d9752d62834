#include "app/MessageTexts.h"

#include "app/CThreadIni.h"

#include <cstring>

const MessageTextEntry MessageTexts[] = {
    {"MSG_Exit", "Do you want to exit the Setup Wizard?"},
    {"ER_Ethr_Interface", "Unable to initialize adapter interface."},
    {"ER_CONNECT", "Unable to connect to the device."},
    {"ErIPAddr", "The IP Address entered is invalid."},
    {"ErSubnetMask", "The Subnet Mask entered is invalid."},
    {"ErIPSameAsLocahost", "The IP Address is the same as local host IP."},
    {"ErDefaultGateway", "The Default Gateway entered is invalid."},
    {"ER_LOGIN", "Unable to login the deivce."},
    {"ER_Empty_SSID", "No SSID"},
    {"ER_WEPKey", "You have entered an incorrect WEP key. Please try again."},
    {"ER_PSKKeyHex", "Passphrase should be 64 hex digits."},
    {"ER_PSKKey", "Passphrase should be between 8 to 63 charachers in ASCII format."},
    {"ER_PIN_Code", "Invaild PIN Code"},
    {"ER_FILE_UG", "Unable to open the user guide."},
    {"MSG_InstAcrobat", "Acrobat Reader is not installed. Would you like to install it now?"},
    {"ER_FILE_Acrobat", "Unable to find Acrobat Reader setup file."},
};
const size_t MessageTextCount = sizeof(MessageTexts) / sizeof(MessageTexts[0]);

namespace {

bool IsSpecificWepKey(const std::string& key) {
    return key == "ER_WEP64Hex" || key == "ER_WEP64" || key == "ER_WEP128Hex" || key == "ER_WEP128";
}

} // namespace

std::string DefaultMessageText(const std::string& key) {
    for (size_t i = 0; i < MessageTextCount; ++i)
        if (key == MessageTexts[i].Key)
            return MessageTexts[i].Text;
    if (IsSpecificWepKey(key))
        return DefaultMessageText("ER_WEPKey");
    return std::string();
}

std::string ReadMessageText(CThreadIni* ini, const std::string& key) {
    if (IsSpecificWepKey(key)) {
        // One general WEP text, optionally refined per key length and form.
        std::string general = ReadMessageText(ini, "ER_WEPKey");
        return ini ? ini->ReadString("Message", key, general) : general;
    }
    std::string def = DefaultMessageText(key);
    return ini ? ini->ReadString("Message", key, def) : def;
}
