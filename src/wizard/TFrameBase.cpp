#include "wizard/TFrameBase.h"

#include "app/Messages.h"
#include "controls/TTrifaceBtn.h"
#include "wizard/TApplication.h"
#include "wizard/TFormRes.h"
#include "wizard/TImage.h"

TFrameBase::TFrameBase(platform::EventLoop& loop, const std::string& name, QWidget* parent)
    : TComponentOwner(loop, name, parent) {
    resize(320, 240);
    setFocusPolicy(Qt::TabFocus);
}

TFrameBase::~TFrameBase() = default;

void TFrameBase::InitFrame() {
    ApplyIniCaptions(ClassName());
}

void TFrameBase::UninitFrame() {}

bool TFrameBase::BeforeEnter(TFrameBase* prev, int direction, intptr_t) {
    if (direction == 0)
        PrevFrame = prev;
    return true;
}

void TFrameBase::AfterEnter(TFrameBase*, int, intptr_t) {}

bool TFrameBase::BeforeLeave(TFrameBase*, int direction, intptr_t) {
    if (direction == 1)
        PrevFrame = nullptr;
    return true;
}

void TFrameBase::AfterLeave(TFrameBase*, int, intptr_t) {}

void TFrameBase::SkinPage(TImage* imgBG, std::initializer_list<TTrifaceBtn*> buttons) {
    if (!FormRes)
        return;
    if (imgBG)
        imgBG->SetPicture(FormRes->ImgFrameBG);
    for (TTrifaceBtn* b : buttons) {
        b->SetFace(FormRes->ImgBtnN);
        b->SetFaceOver(FormRes->ImgBtnH);
        b->SetFaceDown(FormRes->ImgBtnD);
    }
}

void TFrameBase::PostWizard(uintptr_t request) {
    if (Application && Application->MainForm)
        Application->MainForm->PostMessage(UM_WIZARD, request, 0);
}
