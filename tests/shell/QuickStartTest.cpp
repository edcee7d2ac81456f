#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <string>
#include <vector>

#include "shell/DataFileFixture.h"
#include "shell/QuickStart.h"

namespace agendix::shell {
namespace {

using store::makeDate;
using store::makeTime;

class QuickStartTest : public testing::DataFileFixture {
  protected:
    // Chooses the item with the caption (none: closes the menu) and notes what the menu offered.
    QuickStart::MenuChooser choose(const char* caption) {
        return [this, caption](QMenu& menu) -> QAction* {
            offered_.clear();
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                offered_ << (action->isSeparator() ? QStringLiteral("-") : action->text());
                if (caption != nullptr && !action->isSeparator() && action->text() == caption) {
                    chosen = action;
                }
            }
            return chosen;
        };
    }

    // A weekly task on Mondays and Wednesdays, next due Wednesday 4 March at 8:00, with a script.
    store::Schedule addWeeklyTask() {
        store::Schedule task;
        task.User = "ann";
        task.TaskType = "Both";
        task.Category = "Work";
        task.Description = "Backup";
        task.Command = "/usr/bin/backup";
        task.Path = "/srv";
        task.ScheduleType = "Day of Week";
        task.Monday = task.Wednesday = 1;
        task.Date = makeDate(3, 4, 2026);
        task.Time = makeTime(8, 0);
        task.LastRunDate = makeDate(3, 2, 2026);
        task.LastRunTime = makeTime(8, 0);
        task.Alarm = 1;
        task.AlarmFile = "chime.wav";
        task.AdvanceWarnDate = makeDate(3, 3, 2026);
        task.AdvanceWarnTime = makeTime(20, 0);
        task.Warn = 1;
        task.ExceptHolidays = 1;
        task.ShiftType = "Next Day";
        task.SkipNextTime = 1;
        task.Disabled = 1;
        task.Skipped = 1;
        task.Message = "Insert the tape";
        EXPECT_TRUE(recurrence_.addScheduleCopy(task).ok());
        return task;
    }

    void addScript(std::int32_t taskId, const std::vector<std::string>& actions) {
        store::Table<store::Scripting> scripting(access_.table(store::scriptingTable()));
        std::int32_t sequence = 0;
        for (const std::string& action : actions) {
            store::Scripting item;
            item.ID = taskId;
            item.Sequence = ++sequence;
            item.Action = action;
            item.Keystrokes = "keys " + std::to_string(sequence);
            item.SecondsToWait = sequence * 10;
            EXPECT_TRUE(scripting.add(item).ok());
        }
    }

    static store::Row image(const store::Schedule& task) {
        return store::toRow(store::Schedule::fields(), task);
    }
    // A script item without its task ID, to compare items across tasks.
    static store::Row itemImage(store::Scripting item) {
        item.ID = 0;
        return store::toRow(store::Scripting::fields(), item);
    }

