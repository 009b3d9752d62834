#pragma once

#include "wizard/TComponentOwner.h"

class TImage;
class TTrifaceBtn;

// The base of every wizard page and sub-page: one life cycle (InitFrame once, UninitFrame once)
// and the four questions and notifications of a switch. Direction 0 is forward, 1 back.
class TFrameBase : public TComponentOwner {
    Q_OBJECT
public:
    TFrameBase(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr);
    ~TFrameBase() override;

    virtual void InitFrame();
    virtual void UninitFrame();
    virtual bool BeforeEnter(TFrameBase* prev, int direction, intptr_t param);
    virtual void AfterEnter(TFrameBase* prev, int direction, intptr_t param);
    virtual bool BeforeLeave(TFrameBase* target, int direction, intptr_t param);
    virtual void AfterLeave(TFrameBase* target, int direction, intptr_t param);

    // The page this one was last entered from going forward; none after leaving backwards.
    TFrameBase* PrevFrame = nullptr;

    // The class name as the INI section of the page's captions ("TFrameDevList").
    std::string ClassName() const { return metaObject()->className(); }

protected:
    // The skin every page takes before its own preparation: ImgBG from ImgFrameBG and the three
    // faces of each skinned button from ImgBtnN, ImgBtnH and ImgBtnD.
    static void SkinPage(TImage* imgBG, std::initializer_list<TTrifaceBtn*> buttons);
    // Asks the main window for a move: 1 exit, 2 next, 3 back (posted, so it runs later).
    static void PostWizard(uintptr_t request);
};
