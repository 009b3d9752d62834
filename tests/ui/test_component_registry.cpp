#include "app/CGlobalVar.h"
#include "controls/TEllipsisLabel.h"
#include "controls/TPaintPanel.h"
#include "controls/TSortListView.h"
#include "controls/TTrifaceBtn.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "support/VirtualEventLoop.h"
#include "wizard/TFormBase.h"
#include "wizard/TFormRes.h"
#include "wizard/TFrameBase.h"
#include "wizard/TImage.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

std::string S(const QString& s) {
    return s.toStdString();
}

// A sub-page embedded in the test page, so layout has a level to walk down into.
class TFrameInner : public TFrameBase {
    Q_OBJECT
public:
    TFrameInner(platform::EventLoop& loop, QWidget* parent)
        : TFrameBase(loop, "FrameInner1", parent) {
        LbDeep = Components.Add("LbDeep", new QLabel("deep", this));
    }
    QLabel* LbDeep;
};

// A small page with one control of every kind; the check box sits inside the group box but
// belongs to the page.
class TFrameTest : public TFrameBase {
    Q_OBJECT
public:
    TFrameTest(platform::EventLoop& loop, QWidget* parent)
        : TFrameBase(loop, "FrameTest1", parent) {
        ImgBG = Components.Add("ImgBG", new TImage(this));
        LbTitle = Components.Add("LbTitle", new TEllipsisLabel(this));
        LbTitle->setText("designed");
        GBoxNet = Components.Add("GBoxNet", new QGroupBox("Network", this));
        ChkAgree = Components.Add("ChkAgree", new QCheckBox("agree", GBoxNet));
        RBtnSetIP = Components.Add("RBtnSetIP", new QRadioButton("static", GBoxNet));
        PlInfo = Components.Add("PlInfo", new TPaintPanel(this));
        BtnNext = Components.Add("BtnNext", new TTrifaceBtn(this));
        BtnNext->setText("Next");
        EdtName = Components.Add("EdtName", new QLineEdit("typed", this));
        LvPlain = Components.Add("LvPlain", new QTreeWidget(this));
        LvPlain->setHeaderLabels({"a", "b"});
        LvSort = Components.Add("LvSort", new TSortListView(this));
        LvSort->setHeaderLabels({"x"});
        MnuCopy = Components.AddMenuItem("MnuCopy", new QAction("Copy", this));
        Components.AddNonVisual("TimerSearch");
        FrameInner1 = Components.Add("FrameInner1", new TFrameInner(loop, this));
    }
    void InitFrame() override {
        SkinPage(ImgBG, {BtnNext});
        TFrameBase::InitFrame();
    }

    TImage* ImgBG;
    TEllipsisLabel* LbTitle;
    QGroupBox* GBoxNet;
    QCheckBox* ChkAgree;
    QRadioButton* RBtnSetIP;
    TPaintPanel* PlInfo;
    TTrifaceBtn* BtnNext;
    QLineEdit* EdtName;
    QTreeWidget* LvPlain;
    TSortListView* LvSort;
    QAction* MnuCopy;
    TFrameInner* FrameInner1;
};

