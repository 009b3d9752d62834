#include "app/CThreadIni.h"

#include <cstdint>

CThreadIni::CThreadIni(const std::string& fileName, const char* /*mutexName*/)
    : FileName_(fileName), IniFile_(std::make_unique<IniFile>(fileName)) {}

CThreadIni::~CThreadIni() = default;

void CThreadIni::SetFileName(const std::string& name) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    if (name == FileName_)
        return;
    IniFile_ = std::make_unique<IniFile>(name);
    FileName_ = name;
}

IniFile& CThreadIni::Lock() {
    Mutex.lock();
    return *IniFile_;
}

void CThreadIni::Unlock() {
    Mutex.unlock();
}

std::string CThreadIni::ReadString(const std::string& section, const std::string& key,
                                   const std::string& def) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    return IniFile_->ReadString(section, key, def);
}

std::string CThreadIni::ReadString(const std::string& section, const std::string& key,
                                   const char* def) {
    return ReadString(section, key, std::string(def ? def : ""));
}

bool CThreadIni::ReadBool(const std::string& section, const std::string& key, bool def) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    return IniFile_->ReadBool(section, key, def);
}

int32_t CThreadIni::ReadInteger(const std::string& section, const std::string& key, int32_t def) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    return IniFile_->ReadInteger(section, key, def);
}

void CThreadIni::ReadSectionValues(const std::string& section, std::vector<std::string>& lines) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    IniFile_->ReadSectionValues(section, lines);
}

void CThreadIni::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    IniFile_->WriteString(section, key, value);
}

void CThreadIni::WriteString(const std::string& section, const std::string& key,
                             const char* value) {
    WriteString(section, key, std::string(value ? value : ""));
}

void CThreadIni::WriteBool(const std::string& section, const std::string& key, bool value) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    IniFile_->WriteBool(section, key, value);
}

void CThreadIni::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    std::lock_guard<std::recursive_mutex> hold(Mutex);
    IniFile_->WriteInteger(section, key, value);
}

namespace {

// The file is UTF-8; wide strings carry one code point per element.
std::string ToUtf8(const std::wstring& w) {
    std::string out;
    for (wchar_t wc : w) {
        uint32_t c = uint32_t(wc);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Malformed sequences become U+FFFD rather than being dropped silently.
std::wstring FromUtf8(const std::string& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size();) {
        unsigned char b = s[i];
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        uint32_t c = extra == 0   ? b
                     : extra == 1 ? (b & 0x1F)
                     : extra == 2 ? (b & 0x0F)
                                  : (b & 0x07);
        bool ok = extra >= 0; // bounds and continuation bytes are checked below
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + size_t(k) >= s.size() || (static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                ok = false;
            else
                c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (!ok) {
            out += wchar_t(0xFFFD);
            ++i;
            continue;
        }
        out += wchar_t(c);
        i += size_t(extra) + 1;
    }
    return out;
}

} // namespace

std::wstring CThreadIni::ReadWideString(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& def) {
    std::string value;
    {
        std::lock_guard<std::recursive_mutex> hold(Mutex);
        value = IniFile_->ReadString(ToUtf8(section), ToUtf8(key), ToUtf8(def));
    }
    std::wstring wide = FromUtf8(value);
    if (wide.size() > 511)
        wide.resize(511); // the 512-character buffer keeps its terminator
    return wide;
}
