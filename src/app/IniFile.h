#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Our own reader and writer of a Windows-style INI file, with the profile functions' rules.
// Caches nothing: every read opens and parses the file again, so edits are seen at once.
// A missing or unreadable file reads as an empty one.
class IniFile {
public:
    explicit IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    // The section's lines as "key=value", in file order.
    void ReadSectionValues(const std::string& section, std::vector<std::string>& lines) const;

    // Writes keep every other byte of the file and replace it atomically.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int32_t value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string fileName_;
};
