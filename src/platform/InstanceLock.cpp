#include "platform/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

InstanceLock::~InstanceLock() {
    Release();
}

static std::string RuntimeFolder() {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    if (dir && *dir)
        return dir;
    dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

InstanceLock::Result InstanceLock::Acquire(const std::string& name) {
    Release();
    // A name is one path component: anything that could leave the folder becomes '_'.
    std::string safe = name;
    for (char& c : safe)
        if (c == '/' || c == '\0')
            c = '_';
    std::string path = RuntimeFolder() + "/" + safe + ".lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return Result::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? Result::AlreadyHeld : Result::Failed;
    }
    fd_ = fd;
    return Result::Acquired;
}

void InstanceLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace platform
