#include "wizard/TFormMain.h"

#include "app/CGlobalVar.h"
#include "app/MessageBoxes.h"
#include "app/Messages.h"
#include "wizard/TApplication.h"
#include "wizard/TFormRes.h"
#include "wizard/TFrameBase.h"
#include "wizard/TImage.h"

#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

TFormMain::TFormMain(platform::EventLoop& loop, WizardPages pages, QWidget* parent)
    : TFormBase(loop, "FormMain", parent, Qt::Window | Qt::FramelessWindowHint),
      pages_(std::move(pages)) {
    setFixedSize(600, 450);
    QFont font("Tahoma");
    font.setPixelSize(11);
    setFont(font);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    ImgBG = Components.Add("ImgBG", new TImage(this));
    ImgBG->setGeometry(0, 0, 600, 450);
    ImgBG->SetAutoSize(true);
    connect(ImgBG, &TImage::MouseMove, this,
            [this](Qt::MouseButtons b, QPoint p) { ImgBGMouseMove(b, p); });
    FrameWelcome1 = AddPage("TFrameWelcome", "FrameWelcome1");
    FrameLicense1 = AddPage("TFrameLicense", "FrameLicense1");
    FrameTutorial1 = AddPage("TFrameTutorial", "FrameTutorial1");
    FrameDevList1 = AddPage("TFrameDevList", "FrameDevList1");
    FramePassword1 = AddPage("TFramePassword", "FramePassword1");
    FrameSetupMethod1 = AddPage("TFrameSetupMethod", "FrameSetupMethod1");
    FrameDevIPCfg1 = AddPage("TFrameDevIPCfg", "FrameDevIPCfg1");
    FrameSetWlMethod1 = AddPage("TFrameSetWlMethod", "FrameSetWlMethod1");
    FrameWPSMethod1 = AddPage("TFrameWPSMethod", "FrameWPSMethod1");
    FrameSuccess1 = AddPage("TFrameSuccess", "FrameSuccess1");
    FrameWlProfile1 = AddPage("TFrameWlProfile", "FrameWlProfile1");

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect desk = screen->availableGeometry();
        move(desk.x() + (desk.width() - width()) / 2, desk.y() + (desk.height() - height()) / 2);
    }
    FormCreate();
}

TFormMain::~TFormMain() {
    FormDestroy();
}

TFrameBase* TFormMain::AddPage(const char* className, const char* name) {
    TFrameBase* page = pages_.Create(className, name, this);
    page->setGeometry(0, 104, 600, 323);
    return Components.Add(name, page);
}

void TFormMain::FormCreate() {
    setWindowTitle(QString::fromStdString(GlobalVar.AppTitle));
    ApplyIniCaptions("FormMain");
    if (FormRes)
        ImgBG->SetPicture(FormRes->ImgBGMain);
    ApplyIniLayout("FormMain");
    for (TFrameBase* page : Components.OfType<TFrameBase>()) {
        page->InitFrame();
        page->hide();
    }
    CurFrame = nullptr;
    PostMessage(UM_WIZARD, WIZARD_NEXT, 0);
}

void TFormMain::FormDestroy() {
    for (TFrameBase* page : Components.OfType<TFrameBase>())
        page->UninitFrame();
}

bool TFormMain::SetIPChecked() const {
    auto* radio = qobject_cast<QRadioButton*>(FrameSetupMethod1->Components.Find("RBtnSetIP"));
    return radio && radio->isChecked();
}

void TFormMain::CopyCurToNew() {
    GlobalVar.SetupMode = 1;
    GlobalVar.NewIPSetting = GlobalVar.CurIPSetting;
    GlobalVar.NewWlSetting = GlobalVar.CurWlSetting;
}

