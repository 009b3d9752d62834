#include "app/CGlobalVar.h"
#include "app/DebugPrint.h"
#include "platform/AppPath.h"
#include "platform/GioShell.h"
#include "platform/InstanceLock.h"
#include "platform/LinuxNetwork.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "protocol/TFormUDP.h"
#include "wizard/TApplication.h"
#include "wizard/TFormMain.h"
#include "wizard/TFormRes.h"

#include <csignal>
#include <exception>
#include <sys/signalfd.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (!GlobalVar.Load(platform::ExecutablePath()))
        return 0;

    platform::InstanceLock instance;
    switch (instance.Acquire(GlobalVar.MutexName)) {
    case platform::InstanceLock::Result::Failed:
        DebugPrint("FAIL CreateMutex()");
        return 0;
    case platform::InstanceLock::Result::AlreadyHeld:
        DebugPrint("FAIL another instance is running");
        return 0;
    case platform::InstanceLock::Result::Acquired:
        break;
    }

    platform::QtApplication qtApp(argc, argv);
    platform::QtEventLoop loop;
    platform::QtDialogs dialogs;
    TApplication app(loop, dialogs);
    app.Title = GlobalVar.AppTitle;
    dialogs.SetTitle(app.Title);
    qtApp.OnException = [&app](const std::string& text) { app.ShowException(text); };

    // SIGTERM and SIGINT end the program the way closing it does.
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGINT);
    sigprocmask(SIG_BLOCK, &mask, nullptr);
    int sfd = signalfd(-1, &mask, SFD_CLOEXEC | SFD_NONBLOCK);
    if (sfd >= 0)
        loop.watchReadable(sfd, [&loop] { loop.quit(); });

    try {
        TFormRes formRes(GlobalVar, dialogs);
        // Until the launcher exists the wizard window is the main window and its modal run
        // is the program's.
        TFormMain formMain(loop, DefaultWizardPages());
        app.MainForm = &formMain;
        // The never-shown protocol window; destroyed first, so it logs out while all else lives.
        platform::LinuxNetwork network;
        platform::GioShell shell;
        TFormUDP formUDP(loop, network, dialogs, shell, &formMain);
        FormUDP = &formUDP;
        loop.invokeLater([&] {
            formMain.ShowModal();
            loop.quit();
        });
        loop.run();
        FormUDP = nullptr;
        app.MainForm = nullptr;
    } catch (const std::exception& e) {
        FormUDP = nullptr;
        app.MainForm = nullptr;
        app.ShowException(e.what());
    }

    if (sfd >= 0) {
        loop.unwatch(sfd);
        ::close(sfd);
    }
    return 0;
}
