#pragma once

#include "wizard/TFormBase.h"
#include "wizard/WizardPages.h"

class TImage;
class TFrameBase;

// The wizard window: borderless 600 x 450, one page shown at a time, navigation by UM_WIZARD
// through fixed forward and backward tables.
class TFormMain : public TFormBase {
    Q_OBJECT
public:
    TFormMain(platform::EventLoop& loop, WizardPages pages, QWidget* parent = nullptr);
    ~TFormMain() override;

    TImage* ImgBG;
    TFrameBase* FrameWelcome1;
    TFrameBase* FrameLicense1;
    TFrameBase* FrameTutorial1;
    TFrameBase* FrameDevList1;
    TFrameBase* FramePassword1;
    TFrameBase* FrameSetupMethod1;
    TFrameBase* FrameDevIPCfg1;
    TFrameBase* FrameSetWlMethod1;
    TFrameBase* FrameWPSMethod1;
    TFrameBase* FrameSuccess1;
    TFrameBase* FrameWlProfile1;

    // The page shown now; none before the first switch.
    TFrameBase* CurFrame = nullptr;

    void GoNext(intptr_t param);
    void GoBack(intptr_t param);
    // False when a page refused.
    bool SwitchFrame(TFrameBase* target, int direction, intptr_t param);

    void WndProc(platform::Message& msg) override;

protected:
    void FormCreate();
    void FormDestroy();
    void ImgBGMouseMove(Qt::MouseButtons buttons, QPoint pos);

private:
    TFrameBase* AddPage(const char* className, const char* name);
    // RBtnSetIP of the setup method page: the static address was chosen.
    bool SetIPChecked() const;
    void CopyCurToNew();

    WizardPages pages_;
};
