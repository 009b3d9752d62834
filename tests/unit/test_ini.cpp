#include "app/CThreadIni.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct StringRow {
    const char* name;
    std::string file; // file text; "<none>" for no file at all
    const char* section;
    const char* key;
    const char* def;
    const char* expected;
};

const StringRow kStrings[] = {
    {"missing file", "<none>", "Product", "ShortName", "NV", "NV"},
    {"missing section", "[A]\nk=v\n", "B", "k", "d", "d"},
    {"missing key", "[A]\nk=v\n", "A", "x", "d", "d"},
    {"plain", "[A]\nk=v\n", "A", "k", "d", "v"},
    {"empty value is not the default", "[A]\nk=\n", "A", "k", "d", ""},
    {"names ignore case", "[Product]\nShortName=X\n", "pRODUCT", "shortname", "d", "X"},
    {"text after the first equals", "[A]\nk=a=b\n", "A", "k", "d", "a=b"},
    {"blanks around key and value", "[A]\n  k \t=  v w \t\n", "A", "k", "d", "v w"},
    {"blanks inside the brackets", "[ \tA  ]\nk=v\n", "A", "k", "d", "v"},
    {"blanks around the brackets", "  [A]  \nk=v\n", "A", "k", "d", "v"},
    {"blanks in the call", "[A]\nk=v\n", " A ", " k\t", "d", "v"},
    {"double quotes", "[A]\nk=\"  v  \"\n", "A", "k", "d", "  v  "},
    {"single quotes", "[A]\nk='v'\n", "A", "k", "d", "v"},
    {"quotes that do not match stay", "[A]\nk=\"v'\n", "A", "k", "d", "\"v'"},
    {"one quote alone stays", "[A]\nk=\"\n", "A", "k", "d", "\""},
    {"quote only at the end stays", "[A]\nk=v\"\n", "A", "k", "d", "v\""},
    {"first duplicate key wins", "[A]\nk=1\nk=2\n", "A", "k", "d", "1"},
    {"only the first duplicate section", "[A]\nx=1\n[A]\nk=2\n", "A", "k", "d", "d"},
    {"line without equals defines nothing", "[A]\nk\nk=v\n", "A", "k", "d", "v"},
    {"comment line", "[A]\n;k=c\nk=v\n", "A", "k", "d", "v"},
    {"commented key only", "[A]\n;k=c\n", "A", "k", "d", "d"},
    {"bracket inside a value is no header", "[B]\nx= [A]\nk=v\n", "A", "k", "d", "d"},
    {"header after blanks on a CR line", "[B]\rx=1\r \t[A]\rk=v\r", "A", "k", "d", "v"},
    {"byte-order mark then blanks", "\xEF\xBB\xBF  [A]\nk=v\n", "A", "k", "d", "v"},
    {"byte-order mark", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "d", "v"},
    {"CR LF lines", "[A]\r\nk=v\r\nj=w\r\n", "A", "j", "d", "w"},
    {"CR alone ends a line", "[A]\rk=v\rj=w", "A", "k", "d", "v"},
    {"no final line break", "[A]\nk=v", "A", "k", "d", "v"},
    {"key before any section is in none", "k=v\n[A]\n", "A", "k", "d", "d"},
    {"next section ends the search", "[A]\n[B]\nk=v\n", "A", "k", "d", "d"},
    {"section header without bracket is no header", "[A\nk=v\n", "A", "k", "d", "d"},
    {"default loses trailing blanks", "", "A", "k", " d  ", " d"},
    {"UTF-8 text as it is", "[String]\nSecurityWEP=Clé\n", "String", "SecurityWEP", "", "Clé"},
    {"empty section name", "[]\nk=v\n", "", "k", "d", "v"},
};

void PrintTo(const StringRow& row, std::ostream* os) {
    *os << row.name;
}

class IniStrings : public ::testing::TestWithParam<StringRow> {};

