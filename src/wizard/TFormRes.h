#pragma once

#include <QImage>

#include <string>
#include <vector>

class CGlobalVar;
namespace platform {
class Dialogs;
}

// The skin: the pictures every window and page copies at creation. Built-in pictures first, then
// the files named in section "FormRes_TImage" under the folder "Res_Path" replace them.
class TFormRes {
public:
    // Loads the built-in pictures and runs FormCreate. Becomes FormRes while it lives, if none is.
    TFormRes(CGlobalVar& global, platform::Dialogs& dialogs);
    ~TFormRes();
    TFormRes(const TFormRes&) = delete;
    TFormRes& operator=(const TFormRes&) = delete;

    QImage ImgBGMain;
    QImage ImgFrameBG;
    QImage ImgBtnN;
    QImage ImgBtnH;
    QImage ImgBtnD;
    QImage ImgBGProgress;
    QImage ImgTutorial;
    QImage ImgBGAutorun;
    QImage ImgBtnSetupWizardN;
    QImage ImgBtnSetupWizardD;
    QImage ImgBtnUGN;
    QImage ImgBtnUGD;
    QImage ImgBtnProductRegN;
    QImage ImgBtnProductRegD;
    QImage ImgBtnExitN;
    QImage ImgBtnExitD;
    QImage ImgBtnUG_UGN;
    QImage ImgBtnUG_UGD;
    QImage ImgBtnUG_QIGD;
    QImage ImgBtnUG_QIGN;

    struct Slot {
        const char* Name;
        QImage* Picture;
    };
    // Every slot, in the order the replacement walks them.
    std::vector<Slot> Slots();
    // The slot's picture by its name; null for a name that is no slot.
    const QImage* Find(const std::string& name) const;

    // Replaces built-in pictures from the resource folder; an unloadable file ends the walk
    // with the standard error box.
    void FormCreate();

    // The picture in `path`, decoded by the format its extension names. False with `error` set
    // for an extension we cannot draw or content that does not decode.
    static bool LoadPicture(const std::string& path, QImage& picture, std::string& error);

private:
    void LoadBuiltIn();

    CGlobalVar& global_;
    platform::Dialogs& dialogs_;
};

// The program's one skin, created first among the windows.
extern TFormRes* FormRes;
