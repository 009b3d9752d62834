#pragma once

#include "platform/Dialogs.h"

namespace platform {

// Message boxes and the standard error box on Qt, over the active window of the application.
class QtDialogs : public Dialogs {
public:
    // The application's title, the caption of the standard error box.
    void SetTitle(const std::string& title) { title_ = title; }

    MsgResult MessageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override;
    void ShowError(const std::string& text) override;
    bool SaveDialog(const std::string& defaultExt, const std::string& filter,
                    std::string& fileName) override;

private:
    std::string title_;
};

} // namespace platform
