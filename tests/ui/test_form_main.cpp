#include "app/CGlobalVar.h"
#include "app/Messages.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "support/VirtualEventLoop.h"
#include "wizard/TApplication.h"
#include "wizard/TFormMain.h"
#include "wizard/TFormRes.h"
#include "wizard/TFrameBase.h"
#include "wizard/TImage.h"

#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

std::string NameOf(TFrameBase* page) {
    return page ? page->Name() : "none";
}

// A page that logs every operation it is asked, with what it could see at that moment.
class RecordingPage : public TFrameBase {
    Q_OBJECT
public:
    RecordingPage(platform::EventLoop& loop, const std::string& name, QWidget* parent,
                  std::string& log)
        : TFrameBase(loop, name, parent), log_(log) {
        LbTitle = Components.Add("LbTitle", new QLabel("designed", this));
    }

    void InitFrame() override {
        Log("Init");
        TFrameBase::InitFrame();
    }
    void UninitFrame() override { Log("Uninit"); }
    bool BeforeEnter(TFrameBase* prev, int dir, intptr_t param) override {
        Log("BE", prev, dir, param);
        NewIPAtEnter = GlobalVar.NewIPSetting;
        NewWlAtEnter = GlobalVar.NewWlSetting;
        return TFrameBase::BeforeEnter(prev, dir, param) && !RefuseEnter;
    }
    void AfterEnter(TFrameBase* prev, int dir, intptr_t param) override {
        Log("AE", prev, dir, param);
    }
    bool BeforeLeave(TFrameBase* target, int dir, intptr_t param) override {
        Log("BL", target, dir, param);
        return TFrameBase::BeforeLeave(target, dir, param) && !RefuseLeave;
    }
    void AfterLeave(TFrameBase* target, int dir, intptr_t param) override {
        Log("AL", target, dir, param);
    }
    void WndProc(platform::Message& msg) override {
        log_ += Name() + ".Msg(" + std::to_string(msg.Msg) + "," + std::to_string(msg.WParam) +
                "," + std::to_string(msg.LParam) + ") ";
        msg.Result = 77;
    }

    QLabel* LbTitle;
    bool RefuseEnter = false, RefuseLeave = false;
    IPSetting NewIPAtEnter;
    WlSetting NewWlAtEnter;

private:
    void Log(const char* op) { log_ += Name() + "." + op + " "; }
    void Log(const char* op, TFrameBase* other, int dir, intptr_t param) {
        // Visibility shows whether the wizard hid or showed the page before telling it.
        log_ += Name() + "." + op + "(" + NameOf(other) + "," + std::to_string(dir) + "," +
                std::to_string(param) + (isHidden() ? ",hidden" : ",shown") + ") ";
    }
    std::string& log_;
};

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("Setup.ini", "[RecordingPage]\nLbTitle=From INI\n"
                               "[FormMain]\nFormMain=Wizard title\n"
                               "[FormMain_CtrlPos]\nFrameDevList1=0,110\n"
                               "[FormMain_FrameDevList1_CtrlPos]\nLbTitle=300,215\n");
        GlobalVar.Load(dir.File("Setup"));
        GlobalVar.SetupMode = 0;
        GlobalVar.WlMethod = 0;
        WizardPages pages;
        pages.Create = [this](const std::string&, const std::string& name, QWidget* parent) {
            auto* page = new RecordingPage(loop, name, parent, log);
            if (name == "FrameSetupMethod1")
                RBtnSetIP = page->Components.Add("RBtnSetIP", new QRadioButton(page));
            byName[name] = page;
            return page;
        };
        pages.StepFrame = [this](TFrameBase&, int direction) {
            log += "StepFrame(" + std::to_string(direction) + ") ";
            return stepResult;
        };
        res = std::make_unique<TFormRes>(GlobalVar, dialogs);
        form = std::make_unique<TFormMain>(loop, pages);
        app.MainForm = form.get();
    }
    void TearDown() override {
        app.MainForm = nullptr;
        form.reset();
        res.reset();
        GlobalVar.Ini.reset();
    }

    // Puts the wizard on `page` without going through the tables, and clears the log.
    void Place(const std::string& page) {
        loop.RunUntilIdle(); // the first move, queued at creation
        form->SwitchFrame(byName.at(page), 0, 0);
        log.clear();
    }
    void Post(uintptr_t request) {
        form->PostMessage(UM_WIZARD, request, 0);
        loop.RunUntilIdle();
    }
    std::string Current() { return NameOf(form->CurFrame); }

    TempDir dir;
    VirtualEventLoop loop;
    FakeDialogs dialogs;
    TApplication app{loop, dialogs};
    std::string log;
    std::map<std::string, RecordingPage*> byName;
    QRadioButton* RBtnSetIP = nullptr;
    bool stepResult = true;
    std::unique_ptr<TFormRes> res;
    std::unique_ptr<TFormMain> form;
};

