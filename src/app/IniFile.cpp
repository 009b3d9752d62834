#include "app/IniFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

// Reads the whole file in one sized read where it can. Fails (with errno set) when the file
// exists but cannot be read; a missing file gives ENOENT.
bool ReadFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    size_t want = ::fstat(fd, &st) == 0 && st.st_size > 0 ? size_t(st.st_size) : 0;
    bytes.resize(want + 1); // one spare byte shows whether the file has grown meanwhile
    size_t have = 0;
    int err = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(bytes.size() * 2 + 4096);
        ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = errno;
        if (n <= 0)
            break;
        have += size_t(n);
    }
    ::close(fd);
    bytes.resize(have);
    if (err != 0) {
        bytes.clear();
        errno = err;
        return false;
    }
    return true;
}

// One line of the file: where it starts and ends (without its line break) and where the break
// ends, so writers can splice the file without touching other bytes.
struct Line {
    size_t begin, end, next;
};

// Walks the lines of the file text; CR LF, LF and CR alone end a line. A UTF-8 byte-order mark
// before the first line is skipped.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = start_ = 3;
    }
    // Moves to the next line whose first non-blank character is '[', jumping from bracket to
    // bracket instead of walking every line. False (and at the end) when there is none.
    bool SkipToHeader() {
        const char* base = text_.data();
        while (pos_ < text_.size()) {
            const void* hit = std::memchr(base + pos_, '[', text_.size() - pos_);
            if (!hit) {
                pos_ = text_.size();
                return false;
            }
            const size_t at = size_t(static_cast<const char*>(hit) - base);
            size_t b = at;
            while (b > start_ && IsBlank(text_[b - 1]))
                --b;
            if (b == start_ || text_[b - 1] == '\n' || text_[b - 1] == '\r') {
                pos_ = b;
                return true;
            }
            pos_ = at + 1; // a bracket inside a line
        }
        return false;
    }
    bool Next(Line& line) {
        if (pos_ >= text_.size())
            return false;
        const char* base = text_.data();
        const char* from = base + pos_;
        const size_t left = text_.size() - pos_;
        // memchr is vectorised; a CR before the LF (or a file with CR alone) ends the line first.
        const char* lf = static_cast<const char*>(std::memchr(from, '\n', left));
        const size_t span = lf ? size_t(lf - from) : left;
        const char* cr = static_cast<const char*>(std::memchr(from, '\r', span));
        size_t e = pos_ + (cr ? size_t(cr - from) : span);
        size_t next = e;
        if (next < text_.size()) {
            if (text_[next] == '\r' && next + 1 < text_.size() && text_[next + 1] == '\n')
                next += 2;
            else
                next += 1;
        }
        line = Line{pos_, e, next};
        pos_ = next;
        return true;
    }
    std::string_view Text(const Line& line) const {
        return text_.substr(line.begin, line.end - line.begin);
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
    size_t start_ = 0; // where the first line begins
};

enum class Kind { Other, Section, Key };

// Classifies a line; for a section header gives its trimmed name, for a key line its trimmed
// key and value. Comments, blank lines and lines without '=' are Other.
Kind Classify(std::string_view raw, std::string_view& name, std::string_view& value) {
    std::string_view t = Trim(raw);
    if (t.empty() || t.front() == ';')
        return Kind::Other;
    if (t.front() == '[') {
        size_t close = t.find(']');
        if (close == std::string_view::npos)
            return Kind::Other;
        name = Trim(t.substr(1, close - 1));
        return Kind::Section;
    }
    size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return Kind::Other;
    name = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return Kind::Key;
}

std::string Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// Where a key sits in the file: its line, and the state of the section search.
struct Found {
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine{};
    std::string_view value;
    size_t sectionEnd = 0; // end of the last non-blank line of the section (insertion point)
};

// Only the first section of a name is searched, and in it the first key of a name wins.
Found Find(const std::string& text, std::string_view section, std::string_view key) {
    Found f;
    LineReader reader(text);
    Line line;
    bool inSection = false;
    // Outside the wanted section only headers matter, so the walk jumps between them.
    while ((inSection || reader.SkipToHeader()) && reader.Next(line)) {
        const std::string_view raw = reader.Text(line);
        std::string_view name, value;
        Kind kind = Classify(raw, name, value);
        if (kind == Kind::Section) {
            if (inSection)
                break;
            if (SameName(name, section)) {
                inSection = f.sectionFound = true;
                f.sectionEnd = line.next;
            }
            continue;
        }
        if (!inSection)
            continue;
        // New keys go after the last line of the section that is neither blank nor a comment,
        // so a comment that introduces the next section stays with it.
        const std::string_view t = Trim(raw);
        if (!t.empty() && t.front() != ';')
            f.sectionEnd = line.next;
        if (kind == Kind::Key && !key.empty() && SameName(name, key)) {
            f.keyFound = true;
            f.keyLine = line;
            f.value = value;
            return f;
        }
    }
    return f;
}

