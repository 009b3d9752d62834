#include "app/CaptionLayout.h"
#include "app/IniFile.h"
#include "app/LayoutComponent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A component tree without any toolkit; every setter is logged so the order can be checked.
class FakeComponent : public LayoutComponent {
public:
    FakeComponent(std::string name, ComponentKind kind, bool control = true)
        : name_(std::move(name)), kind_(kind), control_(control) {}

    std::string Name() const override { return name_; }
    ComponentKind Kind() const override { return kind_; }
    bool IsControl() const override { return control_; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    int ColumnCount() const override { return int(columns.size()); }
    std::string ColumnCaption(int i) const override { return columns[i]; }
    void SetColumnCaption(int i, const std::string& c) override { columns[i] = c; }
    void SetLeft(int v) override { Log("left", v), left = v; }
    void SetTop(int v) override { Log("top", v), top = v; }
    void SetWidth(int v) override { Log("width", v), width = v; }
    void SetHeight(int v) override { Log("height", v), height = v; }
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }
    std::vector<LayoutComponent*> Components() override {
        std::vector<LayoutComponent*> out;
        for (auto& c : owned)
            out.push_back(c.get());
        return out;
    }
    bool IsTopLevel() const override { return topLevel; }
    std::string Title() const override { return title; }
    void SetTitle(const std::string& t) override { title = t; }

    FakeComponent& Add(std::string name, ComponentKind kind, bool control = true) {
        owned.push_back(std::make_unique<FakeComponent>(std::move(name), kind, control));
        owned.back()->log = log;
        return *owned.back();
    }

    std::string caption, title;
    std::vector<std::string> columns;
    int left = 10, top = 20, width = 30, height = 40;
    bool visible = true, topLevel = false;
    std::vector<std::unique_ptr<FakeComponent>> owned;
    std::shared_ptr<std::string> log = std::make_shared<std::string>();

private:
    void Log(const char* what, int v) {
        *log += name_ + "." + what + "=" + std::to_string(v) + ";";
    }
    std::string name_;
    ComponentKind kind_;
    bool control_;
};

TEST(ApplyCaptions, EveryKindByItsRule) {
    TempDir dir;
    IniFile ini(dir.Write("Setup.ini", "[TFramePage]\n"
                                       "LbTitle=Well done\n"
                                       "ChkAgree=I agree\n"
                                       "PlInfo=Panel text\n"
                                       "BtnNext=Go on\n"
                                       "RBtnStatic=Static\n"
                                       "MnuCopy=Copy all\n"
                                       "GBoxNet=Network\n"
                                       "LbEmpty=\n"
                                       "EdtName=never\n"
                                       "LvDevices_Col0=MAC\n"
                                       "LvDevices_Col2=Name\n"
                                       "LvSorted_Col0=never\n"
                                       "FrameInner1=never\n"
                                       "[TFrameInner]\nLbDeep=never\n"));
    FakeComponent page("FramePage1", ComponentKind::Other);
    page.title = "kept";
    page.Add("LbTitle", ComponentKind::Label).caption = "designed";
    page.Add("LbKeep", ComponentKind::Label).caption = "LbKeep";
    page.Add("ChkAgree", ComponentKind::CheckBox);
    page.Add("PlInfo", ComponentKind::Panel);
    page.Add("BtnNext", ComponentKind::PushButton).caption = "Next";
    page.Add("RBtnStatic", ComponentKind::RadioButton);
    page.Add("MnuCopy", ComponentKind::MenuItem, false);
    page.Add("GBoxNet", ComponentKind::GroupBox).caption = "designed";
    page.Add("GBoxDesigned", ComponentKind::GroupBox).caption = "Wireless";
    page.Add("LbEmpty", ComponentKind::Label).caption = "not empty";
    page.Add("EdtName", ComponentKind::Other).caption = "typed";
    page.Add("LvDevices", ComponentKind::ListView).columns = {"c0", "c1", "c2"};
    page.Add("LvSorted", ComponentKind::Other).columns = {"s0"};
    FakeComponent& inner = page.Add("FrameInner1", ComponentKind::Other);
    inner.caption = "frame";
    inner.Add("LbDeep", ComponentKind::Label).caption = "deep";

    ApplyCaptions(page, "TFramePage", ini);

    auto caption = [&](int i) { return page.owned[i]->caption; };
    EXPECT_EQ(caption(0), "Well done");
    EXPECT_EQ(caption(1), "LbKeep");
    EXPECT_EQ(caption(2), "I agree");
    EXPECT_EQ(caption(3), "Panel text");
    EXPECT_EQ(caption(4), "Go on");
    EXPECT_EQ(caption(5), "Static");
    EXPECT_EQ(caption(6), "Copy all");
    EXPECT_EQ(caption(7), " Network ");
    EXPECT_EQ(caption(8), " Wireless ") << "padded also when the designed text stays";
    EXPECT_EQ(caption(9), "") << "a key with an empty value empties the caption";
    EXPECT_EQ(caption(10), "typed");
    EXPECT_EQ(page.owned[11]->columns, (std::vector<std::string>{"MAC", "c1", "Name"}));
    EXPECT_EQ(page.owned[12]->columns, (std::vector<std::string>{"s0"}));
    EXPECT_EQ(inner.caption, "frame");
    EXPECT_EQ(inner.owned[0]->caption, "deep") << "no recursion into embedded pages";
    EXPECT_EQ(page.title, "kept") << "a page is no top-level window";
}

