#pragma once

#include "platform/Dialogs.h"

namespace platform {

// Message boxes and the standard error box on Qt, over the active window of the application.
class QtDialogs : public Dialogs {
public:
    MsgResult MessageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override;
    void ShowError(const std::string& text) override;
    bool SaveDialog(const std::string& defaultExt, const std::string& filter,
                    std::string& fileName) override;
};

} // namespace platform
