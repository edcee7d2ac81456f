#include "engine/SchedulerTick.h"

#include "store/Text.h"

#include <algorithm>
#include <cctype>

#include "store/DataDictionary.h"
#include "store/StandardDate.h"
#include "store/Table.h"
#include "store/TaskScript.h"

namespace agendix::engine {
namespace {

using store::Schedule;
using store::Scripting;

constexpr std::int32_t kTenMinutes = 60000;
constexpr std::int32_t kDay = store::kLastHundredth;

using store::trimRight;

std::string trimLeft(std::string text) {
    text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size() : text.find_first_not_of(' '));
    return text;
}

bool showsMessage(const std::string& type) { return type == "Display Message" || type == "Both"; }
bool runsProgram(const std::string& type) { return type == "Run Program" || type == "Both"; }

bool isBeep(const std::string& file) {
    std::string upper = trimRight(file);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "BEEP";
}

// A text cut to at most `width` characters, as the fixed fields and windows hold it.
std::string cut(std::string text, std::size_t width) {
    if (text.size() > width) {
        text.resize(width);
    }
    return text;
}

}  // namespace

SchedulerTick::SchedulerTick(Ports ports, const store::SettingValues& settings, std::string productName)
    : ports_(std::move(ports)), settings_(settings), productName_(std::move(productName)) {}

int SchedulerTick::addBrowser(std::function<void()> refresh) {
    browsers_.emplace_back(nextBrowserId_, std::move(refresh));
    return nextBrowserId_++;
}

void SchedulerTick::removeBrowser(int id) {
    std::erase_if(browsers_, [id](const auto& entry) { return entry.first == id; });
}

void SchedulerTick::notifyBrowsers() {
    const auto browsers = browsers_;  // a browser may close while it refreshes
    for (const auto& [id, refresh] : browsers) {
        refresh();
    }
}

void SchedulerTick::tick() {
    if (inTick_) {
        return;  // a prompt of this tick is open: its own event loop brought us here
    }
    inTick_ = true;
    scriptRunning_ = false;
    if (clipboardCheck) {
        clipboardCheck();
    }
    if (settings_.startUpActive) {
        checkNextTask();
        checkAdvanceWarning();
        removeHistory();
        if (!ports_.scripts.empty()) {
            scriptRunning_ = true;
            ports_.frame.setTimerPeriod(kScriptPeriod);
            ports_.scripts.runTick();
            ports_.frame.setScriptIndicator(true);
        } else {
            ports_.frame.setScriptIndicator(false);
            ports_.frame.setTimerPeriod(kActivePeriod);
        }
    } else {
        ports_.frame.setTitle(productName_ + " (Inactive)");
        ports_.frame.setStatusZone2("Inactive");
        ports_.frame.setScriptIndicator(false);
        ports_.frame.setTimerPeriod(kInactivePeriod);
    }
    if (trayRefresh) {
        trayRefresh();
    }
    inTick_ = false;
}

void SchedulerTick::checkNextTask() {
    auto use = ports_.access.use(store::scheduleTable());
    if (!use.ok()) {
        return;
    }
    store::Table<Schedule> schedule(use.table());
    schedule.setKey("KeyDateEnabled");
    Schedule task;
    if (!schedule.next(task).ok() || task.Disabled != 0) {
        ports_.frame.setTitle(productName_);
        ports_.frame.setStatusZone2("");
        return;
    }
    const std::string description = trimRight(task.Description);
    std::string title = productName_;
    if (ports_.frame.iconized()) {
        title += " - " + description + " " + store::formatDate("d3", task.Date) + " " +
                 store::formatTime("T3", task.Time);
    }
    ports_.frame.setTitle(title);
    if (ports_.scripts.empty()) {
        ports_.frame.setStatusZone2("Next: " + description);
    }
    if (!settings_.noTray) {
        ports_.frame.setTrayTip(cut(title, 63));
    }
    const int moment =
        compareDateTime(ports_.clock.today(), ports_.clock.now(), task.Date, task.Time);
    if (moment >= 0) {
        performDueTask(task);
        notifyBrowsers();
    } else if (windowMonitorStep) {
        windowMonitorStep();
    }
}

void SchedulerTick::soundAlarm(const Schedule& task) {
    if (task.Alarm == 0) {
        return;
    }
    if (isBeep(task.AlarmFile)) {
        ports_.sound.beep();
    } else {
        ports_.sound.play(trimRight(task.AlarmFile));  // a sound that cannot play is passed over
    }
}

bool SchedulerTick::askToRun(const Schedule& task, const char* question, const char* caption) {
    const platform::MessageButton answer = ports_.ui.message(platform::MessageRequest{
        trimRight(task.Description) + question, caption, platform::MessageIcon::Question,
        platform::Yes | platform::No, platform::No});
    return answer == platform::Yes;
}

