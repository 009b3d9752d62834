#pragma once

#include "platform/Dialogs.h"

class QPagedPaintDevice;

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
    bool PrintDialog(const std::vector<PrintLine>& lines) override;

    // Draws the lines on any paged device (a printer, or a PDF in tests).
    static bool PrintLines(QPagedPaintDevice& device, const std::vector<PrintLine>& lines);

private:
    std::string title_;
};

} // namespace platform