TEST(ComponentRegistry, QtPageThroughCaptionsLayoutAndSkin) {
    TempDir dir;
    dir.Write("Setup.ini", "[TFrameTest]\nLbTitle=Well done\nGBoxNet=Wireless\nChkAgree=I agree\n"
                           "PlInfo=Panel\nBtnNext=Go\nEdtName=never\nLvPlain_Col1=Second\n"
                           "LvSort_Col0=never\nMnuCopy=Copy all\n"
                           "[TFrameInner]\nLbDeep=Deeper\n"
                           "[FormTest_FrameTest1_CtrlPos]\nChkAgree=300,215\nLbTitle=1,2,120,30\n"
                           "[FormTest_FrameTest1_Visible]\nRBtnSetIP=0\nMnuCopy=0\n"
                           "[FormTest_FrameTest1_FrameInner1_CtrlPos]\nLbDeep=7,8\n"
                           "[FormTest_CtrlPos]\nFrameTest1=0,104,600,323\n"
                           "[FormTest]\nFormTest=Test window\n");
    CGlobalVar& global = GlobalVar;
    global.Load(dir.File("Setup"));
    FakeDialogs dialogs;
    VirtualEventLoop loop;
    TFormRes res(global, dialogs);

    TFormBase form(loop, "FormTest");
    auto* page = form.Components.Add("FrameTest1", new TFrameTest(loop, &form));
    form.ApplyIniCaptions("FormTest");
    form.ApplyIniLayout("FormTest");
    page->InitFrame();

    EXPECT_EQ(S(form.windowTitle()), "Test window");
    EXPECT_EQ(page->ClassName(), "TFrameTest");
    EXPECT_EQ(S(page->LbTitle->text()), "Well done");
    EXPECT_EQ(S(page->GBoxNet->title()), " Wireless ");
    EXPECT_EQ(S(page->ChkAgree->text()), "I agree");
    EXPECT_EQ(page->PlInfo->property("Caption").toString().toStdString(), "Panel");
    EXPECT_EQ(S(page->BtnNext->text()), "Go");
    EXPECT_EQ(S(page->EdtName->text()), "typed");
    EXPECT_EQ(S(page->LvPlain->headerItem()->text(0)), "a");
    EXPECT_EQ(S(page->LvPlain->headerItem()->text(1)), "Second");
    EXPECT_EQ(S(page->LvSort->headerItem()->text(0)), "x");
    EXPECT_EQ(S(page->MnuCopy->text()), "Copy all");
    EXPECT_EQ(S(page->FrameInner1->LbDeep->text()), "deep") << "the sub-page does its own captions";

    EXPECT_EQ(page->geometry(), QRect(0, 104, 600, 323));
    EXPECT_EQ(page->ChkAgree->pos(), QPoint(300, 215))
        << "owned by the page, placed in the group box";
    EXPECT_EQ(page->LbTitle->geometry(), QRect(1, 2, 120, 30));
    EXPECT_TRUE(page->RBtnSetIP->isHidden());
    EXPECT_FALSE(page->MnuCopy->isVisible());
    EXPECT_EQ(page->FrameInner1->LbDeep->pos(), QPoint(7, 8));

    // Skin: the page background and the three faces of its buttons.
    EXPECT_EQ(page->ImgBG->Picture(), res.ImgFrameBG);
    EXPECT_EQ(page->BtnNext->Face(), res.ImgBtnN);
    EXPECT_EQ(page->BtnNext->FaceOver(), res.ImgBtnH);
    EXPECT_EQ(page->BtnNext->FaceDown(), res.ImgBtnD);

    // Every registered widget is findable by its component name.
    for (size_t i = 0; i < page->Components.Count(); ++i) {
        const WidgetComponent& c = page->Components.At(i);
        if (c.Object()) {
            EXPECT_EQ(S(c.Object()->objectName()), c.Name());
        }
    }
    EXPECT_EQ(page->Components.Find("ChkAgree"), page->ChkAgree);
    EXPECT_EQ(page->findChild<QCheckBox*>("ChkAgree"), page->ChkAgree);
    EXPECT_EQ(page->Components.At(11).Name(), "TimerSearch");
    EXPECT_FALSE(page->Components.At(11).IsControl());
    global.Ini.reset();
}

TEST(ComponentRegistry, KindsFromTheWidgetClass) {
    QWidget parent;
    struct Row {
        QWidget* widget;
        ComponentKind kind;
    };
    const Row rows[] = {
        {new QLabel(&parent), ComponentKind::Label},
        {new TEllipsisLabel(&parent), ComponentKind::Label},
        {new QCheckBox(&parent), ComponentKind::CheckBox},
        {new QRadioButton(&parent), ComponentKind::RadioButton},
        {new TTrifaceBtn(&parent), ComponentKind::PushButton},
        {new QGroupBox(&parent), ComponentKind::GroupBox},
        {new QTreeWidget(&parent), ComponentKind::ListView},
        {new TSortListView(&parent), ComponentKind::Other},
        {new TPaintPanel(&parent), ComponentKind::Panel},
        {new QFrame(&parent), ComponentKind::Panel},
        {new QLineEdit(&parent), ComponentKind::Other},
        {new TImage(&parent), ComponentKind::Other},
    };
    for (const Row& r : rows)
        EXPECT_EQ(WidgetComponent::KindOf(r.widget), r.kind) << r.widget->metaObject()->className();
}

} // namespace

#include "test_component_registry.moc"