void SchedulerTick::showReminder(const Schedule& task, bool withReply) {
    if (ports_.reminders.openReminderCount() >= kMaxReminderWindows) {
        ports_.ui.message(platform::MessageRequest{trimRight(task.Message), trimRight(task.Description),
                                                   platform::MessageIcon::Information, platform::Ok, platform::Ok});
        return;
    }
    ReminderHandover handover;
    handover.title = task.Description;
    handover.text = task.Message;
    handover.sound = task.Alarm != 0 ? task.AlarmFile : std::string();
    if (withReply && task.Path.rfind("Reply to:", 0) == 0) {
        handover.replyPath = task.Path.substr(9, 240);
        ports_.reminders.showMessageWithReplyPath(handover);
    } else {
        ports_.reminders.showMessage(handover);
    }
}

void SchedulerTick::launch(const Schedule& task) {
    LaunchRequest request;
    request.taskId = task.ID;
    request.command = task.Command;
    request.path = task.Path;
    ports_.launcher.launch(request);
    if (!ports_.scripts.empty()) {
        ports_.frame.setTimerPeriod(kScriptPeriod);
    }
}

void SchedulerTick::performDueTask(Schedule& task) {
    const std::int32_t entryId = task.ID;
    const std::int32_t today = ports_.clock.today();
    const std::int32_t now = ports_.clock.now();
    bool skipped = false;

    if (task.SkipNextTime == 0) {
        if (settings_.maximizeOnRun || (showsMessage(task.TaskType) && !settings_.useModalMessage)) {
            ports_.frame.restoreFromTray();
        }
        soundAlarm(task);
        const std::int64_t late = static_cast<std::int64_t>(today - task.Date) * kDay + (now - task.Time);
        if (task.SkipIfMissed != 0 && late > kTenMinutes) {
            skipped = true;
        } else if (task.Date < today && task.Warn != 0 && task.TaskType != "Display Message") {
            if (!askToRun(task, " was not run.  Run it now?", "Missed Task")) {
                ports_.log("Missed task skipped", task.Description);
                skipped = true;
            }
        } else if (task.UserSkip != 0) {
            if (!askToRun(task, " is due to run.  Run it now?", "Confirm Task")) {
                ports_.log("Task skipped", task.Description);
                skipped = true;
            }
        }
        task.LastRunDate = today;
        task.LastRunTime = now;
        if (showsMessage(task.TaskType) && !skipped) {
            showReminder(task, true);
        }
        if (runsProgram(task.TaskType) && !skipped) {
            launch(task);
        }
    }

    // The occurrence as it was, for its history record; the warning moves with the task.
    const std::int32_t occurrenceDate = task.Date;
    const std::int32_t occurrenceTime = task.Time;
    const std::int32_t warnDate = task.AdvanceWarnDate;
    const std::int32_t warnTime = task.AdvanceWarnTime;
    bool warningRelative = false;
    if (task.AdvanceWarnDate != 0) {
        task.AdvanceWarnDate -= task.Date;
        warningRelative = true;
    }
    if (task.AdvanceWarnTime != 0) {
        task.AdvanceWarnTime -= task.Time;
        warningRelative = true;
    }

    auto scheduleUse = ports_.access.use(store::scheduleTable());
    if (!scheduleUse.ok()) {
        return;
    }
    store::Table<Schedule> schedule(scheduleUse.table());
    if (task.Date < today && task.SkipIfMissed != 0) {
        ports_.recurrence.advanceSchedule(task, today, 0);
    } else {
        ports_.recurrence.advanceSchedule(task, today, now);
    }

    auto makeHistory = [&](Schedule& record) {
        record.Completed = 1;
        record.Disabled = 1;
        record.Date = occurrenceDate;
        record.Time = occurrenceTime;
        record.AdvanceWarnDate = warnDate;
        record.AdvanceWarnTime = warnTime;
    };

    if (task.Completed != 0) {  // a "Once" task has run
        if (task.NoHistory != 0) {
            deleteScriptItems(task.ID);
            schedule.remove(task);
            return;
        }
        makeHistory(task);
        schedule.put(task);
        if (!settings_.saveScripts) {
            deleteScriptItems(task.ID);
        }
        return;
    }

    task.SkipNextTime = 0;
    if (warningRelative) {
        task.AdvanceWarnDate += task.Date;
        task.AdvanceWarnTime += task.Time;
    }
    task.AdvanceWarned = 0;
    auto holidays = ports_.access.use(store::holidaysTable());  // holiday exceptions look there
    if (!ports_.recurrence.applyExceptions(task, true).written) {
        schedule.put(task);
    }

    if (task.NoHistory != 0) {
        return;
    }
    Schedule history = task;
    makeHistory(history);
    if (skipped) {
        history.Description = store::fitText(store::scheduleTable().fields[4], "(Skipped) " + history.Description);
    }
    history.position = {};
    if (!ports_.recurrence.addScheduleCopy(history).ok()) {
        return;
    }
    if (settings_.saveScripts && history.ID != entryId) {
        deleteScriptItems(history.ID);
        copyScriptItems(entryId, history.ID);
    }
}