TEST_F(FormMainTest, CreationInitialisesEveryPageInOrderThenTheFirstMoveGoesToTheLicence) {
    EXPECT_EQ(log, "FrameWelcome1.Init FrameLicense1.Init FrameTutorial1.Init "
                   "FrameDevList1.Init FramePassword1.Init FrameSetupMethod1.Init "
                   "FrameDevIPCfg1.Init FrameSetWlMethod1.Init FrameWPSMethod1.Init "
                   "FrameSuccess1.Init FrameWlProfile1.Init ");
    ASSERT_EQ(form->Components.Count(), 12u);
    EXPECT_EQ(form->Components.At(0).Name(), "ImgBG");
    EXPECT_EQ(form->Components.At(11).Name(), "FrameWlProfile1");
    for (auto& [name, page] : byName) {
        EXPECT_TRUE(page->isHidden()) << name;
        EXPECT_EQ(page->LbTitle->text().toStdString(), "From INI")
            << "captions from the page's class section";
    }
    EXPECT_EQ(form->windowTitle().toStdString(), "Wizard title");
    EXPECT_EQ(form->size(), QSize(600, 450));
    EXPECT_EQ(form->ImgBG->Picture(), res->ImgBGMain);
    EXPECT_EQ(form->ImgBG->size(), QSize(600, 450));
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    // Layout walks into the pages with the joined prefix.
    EXPECT_EQ(byName["FrameDevList1"]->pos(), QPoint(0, 110));
    EXPECT_EQ(byName["FrameDevList1"]->LbTitle->pos(), QPoint(300, 215));
    EXPECT_EQ(byName["FramePassword1"]->pos(), QPoint(0, 104));

    log.clear();
    EXPECT_EQ(form->CurFrame, nullptr) << "the first move is posted";
    loop.RunUntilIdle();
    EXPECT_EQ(log, "FrameLicense1.BE(none,0,0,hidden) FrameLicense1.AE(none,0,0,shown) ");
    EXPECT_EQ(Current(), "FrameLicense1");
    EXPECT_EQ(byName["FrameLicense1"]->PrevFrame, nullptr);
    EXPECT_TRUE(form->isHidden()) << "the first switch happens before the window is shown";

    form.reset();
    EXPECT_NE(log.find("FrameWelcome1.Uninit FrameLicense1.Uninit"), std::string::npos);
}

TEST_F(FormMainTest, SwitchOrderAndRefusals) {
    Place("FrameDevList1");
    form->SwitchFrame(byName["FramePassword1"], 0, 5);
    EXPECT_EQ(log, "FrameDevList1.BL(FramePassword1,0,5,shown) "
                   "FramePassword1.BE(FrameDevList1,0,5,hidden) "
                   "FrameDevList1.AL(FramePassword1,0,5,hidden) "
                   "FramePassword1.AE(FrameDevList1,0,5,shown) ");

    log.clear();
    EXPECT_TRUE(form->SwitchFrame(byName["FramePassword1"], 0, 0));
    EXPECT_EQ(log, "") << "switching to the current page does nothing";

    byName["FramePassword1"]->RefuseLeave = true;
    EXPECT_FALSE(form->SwitchFrame(byName["FrameSetupMethod1"], 0, 0));
    EXPECT_EQ(log, "FramePassword1.BL(FrameSetupMethod1,0,0,shown) ");
    byName["FramePassword1"]->RefuseLeave = false;

    log.clear();
    byName["FrameSetupMethod1"]->RefuseEnter = true;
    EXPECT_FALSE(form->SwitchFrame(byName["FrameSetupMethod1"], 0, 0));
    EXPECT_EQ(log, "FramePassword1.BL(FrameSetupMethod1,0,0,shown) "
                   "FrameSetupMethod1.BE(FramePassword1,0,0,hidden) ");
    EXPECT_EQ(Current(), "FramePassword1");
    EXPECT_FALSE(byName["FramePassword1"]->isHidden());
}

