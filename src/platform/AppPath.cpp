#include "platform/AppPath.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string ExecutablePath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    return std::string(buf, size_t(n));
}

static size_t NameStart(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < NameStart(path))
        return path + ext;
    return path.substr(0, dot) + ext;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string BaseNameOf(const std::string& path) {
    std::string name = path.substr(NameStart(path));
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace platform