    QStringList offered_;
};

TEST_F(QuickStartTest, OneHourOnAWeeklyTaskGivesAOnceCopyWithTheSameScript) {
    const store::Schedule task = addWeeklyTask();
    addScript(task.ID, {"Start Program", "Send Keystrokes", "Wait"});
    store::Schedule other = addWeeklyTask();
    addScript(other.ID, {"Exit"});

    QuickStart quickStart(access_, recurrence_, clock_, choose("1 hour"));
    const std::int32_t copyId = quickStart.quickStartTask(task);

    EXPECT_EQ(offered_, (QStringList{"5 minutes", "10 minutes", "30 minutes", "1 hour", "2 hours",
                                     "3 hours", "-", "Cancel"}));
    ASSERT_NE(copyId, 0);
    const auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(image(tasks[0]), image(task)) << "the task itself is unchanged";
    const store::Schedule& copy = tasks[2];
    EXPECT_EQ(copy.ID, copyId);

    // The differences from the task.
    EXPECT_EQ(copy.ScheduleType, "Once");
    EXPECT_EQ(copy.Date, makeDate(3, 2, 2026));
    EXPECT_EQ(copy.Time, makeTime(11, 0, 1));
    EXPECT_EQ(copy.AdvanceWarnDate, 0);
    EXPECT_EQ(copy.AdvanceWarnTime, 0);
    EXPECT_EQ(copy.Disabled, 0);
    EXPECT_EQ(copy.Completed, 0);
    EXPECT_EQ(copy.Skipped, 0);
    EXPECT_EQ(copy.SkipNextTime, 0) << "a copy that is skipped would never be seen";
    // Everything else as the task has it.
    store::Schedule expected = task;
    expected.ID = copy.ID;
    expected.ScheduleType = "Once";
    expected.Date = copy.Date;
    expected.Time = copy.Time;
    expected.AdvanceWarnDate = expected.AdvanceWarnTime = 0;
    expected.Disabled = expected.Completed = expected.Skipped = expected.SkipNextTime = 0;
    EXPECT_EQ(image(copy), image(expected));

    const auto original = scriptOf(task.ID);
    const auto copied = scriptOf(copyId);
    ASSERT_EQ(original.size(), 3u);
    ASSERT_EQ(copied.size(), 3u);
    for (std::size_t i = 0; i < copied.size(); ++i) {
        EXPECT_EQ(itemImage(copied[i]), itemImage(original[i])) << "item " << i;
    }
    EXPECT_EQ(scriptOf(other.ID).size(), 1u);
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(QuickStartTest, EachDelayCountsFromNowPlusOneSecond) {
    struct Case {
        const char* caption;
        std::int32_t now;
        std::int32_t dueDate, dueTime;
    };
    const std::int32_t today = makeDate(3, 2, 2026);
    const std::int32_t tomorrow = makeDate(3, 3, 2026);
    const Case cases[] = {
        {"5 minutes", makeTime(10, 0), today, makeTime(10, 5, 1)},
        {"10 minutes", makeTime(10, 0), today, makeTime(10, 10, 1)},
        {"30 minutes", makeTime(10, 0), today, makeTime(10, 30, 1)},
        {"1 hour", makeTime(10, 0), today, makeTime(11, 0, 1)},
        {"2 hours", makeTime(10, 0), today, makeTime(12, 0, 1)},
        {"3 hours", makeTime(10, 0), today, makeTime(13, 0, 1)},
        {"1 hour", makeTime(23, 30), tomorrow, makeTime(0, 30, 1)},
        {"5 minutes", makeTime(23, 59, 59), tomorrow, makeTime(0, 5, 0)},
    };
    const store::Schedule task = addWeeklyTask();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.caption) + " at " + store::formatTime("t3", c.now));
        clock_.set(today, c.now);
        QuickStart quickStart(access_, recurrence_, clock_, choose(c.caption));
        const std::int32_t copyId = quickStart.quickStartTask(task);
        const auto tasks = allTasks();
        ASSERT_EQ(tasks.back().ID, copyId);
        EXPECT_EQ(tasks.back().Date, c.dueDate);
        EXPECT_EQ(tasks.back().Time, c.dueTime);
    }
}

TEST_F(QuickStartTest, CancelOrClosingTheMenuChangesNothing) {
    struct Case {
        const char* name;
        const char* caption;
    };
    const Case cases[] = {{"Cancel", "Cancel"}, {"menu closed", nullptr}};
    const store::Schedule task = addWeeklyTask();
    addScript(task.ID, {"Start Program", "Wait"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuickStart quickStart(access_, recurrence_, clock_, choose(c.caption));
        EXPECT_EQ(quickStart.quickStartTask(task), 0);
        const auto tasks = allTasks();
        ASSERT_EQ(tasks.size(), 1u);
        EXPECT_EQ(image(tasks[0]), image(task));
        EXPECT_EQ(scriptOf(task.ID).size(), 2u);
        std::int64_t items = 0;
        access_.table(store::scriptingTable()).count(items);
        EXPECT_EQ(items, 2);
    }
}

}  // namespace
}  // namespace agendix::shell
