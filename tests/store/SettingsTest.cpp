#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <functional>

#include "StoreFixture.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "store/FileAccess.h"
#include "store/Settings.h"

namespace agendix::store {
namespace {

class SettingsTest : public StoreFixture {
  protected:
    void writeFile(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    void writeSettingsIni(const std::string& text) { writeFile(config_ / "ra98.INI", text); }
    void writeDefaultIni(const std::string& text) { writeFile(config_ / "win.ini", text); }

    // The row as stored, read past the settings code.
    std::optional<std::string> row(const std::string& name) {
        Table<Configuration> table(access_.table(configurationTable()));
        Configuration found;
        found.DataType = name;
        if (!table.get("KeyDataType", found).ok()) {
            return std::nullopt;
        }
        return found.DataValue;
    }
    std::int64_t rowCount() {
        std::int64_t n = -1;
        EXPECT_TRUE(access_.table(configurationTable()).count(n).ok());
        return n;
    }

    const SettingValues& load() {
        settings_.load();
        return settings_.values();
    }

    platform::ScriptedUserInterface ui_;
    StandardWarnings warnings_{ui_};
    FileAccess access_{database_, warnings_};
    // The frame holds the Configuration table open for the whole run.
    FileAccess::Use held_ = access_.use(configurationTable());
    std::filesystem::path config_ = dir_ / "config";
    std::string login_ = "loginname";
    Settings settings_{access_, IniLocations(config_, dir_.path()), ui_, [this] { return login_; }};
};

TEST_F(SettingsTest, AFreshInstallationRunsTheSchedulerAndShowsTheScheduleWithEverythingElseOff) {
    const SettingValues& v = load();
    EXPECT_TRUE(v.startUpActive);
    EXPECT_TRUE(v.startUpSchedule);
    SettingValues off;  // every flag off but those two, numbers at their defaults
    EXPECT_EQ(v, off);
    EXPECT_EQ(v.scriptingDelay, 50);
    EXPECT_EQ(v.burstSize, 7);
    EXPECT_EQ(v.maxClipboardEntries, 50);
    EXPECT_EQ(v.dateFormat, "d3");
    EXPECT_FALSE(v.logEvents);
    EXPECT_TRUE(ui_.shown().empty());
    // Only a fallback that is not blank becomes a row: here the date format's default.
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(row("DateFormat"), "d3");
}

TEST_F(SettingsTest, AnIniValueWithoutARowBecomesTheRowAndFromThenOnTheRowWins) {
    writeSettingsIni("[Settings]\nLogEvents=1\n");
    EXPECT_TRUE(load().logEvents);
    EXPECT_EQ(row("LogEvents"), "1");

    writeSettingsIni("[Settings]\nLogEvents=0\n");
    EXPECT_TRUE(load().logEvents);

    settings_.putConfig("LogEvents", "0");
    EXPECT_FALSE(load().logEvents);
    EXPECT_EQ(row("LogEvents"), "0");
}

TEST_F(SettingsTest, StoredTextsBecomeSettingValues) {
    struct Case {
        const char* name;
        const char* setting;
        const char* stored;
        std::function<void(const SettingValues&)> check;
    };
    const std::vector<Case> cases = {
        {"a send interval below 50 is raised to 50", "ScriptingDelay", "20",
         [](const auto& v) { EXPECT_EQ(v.scriptingDelay, 50); }},
        {"a send interval of 80 stays", "ScriptingDelay", "80",
         [](const auto& v) { EXPECT_EQ(v.scriptingDelay, 80); }},
        {"a negative send interval is raised to 50", "ScriptingDelay", "-10",
         [](const auto& v) { EXPECT_EQ(v.scriptingDelay, 50); }},
        {"a send group of 0 becomes 7", "BurstSize", "0",
         [](const auto& v) { EXPECT_EQ(v.burstSize, 7); }},
        {"a send group of 3 stays", "BurstSize", "3",
         [](const auto& v) { EXPECT_EQ(v.burstSize, 3); }},
        {"a negative send group becomes 7", "BurstSize", "-2",
         [](const auto& v) { EXPECT_EQ(v.burstSize, 7); }},
        {"a blank clipboard limit is 50", "MaxClipboardEntries", "",
         [](const auto& v) { EXPECT_EQ(v.maxClipboardEntries, 50); }},
        {"a stored clipboard limit of 0 means no limit", "MaxClipboardEntries", "0",
         [](const auto& v) { EXPECT_EQ(v.maxClipboardEntries, 0); }},
        {"a clipboard limit of 200", "MaxClipboardEntries", "200",
         [](const auto& v) { EXPECT_EQ(v.maxClipboardEntries, 200); }},
        {"a flag of 1 is on", "MonitorClipboard", "1",
         [](const auto& v) { EXPECT_TRUE(v.monitorClipboard); }},
        {"a flag of 2 is on", "MonitorClipboard", "2",
         [](const auto& v) { EXPECT_TRUE(v.monitorClipboard); }},
        {"a flag that is no number is off", "MonitorClipboard", "yes",
         [](const auto& v) { EXPECT_FALSE(v.monitorClipboard); }},
        {"an inverted flag of 1 is off", "StartUpSchedule", "1",
         [](const auto& v) { EXPECT_FALSE(v.startUpSchedule); }},
        {"an inverted flag of 0 is on", "StartUpSchedule", "0",
         [](const auto& v) { EXPECT_TRUE(v.startUpSchedule); }},
        {"an inverted flag of 2 is on", "StartUpSchedule", "2",
         [](const auto& v) { EXPECT_TRUE(v.startUpSchedule); }},
        {"the scheduler is off with StartUpActive 1", "StartUpActive", "1",
         [](const auto& v) { EXPECT_FALSE(v.startUpActive); }},
        {"history removal at once", "HistoryExpires", "-1",
         [](const auto& v) { EXPECT_EQ(v.historyExpires, -1); }},
        {"blanks around a number", "RepeatAlarmInterval", " 12 ",
         [](const auto& v) { EXPECT_EQ(v.repeatAlarmInterval, 12); }},
        {"digits followed by text", "RepeatAlarmInterval", "30s",
         [](const auto& v) { EXPECT_EQ(v.repeatAlarmInterval, 30); }},
        {"a number beyond the range is held at its end", "HistoryExpires", "99999999999",
         [](const auto& v) { EXPECT_EQ(v.historyExpires, 2147483647); }},
        {"a chosen date format", "DateFormat", "d6",
         [](const auto& v) { EXPECT_EQ(v.dateFormat, "d6"); }},
        {"a blank date format is d3", "DateFormat", "",
         [](const auto& v) { EXPECT_EQ(v.dateFormat, "d3"); }},
        {"the second message kind", "UseWinMessage", "1",
         [](const auto& v) { EXPECT_TRUE(v.useWinMessage); }},
        {"the external message program", "UseExternalMessage", "1",
         [](const auto& v) { EXPECT_TRUE(v.useExternalMessage); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.putConfig(c.setting, c.stored);
        c.check(load());
    }
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(SettingsTest, TheDateFormatFallsBackOnTheDefaultIniFileOnly) {
    writeSettingsIni("[Settings]\nDateFormat=d8\n");
    EXPECT_EQ(load().dateFormat, "d3");

    Table<Configuration> table(access_.table(configurationTable()));
    Configuration stored;
    stored.DataType = "DateFormat";
    ASSERT_TRUE(table.get("KeyDataType", stored).ok());
    ASSERT_TRUE(table.remove(stored).ok());

    writeDefaultIni("[Settings]\nDateFormat=d6\n");
    EXPECT_EQ(load().dateFormat, "d6");
    EXPECT_EQ(settings_.formatDate(makeDate(10, 31, 1959)), "31/10/1959");
}

TEST_F(SettingsTest, UserAndOwnerNames) {
    struct Case {
        const char* name;
        const char* multiUser;
        std::string userId;
        std::string login;
        std::string user;
        std::string owner;
    };
    const std::string long35 = "abcdefghijklmnopqrstuvwxyz123456789";
    const std::string umlauts =
        std::string(29, 'a') + "\xc3\xa4\xc3\xb6";  // 31 characters, 33 bytes
    const std::vector<Case> cases = {
        {"one user: UserID names the user, there is no owner", "0", "Alice", "bob", "Alice", ""},
        {"several users: UserID names user and owner", "1", "Alice", "bob", "Alice", "Alice"},
        {"several users without UserID: the login name", "1", "", "bob", "bob", "bob"},
        {"several users, no UserID and no login name", "1", "", "", "", ""},
        {"one user without UserID: no login name is asked", "0", "", "bob", "", ""},
        {"a login name is cut to 30 characters", "1", "", long35, long35.substr(0, 30),
         long35.substr(0, 30)},
        {"UserID is cut to 30 characters", "0", long35, "", long35.substr(0, 30), ""},
        {"the cut never splits a character", "1", umlauts, "", umlauts.substr(0, 31),
         umlauts.substr(0, 31)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.putConfig("MultiUser", c.multiUser);
        settings_.putConfig("UserID", c.userId);
        login_ = c.login;
        const SettingValues& v = load();
        EXPECT_EQ(v.userName, c.user);
        EXPECT_EQ(v.ownerName, c.owner);
    }
}

TEST_F(SettingsTest, GetConfigLooksAtTheRowThenTheIniFileThenTheDefault) {
    writeSettingsIni("[Settings]\nLastWAVFile=/sounds/ini.wav\nLong=" + std::string(100, 'x') +
                     "\n");
    writeDefaultIni("[Settings]\nOnlyInDefault=yes\n");
    const Settings::Fallback settingsIni{.iniFile = kSettingsIniName};

    EXPECT_EQ(settings_.getConfig("lastwavfile", settingsIni), "/sounds/ini.wav");
    EXPECT_EQ(row("LastWAVFile"), "/sounds/ini.wav");
    settings_.putConfig("LastWAVFile", "/sounds/row.wav");
    EXPECT_EQ(settings_.getConfig("LastWAVFile", settingsIni), "/sounds/row.wav");

    EXPECT_EQ(settings_.getConfig("Long", settingsIni), std::string(80, 'x'));
    EXPECT_EQ(settings_.getConfig("OnlyInDefault"), "yes");
    EXPECT_EQ(settings_.getConfig("OnlyInDefault2", {.defaultText = "fallback"}), "fallback");
    EXPECT_EQ(row("OnlyInDefault2"), "fallback");
    EXPECT_EQ(settings_.getConfig("Nothing", {.defaultText = "  ", .iniFile = kSettingsIniName}),
              "  ");
    EXPECT_EQ(row("Nothing"), std::nullopt);
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(SettingsTest, PutConfigAddsThenChangesTheRow) {
    settings_.putConfig("Version", "1.0");
    EXPECT_EQ(row("Version"), "1.0");
    settings_.putConfig("VERSION", "1.1");
    EXPECT_EQ(row("Version"), "1.1");
    EXPECT_EQ(rowCount(), 1);
}

// Another program holds the data file locked: every table access fails after the lock time-out.
TEST_F(SettingsTest, TableErrorsAreShownAndGiveBlankValues) {
    settings_.putConfig("LogEvents", "1");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(database_.mainFile().c_str(), &other), SQLITE_OK);
    sqlite3_key(other, kOwnerPassword, static_cast<int>(std::strlen(kOwnerPassword)));
    ASSERT_EQ(sqlite3_exec(other, "PRAGMA cipher_page_size = 4096; BEGIN EXCLUSIVE", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);

    EXPECT_EQ(settings_.getConfig("LogEvents"), "");
    settings_.putConfig("Version", "1.0");
    const SettingValues& v = load();

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    ASSERT_EQ(ui_.shown().size(), 3u);
    const auto& read = ui_.shown()[0];
    EXPECT_EQ(read.caption, "Error!");
    EXPECT_EQ(read.text.rfind(
                  "Error retrieving configuration information code LogEvents - File Is Locked", 0),
              0u)
        << read.text;
    const auto& write = ui_.shown()[1];
    EXPECT_EQ(write.caption, "Error!");
    EXPECT_EQ(write.text.rfind(
                  "Error writing configuration information.  Code Version - File Is Locked", 0),
              0u)
        << write.text;
    // One message for the whole load, which goes on with the defaults.
    EXPECT_EQ(ui_.shown()[2].text.rfind(
                  "Error retrieving configuration information code HistoryExpires - ", 0),
              0u);
    EXPECT_FALSE(v.logEvents);
    EXPECT_EQ(v, SettingValues{});
    EXPECT_EQ(row("Version"), std::nullopt);

    // With the lock gone, the next load reads the rows again.
    EXPECT_TRUE(load().logEvents);
}

TEST_F(SettingsTest, WindowMonitoringAndDebugComeStraightFromTheIniFiles) {
    struct Case {
        const char* name;
        std::string defaultIni;
        bool monitor;
        int maxWindows;
    };
    const std::vector<Case> cases = {
        {"missing entries: off, 100 titles", "", false, 100},
        {"on with the standard limit", "[Agendix]\nMonitor Windows=1\n", true, 100},
        {"any number but 0 is on", "[agendix]\nmonitor windows=5\nMaxWindows=25\n", true, 25},
        {"a limit of 0 is 100", "[Agendix]\nMonitor Windows=1\nMaxWindows=0\n", true, 100},
        {"a negative limit is 100", "[Agendix]\nMonitor Windows=1\nMaxWindows=-5\n", true, 100},
        {"0 is off", "[Agendix]\nMonitor Windows=0\nMaxWindows=25\n", false, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeDefaultIni(c.defaultIni);
        const WindowMonitoring monitoring = settings_.readWindowMonitoring();
        EXPECT_EQ(monitoring.monitor, c.monitor);
        EXPECT_EQ(monitoring.maxWindows, c.maxWindows);
    }

    EXPECT_EQ(settings_.readDebug(), 0);
    writeSettingsIni("[Settings]\nDebug=1\n");
    EXPECT_EQ(settings_.readDebug(), 1);
    EXPECT_EQ(row("Debug"), std::nullopt);  // the INI entry is read, not copied
}

}  // namespace
}  // namespace agendix::store
