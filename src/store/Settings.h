#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/UserInterface.h"
#include "store/FileAccess.h"
#include "store/IniFile.h"
#include "store/Picture.h"

namespace agendix::store {

// The user's settings as the program uses them, after loading. The Setup window changes them in
// memory and writes the rows back.
struct SettingValues {
    int historyExpires = 0;              // "HistoryExpires": days; 0 never, -1 at once
    bool removeUncompleted = false;      // "RemoveUncompleted"
    bool startUpSchedule = true;         // "StartUpSchedule" (stored inverted)
    bool startUpToDo = false;            // "StartUpToDo"
    bool startUpClipboardSaver = false;  // "StartUpClipboardSaver"
    bool startUpContacts = false;        // "StartUpContacts"
    bool startUpActive = true;        // "StartUpActive" (stored inverted): the scheduler is active
    bool activeOnly = false;          // "ActiveOnly"
    bool startUpMinimized = false;    // "StartUpMinimized"
    bool fullSchedule = false;        // "FullSchedule"
    bool hideToolbar = false;         // "HideToolbar"
    bool noTray = false;              // "NoTray"
    bool multiUser = false;           // "MultiUser"
    bool monitorClipboard = false;    // "MonitorClipboard"
    int maxClipboardEntries = 50;     // "MaxClipboardEntries": 0 no limit
    bool useExternalMessage = false;  // "UseExternalMessage"
    bool useModalMessage = false;     // "UseModalMessage"
    bool useWinMessage = false;       // "UseWinMessage"
    int repeatAlarmInterval = 0;      // "RepeatAlarmInterval": seconds; 0 no repeat
    bool logEvents = false;           // "LogEvents"
    bool saveScripts = false;         // "SaveScripts"
    std::string userId;               // "UserID" as stored
    bool maximizeOnRun = false;       // "MaximizeOnRun"
    int scriptingDelay = 50;          // "ScriptingDelay": hundredths of a second, at least 50
    int burstSize = 7;                // "BurstSize": characters per send group
    std::string dateFormat = "d3";    // "DateFormat": a picture code

    // The name that stamps saved records (30 characters): "UserID", or the login name when
    // "MultiUser" is on and "UserID" is blank.
    std::string userName;
    // The user name when "MultiUser" is on, otherwise blank (40 characters).
    std::string ownerName;

    bool operator==(const SettingValues&) const = default;
};

// "Monitor Windows" and "MaxWindows" of section "Agendix" of the default INI file.
struct WindowMonitoring {
    bool monitor = false;
    int maxWindows = 100;
};

// The settings rows of the Configuration table with their INI-file fallback, and the loaded
// values. Every table access goes through the file-access user counters, so the table need not be
// open already.
class Settings {
  public:
    // The login name of the user running the program; empty when it cannot be found.
    using LoginName = std::function<std::string()>;
    static std::string systemLoginName();

    Settings(FileAccess& access, IniLocations locations, platform::UserInterface& ui,
             LoginName loginName = &Settings::systemLoginName);

    // Where GetConfig looks when the table has no row: an INI file name ("ra98.INI"; none: the
    // default INI file), section "Settings", entry of the setting's name; the default when the
    // entry is missing (none: blank).
    struct Fallback {
        std::optional<std::string> defaultText;
        std::optional<std::string> iniFile;
    };

    // GetConfig: the row's value (up to 80 characters); without a row the fallback's value, which
    // is added as a row when it is not blank. A table error is shown ("Error retrieving
    // configuration information code ...") and gives a blank value.
    std::string getConfig(std::string_view name, const Fallback& fallback = {});
    // PutConfig: adds or changes the row; a table error is shown ("Error writing configuration
    // information.  Code ...").
    void putConfig(std::string_view name, std::string_view value);

    // LoadSettings: reads every setting into values(). After the first table error of a load the
    // table is left alone and the remaining settings take their defaults, so a broken table costs
    // one message and one lock time-out, not one per setting.
    void load();

    const SettingValues& values() const { return values_; }
    SettingValues& values() { return values_; }

    // FormatDate: a date in the format of the "DateFormat" setting.
    std::string formatDate(std::int32_t date, const PictureOptions& options = {}) const;

    // Entries read straight from the INI files, not from the table.
    WindowMonitoring readWindowMonitoring() const;
    // "Debug" of section "Settings" of "ra98.INI" as a number; not 0 means "Debugging Active".
    int readDebug() const;

    const IniLocations& locations() const { return locations_; }
    IniFile settingsIni() const { return locations_.settingsFile(); }
    IniFile defaultIni() const { return locations_.defaultFile(); }
    IniFile positionIni() const { return locations_.positionFile(); }

  private:
    bool tableFailed(const StoreError& error, const std::string& message);
    std::string readFallback(std::string_view name, const Fallback& fallback) const;

    FileAccess& access_;
    IniLocations locations_;
    platform::UserInterface& ui_;
    LoginName loginName_;
    SettingValues values_;
    bool loading_ = false;
    bool loadFailed_ = false;
};

// A stored text as a number: blanks, an optional sign and the digits that follow; no digits
// give 0; a number beyond the int range is held at its end.
int settingNumber(std::string_view text);

// The text cut to `width` characters, never inside a UTF-8 sequence.
std::string cutToCharacters(std::string_view text, std::size_t width);

}  // namespace agendix::store