TEST(ApplyCaptions, TopLevelTitleFromItsOwnName) {
    TempDir dir;
    FakeComponent form("FormMain", ComponentKind::Other);
    form.topLevel = true;
    form.title = "Setup";
    IniFile none(dir.File("missing.ini"));
    ApplyCaptions(form, "FormMain", none);
    EXPECT_EQ(form.title, "Setup");
    IniFile ini(dir.Write("Setup.ini", "[FormMain]\nFormMain=Wizard\n"));
    ApplyCaptions(form, "FormMain", ini);
    EXPECT_EQ(form.title, "Wizard");
}

TEST(ApplyLayout, PositionsSetEdgeByEdgeFromTheNumbersFound) {
    struct Row {
        const char* value;
        const char* log; // setters called, in order
    };
    const Row rows[] = {
        {"300,215", "Btn.left=300;Btn.top=215;"},
        {"300,215,120,30", "Btn.left=300;Btn.top=215;Btn.width=120;Btn.height=30;"},
        {" 1 2 3 4 5 6 ", "Btn.left=1;Btn.top=2;Btn.width=3;Btn.height=4;"},
        {"7", "Btn.left=7;"},
        {"x", ""},
        {"   ", ""},
        {"a,10,b,-20", "Btn.left=10;Btn.top=-20;"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value);
        TempDir dir;
        IniFile ini(
            dir.Write("Setup.ini", std::string("[FormMain_CtrlPos]\nBtn=") + r.value + "\n"));
        FakeComponent form("FormMain", ComponentKind::Other);
        form.Add("Btn", ComponentKind::PushButton);
        ApplyLayout(form, "FormMain", ini);
        EXPECT_EQ(*form.log, r.log);
    }
}

TEST(ApplyLayout, VisibilityOfControlsAndMenuItemsOnly) {
    TempDir dir;
    IniFile ini(dir.Write("Setup.ini", "[FormMain_Visible]\n"
                                       "RBtnShown=1\nLbHidden=0\nLbKept=yes\nMnuItem=0\n"
                                       "TimerProc=0\n"
                                       "[FormMain_CtrlPos]\nTimerProc=1,2\nMnuItem=1,2\n"));
    FakeComponent form("FormMain", ComponentKind::Other);
    form.Add("RBtnShown", ComponentKind::RadioButton).visible = false;
    form.Add("LbHidden", ComponentKind::Label);
    form.Add("LbKept", ComponentKind::Label).visible = false;
    form.Add("MnuItem", ComponentKind::MenuItem, false);
    form.Add("TimerProc", ComponentKind::Other, false);
    ApplyLayout(form, "FormMain", ini);
    EXPECT_TRUE(form.owned[0]->visible);
    EXPECT_FALSE(form.owned[1]->visible);
    EXPECT_FALSE(form.owned[2]->visible) << "a value that is no number keeps the visibility";
    EXPECT_FALSE(form.owned[3]->visible);
    EXPECT_TRUE(form.owned[4]->visible) << "non-visual components are untouched";
    EXPECT_EQ(*form.log, "");
}

TEST(ApplyLayout, EmbeddedFramesUseJoinedPrefixesInnerFirst) {
    TempDir dir;
    IniFile ini(dir.Write("Setup.ini", "[FormMain_CtrlPos]\nFrameWlProfile1=5,104\n"
                                       "[FormMain_FrameWlProfile1_CtrlPos]\nFrameWlProfSSID1=1,2\n"
                                       "EdtSSID=9,9\n"
                                       "[FormMain_FrameWlProfile1_FrameWlProfSSID1_CtrlPos]\n"
                                       "EdtSSID=300,215,120,30\n"
                                       "[FormMain_FrameWlProfile1_FrameWlProfSSID1_Visible]\n"
                                       "LbSSID=0\n"));
    FakeComponent form("FormMain", ComponentKind::Other);
    FakeComponent& profile = form.Add("FrameWlProfile1", ComponentKind::Other);
    FakeComponent& ssid = profile.Add("FrameWlProfSSID1", ComponentKind::Other);
    ssid.Add("EdtSSID", ComponentKind::Other);
    ssid.Add("LbSSID", ComponentKind::Label);
    ApplyLayout(form, "FormMain", ini);
    EXPECT_EQ(*form.log, "EdtSSID.left=300;EdtSSID.top=215;EdtSSID.width=120;EdtSSID.height=30;"
                         "FrameWlProfSSID1.left=1;FrameWlProfSSID1.top=2;"
                         "FrameWlProfile1.left=5;FrameWlProfile1.top=104;");
    EXPECT_FALSE(ssid.owned[1]->visible);
}

} // namespace