void TFormMain::GoNext(intptr_t param) {
    TFrameBase* target = nullptr;
    TFrameBase* cur = CurFrame;
    if (!cur || cur == FrameWelcome1)
        target = FrameLicense1;
    else if (cur == FrameLicense1)
        target = FrameTutorial1;
    else if (cur == FrameTutorial1)
        target = FrameDevList1;
    else if (cur == FrameDevList1)
        target = FramePassword1;
    else if (cur == FramePassword1)
        target = FrameSetupMethod1;
    else if (cur == FrameSetupMethod1) {
        if (GlobalVar.SetupMode == 0) {
            if (SetIPChecked()) {
                target = FrameDevIPCfg1;
            } else {
                CopyCurToNew();
                target = FrameSetWlMethod1;
            }
        } else if (GlobalVar.SetupMode == 1) {
            target = FrameSetWlMethod1;
        }
    } else if (cur == FrameDevIPCfg1) {
        CopyCurToNew();
        target = FrameSetWlMethod1;
    } else if (cur == FrameSetWlMethod1) {
        if (GlobalVar.WlMethod == 0)
            target = FrameWPSMethod1;
        else if (GlobalVar.WlMethod == 1)
            target = FrameWlProfile1;
    } else if (cur == FrameWlProfile1) {
        if (pages_.StepFrame && pages_.StepFrame(*FrameWlProfile1, 0))
            target = FrameSuccess1;
    } else if (cur == FrameWPSMethod1) {
        target = FrameSuccess1;
    } else if (cur == FrameSuccess1) {
        target = FrameSetupMethod1;
    }
    if (target)
        SwitchFrame(target, 0, param);
}

void TFormMain::GoBack(intptr_t param) {
    TFrameBase* target = nullptr;
    TFrameBase* cur = CurFrame;
    if (!cur || cur == FrameWelcome1)
        return;
    if (cur == FrameLicense1 || cur == FrameTutorial1) {
        ModalResult = 2;
        return;
    }
    if (cur == FrameDevList1)
        target = FrameTutorial1;
    else if (cur == FramePassword1 || cur == FrameSetupMethod1)
        target = FrameDevList1;
    else if (cur == FrameDevIPCfg1)
        target = FrameSetupMethod1;
    else if (cur == FrameSetWlMethod1)
        target = SetIPChecked() ? FrameDevIPCfg1 : FrameSetupMethod1;
    else if (cur == FrameWlProfile1) {
        if (pages_.StepFrame && pages_.StepFrame(*FrameWlProfile1, 1))
            target = FrameSetWlMethod1;
    } else if (cur == FrameWPSMethod1)
        target = FrameSetWlMethod1;
    else if (cur == FrameSuccess1)
        target = FrameSetupMethod1;
    if (target)
        SwitchFrame(target, 1, param);
}

bool TFormMain::SwitchFrame(TFrameBase* target, int direction, intptr_t param) {
    if (target == CurFrame)
        return true;
    TFrameBase* prev = CurFrame;
    if (prev && !prev->BeforeLeave(target, direction, param))
        return false;
    if (target && !target->BeforeEnter(prev, direction, param))
        return false;
    if (prev) {
        prev->hide();
        prev->AfterLeave(target, direction, param);
    }
    if (target) {
        target->show();
        target->AfterEnter(prev, direction, param);
    }
    CurFrame = target;
    return true;
}

void TFormMain::WndProc(platform::Message& msg) {
    switch (msg.Msg) {
    case UM_WIZARD:
        if (msg.WParam == WIZARD_EXIT) {
            if (AskQuestion(GlobalVar, Application->Dialogs(), "MSG_Exit"))
                ModalResult = 1;
        } else if (msg.WParam == WIZARD_NEXT) {
            GoNext(msg.LParam);
        } else if (msg.WParam == WIZARD_BACK) {
            GoBack(msg.LParam);
        }
        break;
    case UM_UDP_REPLY:
    case UM_UDP_TIMEOUT:
    case UM_UDP_EVENT:
        if (CurFrame)
            msg.Result = CurFrame->SendMessage(msg.Msg, msg.WParam, msg.LParam);
        break;
    default:
        break;
    }
    TFormBase::WndProc(msg);
}

void TFormMain::ImgBGMouseMove(Qt::MouseButtons buttons, QPoint) {
    // Dragging the borderless window by its background: the window manager moves it.
    if ((buttons & Qt::LeftButton) && windowHandle())
        windowHandle()->startSystemMove();
}
