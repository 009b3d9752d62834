// signalmate-render [folder]: draws the wizard window (on its first page) and the progress
// dialog offscreen and writes FormMain.png, FormProgress.png and FormProgressRunning.png (the
// bar part way) into the folder.
#include "app/CGlobalVar.h"
#include "platform/AppPath.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "wizard/TApplication.h"
#include "wizard/TFormMain.h"
#include "wizard/TFormProgress.h"
#include "wizard/TFormRes.h"

#include <QPixmap>
#include <QProgressBar>

#include <cstdio>
#include <string>

namespace {

bool Save(QWidget& w, const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name + ".png";
    QPixmap shot = w.grab();
    if (!shot.save(QString::fromStdString(path))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s %dx%d\n", path.c_str(), shot.width(), shot.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string folder = argc > 1 ? argv[1] : ".";
    // Settings beside the tool (the shipped Setup.ini, copied at build time), as the program
    // reads its own; without the file the built-in look.
    GlobalVar.Load(platform::ExecutablePath());

    platform::QtApplication qtApp(argc, argv);
    platform::QtEventLoop loop;
    platform::QtDialogs dialogs;
    TApplication app(loop, dialogs);
    app.Title = GlobalVar.AppTitle;
    dialogs.SetTitle(app.Title);
    TFormRes formRes(GlobalVar, dialogs);

    TFormMain formMain(loop, DefaultWizardPages());
    app.MainForm = &formMain;
    // The first move, queued at creation, puts the wizard on its first page.
    loop.runUntil([&] { return formMain.CurFrame != nullptr; });
    formMain.show();
    bool ok = Save(formMain, folder, "FormMain");
    formMain.hide();

    TFormProgress progress(loop);
    progress.show();
    ok = Save(progress, folder, "FormProgress") && ok;
    // As it looks seven seconds into an exchange.
    progress.ProgressBar1->setValue(35);
    ok = Save(progress, folder, "FormProgressRunning") && ok;
    progress.hide();
    app.MainForm = nullptr;
    return ok ? 0 : 1;
}
