#include <gtest/gtest.h>

#include "engine/SchedulerTick.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "store/DataDictionary.h"
#include "store/StandardDate.h"
#include "store/Table.h"
#include "support/TempDir.h"
#include "support/TickDoubles.h"

namespace agendix::engine {
namespace {

using store::makeDate;
using store::makeTime;
using store::Schedule;

class RecordingFrame final : public TickFrame {
public:
    std::string title, zone2, tip;
    bool indicator = false, minimized = false;
    int period = 0, restores = 0;

    void setTitle(const std::string& t) override { title = t; }
    bool iconized() const override { return minimized; }
    void setStatusZone2(const std::string& t) override { zone2 = t; }
    void setScriptIndicator(bool running) override { indicator = running; }
    void setTimerPeriod(int hundredths) override { period = hundredths; }
    void restoreFromTray() override { ++restores; }
    void setTrayTip(const std::string& t) override { tip = t; }
};

class RecordingReminders final : public Reminders {
public:
    int open = 0;
    std::vector<ReminderHandover> shown, replies;
    int openReminderCount() const override { return open; }
    void showMessage(const ReminderHandover& h) override { shown.push_back(h); }
    void showMessageWithReplyPath(const ReminderHandover& h) override { replies.push_back(h); }
};

// The tick on a real data file with a fake clock and a scripted user.
class TickTest : public ::testing::Test {
protected:
    TickTest() {
        for (const store::TableDef* def : {&store::scheduleTable(), &store::scriptingTable(), &store::holidaysTable()}) {
            EXPECT_TRUE(access_.openTable(*def));
        }
    }

    Schedule addTask(const std::string& description, const std::string& type, std::int32_t date, std::int32_t time,
                     const std::string& scheduleType = "Once") {
        Schedule task;
        task.Description = description;
        task.TaskType = type;
        task.ScheduleType = scheduleType;
        task.Date = date;
        task.Time = time;
        task.Message = "Message of " + description;
        task.Command = type == "Display Message" ? "" : "/usr/bin/true";
        if (scheduleType == "Day of Week") {
            task.Sunday = task.Monday = task.Tuesday = task.Wednesday = task.Thursday = task.Friday = task.Saturday = 1;
        }
        EXPECT_TRUE(recurrence_.addScheduleCopy(task).ok());
        return task;
    }

    void addScriptItems(std::int32_t taskId, int count) {
        store::Table<store::Scripting> scripting(access_.table(store::scriptingTable()));
        for (int i = 1; i <= count; ++i) {
            store::Scripting item;
            item.ID = taskId;
            item.Sequence = i;
            item.Action = "Wait";
            EXPECT_TRUE(scripting.add(item).ok());
        }
    }

    std::vector<Schedule> allTasks() {
        store::Table<Schedule> schedule(access_.table(store::scheduleTable()));
        schedule.setKey("KeyID");
        std::vector<Schedule> tasks;
        Schedule task;
        while (schedule.next(task).ok()) {
            tasks.push_back(task);
        }
        return tasks;
    }

    std::int64_t scriptItems() {
        std::int64_t n = 0;
        access_.table(store::scriptingTable()).count(n);
        return n;
    }

    agendix::testing::TempDir dir_;
    platform::FakeClock clock_{makeDate(3, 1, 2026), makeTime(10, 0)};
    platform::ScriptedUserInterface ui_;
    platform::FakeSound sound_;
    platform::FakeShell shell_;
    platform::FakeProcesses processes_;
    store::Database database_{dir_.path()};
    store::StandardWarnings warnings_{ui_};
    store::FileAccess access_{database_, warnings_};
    std::vector<std::string> log_;
    ProgramLauncher launcher_{shell_, processes_, ui_,
                              [this](std::string_view l, std::string_view d) {
                                  log_.push_back(std::string(l) + ": " + std::string(d));
                              },
                              [](std::int32_t, std::uint32_t) {}};
    Recurrence recurrence_{database_.table(store::scheduleTable()), database_.table(store::holidaysTable()), ui_,
                           clock_};
    RecordingFrame frame_;
    RecordingReminders reminders_;
    agendix::testing::NoScripts scripts_;
    store::SettingValues settings_;
    SchedulerTick tick_{SchedulerTick::Ports{access_, recurrence_, launcher_, reminders_, scripts_, frame_, clock_, ui_,
                                             sound_,
                                             [this](std::string_view l, std::string_view d) {
                                                 log_.push_back(std::string(l) + ": " + std::string(d));
                                             }},
                        settings_, "Agendix 98"};
};

TEST_F(TickTest, ATaskIsPerformedWhenItsMomentHasCome) {
    addTask("Stand-up", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0));
    clock_.set(makeDate(3, 1, 2026), makeTime(9, 59, 59, 99));
    tick_.tick();
    EXPECT_TRUE(reminders_.shown.empty());
    EXPECT_EQ(frame_.zone2, "Next: Stand-up");
    EXPECT_EQ(frame_.period, SchedulerTick::kActivePeriod);

