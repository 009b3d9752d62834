#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

// Scripted message boxes: the test queues the boxes it expects with their answers; every box
// shown is recorded, and one nobody expected fails the test.
class FakeDialogs : public platform::Dialogs {
public:
    struct Box {
        std::string Title;
        std::string Text;
        platform::MsgButtons Buttons;
        platform::MsgIcon Icon;
    };

    ~FakeDialogs() override;

    // The next box will be answered with `answer`.
    void Expect(platform::MsgResult answer) { answers_.push_back(answer); }
    // The next error box is expected too.
    void ExpectError() { ++errorsExpected_; }
    // The next save dialog chooses `fileName`; an empty name cancels it.
    void ExpectSave(const std::string& fileName) { saves_.push_back(fileName); }
    // The next print dialog is confirmed (true) or cancelled (false).
    void ExpectPrint(bool confirm) { prints_.push_back(confirm); }

    platform::MsgResult MessageBox(const std::string& title, const std::string& text,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    void ShowError(const std::string& text) override;
    bool SaveDialog(const std::string& defaultExt, const std::string& filter,
                    std::string& fileName) override;
    bool PrintDialog(const std::vector<platform::PrintLine>& lines) override;

    std::vector<Box> Shown;
    std::vector<std::string> Errors;
    // Default extension and filter of every save dialog shown.
    std::vector<std::pair<std::string, std::string>> SaveDialogs;
    // What each confirmed print dialog printed.
    std::vector<std::vector<platform::PrintLine>> Printed;

private:
    std::deque<platform::MsgResult> answers_;
    int errorsExpected_ = 0;
    std::deque<std::string> saves_;
    std::deque<bool> prints_;
};