TEST_F(FormMainTest, ForwardTable) {
    struct Row {
        const char* from;
        int setupMode, wlMethod;
        bool setIP, step;
        const char* to; // "" for no move
    };
    const Row rows[] = {
        {"FrameWelcome1", 0, 0, false, true, "FrameLicense1"},
        {"FrameLicense1", 0, 0, false, true, "FrameTutorial1"},
        {"FrameTutorial1", 0, 0, false, true, "FrameDevList1"},
        {"FrameDevList1", 0, 0, false, true, "FramePassword1"},
        {"FramePassword1", 0, 0, false, true, "FrameSetupMethod1"},
        {"FrameSetupMethod1", 0, 0, true, true, "FrameDevIPCfg1"},
        {"FrameSetupMethod1", 0, 0, false, true, "FrameSetWlMethod1"},
        {"FrameSetupMethod1", 1, 0, true, true, "FrameSetWlMethod1"},
        {"FrameSetupMethod1", 2, 0, false, true, ""},
        {"FrameSetupMethod1", -1, 0, false, true, ""},
        {"FrameDevIPCfg1", 0, 0, false, true, "FrameSetWlMethod1"},
        {"FrameSetWlMethod1", 0, 0, false, true, "FrameWPSMethod1"},
        {"FrameSetWlMethod1", 0, 1, false, true, "FrameWlProfile1"},
        {"FrameSetWlMethod1", 0, 2, false, true, ""},
        {"FrameWlProfile1", 0, 0, false, true, "FrameSuccess1"},
        {"FrameWlProfile1", 0, 0, false, false, ""},
        {"FrameWPSMethod1", 0, 0, false, true, "FrameSuccess1"},
        {"FrameSuccess1", 0, 0, false, true, "FrameSetupMethod1"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.from) + " mode " + std::to_string(r.setupMode) + " wl " +
                     std::to_string(r.wlMethod) + " setIP " + std::to_string(r.setIP));
        Place(r.from);
        GlobalVar.SetupMode = r.setupMode;
        GlobalVar.WlMethod = r.wlMethod;
        RBtnSetIP->setChecked(r.setIP);
        stepResult = r.step;
        Post(WIZARD_NEXT);
        EXPECT_EQ(Current(), *r.to ? r.to : r.from);
        if (std::string(r.from) == "FrameWlProfile1") {
            EXPECT_EQ(log.substr(0, 13), "StepFrame(0) ");
        }
        if (*r.to) {
            EXPECT_NE(log.find(std::string(r.to) + ".BE(" + r.from + ",0,0,hidden)"),
                      std::string::npos);
        }
    }
}

