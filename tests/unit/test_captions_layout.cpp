#include "app/CThreadIni.h"
#include "app/CaptionsLayout.h"
#include "app/Component.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A component that remembers every property set on it, in the order set.
class FakeComponent : public Component {
public:
    FakeComponent(std::string name, ComponentKind kind, std::string caption = "")
        : name_(std::move(name)), kind_(kind), caption_(std::move(caption)) {}

    std::string Name() const override { return name_; }
    ComponentKind Kind() const override { return kind_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& c) override {
        caption_ = c;
        Log += "caption;";
    }
    int ColumnCount() const override { return int(columns_.size()); }
    std::string ColumnCaption(int i) const override { return columns_[i]; }
    void SetColumnCaption(int i, const std::string& c) override { columns_[i] = c; }
    void SetLeft(int v) override {
        Left = v;
        Log += "left;";
    }
    void SetTop(int v) override {
        Top = v;
        Log += "top;";
    }
    void SetWidth(int v) override {
        Width = v;
        Log += "width;";
    }
    void SetHeight(int v) override {
        Height = v;
        Log += "height;";
    }
    bool Visible() const override { return visible_; }
    void SetVisible(bool v) override { visible_ = v; }
    std::vector<Component*> Components() const override {
        std::vector<Component*> out;
        for (const auto& c : owned_)
            out.push_back(c.get());
        return out;
    }
    bool IsTopLevel() const override { return topLevel_; }
    std::string Title() const override { return title_; }
    void SetTitle(const std::string& t) override { title_ = t; }

    FakeComponent& Add(std::string name, ComponentKind kind, std::string caption = "") {
        owned_.push_back(std::make_unique<FakeComponent>(std::move(name), kind, caption));
        return *owned_.back();
    }
    FakeComponent& Get(const std::string& name) {
        for (auto& c : owned_)
            if (c->name_ == name)
                return *c;
        throw std::runtime_error("no component " + name);
    }

    int Left = -1, Top = -1, Width = -1, Height = -1;
    std::string Log;
    std::vector<std::string> columns_;
    bool visible_ = true;
    bool topLevel_ = false;
    std::string title_;

private:
    std::string name_;
    ComponentKind kind_;
    std::string caption_;
    std::vector<std::unique_ptr<FakeComponent>> owned_;
};

// A window like the wizard: one of each kind, an embedded page with a control and a sub-page.
struct Fixture {
    Fixture() : form("FormMain", ComponentKind::Other) {
        form.topLevel_ = true;
        form.title_ = "Designed title";
        form.Add("LbTitle", ComponentKind::Label, "LbTitle");
        form.Add("ChkAgree", ComponentKind::CheckBox, "Agree");
        form.Add("PlInfo", ComponentKind::Panel, "Info");
        form.Add("BtnNext", ComponentKind::PushButton, "Next");
        form.Add("RBtnSetIP", ComponentKind::RadioButton, "Static");
        form.Add("MenuPrint", ComponentKind::MenuItem, "Print");
        form.Add("LvDevice", ComponentKind::ListView).columns_ = {"Name", "MAC"};
        form.Add("LvSorted", ComponentKind::Other).columns_ = {"Name"};
        form.Add("GBoxNet", ComponentKind::GroupBox, "Network");
        form.Add("EdtName", ComponentKind::Other, "typed");
        form.Add("TimerSearch", ComponentKind::NonVisual);
        FakeComponent& page = form.Add("FrameWlProfile1", ComponentKind::Other);
        page.Add("LbPage", ComponentKind::Label, "Page label");
        page.Add("BtnRefresh", ComponentKind::PushButton, "Refresh");
        page.Add("FrameWlProfSSID1", ComponentKind::Other).Add("EdtSSID", ComponentKind::Other);
    }

    void Captions(const std::string& iniText, const std::string& section = "FormMain") {
        dir.Write("Setup.ini", iniText);
        CThreadIni ini(dir.File("Setup.ini"));
        IniFile& reader = ini.Lock();
        ApplyCaptions(form, section, reader);
        ini.Unlock();
    }
    void Layout(const std::string& iniText) {
        dir.Write("Setup.ini", iniText);
        CThreadIni ini(dir.File("Setup.ini"));
        IniFile& reader = ini.Lock();
        ApplyLayout(form, "FormMain", reader);
        ini.Unlock();
    }
    FakeComponent& C(const std::string& name) { return form.Get(name); }

