#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "store/IniFile.h"
#include "support/TempDir.h"

namespace agendix::store {
namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void put(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

TEST(IniDocument, ReadsEntriesAsProfileFilesDo) {
    struct Case {
        const char* name;
        std::string text;
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const std::string binaryJunk("\x00\xff\xfe[\x01=\x02\n\x00\x00=\n", 12);
    const std::vector<Case> cases = {
        {"section and key names ignore letter case", "[settings]\nlogevents=1\n", "Settings",
         "LogEvents", "1"},
        {"blanks and tabs around names and values are dropped",
         "  [ Settings ]  \n\t LogEvents \t=\t 1 \t\n", "Settings", "LogEvents", "1"},
        {"a key may hold blanks", "[Agendix]\nMonitor Windows=1\n", "Agendix", "Monitor Windows",
         "1"},
        {"the value is verbatim: quotes, semicolons and equal signs stay",
         "[S]\nk=\"a;b=c\" ; not a comment\n", "S", "k", "\"a;b=c\" ; not a comment"},
        {"an empty value is a value", "[S]\nk=\n", "S", "k", ""},
        {"CR LF line ends", "[S]\r\nk=v\r\nother=w\r\n", "S", "k", "v"},
        {"the first of two entries wins", "[S]\nk=first\nk=second\n", "S", "k", "first"},
        {"the first of two sections of one name wins", "[S]\na=1\n[s]\nk=later\n", "S", "k",
         std::nullopt},
        {"an entry belongs to its own section only", "[A]\nk=a\n[B]\nj=b\n", "B", "k",
         std::nullopt},
        {"entries before the first section belong to none", "k=v\n[S]\n", "S", "k", std::nullopt},
        {"comment lines are not entries", "[S]\n;k=v\n#k=w\nk=x\n", "S", "k", "x"},
        {"a line without an equal sign is skipped", "[S]\njust text\nk=v\n", "S", "k", "v"},
        {"a section header without its bracket still opens the section", "[S\nk=v\n", "S", "k",
         "v"},
        {"a missing section", "[S]\nk=v\n", "T", "k", std::nullopt},
        {"a last line without a line end", "[S]\nk=v", "S", "k", "v"},
        {"a last line cut after its carriage return", "[S]\r\nk=v\r", "S", "k", "v"},
        {"binary junk before a good section", binaryJunk + "[S]\nk=v\n", "S", "k", "v"},
        {"a line of 100 KB before the entry", std::string(100000, 'x') + "\n[S]\nk=v\n", "S", "k",
         "v"},
        {"a value of 100 KB", "[S]\nk=" + std::string(100000, 'v') + "\n", "S", "k",
         std::string(100000, 'v')},
        {"no sections at all", "k=v\njunk\n", "S", "k", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IniDocument::parse(c.text).value(c.section, c.key), c.expected);
    }
}

TEST(IniDocument, WritesOnlyWhatChangesAndKeepsEveryOtherLine) {
    struct Case {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"changes the value in place, keeping the key's spelling and comments",
         "; my settings\n[Settings]\n  LogEvents = 0\n# end\n", "SETTINGS", "logevents", "1",
         "; my settings\n[Settings]\n  LogEvents =1\n# end\n"},
        {"adds a missing entry after the section's last entry",
         "[Settings]\na=1\nb=2\n\n; about Other\n[Other]\nc=3\n", "Settings", "New", "x",
         "[Settings]\na=1\nb=2\nNew=x\n\n; about Other\n[Other]\nc=3\n"},
        {"adds an entry right after the header of an empty section", "[S]\n\n[T]\n", "S", "k", "v",
         "[S]\nk=v\n\n[T]\n"},
        {"adds a missing section at the end", "[A]\na=1\n", "B", "b", "2", "[A]\na=1\n[B]\nb=2\n"},
        {"ends a last line that had no line end", "[A]\na=1", "A", "b", "2", "[A]\na=1\nb=2\n"},
        {"keeps CR LF line ends", "[A]\r\na=1\r\n", "A", "b", "2", "[A]\r\na=1\r\nb=2\r\n"},
        {"completes a last line cut after its carriage return", "[A]\na=1\r", "A", "b", "2",
         "[A]\na=1\r\nb=2\n"},
        {"writes into an empty text", "", "Main", "XPosit", "10", "[Main]\nXPosit=10\n"},
        {"drops the blanks around a value", "", "S", "k", "  v  ", "[S]\nk=v\n"},
        {"keeps junk lines byte for byte", std::string("\x01\xff junk\n[S]\nk=1\n", 15), "S", "k",
         "2", std::string("\x01\xff junk\n[S]\nk=2\n", 15)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::parse(c.before);
        ASSERT_TRUE(document.set(c.section, c.key, c.value));
        EXPECT_EQ(document.text(), c.after);
        EXPECT_EQ(IniDocument::parse(document.text()).value(c.section, c.key), trimmed(c.value));
    }
}

TEST(IniDocument, RefusesEntriesThatWouldNotReadBack) {
    struct Case {
        const char* name;
        std::string section, key, value;
    };
    const std::vector<Case> cases = {
        {"a value with a line feed would start a line of its own", "S", "k",
         "a\n[Settings]\nDebug=1"},
        {"a value with a carriage return", "S", "k", "a\rb"},
        {"a value with a NUL", "S", "k", std::string("a\0b", 3)},
        {"a key with an equal sign", "S", "a=b", "v"},
        {"a key that looks like a section", "S", "[k", "v"},
        {"a key that looks like a comment", "S", ";k", "v"},
        {"an empty key", "S", " ", "v"},
        {"a section name with a closing bracket", "S]x", "k", "v"},
        {"an empty section name", "", "k", "v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::parse("[S]\nk=old\n");
        EXPECT_FALSE(document.set(c.section, c.key, c.value));
        EXPECT_EQ(document.text(), "[S]\nk=old\n");
    }
}

TEST(IniDocument, ListsSectionsAndKeysOnceInFileOrder) {
    const IniDocument document =
        IniDocument::parse("[Main]\nXPosit=1\nxposit=2\nWidth=3\n[ViewLog]\n[main]\nHeight=4\n");
    EXPECT_EQ(document.sections(), (std::vector<std::string>{"Main", "ViewLog"}));
    EXPECT_EQ(document.keys("MAIN"), (std::vector<std::string>{"XPosit", "Width"}));
    EXPECT_TRUE(document.keys("Missing").empty());
}

class IniFileTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
};

TEST_F(IniFileTest, AFileThatCannotBeReadReadsAsEmpty) {
    EXPECT_EQ(IniFile(dir_ / "missing.ini").read("S", "k", "default"), "default");
    EXPECT_EQ(IniFile(dir_.path()).read("S", "k", "default"), "default");  // a directory
}

TEST_F(IniFileTest, WritingCreatesTheFileAndItsDirectoryAndKeepsTheRest) {
    const IniFile file(dir_ / "config" / "agendix" / "ra98.INI");
    ASSERT_TRUE(file.write("Settings", "LastWAVFile", "/home/me/ding.wav"));
    EXPECT_EQ(file.read("settings", "lastwavfile"), "/home/me/ding.wav");

    put(file.path(),
        "; hand-edited\n[Settings]\nDebug=1\nLastWAVFile=old.wav\n[Warning]\nActive=1\n");
    ASSERT_TRUE(file.write("Settings", "LastWAVFile", "new.wav"));
    EXPECT_EQ(contents(file.path()),
              "; hand-edited\n[Settings]\nDebug=1\nLastWAVFile=new.wav\n[Warning]\nActive=1\n");
}

TEST_F(IniFileTest, SeveralEntriesGoInOnePassAndKeepTheFileMode) {
    const IniFile file(dir_ / "POSITION.INI");
    put(file.path(), "[Main]\nXPosit=1\n");
    ASSERT_EQ(::chmod(file.path().c_str(), 0600), 0);
    ASSERT_TRUE(file.write("ViewLog", {{"Maximize", "No"}, {"XPosit", "10"}, {"YPosit", "20"}}));
    EXPECT_EQ(contents(file.path()),
              "[Main]\nXPosit=1\n[ViewLog]\nMaximize=No\nXPosit=10\nYPosit=20\n");
    struct stat status {};
    ASSERT_EQ(::stat(file.path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(IniFileTest, AFailedWriteLeavesTheFileAsItWas) {
    const IniFile file(dir_ / "ra98.INI");
    put(file.path(), "[S]\nk=v\n");
    EXPECT_FALSE(file.write("S", {{"a", "1"}, {"b", "two\nlines"}}));
    EXPECT_EQ(contents(file.path()), "[S]\nk=v\n");

    // A file whose place is taken by a file where its directory should be.
    put(dir_ / "blocker", "");
    EXPECT_FALSE(IniFile(dir_ / "blocker" / "x.ini").write("S", "k", "v"));
}

TEST(IniLocations, NamesResolveInTheConfigurationOrTheStartUpDirectory) {
    const IniLocations locations("/home/me/.config/agendix", "/home/me/.local/share/agendix");
    struct Case {
        const char* name;
        std::string iniName;
        std::filesystem::path expected;
    };
    const std::vector<Case> cases = {
        {"the settings file is a bare name", kSettingsIniName, "/home/me/.config/agendix/ra98.INI"},
        {"no name is the default INI file", "", "/home/me/.config/agendix/win.ini"},
        {"the position file is in the start-up directory", kPositionIniName,
         "/home/me/.local/share/agendix/POSITION.INI"},
        {"a relative path with slashes", "sub/x.ini", "/home/me/.local/share/agendix/sub/x.ini"},
        {"an absolute path stays", "/etc/x.ini", "/etc/x.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(locations.resolve(c.iniName), c.expected);
    }
}

TEST(IniLocations, TheConfigurationDirectoryFollowsXdgConfigHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const std::string home = savedHome ? savedHome : "";

    ::setenv("HOME", "/home/tester", 1);
    ::setenv("XDG_CONFIG_HOME", "/srv/config", 1);
    EXPECT_EQ(IniLocations::userConfigDirectory(), "/srv/config/agendix");
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
    EXPECT_EQ(IniLocations::userConfigDirectory(), "/home/tester/.config/agendix");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(IniLocations::userConfigDirectory(), "/home/tester/.config/agendix");

    savedXdg ? ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
}  // namespace agendix::store