    clock_.set(makeDate(3, 1, 2026), makeTime(10, 0, 0, 75));
    tick_.tick();
    ASSERT_EQ(reminders_.shown.size(), 1u);
    EXPECT_EQ(reminders_.shown[0].title, "Stand-up");
    EXPECT_EQ(reminders_.shown[0].text, "Message of Stand-up");
    const auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].Completed, 1);
    EXPECT_EQ(tasks[0].Disabled, 1);
    EXPECT_EQ(tasks[0].LastRunTime, makeTime(10, 0, 0, 75));
}

TEST_F(TickTest, SkipIfMissedPassesOverAnOccurrenceFirstSeenMoreThanTenMinutesLate) {
    struct Case {
        const char* name;
        std::int32_t seenAt;
        bool performed;
    };
    const Case cases[] = {
        {"seen on time", makeTime(10, 0), true},
        {"seen ten minutes late", makeTime(10, 10), true},
        {"seen eleven minutes late", makeTime(10, 11), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        access_.table(store::scheduleTable()).empty();
        reminders_.shown.clear();
        Schedule task = addTask("Check mail", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0), "Day of Week");
        task.SkipIfMissed = 1;
        store::Table<Schedule>(access_.table(store::scheduleTable())).put(task);
        clock_.set(makeDate(3, 1, 2026), c.seenAt);
        tick_.tick();
        EXPECT_EQ(reminders_.shown.size(), c.performed ? 1u : 0u);
        const auto tasks = allTasks();
        ASSERT_EQ(tasks.size(), 2u) << "the task and the history of its occurrence";
        EXPECT_EQ(tasks[0].Date, makeDate(3, 2, 2026)) << "moved on either way";
        EXPECT_EQ(tasks[1].Description, c.performed ? "Check mail" : "(Skipped) Check mail");
    }
}

TEST_F(TickTest, MissedAndConfirmQuestions) {
    const std::int32_t yesterday = makeDate(2, 28, 2026);
    Schedule program = addTask("Backup", "Run Program", yesterday, makeTime(22, 0), "Day of Week");
    program.Warn = 1;
    store::Table<Schedule>(access_.table(store::scheduleTable())).put(program);
    ui_.answer(platform::No);
    tick_.tick();
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].caption, "Missed Task");
    EXPECT_EQ(ui_.shown()[0].text, "Backup was not run.  Run it now?");
    EXPECT_EQ(ui_.shown()[0].defaultButton, platform::No);
    EXPECT_TRUE(shell_.requests.empty());
    EXPECT_EQ(log_.back(), "Missed task skipped: Backup");
    auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[1].Description, "(Skipped) Backup");

    // A message task of yesterday shows without asking.
    access_.table(store::scheduleTable()).empty();
    Schedule message = addTask("Birthday", "Display Message", yesterday, makeTime(9, 0));
    message.Warn = 1;
    store::Table<Schedule>(access_.table(store::scheduleTable())).put(message);
    tick_.tick();
    EXPECT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(reminders_.shown.size(), 1u);

    // Confirm Task: Yes runs the program.
    access_.table(store::scheduleTable()).empty();
    Schedule confirm = addTask("Sync", "Run Program", makeDate(3, 1, 2026), makeTime(10, 0), "Day of Week");
    confirm.UserSkip = 1;
    store::Table<Schedule>(access_.table(store::scheduleTable())).put(confirm);
    ui_.answer(platform::Yes);
    tick_.tick();
    EXPECT_EQ(ui_.shown().back().caption, "Confirm Task");
    tasks = allTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[1].Description, "Sync") << "run after a Yes: no prefix";
    EXPECT_EQ(ui_.shown().back().text, "Sync is due to run.  Run it now?");
    ASSERT_EQ(shell_.requests.size(), 1u);
    EXPECT_EQ(shell_.requests[0].file, "/usr/bin/true");
    EXPECT_EQ(log_.back(), "Run Program: /usr/bin/true");

    // Confirm Task: No skips, logs and leaves a "(Skipped) " history record.
    clock_.set(makeDate(3, 2, 2026), makeTime(10, 0));
    ui_.answer(platform::No);
    tick_.tick();
    EXPECT_EQ(ui_.shown().back().caption, "Confirm Task");
    EXPECT_EQ(shell_.requests.size(), 1u) << "nothing more started";
    EXPECT_EQ(log_.back(), "Task skipped: Sync");
    tasks = allTasks();
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(tasks[2].Description, "(Skipped) Sync");
}