void SchedulerTick::deleteScriptItems(std::int32_t taskId) {
    if (auto use = ports_.access.use(store::scriptingTable()); use.ok()) {
        (void)store::deleteTaskScript(use.table(), taskId);
    }
}

void SchedulerTick::copyScriptItems(std::int32_t fromId, std::int32_t toId) {
    if (auto use = ports_.access.use(store::scriptingTable()); use.ok()) {
        (void)store::copyTaskScript(use.table(), fromId, toId);
    }
}

void SchedulerTick::checkAdvanceWarning() {
    auto use = ports_.access.use(store::scheduleTable());
    if (!use.ok()) {
        return;
    }
    store::Table<Schedule> schedule(use.table());
    schedule.setKey("KeyAdvanced");
    Schedule task;
    if (!schedule.next(task).ok() || task.AdvanceWarned != 0 || task.ScheduleType.empty()) {
        return;
    }
    const std::int32_t today = ports_.clock.today();
    const bool due = today > task.AdvanceWarnDate ||
                     (today == task.AdvanceWarnDate && ports_.clock.now() > task.AdvanceWarnTime);
    if (!due) {
        return;
    }
    if (task.SkipNextTime == 0) {
        ports_.log("Advanced Warning", task.Description);
        const std::string when = store::formatDate("d3", task.Date) + " " + store::formatTime("t3", task.Time) + ".";
        const std::string message = trimRight(task.Message);
        const std::string command = trimRight(task.Command);
        std::string text;
        if (task.TaskType == "Display Message") {
            text = when + task.Message;
        } else if (task.TaskType == "Run Program") {
            text = when + "Command:  " + task.Command;
        } else if (task.TaskType == "Both" || !command.empty()) {
            text = trimLeft(when + message + "\r" + "Command: " + task.Command);
        } else {
            text = trimLeft(when + message);
        }
        ports_.ui.message(platform::MessageRequest{text, "Advanced Warning", platform::MessageIcon::Information,
                                                   platform::Ok, platform::Ok});
    }
    task.AdvanceWarned = 1;
    schedule.put(task);
}

void SchedulerTick::removeHistory() {
    const std::int32_t today = ports_.clock.today();
    if (settings_.historyExpires == 0 || today == lastHistoryDay_) {
        return;
    }
    lastHistoryDay_ = today;
    auto use = ports_.access.use(store::scheduleTable());
    if (!use.ok()) {
        return;
    }
    store::Table<Schedule> schedule(use.table());
    Schedule disabled;
    disabled.Disabled = 1;
    disabled.Date = INT32_MIN;
    disabled.Time = INT32_MIN;
    schedule.setPosition("KeyDateEnabled", disabled);
    auto report = [&](const store::StoreError& error) {
        ports_.ui.message(platform::MessageRequest{error.text + " error while removing history", "Cannot Remove History",
                                                   platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
    };
    Schedule task;
    for (;;) {
        const store::StoreError error = schedule.next(task);
        if (error.is(store::ErrorKind::NoMoreRecords)) {
            break;
        }
        if (!error.ok()) {
            report(error);
            break;
        }
        // Disabled tasks come by date: the first one too young ends the pass.
        if (static_cast<std::int64_t>(task.Date) + settings_.historyExpires > today) {
            break;
        }
        if (task.Completed == 0 && !settings_.removeUncompleted) {
            continue;
        }
        if (settings_.saveScripts) {
            deleteScriptItems(task.ID);
        }
        if (const store::StoreError removed = schedule.remove(task); !removed.ok()) {
            report(removed);
        }
    }
    ports_.log("History", "Checked for tasks needing removal");
    notifyBrowsers();
}

void SchedulerTick::runTaskNow(Schedule& task) {
    soundAlarm(task);
    bool skipped = false;
    if (task.Date < ports_.clock.today() && task.Warn != 0 && task.TaskType != "Display Message") {
        skipped = !askToRun(task, " was not run.  Run it now?", "Missed Task");
    } else if (task.UserSkip != 0) {
        skipped = !askToRun(task, " is due to run.  Run it now?", "Confirm Task");
    }
    task.LastRunDate = ports_.clock.today();
    task.LastRunTime = ports_.clock.now();
    if (skipped) {
        return;
    }
    if (showsMessage(task.TaskType)) {
        if (ports_.reminders.openReminderCount() >= kMaxReminderWindows) {
            showReminder(task, false);
        } else {
            ReminderHandover handover{task.Description, task.Message, task.Alarm != 0 ? task.AlarmFile : "", ""};
            ports_.reminders.showMessage(handover);
        }
    }
    if (runsProgram(task.TaskType)) {
        launch(task);
    }
}

}  // namespace agendix::engine
