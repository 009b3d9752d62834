#include "app/CGlobalVar.h"
#include "app/MessageBoxes.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

TEST(MessageBoxes, TextReadAtTheMomentOfShowingWithMsgTitle) {
    TempDir dir;
    dir.Write("Setup.ini", "[Product]\nMsgTitle=Wizard\n");
    CGlobalVar global;
    global.Load(dir.File("Setup"));
    FakeDialogs dialogs;

    dialogs.Expect(MsgResult::Ok);
    ShowErrorMessage(global, dialogs, "ER_LOGIN");
    dir.Write("Setup.ini", "[Product]\nMsgTitle=Wizard\n[Message]\nER_LOGIN=Bad password\n"
                           "MSG_Exit=\n");
    dialogs.Expect(MsgResult::Ok);
    ShowErrorMessage(global, dialogs, "ER_LOGIN");
    dialogs.Expect(MsgResult::No);
    EXPECT_FALSE(AskQuestion(global, dialogs, "MSG_Exit"));

    ASSERT_EQ(dialogs.Shown.size(), 3u);
    EXPECT_EQ(dialogs.Shown[0].Title, "Wizard");
    EXPECT_EQ(dialogs.Shown[0].Text, "Unable to login the deivce.");
    EXPECT_EQ(dialogs.Shown[0].Buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.Shown[0].Icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.Shown[1].Text, "Bad password");
    EXPECT_EQ(dialogs.Shown[2].Text, "") << "a key present with an empty value";
    EXPECT_EQ(dialogs.Shown[2].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.Shown[2].Icon, MsgIcon::None);
}

TEST(MessageBoxes, QuestionIsYesUnlessNo) {
    TempDir dir;
    CGlobalVar global;
    global.Load(dir.File("Setup"));
    FakeDialogs dialogs;
    dialogs.Expect(MsgResult::Yes);
    EXPECT_TRUE(AskQuestion(global, dialogs, "MSG_Exit"));
    dialogs.Expect(MsgResult::Ok);
    EXPECT_TRUE(AskQuestion(global, dialogs, "MSG_Exit"));
    EXPECT_EQ(dialogs.Shown[0].Text, "Do you want to exit the Setup Wizard?");
    EXPECT_EQ(dialogs.Shown[0].Title, "Setup");
}
