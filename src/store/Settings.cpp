#include "store/Settings.h"

#include "store/Text.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "store/DataDictionary.h"

namespace agendix::store {
namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kKeyDataType = "KeyDataType";
constexpr std::size_t kValueWidth = 80;
constexpr std::size_t kUserNameWidth = 30;
constexpr std::size_t kOwnerNameWidth = 40;

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

int settingNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) {
        return 0;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value =
            std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::string cutToCharacters(std::string_view text, std::size_t width) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == width) {
                return std::string(text.substr(0, i));
            }
            ++characters;
        }
    }
    return std::string(text);
}

std::string Settings::systemLoginName() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_name == nullptr) {
        return {};
    }
    return found->pw_name;
}

Settings::Settings(FileAccess& access, IniLocations locations, platform::UserInterface& ui,
                   LoginName loginName)
    : access_(access),
      locations_(std::move(locations)),
      ui_(ui),
      loginName_(std::move(loginName)) {}

bool Settings::tableFailed(const StoreError& error, const std::string& message) {
    ui_.message(platform::MessageRequest{message + error.text, "Error!",
                                         platform::MessageIcon::Exclamation, platform::Ok,
                                         platform::Ok});
    if (loading_) {
        loadFailed_ = true;
    }
    return false;
}

std::string Settings::readFallback(std::string_view name, const Fallback& fallback) const {
    const IniFile file(locations_.resolve(fallback.iniFile ? std::string_view(*fallback.iniFile)
                                                           : std::string_view{}));
    const std::optional<std::string> found = file.find(kSettingsSection, name);
    if (found) {
        return *found;
    }
    return fallback.defaultText.value_or(std::string{});
}

std::string Settings::getConfig(std::string_view name, const Fallback& fallback) {
    if (access_.halted() || (loading_ && loadFailed_)) {
        return {};
    }
    FileAccess::Use use = access_.use(configurationTable());
    if (!use.ok()) {
        loadFailed_ = loading_;
        return {};
    }
    Table<Configuration> table(use.table());
    Configuration row;
    row.DataType = std::string(name);
    const StoreError error = table.get(kKeyDataType, row);
    if (error.ok()) {
        return row.DataValue;
    }
    if (!error.is(ErrorKind::RecordNotFound)) {
        tableFailed(error,
                    "Error retrieving configuration information code " + std::string(name) + " - ");
        return {};
    }
    std::string value = cutToCharacters(readFallback(name, fallback), kValueWidth);
    if (!isBlank(value)) {
        Configuration added;
        added.DataType = std::string(name);
        added.DataValue = value;
        (void)table.add(added);  // the value is used even when it cannot be kept
    }
    return value;
}

void Settings::putConfig(std::string_view name, std::string_view value) {
    if (access_.halted()) {
        return;
    }
    FileAccess::Use use = access_.use(configurationTable());
    if (!use.ok()) {
        return;
    }
    Table<Configuration> table(use.table());
    Configuration row;
    row.DataType = std::string(name);
    StoreError error = table.get(kKeyDataType, row);
    if (error.is(ErrorKind::RecordNotFound)) {
        row = Configuration{};
        row.DataType = std::string(name);
        row.DataValue = std::string(value);
        error = table.add(row);
    } else if (error.ok()) {
        row.DataValue = std::string(value);
        error = table.put(row);
    }
    if (!error.ok()) {
        tableFailed(error,
                    "Error writing configuration information.  Code " + std::string(name) + " - ");
    }
}

void Settings::load() {
    loading_ = true;
    loadFailed_ = false;
    const Fallback ini{.iniFile = kSettingsIniName};
    auto number = [&](std::string_view name) { return settingNumber(getConfig(name, ini)); };
    auto flag = [&](std::string_view name) { return number(name) != 0; };
    // "StartUpSchedule" and "StartUpActive" are stored inverted: 0 (or nothing) means on.
    auto inverted = [&](std::string_view name) { return number(name) != 1; };

    SettingValues v;
    v.historyExpires = number("HistoryExpires");
    v.removeUncompleted = flag("RemoveUncompleted");
    v.startUpSchedule = inverted("StartUpSchedule");
    v.startUpToDo = flag("StartUpToDo");
    v.startUpClipboardSaver = flag("StartUpClipboardSaver");
    v.startUpContacts = flag("StartUpContacts");
    v.startUpActive = inverted("StartUpActive");
    v.activeOnly = flag("ActiveOnly");
    v.startUpMinimized = flag("StartUpMinimized");
    v.fullSchedule = flag("FullSchedule");
    v.hideToolbar = flag("HideToolbar");
    v.noTray = flag("NoTray");
    v.multiUser = flag("MultiUser");
    v.monitorClipboard = flag("MonitorClipboard");
    v.useExternalMessage = flag("UseExternalMessage");
    v.useModalMessage = flag("UseModalMessage");
    v.repeatAlarmInterval = number("RepeatAlarmInterval");
    v.logEvents = flag("LogEvents");
    v.saveScripts = flag("SaveScripts");
    v.userId = getConfig("UserID", ini);

    std::string user = trimRight(v.userId);
    if (v.multiUser && user.empty() && loginName_) {
        user = loginName_();
    }
    v.userName = cutToCharacters(user, kUserNameWidth);
    v.ownerName = v.multiUser ? cutToCharacters(v.userName, kOwnerNameWidth) : std::string{};

    v.maximizeOnRun = flag("MaximizeOnRun");
    (void)getConfig("Debug",
                    ini);  // kept as a row like any setting; the start-up reads the INI file
    v.scriptingDelay = std::max(50, number("ScriptingDelay"));
    v.burstSize = number("BurstSize");
    if (v.burstSize <= 0) {
        v.burstSize = 7;
    }
    const std::string maxEntries = getConfig("MaxClipboardEntries", ini);
    v.maxClipboardEntries = isBlank(maxEntries) ? 50 : settingNumber(maxEntries);
    v.dateFormat = trimRight(getConfig("DateFormat", Fallback{.defaultText = "d3"}));
    if (v.dateFormat.empty()) {
        v.dateFormat = "d3";
    }
    v.useWinMessage = flag("UseWinMessage");

    values_ = std::move(v);
    loading_ = false;
    loadFailed_ = false;
}

std::string Settings::formatDate(std::int32_t date, const PictureOptions& options) const {
    return formatDateBySetting(values_.dateFormat, date, options);
}

WindowMonitoring Settings::readWindowMonitoring() const {
    const IniFile file = defaultIni();
    WindowMonitoring monitoring;
    monitoring.monitor = settingNumber(file.read("Agendix", "Monitor Windows")) != 0;
    const int maxWindows = settingNumber(file.read("Agendix", "MaxWindows"));
    monitoring.maxWindows = maxWindows > 0 ? maxWindows : 100;
    return monitoring;
}

int Settings::readDebug() const {
    return settingNumber(settingsIni().read(kSettingsSection, "Debug"));
}

}  // namespace agendix::store
