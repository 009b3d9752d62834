#include "app/MessageBoxes.h"

#include "app/CGlobalVar.h"
#include "app/MessageTexts.h"

platform::MsgResult ShowMessageText(CGlobalVar& global, platform::Dialogs& dialogs,
                                    const std::string& key, platform::MsgButtons buttons,
                                    platform::MsgIcon icon) {
    return dialogs.MessageBox(global.MsgTitle, ReadMessageText(global.Ini.get(), key), buttons,
                              icon);
}

void ShowErrorMessage(CGlobalVar& global, platform::Dialogs& dialogs, const std::string& key) {
    ShowMessageText(global, dialogs, key, platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

bool AskQuestion(CGlobalVar& global, platform::Dialogs& dialogs, const std::string& key) {
    return ShowMessageText(global, dialogs, key, platform::MsgButtons::YesNo,
                           platform::MsgIcon::None) != platform::MsgResult::No;
}