TEST_F(TickTest, SkipNextTimePassesOverTheOccurrenceSilently) {
    Schedule task = addTask("Report", "Both", makeDate(3, 1, 2026), makeTime(10, 0), "Day of Week");
    task.SkipNextTime = 1;
    task.Alarm = 1;
    task.AlarmFile = "BEEP";
    task.UserSkip = 1;
    store::Table<Schedule>(access_.table(store::scheduleTable())).put(task);
    tick_.tick();
    EXPECT_TRUE(ui_.shown().empty());
    EXPECT_TRUE(reminders_.shown.empty());
    EXPECT_TRUE(shell_.requests.empty());
    EXPECT_EQ(sound_.beeps, 0);
    EXPECT_TRUE(log_.empty());
    const auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].SkipNextTime, 0);
    EXPECT_EQ(tasks[0].LastRunDate, 0) << "the last run stays as it was";
    EXPECT_EQ(tasks[1].Description, "Report") << "no (Skipped) prefix";
}

TEST_F(TickTest, TwoTasksDueTogetherRunOnSuccessiveTicks) {
    addTask("First", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0));
    addTask("Second", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0));
    tick_.tick();
    ASSERT_EQ(reminders_.shown.size(), 1u);
    EXPECT_EQ(reminders_.shown[0].title, "First");
    tick_.tick();
    ASSERT_EQ(reminders_.shown.size(), 2u);
    EXPECT_EQ(reminders_.shown[1].title, "Second");
    tick_.tick();
    EXPECT_EQ(reminders_.shown.size(), 2u);
    EXPECT_EQ(frame_.title, "Agendix 98");
    EXPECT_EQ(frame_.zone2, "");
}

TEST_F(TickTest, AOnceTaskWithoutHistoryGoesWithItsScript) {
    Schedule task = addTask("Once only", "Run Program", makeDate(3, 1, 2026), makeTime(10, 0));
    task.NoHistory = 1;
    store::Table<Schedule>(access_.table(store::scheduleTable())).put(task);
    addScriptItems(task.ID, 4);
    Schedule other = addTask("Later", "Run Program", makeDate(3, 9, 2026), makeTime(10, 0));
    addScriptItems(other.ID, 2);
    tick_.tick();
    const auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].Description, "Later");
    EXPECT_EQ(scriptItems(), 2);
}

TEST_F(TickTest, HistoryExpiresRemovesOldCompletedTasksOnceADay) {
    settings_.historyExpires = 7;
    addTask("Done on 1 March", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0));
    tick_.tick();  // performs it: a completed history record dated 1 March
    ASSERT_EQ(allTasks().size(), 1u);

    clock_.set(makeDate(3, 7, 2026), makeTime(23, 59));
    tick_.tick();
    EXPECT_EQ(allTasks().size(), 1u);

    clock_.set(makeDate(3, 8, 2026), makeTime(0, 0, 1));
    tick_.tick();
    EXPECT_TRUE(allTasks().empty());
    EXPECT_EQ(log_.back(), "History: Checked for tasks needing removal");
}

TEST_F(TickTest, AdvanceWarningsByTaskType) {
    struct Case {
        const char* name;
        std::string type, message, command;
        std::string text;
    };
    const Case cases[] = {
        {"a message", "Display Message", "Bring the cake", "", "MAR 2,2026 9:00AM.Bring the cake"},
        {"a program", "Run Program", "", "backup.sh", "MAR 2,2026 9:00AM.Command:  backup.sh"},
        {"both", "Both", "Bring the cake", "backup.sh", "MAR 2,2026 9:00AM.Bring the cake\rCommand: backup.sh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        access_.table(store::scheduleTable()).empty();
        Schedule task = addTask("Party", c.type, makeDate(3, 2, 2026), makeTime(9, 0));
        task.Message = c.message;
        task.Command = c.command;
        task.AdvanceWarnDate = makeDate(3, 1, 2026);
        task.AdvanceWarnTime = makeTime(9, 0);
        store::Table<Schedule>(access_.table(store::scheduleTable())).put(task);
        const std::size_t before = ui_.shown().size();
        tick_.tick();
        ASSERT_EQ(ui_.shown().size(), before + 1);
        EXPECT_EQ(ui_.shown().back().caption, "Advanced Warning");
        EXPECT_EQ(ui_.shown().back().text, c.text);
        tick_.tick();
        EXPECT_EQ(ui_.shown().size(), before + 1) << "one warning per occurrence";
    }
}

TEST_F(TickTest, TheInactiveSchedulerOnlySaysSo) {
    settings_.startUpActive = false;
    addTask("Ignored", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0));
    tick_.tick();
    EXPECT_TRUE(reminders_.shown.empty());
    EXPECT_EQ(frame_.title, "Agendix 98 (Inactive)");
    EXPECT_EQ(frame_.zone2, "Inactive");
    EXPECT_EQ(frame_.period, SchedulerTick::kInactivePeriod);
}

TEST_F(TickTest, SixtyOpenRemindersFallBackToAPlainMessageBox) {
    reminders_.open = 60;
    addTask("Sixty-first", "Display Message", makeDate(3, 1, 2026), makeTime(10, 0));
    tick_.tick();
    EXPECT_TRUE(reminders_.shown.empty());
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].text, "Message of Sixty-first");
}

}  // namespace
}  // namespace agendix::engine
