#include "app/CDebug.h"
#include "app/DebugPrint.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

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

// Time stamp and thread: two-digit hour, minute, second, three-digit milliseconds, and the
// thread id in upper-case hex without leading zeros.
const std::string Stamp =
    R"(\(([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]:[0-9]{3} 0x[1-9A-F][0-9A-F]*\) )";

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

TEST_F(DebugLog, AppendsBlankLineStartMarkerAndLinesKeepingEarlierContent) {
    Dir.Write("Setup.Log", "earlier run\r\n");
    {
        CDebug log(Exe);
        ASSERT_TRUE(log.IsOn());
        log.WriteLine("TFormUDP::SendDiscover()");
        log.WriteLine("  Result=0");
    }
    const std::string text = ReadAll(Dir.File("Setup.Log"));
    const std::regex whole("earlier run\r\n\r\n" + Stamp + "== START LOG ==\r\n" + Stamp +
                           R"(TFormUDP::SendDiscover\(\)\r\n)" + Stamp + "  Result=0\r\n");
    EXPECT_TRUE(std::regex_match(text, whole)) << text;
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
    const std::regex line(Stamp + "(== START LOG ==|thread ([0-3]) [a-d]*)");
    int count = 0;
    size_t start = 2; // after the blank line
    ASSERT_EQ(text.substr(0, 2), "\r\n");
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "unterminated tail";
        std::string one = text.substr(start, end - start);
        std::smatch m;
        ASSERT_TRUE(std::regex_match(one, m, line)) << one.substr(0, 120);
        if (m[3].matched) {
            char fill = char('a' + (m[3].str()[0] - '0'));
            EXPECT_EQ(one.find_first_not_of(fill, one.rfind(' ') + 1), std::string::npos) << one;
        }
        ++count;
        start = end + 2;
    }
    EXPECT_EQ(count, Threads * Lines + 1);
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
    const std::regex numbered("\r\n" + Stamp + "== START LOG ==\r\n" + Stamp +
                              "second instance\r\n");
    const std::string first = ReadAll(Dir.File("Setup_000.Log"));
    EXPECT_TRUE(std::regex_match(first, numbered)) << first;
    EXPECT_TRUE(std::regex_match(ReadAll(Dir.File("Setup.Log")),
                                 std::regex("held\r\n\r\n" + Stamp + "== START LOG ==\r\n")));
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
    const std::string text = ReadAll(Dir.File("Setup.Log"));
    EXPECT_NE(text.find(") " + big + "\r\n"), std::string::npos);
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
