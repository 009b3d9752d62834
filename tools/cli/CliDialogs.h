#pragma once

#include "platform/Dialogs.h"

#include <ostream>

// Message boxes of the engine become one line on the error stream.
class CliDialogs : public platform::Dialogs {
public:
    explicit CliDialogs(std::ostream& err) : err_(err) {}
    platform::MsgResult MessageBox(const std::string& title, const std::string& text,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    void ShowError(const std::string& text) override;

private:
    std::ostream& err_;
};