std::string LineBreakOf(const std::string& text) {
    size_t p = text.find_first_of("\r\n");
    if (p == std::string::npos)
        return "\r\n";
    if (text[p] == '\r')
        return p + 1 < text.size() && text[p + 1] == '\n' ? "\r\n" : "\r";
    return "\n";
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// Replaces the file by a complete new version: temporary file beside it, then rename.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        // The new version keeps the old one's permissions, and its owner where we may set it.
        [[maybe_unused]] const int chowned = ::fchown(fd, st.st_uid, st.st_gid);
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        ::fchmod(fd, 0644);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += size_t(n);
    }
    bool ok = done == bytes.size() && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(tmp.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(tmp.c_str());
    return false;
}

bool ParseInteger(std::string_view v, int32_t& out) {
    if (v.size() >= 3 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        std::string_view digits = v.substr(2);
        if (digits.size() > 8)
            return false;
        uint32_t n = 0;
        for (char c : digits) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return false;
            n = n * 16 + uint32_t(d);
        }
        out = int32_t(n);
        return true;
    }
    std::string s(v);
    if (s.empty() || !(s[0] == '-' || s[0] == '+' || (s[0] >= '0' && s[0] <= '9')))
        return false;
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || end == s.c_str() || n < INT32_MIN || n > INT32_MAX)
        return false;
    out = int32_t(n);
    return true;
}

} // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    std::string text;
    ReadFile(fileName_, text);
    Found f = Find(text, Trim(section), Trim(key));
    if (f.keyFound)
        return Unquote(f.value);
    // The profile functions drop trailing blanks of the default.
    std::string_view d = def;
    while (!d.empty() && d.back() == ' ')
        d.remove_suffix(1);
    return std::string(d);
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t def) const {
    std::string text;
    ReadFile(fileName_, text);
    Found f = Find(text, Trim(section), Trim(key));
    int32_t value;
    if (f.keyFound && ParseInteger(Unquote(f.value), value))
        return value;
    return def;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::ReadSectionValues(const std::string& section, std::vector<std::string>& lines) const {
    lines.clear();
    std::string text;
    ReadFile(fileName_, text);
    std::vector<std::string> keys;
    LineReader reader(text);
    Line line;
    bool inSection = false, seen = false;
    const std::string_view wanted = Trim(section);
    while ((inSection || reader.SkipToHeader()) && reader.Next(line)) {
        std::string_view name, value;
        Kind kind = Classify(reader.Text(line), name, value);
        if (kind == Kind::Section) {
            if (inSection)
                break;
            if (!seen && SameName(name, wanted))
                inSection = seen = true;
            continue;
        }
        if (!inSection || kind != Kind::Key)
            continue;
        bool duplicate = false;
        for (const std::string& k : keys)
            duplicate = duplicate || SameName(k, name);
        if (duplicate)
            continue; // the first of duplicate keys is the one that counts
        keys.emplace_back(name);
        lines.push_back(std::string(name) + "=" + Unquote(value));
    }
}

bool IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    std::string_view s = Trim(section), k = Trim(key);
    // Anything that would change the file's structure is refused rather than written.
    if (s.empty() || k.empty() || HasLineBreak(s) || HasLineBreak(k) || HasLineBreak(value) ||
        s.find(']') != std::string_view::npos || k.find('=') != std::string_view::npos ||
        k.front() == '[' || k.front() == ';')
        return false;

    // Through a symbolic link the target is rewritten, and the link stays.
    std::string path = fileName_;
    struct stat lst {};
    if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    std::string text;
    // A file that exists but cannot be read is left alone: writing would throw its contents away.
    if (!ReadFile(path, text) && errno != ENOENT)
        return false;
    const std::string br = LineBreakOf(text);
    Found f = Find(text, s, k);
    std::string out;
    if (f.keyFound) {
        size_t eq = text.find('=', f.keyLine.begin);
        out = text.substr(0, eq + 1) + value + text.substr(f.keyLine.end);
    } else if (f.sectionFound) {
        std::string insert = std::string(k) + "=" + value + br;
        size_t at = f.sectionEnd;
        if (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r')
            insert = br + insert; // the section's last line had no line break
        out = text.substr(0, at) + insert + text.substr(at);
    } else {
        out = text;
        if (!out.empty() && out.back() != '\n' && out.back() != '\r')
            out += br;
        out += "[" + std::string(s) + "]" + br + std::string(k) + "=" + value + br;
    }
    return ReplaceFile(path, out);
}

bool IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}
