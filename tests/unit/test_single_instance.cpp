#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Starts the program with its output to files and a private runtime folder for the lock.
pid_t Start(const std::string& exe, const std::string& runtime, const std::string& out) {
    std::vector<std::string> env{"XDG_RUNTIME_DIR=" + runtime, "QT_QPA_PLATFORM=offscreen",
                                 "HOME=" + runtime};
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&fa, 1, 2);
    std::string arg0 = exe;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv, envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

bool LockHeld(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

} // namespace

TEST(SingleInstance, SecondStartExitsZeroSilentlyWithOnlyALogLine) {
    TempDir dir;
    const std::string exe = dir.File("Setup");
    std::filesystem::copy_file(SIGNALMATE_SETUP_BINARY, exe);
    dir.Write("Setup.Log", "");
    const std::string lock = dir.Path() + "/NV-5180RX_Mutex.lock";

    pid_t first = Start(exe, dir.Path(), dir.File("first.out"));
    ASSERT_GT(first, 0);
    for (int i = 0; i < 1000 && !LockHeld(lock); ++i)
        ::usleep(10000);
    ASSERT_TRUE(LockHeld(lock)) << "the first instance never took its lock";

    pid_t second = Start(exe, dir.Path(), dir.File("second.out"));
    ASSERT_GT(second, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(dir.File("second.out")), "");
    // The first instance holds Setup.Log, so the second logged to the first numbered file.
    EXPECT_NE(ReadAll(dir.File("Setup_000.Log")).find(") FAIL another instance is running\r\n"),
              std::string::npos);

    // A crashed first instance never blocks the next start: the kernel releases its lock.
    ::kill(first, SIGKILL);
    ASSERT_EQ(::waitpid(first, &status, 0), first);
    EXPECT_FALSE(LockHeld(lock));
}
