#include "app/CGlobalVar.h"
#include "app/Messages.h"
#include "platform/MessageTarget.h"
#include "platform/Timer.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "support/VirtualEventLoop.h"
#include "wizard/TApplication.h"
#include "wizard/TFormBase.h"
#include "wizard/TFormProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A page that ends the running dialog from its window procedure, as the pages do.
class NotifiedPage : public platform::MessageTarget {
public:
    using MessageTarget::MessageTarget;
    void WndProc(platform::Message& msg) override {
        if (msg.Msg == UM_UDP_REPLY && Progress)
            Progress->ModalResult = int(msg.LParam);
    }
    TFormProgress* Progress = nullptr;
};

class FormProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ini = dir.Write("Setup.ini", "");
        GlobalVar.Load(dir.File("Setup"));
    }
    void TearDown() override { GlobalVar.Ini.reset(); }

    TempDir dir;
    std::string ini;
    VirtualEventLoop loop;
    FakeDialogs dialogs;
    TApplication app{loop, dialogs};
};

TEST_F(FormProgressTest, DesignAndCaptionFromTheIni) {
    {
        TFormProgress dlg(loop);
        EXPECT_EQ(dlg.size(), QSize(190, 50));
        EXPECT_EQ(dlg.LbWait->text().toStdString(), "LbWait");
        EXPECT_EQ(dlg.ProgressBar1->geometry(), QRect(20, 25, 150, 17));
        EXPECT_FALSE(dlg.TimerProc.Enabled());
    }
    dir.Write("Setup.ini", "[FormProgress]\nLbWait=Please wait...\n"
                           "[FormProgress_CtrlPos]\nLbWait=10,5\n");
    TFormProgress dlg(loop);
    EXPECT_EQ(dlg.LbWait->text().toStdString(), "Please wait...");
    EXPECT_EQ(dlg.LbWait->geometry(), QRect(10, 5, 150, 13));
}

TEST_F(FormProgressTest, PageSetsSuccessOneSecondAfterShowing) {
    NotifiedPage page(loop);
    TFormProgress dlg(loop);
    page.Progress = &dlg;
    int tasks = 0;
    dlg.TaskProc = [&] { ++tasks; };
    platform::Timer reply(loop, 1000);
    reply.OnTimer = [&](platform::Timer& t) {
        t.SetEnabled(false);
        page.PostMessage(UM_UDP_REPLY, 6, 1);
    };
    const uint64_t start = loop.tickCount();
    reply.SetEnabled(true);
    EXPECT_EQ(dlg.Execute(nullptr), 1);
    EXPECT_EQ(loop.tickCount() - start, 1000u);
    EXPECT_EQ(tasks, 1);
    EXPECT_NEAR(dlg.ProgressBar1->value(), 5, 1);
    EXPECT_TRUE(dlg.isHidden());
}

TEST_F(FormProgressTest, TaskFailingAtOnceEndsWithoutAnotherTick) {
    TFormProgress dlg(loop);
    const uint64_t start = loop.tickCount();
    dlg.TaskProc = [&] { dlg.ModalResult = 2; };
    EXPECT_EQ(dlg.Execute(nullptr), 2);
    EXPECT_EQ(loop.tickCount() - start, 200u);
    EXPECT_EQ(dlg.TimerProc.Tag, 1);
    EXPECT_EQ(dlg.ProgressBar1->value(), 1);
}

TEST_F(FormProgressTest, WithoutAnyNotificationEndsByItselfAfter1501Ticks) {
    TFormProgress dlg(loop);
    int tasks = 0;
    dlg.TaskProc = [&] { ++tasks; };
    const uint64_t start = loop.tickCount();
    EXPECT_EQ(dlg.Execute(nullptr), 2);
    EXPECT_EQ(loop.tickCount() - start, 1501u * 200u);
    EXPECT_EQ(dlg.TimerProc.Tag, 1501);
    EXPECT_EQ(tasks, 1);
    // 1501 steps over a 0..100 bar that starts again past its maximum.
    EXPECT_EQ(dlg.ProgressBar1->value(), 1501 % 100);
}

TEST_F(FormProgressTest, AltF4AndTheCloseCommandDoNothing) {
    TFormProgress dlg(loop);
    bool stillUp = false;
    dlg.TaskProc = [&] {
        QTest::keyClick(&dlg, Qt::Key_F4, Qt::AltModifier);
        dlg.close();
        stillUp = dlg.isVisible() && dlg.ModalResult == 0;
        dlg.ModalResult = 1;
    };
    EXPECT_EQ(dlg.Execute(nullptr), 1);
    EXPECT_TRUE(stillUp);
}

TEST_F(FormProgressTest, CentredOverTheWindowHoldingTheControl) {
    TFormBase wizard(loop, "FormMain");
    wizard.setGeometry(101, 203, 600, 451);
    QWidget* control = new QWidget(new QWidget(&wizard));
    TFormProgress dlg(loop);
    QPoint at;
    dlg.TaskProc = [&] {
        at = dlg.pos();
        dlg.ModalResult = 1;
    };
    EXPECT_EQ(dlg.Execute(control), 1);
    // (600 - 190) / 2 = 205, (451 - 50) / 2 = 200 truncated.
    EXPECT_EQ(at, QPoint(101 + 205, 203 + 200));

    // A control outside any form: the main window is the reference.
    app.MainForm = &wizard;
    wizard.move(0, 0);
    QWidget loose;
    TFormProgress dlg2(loop);
    dlg2.TaskProc = [&] {
        at = dlg2.pos();
        dlg2.ModalResult = 1;
    };
    EXPECT_EQ(dlg2.Execute(&loose), 1);
    EXPECT_EQ(at, QPoint(205, 200));
    app.MainForm = nullptr;
}

TEST_F(FormProgressTest, AnErrorWhileShowingGivesZero) {
    TFormProgress dlg(loop);
    dlg.TaskProc = [] { throw std::runtime_error("broken"); };
    EXPECT_EQ(dlg.Execute(nullptr), 0);
    EXPECT_FALSE(dlg.TimerProc.Enabled());
    EXPECT_FALSE(dlg.Modal());
    EXPECT_TRUE(dlg.isHidden());
}

} // namespace