TEST_F(FormMainTest, BackwardTable) {
    struct Row {
        const char* from;
        bool setIP, step;
        const char* to; // "" for no move
        int modalResult;
    };
    const Row rows[] = {
        {"FrameWelcome1", false, true, "", 0},
        {"FrameLicense1", false, true, "", 2},
        {"FrameTutorial1", false, true, "", 2},
        {"FrameDevList1", false, true, "FrameTutorial1", 0},
        {"FramePassword1", false, true, "FrameDevList1", 0},
        {"FrameSetupMethod1", false, true, "FrameDevList1", 0},
        {"FrameDevIPCfg1", false, true, "FrameSetupMethod1", 0},
        {"FrameSetWlMethod1", true, true, "FrameDevIPCfg1", 0},
        {"FrameSetWlMethod1", false, true, "FrameSetupMethod1", 0},
        {"FrameWlProfile1", false, true, "FrameSetWlMethod1", 0},
        {"FrameWlProfile1", false, false, "", 0},
        {"FrameWPSMethod1", false, true, "FrameSetWlMethod1", 0},
        {"FrameSuccess1", false, true, "FrameSetupMethod1", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.from) + " setIP " + std::to_string(r.setIP));
        Place(r.from);
        form->ModalResult = 0;
        RBtnSetIP->setChecked(r.setIP);
        stepResult = r.step;
        Post(WIZARD_BACK);
        EXPECT_EQ(Current(), *r.to ? r.to : r.from);
        EXPECT_EQ(form->ModalResult, r.modalResult);
        if (r.modalResult) {
            EXPECT_EQ(log, "") << "ending the wizard calls no page operation";
        }
        if (*r.to) {
            EXPECT_NE(log.find(std::string(r.to) + ".BE(" + r.from + ",1,0,hidden)"),
                      std::string::npos);
        }
    }
}

// Every field of the records, each with its own bytes.
void Fill(IPSetting& ip, WlSetting& wl, uint8_t seed) {
    ip = IPSetting{seed, 0x0A000001u + seed, 0xFFFFFF00u, 0x0A0000FEu, 0x08080808u + seed, seed};
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&wl);
    for (size_t i = 0; i < sizeof wl; ++i)
        bytes[i] = uint8_t(seed + i * 7);
}

bool SameBytes(const IPSetting& a, const IPSetting& b) {
    return std::memcmp(&a, &b, sizeof a) == 0; // no padding in the address record
}

bool SameFields(const WlSetting& a, const WlSetting& b) {
    auto eq = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    return eq(a.SSID, b.SSID) && eq(a.StdChannel, b.StdChannel) && eq(a.ExtChannel, b.ExtChannel) &&
           eq(a.ChannelList, b.ChannelList) && eq(a.SecurityMode, b.SecurityMode) &&
           eq(a.AuthMode, b.AuthMode) && eq(a.WepKeyLen, b.WepKeyLen) &&
           eq(a.WepKeyIndex, b.WepKeyIndex) && eq(a.WepKey, b.WepKey) && eq(a.WpaMode, b.WpaMode) &&
           eq(a.WpaCipher, b.WpaCipher) && eq(a.WpaPsk, b.WpaPsk) &&
           eq(a.WpsDevicePin, b.WpsDevicePin) && eq(a.WpsPin, b.WpsPin);
}

TEST_F(FormMainTest, RecordCopiesMadeBeforeTheWirelessMethodPageIsEntered) {
    for (const char* from : {"FrameSetupMethod1", "FrameDevIPCfg1"}) {
        SCOPED_TRACE(from);
        Place(from);
        GlobalVar.SetupMode = 0;
        RBtnSetIP->setChecked(false);
        Fill(GlobalVar.CurIPSetting, GlobalVar.CurWlSetting, 3);
        Fill(GlobalVar.NewIPSetting, GlobalVar.NewWlSetting, 200);
        Post(WIZARD_NEXT);
        ASSERT_EQ(Current(), "FrameSetWlMethod1");
        EXPECT_EQ(GlobalVar.SetupMode, 1);
        RecordingPage* wl = byName["FrameSetWlMethod1"];
        EXPECT_TRUE(SameBytes(wl->NewIPAtEnter, GlobalVar.CurIPSetting));
        EXPECT_TRUE(SameFields(wl->NewWlAtEnter, GlobalVar.CurWlSetting));
    }
    // The static address path copies nothing on its way to the IP page.
    Place("FrameSetupMethod1");
    GlobalVar.SetupMode = 0;
    RBtnSetIP->setChecked(true);
    Fill(GlobalVar.NewIPSetting, GlobalVar.NewWlSetting, 200);
    Post(WIZARD_NEXT);
    ASSERT_EQ(Current(), "FrameDevIPCfg1");
    EXPECT_FALSE(SameBytes(GlobalVar.NewIPSetting, GlobalVar.CurIPSetting));
    EXPECT_EQ(GlobalVar.SetupMode, 0);
}

