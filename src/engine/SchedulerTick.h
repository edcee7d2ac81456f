#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ProgramLauncher.h"
#include "engine/Recurrence.h"
#include "engine/TickPorts.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/UserInterface.h"
#include "store/FileAccess.h"
#include "store/Settings.h"

namespace agendix::engine {

// The heartbeat of the scheduler: on every timer event of the frame it looks at the one task that
// comes next and performs it when its moment has come, gives at most one advance warning, removes
// old history once a day, drives the script queue and sets the next timer period.
class SchedulerTick {
public:
    using LogWriter = std::function<void(std::string_view label, std::string_view data)>;

    struct Ports {
        store::FileAccess& access;  // Schedule and Scripting are open for the life of the frame
        Recurrence& recurrence;
        ProgramLauncher& launcher;
        Reminders& reminders;
        ScriptQueue& scripts;
        TickFrame& frame;
        const platform::Clock& clock;
        platform::UserInterface& ui;
        platform::Sound& sound;
        LogWriter log;
    };

    // The settings are read at every tick, so changes made in Setup apply at once.
    SchedulerTick(Ports ports, const store::SettingValues& settings, std::string productName);

    // One tick. A tick that comes while a prompt of the tick is open does nothing.
    void tick();

    // Performs the task once from a list, without moving it on: not written, not logged.
    void runTaskNow(store::Schedule& task);

    // Open schedule lists register here to be told when the tick changed the schedule.
    int addBrowser(std::function<void()> refresh);
    void removeBrowser(int id);

    // Hooks for the clipboard saver, the window-title monitor and the tray icon, which the
    // shell sets when it has them.
    std::function<void()> clipboardCheck;
    std::function<void()> windowMonitorStep;
    std::function<void()> trayRefresh;

    // The parts of a tick, in the order tick() runs them.
    void checkNextTask();
    void checkAdvanceWarning();
    void removeHistory();

    static constexpr int kScriptPeriod = 50;
    static constexpr int kActivePeriod = 125;
    static constexpr int kInactivePeriod = 250;
    static constexpr int kMaxReminderWindows = 60;

private:
    void performDueTask(store::Schedule& task);
    void soundAlarm(const store::Schedule& task);
    bool askToRun(const store::Schedule& task, const char* question, const char* caption);
    void showReminder(const store::Schedule& task, bool withReply);
    void launch(const store::Schedule& task);
    void deleteScriptItems(std::int32_t taskId);
    void copyScriptItems(std::int32_t fromId, std::int32_t toId);
    void notifyBrowsers();

    Ports ports_;
    const store::SettingValues& settings_;
    std::string productName_;
    bool inTick_ = false;
    bool scriptRunning_ = false;
    std::int32_t lastHistoryDay_ = 0;
    std::vector<std::pair<int, std::function<void()>>> browsers_;
    int nextBrowserId_ = 1;
};

}  // namespace agendix::engine
