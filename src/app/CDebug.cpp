#include "app/CDebug.h"

#include "platform/AppPath.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Opens a log file read/write and takes its exclusive lock; a lock held elsewhere counts as a
// failed open, the stand-in for a file another running instance holds open for writing.
int OpenLocked(const std::string& path, int createFlags) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | createFlags, 0666);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

CDebug::CDebug(const std::string& exePath) {
    const std::string folder = platform::FolderOf(exePath);
    const std::string base = platform::BaseNameOf(exePath);
    Prefix = "<" + base + "> ";
    LogPath = platform::ReplaceExtension(exePath, ".Log");

    // Only a log file placed by hand switches logging on.
    if (!platform::FileExists(LogPath))
        return;

    Handle = OpenLocked(LogPath, 0);
    for (int i = 0; Handle < 0 && i < 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "_%03d.Log", i);
        LogPath = folder + base + name;
        // O_EXCL: an existing numbered file, even an idle one, is never reused or overwritten.
        Handle = OpenLocked(LogPath, O_CREAT | O_EXCL);
    }
    if (Handle < 0)
        return;

    if (::lseek(Handle, 0, SEEK_END) < 0) {
        ::close(Handle);
        Handle = -1;
        return;
    }
    Write("\r\n", 2);
    WriteLine("== START LOG ==");
}

CDebug::~CDebug() {
    if (Handle >= 0)
        ::close(Handle);
}

void CDebug::Write(const void* data, size_t len) {
    if (Handle < 0)
        return;
    std::lock_guard<std::recursive_mutex> guard(WriteLock);
    // One write call per line keeps lines from different threads whole; errors are ignored.
    [[maybe_unused]] ssize_t written = ::write(Handle, data, len);
}

void CDebug::WriteLine(const std::string& text) {
    // Off: return before the clock and time zone are read, so no file is touched.
    if (Handle < 0)
        return;
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    struct tm local {};
    ::localtime_r(&now.tv_sec, &local);
    const unsigned tid = unsigned(::gettid());

    char head[64];
    int n = std::snprintf(head, sizeof head, "(%02d:%02d:%02d:%03d 0x%X) ", local.tm_hour,
                          local.tm_min, local.tm_sec, int(now.tv_nsec / 1000000), tid);
    std::string line;
    line.reserve(size_t(n > 0 ? n : 0) + text.size() + 2);
    if (n > 0)
        line.append(head, size_t(n));
    line += text;
    line += "\r\n";
    Write(line.data(), line.size());
}

void CDebug::DebugOut(const std::string& text) {
    const std::string line = Prefix + text + "\n";
    [[maybe_unused]] ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
}
