#pragma once

#include <string>

namespace platform {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Information };
enum class MsgResult { Ok, Yes, No };

// Message boxes and the application's standard error box.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgResult MessageBox(const std::string& title, const std::string& text,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // The box for an error nobody handled: its text, with the application's title.
    virtual void ShowError(const std::string& text) = 0;
};

} // namespace platform
