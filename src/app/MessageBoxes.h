#pragma once

#include "platform/Dialogs.h"

#include <string>

class CGlobalVar;

// A message box whose text is read from section "Message" by key at the moment it is shown,
// with the built-in English text as default; the caption is MsgTitle.
platform::MsgResult ShowMessageText(CGlobalVar& global, platform::Dialogs& dialogs,
                                    const std::string& key, platform::MsgButtons buttons,
                                    platform::MsgIcon icon);
// An error: OK button and the information icon.
void ShowErrorMessage(CGlobalVar& global, platform::Dialogs& dialogs, const std::string& key);
// A question: Yes and No, no icon. The answer is Yes unless the user said No.
bool AskQuestion(CGlobalVar& global, platform::Dialogs& dialogs, const std::string& key);
