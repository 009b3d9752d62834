#include "support/FakeDialogs.h"

#include <gtest/gtest.h>

FakeDialogs::~FakeDialogs() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected message box(es) never shown";
    EXPECT_EQ(errorsExpected_, 0) << "expected error box(es) never shown";
    EXPECT_TRUE(prints_.empty()) << "expected print dialog(s) never shown";
    EXPECT_TRUE(saves_.empty()) << "expected save dialog(s) never shown";
}

platform::MsgResult FakeDialogs::MessageBox(const std::string& title, const std::string& text,
                                            platform::MsgButtons buttons, platform::MsgIcon icon) {
    Shown.push_back(Box{title, text, buttons, icon});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
        return buttons == platform::MsgButtons::YesNo ? platform::MsgResult::No
                                                      : platform::MsgResult::Ok;
    }
    platform::MsgResult answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void FakeDialogs::ShowError(const std::string& text) {
    Errors.push_back(text);
    if (errorsExpected_ == 0)
        ADD_FAILURE() << "unexpected error box: " << text;
    else
        --errorsExpected_;
}

bool FakeDialogs::SaveDialog(const std::string& defaultExt, const std::string& filter,
                             std::string& fileName) {
    SaveDialogs.emplace_back(defaultExt, filter);
    if (saves_.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return false;
    }
    std::string chosen = saves_.front();
    saves_.pop_front();
    if (chosen.empty())
        return false;
    fileName = chosen;
    return true;
}

bool FakeDialogs::PrintDialog(const std::vector<platform::PrintLine>& lines) {
    if (prints_.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    }
    bool confirm = prints_.front();
    prints_.pop_front();
    if (confirm)
        Printed.push_back(lines);
    return confirm;
}
