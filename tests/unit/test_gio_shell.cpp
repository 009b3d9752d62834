#include "platform/GioShell.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Something outside this process writes the file; give it a generous while.
bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        if (!ReadAll(path).empty())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// A private desktop: the system's MIME database, one application of ours for text/plain that
// writes the URI it was given into a file, and no other application.
class PrivateDesktop : public testing::Environment {
public:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::create_directories(dir.File("sys"));
        fs::create_symlink("/usr/share/mime", dir.File("sys/mime"));
        fs::create_directories(dir.File("data/applications"));
        fs::create_directories(dir.File("config"));
        const std::string opener =
            dir.Write("opener.sh", "#!/bin/sh\nprintf %s \"$1\" > " + Marker() + "\n");
        ::chmod(opener.c_str(), 0755);
        dir.Write("data/applications/smtest-opener.desktop",
                  "[Desktop Entry]\nType=Application\nName=Opener\nExec=" + opener +
                      " %u\nMimeType=text/plain;\n");
        dir.Write("config/mimeapps.list",
                  "[Default Applications]\ntext/plain=smtest-opener.desktop\n");
        setenv("XDG_DATA_DIRS", dir.File("sys").c_str(), 1);
        setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", dir.File("config").c_str(), 1);
        setenv("GIO_USE_VFS", "local", 1);
    }
    static std::string Marker() { return dir.File("opened"); }
    static TempDir dir;
};
TempDir PrivateDesktop::dir;
const auto* const privateDesktop = testing::AddGlobalTestEnvironment(new PrivateDesktop);

} // namespace

TEST(GioShell, AssociationFollowsTheContentTypesDefaultApplication) {
    platform::GioShell shell;
    TempDir docs;
    struct Case {
        std::string path;
        bool associated;
    } cases[] = {
        {docs.Write("notes.txt", "plain words\n"), true},
        {docs.File("missing.txt"), true}, // guessed from the name
        {docs.Write("blob.smzz", std::string("\x7f\x01\x02\x00\xff", 5)), false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell.HasAssociatedProgram(c.path), c.associated) << c.path;
}

TEST(GioShell, OpenHandsTheDocumentAsAFileUriToItsProgram) {
    platform::GioShell shell;
    TempDir docs;
    const std::string path = docs.Write("guide.txt", "text\n");
    std::remove(PrivateDesktop::Marker().c_str());
    ASSERT_TRUE(shell.Open(path));
    ASSERT_TRUE(WaitForFile(PrivateDesktop::Marker()));
    // GIO hands a local file URI on as the path it names.
    const std::string got = ReadAll(PrivateDesktop::Marker());
    EXPECT_TRUE(got == path || got == "file://" + path) << got;

    EXPECT_FALSE(shell.Open(docs.Write("blob.smzz", std::string("\x7f\x00", 2))));
    EXPECT_FALSE(shell.Open(""));
}

TEST(GioShell, RunHiddenLeavesNoChildAndDiscardsOutput) {
    platform::GioShell shell;
    TempDir dir;
    const std::string out = dir.File("fd1");
    // fd 3 is a copy of the standard output the command was given.
    shell.RunHidden(
        {"sh", "-c",
         "exec 3>&1; readlink /proc/self/fd/0 /proc/self/fd/2 /proc/self/fd/3 > " + out});
    int status = 0;
    errno = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1); // nothing of ours to reap, now or later
    EXPECT_EQ(errno, ECHILD);
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_EQ(ReadAll(out), "/dev/null\n/dev/null\n/dev/null\n");

    shell.RunHidden({"no-such-command-sm"}); // ignored
    shell.RunHidden({});
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
}

namespace {

// Just enough of libX11 to put a named window on a display.
struct XClient {
    using OpenFn = void* (*)(const char*);
    using RootFn = unsigned long (*)(void*);
    using CreateFn = unsigned long (*)(void*, unsigned long, int, int, unsigned, unsigned, unsigned,
                                       unsigned long, unsigned long);
    using NameFn = int (*)(void*, unsigned long, const char*);
    using MapFn = int (*)(void*, unsigned long);
    using SyncFn = int (*)(void*, int);
    using CloseFn = int (*)(void*);
    void* lib = dlopen("libX11.so.6", RTLD_NOW);
    template <typename F> F Get(const char* name) {
        return lib ? reinterpret_cast<F>(dlsym(lib, name)) : nullptr;
    }
};

} // namespace

TEST(GioShell, FindTopLevelWindowByExactTitle) {
    platform::GioShell shell;
    unsetenv("DISPLAY");
    EXPECT_FALSE(shell.FindTopLevelWindow("Anything"));

    if (::access("/usr/bin/Xvfb", X_OK) != 0)
        GTEST_SKIP() << "no Xvfb to show a window on";
    XClient x;
    if (!x.lib)
        GTEST_SKIP() << "no libX11";
    const std::string display = ":" + std::to_string(90 + ::getpid() % 800);
    const std::string socket = "/tmp/.X11-unix/X" + display.substr(1);
    std::string a0 = "/usr/bin/Xvfb", a1 = display, a2 = "-nolisten", a3 = "tcp";
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    pid_t server = -1;
    ASSERT_EQ(posix_spawn(&server, argv[0], &fa, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&fa);
    struct Stop {
        pid_t pid;
        ~Stop() {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    } stop{server};

    void* d = nullptr;
    for (int i = 0; i < 500 && !d; ++i) {
        if (::access(socket.c_str(), F_OK) == 0)
            d = x.Get<XClient::OpenFn>("XOpenDisplay")(display.c_str());
        if (!d)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_NE(d, nullptr) << "Xvfb did not come up on " << display;
    const unsigned long root = x.Get<XClient::RootFn>("XDefaultRootWindow")(d);
    const unsigned long w =
        x.Get<XClient::CreateFn>("XCreateSimpleWindow")(d, root, 0, 0, 40, 30, 0, 0, 0);
    x.Get<XClient::NameFn>("XStoreName")(d, w, "Reader Installer");
    x.Get<XClient::MapFn>("XMapWindow")(d, w);
    x.Get<XClient::SyncFn>("XSync")(d, 0);

    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_TRUE(shell.FindTopLevelWindow("Reader Installer"));
    EXPECT_FALSE(shell.FindTopLevelWindow("Reader"));
    EXPECT_FALSE(shell.FindTopLevelWindow("Reader Installer 2"));
    x.Get<XClient::CloseFn>("XCloseDisplay")(d);
    unsetenv("DISPLAY");
}
