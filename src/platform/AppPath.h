#pragma once

#include <string>

namespace platform {

// Full path of the running executable.
std::string ExecutablePath();
// The path with its extension replaced by `ext` (".ini"); a name without one gets it appended.
std::string ReplaceExtension(const std::string& path, const std::string& ext);
// Folder of the path with a trailing '/'.
std::string FolderOf(const std::string& path);
// File name without folder and extension.
std::string BaseNameOf(const std::string& path);
bool FileExists(const std::string& path);

} // namespace platform
