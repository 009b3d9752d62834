#pragma once

#include "app/IniFile.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The settings file behind a recursive lock: one locked call per access, or Lock / Unlock around
// a batch of reads made directly on the returned reader.
class CThreadIni {
public:
    // mutexName is kept for parity with named mutexes; the lock is always process-local.
    explicit CThreadIni(const std::string& fileName, const char* mutexName = nullptr);
    virtual ~CThreadIni();
    CThreadIni(const CThreadIni&) = delete;
    CThreadIni& operator=(const CThreadIni&) = delete;

    virtual void SetFileName(const std::string& name);
    virtual IniFile& Lock();
    virtual void Unlock();
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& def);
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const char* def);
    virtual bool ReadBool(const std::string& section, const std::string& key, bool def);
    virtual int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def);
    virtual void ReadSectionValues(const std::string& section, std::vector<std::string>& lines);
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value);
    virtual void WriteString(const std::string& section, const std::string& key, const char* value);
    virtual void WriteBool(const std::string& section, const std::string& key, bool value);
    virtual void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    // Read into a 512-character buffer, as the wide profile function does.
    virtual std::wstring ReadWideString(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& def);

    const std::string& FileName() const { return FileName_; }

private:
    std::string FileName_;
    std::unique_ptr<IniFile> IniFile_;
    std::recursive_mutex Mutex;
};