TEST_F(FormMainTest, ExitQuestionAndModalResults) {
    loop.RunUntilIdle();
    dialogs.Expect(platform::MsgResult::No);
    Post(WIZARD_EXIT);
    EXPECT_EQ(form->ModalResult, 0);
    EXPECT_EQ(Current(), "FrameLicense1");
    dialogs.Expect(platform::MsgResult::Yes);
    Post(WIZARD_EXIT);
    EXPECT_EQ(form->ModalResult, 1);
    ASSERT_EQ(dialogs.Shown.size(), 2u);
    EXPECT_EQ(dialogs.Shown[0].Text, "Do you want to exit the Setup Wizard?");
    EXPECT_EQ(dialogs.Shown[0].Title, GlobalVar.MsgTitle);
    EXPECT_EQ(dialogs.Shown[0].Buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(dialogs.Shown[0].Icon, platform::MsgIcon::None);

    Post(99); // unknown requests do nothing
    EXPECT_EQ(Current(), "FrameLicense1");
}

TEST_F(FormMainTest, ShowModalEndsWithTheResultAPageCausesAndKeepsThePage) {
    loop.RunUntilIdle();
    // Back on the licence page: the wizard ends with 2 and no page operation.
    byName["FrameLicense1"]->PostMessage(0, 0, 0);
    app.MainForm->PostMessage(UM_WIZARD, WIZARD_BACK, 0);
    log.clear();
    EXPECT_EQ(form->ShowModal(), 2);
    EXPECT_TRUE(form->isHidden());
    EXPECT_EQ(log, "FrameLicense1.Msg(0,0,0) ");
    // A second run shows the same page without calling it.
    log.clear();
    dialogs.Expect(platform::MsgResult::Yes);
    app.MainForm->PostMessage(UM_WIZARD, WIZARD_EXIT, 0);
    EXPECT_EQ(form->ShowModal(), 1);
    EXPECT_EQ(Current(), "FrameLicense1");
    EXPECT_EQ(log, "");
    // The system's close command (Alt+F4) ends the run with 2 and keeps the window.
    loop.invokeLater([this] { form->close(); });
    EXPECT_EQ(form->ShowModal(), 2);
    EXPECT_EQ(Current(), "FrameLicense1");
}

TEST_F(FormMainTest, ProtocolNotificationsGoToTheCurrentPageOnly) {
    // None current yet (the first move is still queued): dropped.
    form->SendMessage(UM_UDP_REPLY, 2, 1);
    EXPECT_EQ(log.find("Msg"), std::string::npos);
    loop.RunUntilIdle();
    log.clear();
    EXPECT_EQ(form->SendMessage(UM_UDP_REPLY, 2, 1), 77);
    form->PostMessage(UM_UDP_TIMEOUT, 6, 0);
    form->PostMessage(UM_UDP_EVENT, UDP_EVENT_WPS, 3);
    loop.RunUntilIdle();
    EXPECT_EQ(log, "FrameLicense1.Msg(32870,2,1) FrameLicense1.Msg(32871,6,0) "
                   "FrameLicense1.Msg(32872,150,3) ");
}

TEST_F(FormMainTest, PrevFrameFollowsForwardEntriesOnly) {
    Place("FrameDevList1");
    Post(WIZARD_NEXT); // password, entered from the device list
    RecordingPage* password = byName["FramePassword1"];
    EXPECT_EQ(password->PrevFrame, byName["FrameDevList1"]);
    Post(WIZARD_NEXT);                 // setup method
    form->SwitchFrame(password, 1, 0); // entered backwards: keeps the device list
    EXPECT_EQ(password->PrevFrame, byName["FrameDevList1"]);
    Post(WIZARD_BACK); // left backwards
    EXPECT_EQ(password->PrevFrame, nullptr);
}

} // namespace

#include "test_form_main.moc"