    TempDir dir;
    FakeComponent form;
};

} // namespace

TEST(ApplyCaptions, EveryCaptionKindReadsItsKeyAndOthersAreUntouched) {
    Fixture f;
    f.Captions("[FormMain]\nFormMain=Wizard\nLbTitle=Welcome\nChkAgree=I agree\nPlInfo=Panel\n"
               "BtnNext=Go\nRBtnSetIP=Fixed\nMenuPrint=Print it\nLvDevice_Col0=Device\n"
               "LvDevice_Col1=Address\nLvSorted_Col0=Sorted\nLvSorted=x\nEdtName=edit\n"
               "TimerSearch=t\nLbPage=deep\n");
    EXPECT_EQ(f.form.Title(), "Wizard");
    EXPECT_EQ(f.C("LbTitle").Caption(), "Welcome");
    EXPECT_EQ(f.C("ChkAgree").Caption(), "I agree");
    EXPECT_EQ(f.C("PlInfo").Caption(), "Panel");
    EXPECT_EQ(f.C("BtnNext").Caption(), "Go");
    EXPECT_EQ(f.C("RBtnSetIP").Caption(), "Fixed");
    EXPECT_EQ(f.C("MenuPrint").Caption(), "Print it");
    EXPECT_EQ(f.C("LvDevice").columns_, (std::vector<std::string>{"Device", "Address"}));
    // The sortable list view is no plain list view: its columns keep their designed captions.
    EXPECT_EQ(f.C("LvSorted").columns_, std::vector<std::string>{"Name"});
    EXPECT_EQ(f.C("EdtName").Caption(), "typed");
    EXPECT_EQ(f.C("EdtName").Log, "");
    EXPECT_EQ(f.C("TimerSearch").Log, "");
    // No recursion: the page applies its own captions.
    EXPECT_EQ(f.C("FrameWlProfile1").Get("LbPage").Caption(), "Page label");
}

TEST(ApplyCaptions, MissingKeysKeepDesignedTextAndEmptyValuesEmptyIt) {
    Fixture f;
    f.Captions("[FormMain]\nBtnNext=\nLvDevice_Col1=\n[Other]\nLbTitle=elsewhere\n");
    EXPECT_EQ(f.form.Title(), "Designed title");
    EXPECT_EQ(f.C("LbTitle").Caption(), "LbTitle");
    EXPECT_EQ(f.C("BtnNext").Caption(), "");
    EXPECT_EQ(f.C("LvDevice").columns_, (std::vector<std::string>{"Name", ""}));
}

TEST(ApplyCaptions, NoFileAtAllChangesNothing) {
    Fixture f;
    CThreadIni ini(f.dir.File("absent.ini"));
    ApplyCaptions(f.form, "FormMain", ini.Lock());
    ini.Unlock();
    EXPECT_EQ(f.form.Title(), "Designed title");
    EXPECT_EQ(f.C("BtnNext").Caption(), "Next");
}

TEST(ApplyCaptions, AnEmbeddedPageAsContainerHasNoTitle) {
    Fixture f;
    FakeComponent& page = f.C("FrameWlProfile1");
    f.dir.Write("Setup.ini", "[TFrameWlProfile]\nFrameWlProfile1=title\nLbPage=From INI\n");
    CThreadIni ini(f.dir.File("Setup.ini"));
    ApplyCaptions(page, "TFrameWlProfile", ini.Lock());
    ini.Unlock();
    EXPECT_EQ(page.Title(), "");
    EXPECT_EQ(page.Get("LbPage").Caption(), "From INI");
}

TEST(ApplyCaptions, GroupBoxCaptionsArePaddedFromIniAndFromDesign) {
    struct Row {
        const char* name;
        const char* ini;
        const char* expected;
    } rows[] = {
        {"from the INI", "[FormMain]\nGBoxNet=Network\n", " Network "},
        {"designed text", "", " Network "},
        {"already padded", "[FormMain]\nGBoxNet=\" Wireless \"\n", " Wireless "},
        {"empty stays empty", "[FormMain]\nGBoxNet=\n", ""},
    };
    for (const Row& row : rows) {
        Fixture f;
        f.Captions(row.ini);
        EXPECT_EQ(f.C("GBoxNet").Caption(), row.expected) << row.name;
    }
}

