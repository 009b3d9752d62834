#include "app/CDebug.h"
#include "app/DebugPrint.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Numbered(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "Setup_%03d.Log", i);
    return name;
}

bool Digits(const std::string& s, size_t at, size_t count, int max) {
    if (at + count > s.size())
        return false;
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return value <= max;
}

// The text after a valid "(hh:mm:ss:mmm 0xTID) " stamp: two-digit hour, minute and second,
// three-digit milliseconds, the thread id in upper-case hex without leading zeros.
std::optional<std::string> AfterStamp(const std::string& line) {
    if (line.size() < 19 || line[0] != '(' || !Digits(line, 1, 2, 23) || line[3] != ':' ||
        !Digits(line, 4, 2, 59) || line[6] != ':' || !Digits(line, 7, 2, 60) || line[9] != ':' ||
        !Digits(line, 10, 3, 999) || line.compare(13, 3, " 0x") != 0)
        return std::nullopt;
    size_t end = line.find_first_not_of("0123456789ABCDEF", 16);
    if (end == 16 || end == std::string::npos || line[16] == '0' || line.compare(end, 2, ") ") != 0)
        return std::nullopt;
    return line.substr(end + 2);
}

// Lines of a log text ended by CR LF; a tail without CR LF comes last as is.
std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The file holds `earlier`, a blank line, then exactly these stamped lines.
void ExpectLog(const std::string& text, const std::string& earlier,
               const std::vector<std::string>& expected) {
    ASSERT_EQ(text.substr(0, earlier.size() + 2), earlier + "\r\n") << text;
    std::vector<std::string> lines = SplitCrLf(text.substr(earlier.size() + 2));
    ASSERT_EQ(lines.size(), expected.size() + 1) << text;
    for (size_t i = 0; i < expected.size(); ++i) {
        std::optional<std::string> rest = AfterStamp(lines[i]);
        ASSERT_TRUE(rest.has_value()) << "bad stamp: " << lines[i];
        EXPECT_EQ(*rest, expected[i]);
    }
    EXPECT_EQ(lines.back(), "") << "unterminated tail";
}

std::string ThisThread() {
    char text[32];
    std::snprintf(text, sizeof text, "0x%X)", unsigned(::gettid()));
    return text;
}

// A child process that keeps a CDebug on the same executable path open until released.
class LogHolder {
public:
    explicit LogHolder(const std::string& exe) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        Pid = ::fork();
        if (Pid == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            CDebug held(exe);
            char on = held.IsOn() ? '1' : '0';
            [[maybe_unused]] ssize_t w = ::write(ready[1], &on, 1);
            char c;
            while (::read(release[0], &c, 1) > 0) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        Release = release[1];
        char on = 0;
        if (::read(ready[0], &on, 1) == 1)
            ChildOn = on == '1';
        ::close(ready[0]);
    }
    ~LogHolder() {
        if (Release >= 0)
            ::close(Release);
        if (Pid > 0)
            ::waitpid(Pid, nullptr, 0);
    }
    LogHolder(const LogHolder&) = delete;
    LogHolder& operator=(const LogHolder&) = delete;

    pid_t Pid = -1;
    int Release = -1;
    bool ChildOn = false;
};

class DebugLog : public ::testing::Test {
protected:
    TempDir Dir;
    std::string Exe = Dir.File("Setup");
};

} // namespace

TEST_F(DebugLog, OffWithoutLogFileAndCreatesNothing) {
    {
        CDebug log(Exe);
        EXPECT_FALSE(log.IsOn());
        EXPECT_EQ(log.GetLogPath(), Dir.File("Setup.Log"));
        log.WriteLine("nobody hears this");
        log.Write("x", 1);
    }
    EXPECT_TRUE(FilesIn(Dir.Path()).empty());
}