TEST_P(IniStrings, ReadString) {
    const StringRow& r = GetParam();
    TempDir dir;
    std::string path = dir.File("Setup.ini");
    if (r.file != "<none>")
        dir.Write("Setup.ini", r.file);
    CThreadIni ini(path);
    EXPECT_EQ(ini.ReadString(r.section, r.key, r.def), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, IniStrings, ::testing::ValuesIn(kStrings), [](const auto& info) {
    std::string n;
    for (const char* p = info.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

TEST(IniNumbers, IntegerAndBoolTable) {
    struct Row {
        const char* value; // nullptr: key absent
        int32_t def;
        int32_t integer;
        bool boolDefault;
        bool boolean;
    } rows[] = {
        {"1", 7, 1, false, true},
        {"0", 7, 0, true, false},
        {"0x10", 7, 16, false, true},
        {"0X1f", 7, 31, false, true},
        {"0x", 7, 7, false, false},
        {"0x0", 7, 0, true, false},
        {"-12", 7, -12, false, true},
        {"+5", 7, 5, false, true},
        {"yes", 7, 7, true, true},
        {"yes", 7, 7, false, false},
        {"", 7, 7, true, true},
        {"12abc", 7, 7, false, false},
        {"2147483648", 7, 7, false, false},
        {"0xFFFFFFFF", 7, -1, false, true},
        {"0x123456789", 7, 7, false, false},
        {"\"42\"", 7, 42, false, true},
        {nullptr, 7, 7, true, true},
        {nullptr, 7, 7, false, false},
        {" 0x10 ", 7, 16, false, true},
    };
    for (const Row& r : rows) {
        TempDir dir;
        std::string path = dir.Write("t.ini", r.value ? std::string("[S]\nk=") + r.value + "\n"
                                                      : std::string("[S]\n"));
        CThreadIni ini(path);
        const char* shown = r.value ? r.value : "<absent>";
        EXPECT_EQ(ini.ReadInteger("S", "k", r.def), r.integer) << shown;
        EXPECT_EQ(ini.ReadBool("S", "k", r.boolDefault), r.boolean) << shown;
    }
}

TEST(Ini, EveryReadSeesTheFileAsItIsNow) {
    TempDir dir;
    std::string path = dir.Write("Setup.ini", "[Message]\nER_LOGIN=first\n");
    CThreadIni ini(path);
    EXPECT_EQ(ini.ReadString("Message", "ER_LOGIN", "d"), "first");
    dir.Write("Setup.ini", "[Message]\nER_LOGIN=second\n");
    EXPECT_EQ(ini.ReadString("Message", "ER_LOGIN", "d"), "second");
    std::remove(path.c_str());
    EXPECT_EQ(ini.ReadString("Message", "ER_LOGIN", "d"), "d");
}

TEST(Ini, WritesKeepEveryOtherByte) {
    struct Row {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } rows[] = {
        {"replace value", "; top\r\n[A]\r\n  k = old \r\nz=1\r\n\r\n[B]\r\n", "a", "K", "new",
         "; top\r\n[A]\r\n  k =new\r\nz=1\r\n\r\n[B]\r\n"},
        {"new key at the end of its section", "[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "v",
         "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
        {"new key after a last line without break", "[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        {"new section at the end", "[A]\r\nx=1", "B", "k", "v", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        {"into an empty file", "", "B", "k", "v", "[B]\r\nk=v\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "2", "\xEF\xBB\xBF[A]\nk=2\n"},
        {"new key before the comment that leads the next section", "[A]\nx=1\n; B next\n[B]\n", "A",
         "k", "v", "[A]\nx=1\nk=v\n; B next\n[B]\n"},
        {"new key into an empty section", "[A]\n\n[B]\n", "A", "k", "v", "[A]\nk=v\n\n[B]\n"},
        {"only the first of duplicate sections is written", "[A]\nx=1\n[A]\nk=old\n", "A", "k", "v",
         "[A]\nx=1\nk=v\n[A]\nk=old\n"},
    };
    for (const Row& r : rows) {
        TempDir dir;
        std::string path = dir.Write("s.ini", r.before);
        CThreadIni ini(path);
        ini.WriteString(r.section, r.key, r.value);
        EXPECT_EQ(ReadAll(path), r.after) << r.name;
        EXPECT_EQ(ini.ReadString(r.section, r.key, "d"), r.value) << r.name;
    }
}

TEST(Ini, WriteNumbersAndRefuseWhatWouldBreakTheFile) {
    TempDir dir;
    std::string path = dir.Write("s.ini", "[A]\nk=1\n");
    CThreadIni ini(path);
    ini.WriteInteger("A", "n", -42);
    ini.WriteBool("A", "b", true);
    EXPECT_EQ(ini.ReadInteger("A", "n", 0), -42);
    EXPECT_TRUE(ini.ReadBool("A", "b", false));
    const std::string good = ReadAll(path);
    ini.WriteString("A", "k", "two\nlines");
    ini.WriteString("A", "x=y", "v");
    ini.WriteString("A]\n[B", "k", "v");
    EXPECT_EQ(ReadAll(path), good);
}

TEST(Ini, WriteReplacesTheFileAtomically) {
    TempDir dir;
    std::string path = dir.Write("s.ini", "[A]\nk=1\n");
    ::chmod(path.c_str(), 0640);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    CThreadIni ini(path);
    ini.WriteString("A", "k", "2");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "written in place, not replaced";
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path()))
        entries += e.is_regular_file();
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
}

TEST(Ini, WriteGoesThroughASymbolicLink) {
    TempDir dir;
    std::string target = dir.Write("real.ini", "[A]\nk=1\n");
    std::string link = dir.File("Setup.ini");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    CThreadIni ini(link);
    ini.WriteString("A", "k", "2");
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced by a copy";
    EXPECT_EQ(ReadAll(target), "[A]\nk=2\n");
}

// Writing over a file we cannot read would replace its contents by the one new key.
TEST(Ini, WriteLeavesAnUnreadableFileAlone) {
    TempDir dir;
    const std::string before = "[A]\nk=1\n[B]\nkeep=me\n";
    std::string path = dir.Write("s.ini", before);
    if (::geteuid() != 0) {
        ::chmod(path.c_str(), 0200);
        CThreadIni ini(path);
        ini.WriteString("A", "k", "2");
        ::chmod(path.c_str(), 0600);
    } else {
        // Root reads anything: write as nobody, in a folder nobody may write to.
        ::chmod(path.c_str(), 0600);
        ::chmod(dir.Path().c_str(), 0777);
        EXPECT_EXIT(
            {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    std::_Exit(2);
                CThreadIni ini(path);
                ini.WriteString("A", "k", "2");
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0), "");
    }
    EXPECT_EQ(ReadAll(path), before);
}

TEST(Ini, SectionValuesInFileOrder) {
    TempDir dir;
    std::string path = dir.Write("s.ini", "[A]\nb=2\n;c=3\na=\"1\"\nB=dup\n[C]\nx=9\n");
    CThreadIni ini(path);
    std::vector<std::string> lines{"left from before"};
    ini.ReadSectionValues("a", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"b=2", "a=1"}));
}

TEST(Ini, LockIsRecursiveAndSetFileNameSwitchesFiles) {
    TempDir dir;
    std::string one = dir.Write("one.ini", "[A]\nk=1\n");
    std::string two = dir.Write("two.ini", "[A]\nk=2\n");
    CThreadIni ini(one);
    IniFile& reader = ini.Lock();
    IniFile& again = ini.Lock();
    EXPECT_EQ(&reader, &again);
    EXPECT_EQ(ini.ReadString("A", "k", "d"), "1"); // a locked read while holding the lock
    ini.Unlock();
    ini.Unlock();

    ini.SetFileName(one);
    EXPECT_EQ(&ini.Lock(), &reader) << "same name must keep the reader";
    ini.Unlock();
    ini.SetFileName(two);
    EXPECT_EQ(ini.FileName(), two);
    EXPECT_EQ(ini.ReadString("A", "k", "d"), "2");

    // Another thread gets the lock once this one has let it go.
    std::thread other([&] { EXPECT_EQ(ini.ReadString("A", "k", "d"), "2"); });
    other.join();
}

TEST(Ini, WideStringReadsIntoA512CharacterBuffer) {
    TempDir dir;
    std::string path = dir.Write("w.ini", "[A]\nk=" + std::string(600, 'x') + "\nu=Clé\n");
    CThreadIni ini(path);
    EXPECT_EQ(ini.ReadWideString(L"A", L"k", L"").size(), 511u);
    EXPECT_EQ(ini.ReadWideString(L"A", L"u", L""), L"Clé");
    EXPECT_EQ(ini.ReadWideString(L"A", L"none", L"def"), L"def");
}

} // namespace
