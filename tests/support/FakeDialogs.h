#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <string>
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

    platform::MsgResult MessageBox(const std::string& title, const std::string& text,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    void ShowError(const std::string& text) override;

    std::vector<Box> Shown;
    std::vector<std::string> Errors;

private:
    std::deque<platform::MsgResult> answers_;
    int errorsExpected_ = 0;
};
