#pragma once

#include <string>

namespace platform {

// A named lock held for the life of the process, like a named mutex: the kernel releases it when
// the holder dies, so a crashed instance never blocks the next start.
class InstanceLock {
public:
    enum class Result { Acquired, AlreadyHeld, Failed };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // The lock file lives in the user's runtime folder (XDG_RUNTIME_DIR, else the temp folder).
    Result Acquire(const std::string& name);
    void Release();

private:
    int fd_ = -1;
};

} // namespace platform
