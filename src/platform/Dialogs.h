#pragma once

#include <string>
#include <vector>

namespace platform {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Information };
enum class MsgResult { Ok, Yes, No };

// One line of a printout: its left edge in printer device units and its text.
struct PrintLine {
    int X = 0;
    std::string Text;
};

// Message boxes, the application's standard error box, the save dialog and the print dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgResult MessageBox(const std::string& title, const std::string& text,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // The box for an error nobody handled: its text, with the application's title.
    virtual void ShowError(const std::string& text) = 0;
    // The save dialog: "Text File(*.txt)|*.txt" style filter, extension added when none is
    // typed. False when cancelled; fileName is the proposal in and the choice out.
    virtual bool SaveDialog(const std::string& defaultExt, const std::string& filter,
                            std::string& fileName) {
        (void)defaultExt, (void)filter, (void)fileName;
        return false;
    }
    // The print dialog with default settings; when confirmed, prints the lines at 10 points from
    // the top (y 100), each line below the last. False when cancelled or nothing could print.
    virtual bool PrintDialog(const std::vector<PrintLine>& lines) {
        (void)lines;
        return false;
    }
};

} // namespace platform
