#include "CliDialogs.h"

platform::MsgResult CliDialogs::MessageBox(const std::string&, const std::string& text,
                                           platform::MsgButtons buttons, platform::MsgIcon) {
    err_ << "signalmate-cli: " << text << '\n';
    // Nobody can answer a question here: take the cautious answer.
    return buttons == platform::MsgButtons::YesNo ? platform::MsgResult::No
                                                  : platform::MsgResult::Ok;
}

void CliDialogs::ShowError(const std::string& text) {
    err_ << "signalmate-cli: " << text << '\n';
}
