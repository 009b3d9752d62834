#include "app/CGlobalVar.h"
#include "app/DebugPrint.h"
#include "platform/AppPath.h"
#include "platform/InstanceLock.h"
#include "platform/PollEventLoop.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

int main() {
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

    // Until the windows exist the program only holds its place, ending on SIGTERM or SIGINT.
    platform::PollEventLoop loop;
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGINT);
    sigprocmask(SIG_BLOCK, &mask, nullptr);
    int sfd = signalfd(-1, &mask, SFD_CLOEXEC | SFD_NONBLOCK);
    if (sfd >= 0)
        loop.watchReadable(sfd, [&loop] { loop.quit(); });
    loop.run();
    if (sfd >= 0)
        ::close(sfd);
    return 0;
}