TEST(ApplyLayout, PositionsSetWhatTheyListInOrder) {
    struct Row {
        const char* name;
        const char* value;
        int left, top, width, height;
        const char* log;
    } rows[] = {
        {"two numbers move", "300,215", 300, 215, -1, -1, "left;top;"},
        {"four numbers move and resize", "300,215,120,30", 300, 215, 120, 30,
         "left;top;width;height;"},
        {"beyond the fourth ignored", "1,2,3,4,5,6", 1, 2, 3, 4, "left;top;width;height;"},
        {"one number", "7", 7, -1, -1, -1, "left;"},
        {"no number", "x", -1, -1, -1, -1, ""},
        {"blanks only", "   ", -1, -1, -1, -1, ""},
        {"numbers among words", "a 10 b 20", 10, 20, -1, -1, "left;top;"},
        {"blank separated with padding", "  5 6 7  ", 5, 6, 7, -1, "left;top;width;"},
        {"more than sixteen values", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18", 1, 2, 3, 4,
         "left;top;width;height;"},
    };
    for (const Row& row : rows) {
        Fixture f;
        f.Layout(std::string("[FormMain_CtrlPos]\nBtnNext=") + row.value + "\n");
        FakeComponent& b = f.C("BtnNext");
        EXPECT_EQ(b.Left, row.left) << row.name;
        EXPECT_EQ(b.Top, row.top) << row.name;
        EXPECT_EQ(b.Width, row.width) << row.name;
        EXPECT_EQ(b.Height, row.height) << row.name;
        EXPECT_EQ(b.Log, row.log) << row.name;
    }
}

TEST(ApplyLayout, VisibilityOfControlsAndMenuItemsButNotOfNonVisuals) {
    Fixture f;
    f.C("RBtnSetIP").visible_ = false;
    f.C("TimerSearch").visible_ = false;
    f.Layout("[FormMain_Visible]\nRBtnSetIP=1\nBtnNext=0\nMenuPrint=0\nLbTitle=maybe\n"
             "TimerSearch=1\n[FormMain_CtrlPos]\nMenuPrint=1,2\nTimerSearch=1,2\n");
    EXPECT_TRUE(f.C("RBtnSetIP").Visible());
    EXPECT_FALSE(f.C("BtnNext").Visible());
    EXPECT_FALSE(f.C("MenuPrint").Visible());
    EXPECT_EQ(f.C("MenuPrint").Log, "");   // menu items have no position
    EXPECT_TRUE(f.C("LbTitle").Visible()); // not a number: as it was
    EXPECT_FALSE(f.C("TimerSearch").Visible());
    EXPECT_EQ(f.C("TimerSearch").Log, "");
}

TEST(ApplyLayout, EmbeddedPagesUseTheirPrefixJoinedWithUnderscores) {
    Fixture f;
    f.Layout("[FormMain_CtrlPos]\nFrameWlProfile1=0,104\nBtnRefresh=1,1\n"
             "[FormMain_FrameWlProfile1_CtrlPos]\nBtnRefresh=300,215\nEdtSSID=9,9\n"
             "[FormMain_FrameWlProfile1_FrameWlProfSSID1_CtrlPos]\nEdtSSID=40,50,200,20\n"
             "[FormMain_FrameWlProfile1_FrameWlProfSSID1_Visible]\nEdtSSID=0\n");
    FakeComponent& page = f.C("FrameWlProfile1");
    EXPECT_EQ(page.Left, 0);
    EXPECT_EQ(page.Top, 104);
    EXPECT_EQ(page.Get("BtnRefresh").Left, 300);
    EXPECT_EQ(page.Get("BtnRefresh").Top, 215);
    FakeComponent& ssid = page.Get("FrameWlProfSSID1").Get("EdtSSID");
    EXPECT_EQ(ssid.Left, 40);
    EXPECT_EQ(ssid.Height, 20);
    EXPECT_FALSE(ssid.Visible());
}