TEST_F(DebugLog, LogPathAndFallbackNamesFollowTheExecutableName) {
    struct Row {
        const char* exe;
        const char* log;
        const char* fallback;
    } rows[] = {
        {"Setup", "Setup.Log", "Setup_000.Log"},
        {"Setup.exe", "Setup.Log", "Setup_000.Log"},
        {"my.tool.bin", "my.tool.Log", "my.tool_000.Log"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exe);
        TempDir dir;
        const std::string exe = dir.File(row.exe);
        dir.Write(row.log, "");
        {
            CDebug first(exe);
            EXPECT_EQ(first.GetLogPath(), dir.File(row.log));
            CDebug second(exe);
            EXPECT_EQ(second.GetLogPath(), dir.File(row.fallback));
            EXPECT_TRUE(second.IsOn());
        }
    }
}

// The checker the log tests rely on accepts the documented example and nothing near it.
TEST(DebugLogStamp, CheckerAcceptsOnlyTheExactFormat) {
    struct Row {
        const char* line;
        bool valid;
    } rows[] = {
        {"(14:03:07:052 0x6A4) TFormUDP::SendDiscover()", true},
        {"(00:00:00:000 0x1) ", true},
        {"(4:03:07:052 0x6A4) x", false},
        {"(14:03:07:52 0x6A4) x", false},
        {"(24:03:07:052 0x6A4) x", false},
        {"(14:03:07:052 0x06A4) x", false},
        {"(14:03:07:052 0x6a4) x", false},
        {"(14:03:07:052 6A4) x", false},
        {"(14:03:07:052 0x) x", false},
        {"(14:03:07:052 0x6A4)x", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AfterStamp(row.line).has_value(), row.valid) << row.line;
}

TEST_F(DebugLog, AppendsBlankLineStartMarkerAndLinesKeepingEarlierContent) {
    Dir.Write("Setup.Log", "earlier run\r\n");
    {
        CDebug log(Exe);
        ASSERT_TRUE(log.IsOn());
        log.WriteLine("TFormUDP::SendDiscover()");
        log.WriteLine("  Result=0");
    }
    const std::string text = ReadAll(Dir.File("Setup.Log"));
    ExpectLog(text, "earlier run\r\n",
              {"== START LOG ==", "TFormUDP::SendDiscover()", "  Result=0"});
    EXPECT_NE(text.find(ThisThread() + " == START LOG ==\r\n"), std::string::npos) << text;
}

TEST_F(DebugLog, LinesFromManyThreadsStayWhole) {
    Dir.Write("Setup.Log", "");
    constexpr int Threads = 4, Lines = 200;
    {
        CDebug log(Exe);
        ASSERT_TRUE(log.IsOn());
        std::vector<std::thread> workers;
        for (int t = 0; t < Threads; ++t)
            workers.emplace_back([&log, t] {
                for (int i = 0; i < Lines; ++i)
                    log.WriteLine("thread " + std::to_string(t) + " " +
                                  std::string(size_t(i * 37 % 500), char('a' + t)));
            });
        for (auto& w : workers)
            w.join();
    }
    const std::string text = ReadAll(Dir.File("Setup.Log"));
    ASSERT_EQ(text.substr(0, 2), "\r\n");
    std::vector<std::string> lines = SplitCrLf(text.substr(2));
    ASSERT_EQ(lines.size(), size_t(Threads * Lines + 2));
    EXPECT_EQ(lines.back(), "");
    lines.pop_back();
    EXPECT_EQ(AfterStamp(lines[0]), "== START LOG ==");
    std::vector<int> perThread(Threads);
    for (size_t i = 1; i < lines.size(); ++i) {
        std::optional<std::string> rest = AfterStamp(lines[i]);
        ASSERT_TRUE(rest.has_value()) << lines[i].substr(0, 120);
        // "thread T " then only T's own letter: a line cut into by another would show mixed text.
        ASSERT_TRUE(rest->size() >= 9 && rest->compare(0, 7, "thread ") == 0) << *rest;
        int t = (*rest)[7] - '0';
        ASSERT_TRUE(t >= 0 && t < Threads && (*rest)[8] == ' ') << *rest;
        EXPECT_EQ(rest->find_first_not_of(char('a' + t), 9), std::string::npos) << *rest;
        ++perThread[size_t(t)];
    }
    EXPECT_EQ(perThread, std::vector<int>(Threads, Lines));
}

TEST_F(DebugLog, LogHeldByAnotherProcessMakesTheNextRunUseNumberedFiles) {
    Dir.Write("Setup.Log", "held\r\n");
    LogHolder holder(Exe);
    ASSERT_GT(holder.Pid, 0);
    ASSERT_TRUE(holder.ChildOn);

    {
        CDebug log(Exe);
        ASSERT_TRUE(log.IsOn());
        EXPECT_EQ(log.GetLogPath(), Dir.File("Setup_000.Log"));
        log.WriteLine("second instance");
    }
    {
        // Setup_000.Log exists now, idle or not: the next run takes 001 and leaves 000 alone.
        CDebug log(Exe);
        ASSERT_TRUE(log.IsOn());
        EXPECT_EQ(log.GetLogPath(), Dir.File("Setup_001.Log"));
    }
    ExpectLog(ReadAll(Dir.File("Setup_000.Log")), "", {"== START LOG ==", "second instance"});
    ExpectLog(ReadAll(Dir.File("Setup_001.Log")), "", {"== START LOG =="});
    ExpectLog(ReadAll(Dir.File("Setup.Log")), "held\r\n", {"== START LOG =="});
}

TEST_F(DebugLog, FirstMissingNumberedFileIsTaken) {
    Dir.Write("Setup.Log", "");
    Dir.Write(Numbered(0), "zero");
    Dir.Write(Numbered(2), "two");
    int held = ::open(Dir.File("Setup.Log").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    {
        CDebug log(Exe);
        EXPECT_EQ(log.GetLogPath(), Dir.File(Numbered(1)));
        EXPECT_TRUE(log.IsOn());
    }
    ::close(held);
    EXPECT_EQ(ReadAll(Dir.File(Numbered(0))), "zero");
    EXPECT_EQ(ReadAll(Dir.File(Numbered(2))), "two");
}

TEST_F(DebugLog, AllHundredNumberedFilesTakenMeansOffAndNoneOverwritten) {
    Dir.Write("Setup.Log", "main");
    for (int i = 0; i < 100; ++i)
        Dir.Write(Numbered(i), "keep " + std::to_string(i));
    LogHolder holder(Exe);
    ASSERT_GT(holder.Pid, 0);
    ASSERT_TRUE(holder.ChildOn);
    {
        CDebug log(Exe);
        EXPECT_FALSE(log.IsOn());
        log.WriteLine("lost");
    }
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(ReadAll(Dir.File(Numbered(i))), "keep " + std::to_string(i)) << i;
    EXPECT_EQ(FilesIn(Dir.Path()).size(), 101u); // no Setup_100.Log or anything else
}

TEST_F(DebugLog, LongLineIsWrittenWhole) {
    Dir.Write("Setup.Log", "");
    std::string big(100 * 1024, 'x');
    big.back() = 'E';
    {
        CDebug log(Exe);
        log.WriteLine(big);
    }
    ExpectLog(ReadAll(Dir.File("Setup.Log")), "", {"== START LOG ==", big});
}

TEST(DebugPrintFormat, ListenerHearsTheFormattedTextWhole) {
    LogCapture capture;
    std::string big(100 * 1024, 'y');
    big.back() = 'Z';
    DebugPrint("TFormUDP::ProcRecvData() FAIL version %d", 3);
    DebugPrint("  Name=%s", "100% %s %n");
    DebugPrint("%s|%s", big.c_str(), "tail");
    DebugPrint("%s", "");
    ASSERT_EQ(capture.Lines.size(), 4u);
    EXPECT_EQ(capture.Lines[0], "TFormUDP::ProcRecvData() FAIL version 3");
    EXPECT_EQ(capture.Lines[1], "  Name=100% %s %n");
    EXPECT_EQ(capture.Lines[2], big + "|tail");
    EXPECT_EQ(capture.Lines[3], "");
}

TEST(DebugPrintFormat, ListenerRemovedHearsNothing) {
    std::vector<std::string> heard;
    SetDebugListener([&heard](const std::string& line) { heard.push_back(line); });
    DebugPrint("one");
    SetDebugListener({});
    DebugPrint("two");
    EXPECT_EQ(heard, std::vector<std::string>{"one"});
}
