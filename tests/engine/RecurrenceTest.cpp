#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

#include "TaskBuilder.h"
#include "engine/Recurrence.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "store/Database.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace agendix::engine {
namespace {

using namespace testing;
using store::kLastHundredth;
using store::makeTime;

// A data file of its own in a temporary directory with the Schedule and Holidays tables open.
class RecurrenceTest : public ::testing::Test {
  protected:
    store::StoredTable& openTable(const store::TableDef& def) {
        store::StoredTable& table = database_.table(def);
        store::StoreError error = table.open();
        if (error.is(store::ErrorKind::FileNotFound)) {
            EXPECT_TRUE(table.create().ok());
            error = table.open();
        }
        EXPECT_TRUE(error.ok()) << error.text;
        return table;
    }

    // Adds the task under the ID as the task form does before the user saves it.
    store::Schedule stored(store::Schedule task, std::int32_t id = 1) {
        store::Table<store::Schedule> table(schedule_);
        task.ID = id;
        task.OriginalID = id;
        EXPECT_TRUE(table.add(task).ok());
        return task;
    }

    void holiday(std::int32_t day, bool annual = false, std::string name = "holiday") {
        store::Table<store::Holidays> table(holidays_);
        store::Holidays record{day, std::move(name), static_cast<std::uint8_t>(annual ? 1 : 0)};
        ASSERT_TRUE(table.add(record).ok());
    }

    std::vector<store::Schedule> tasks() {
        store::Table<store::Schedule> table(schedule_);
        table.setKey("KeyID");
        std::vector<store::Schedule> all;
        EXPECT_TRUE(table.nextPage(1000, all).ok());
        return all;
    }

    std::optional<store::Schedule> task(std::int32_t id) {
        store::Table<store::Schedule> table(schedule_);
        store::Schedule found;
        found.ID = id;
        if (!table.get("KeyID", found).ok()) {
            return std::nullopt;
        }
        return found;
    }

    std::vector<store::Holidays> holidays() {
        store::Table<store::Holidays> table(holidays_);
        table.setKey("KeyHolidayDate");
        std::vector<store::Holidays> all;
        EXPECT_TRUE(table.nextPage(1000, all).ok());
        return all;
    }

    void emptyTables() {
        ASSERT_TRUE(schedule_.empty().ok());
        ASSERT_TRUE(holidays_.empty().ok());
    }

    agendix::testing::TempDir dir_;
    store::Database database_{dir_.path()};
    store::StoredTable& schedule_ = openTable(store::scheduleTable());
    store::StoredTable& holidays_ = openTable(store::holidaysTable());
    platform::ScriptedUserInterface ui_;
    platform::FakeClock clock_{date(2026, 1, 10), makeTime(9, 0)};
    Recurrence recurrence_{schedule_, holidays_, ui_, clock_};
};

struct ExceptionCase {
    const char* name;
    store::Schedule task;
    std::vector<std::int32_t> holidays;
    bool written;
    std::int32_t taskDate, taskTime;
    std::uint8_t taskSkip;
    std::optional<std::int32_t> copyDate;  // no value: no copy is made
    std::uint8_t copySkip;
};

// The outcomes of applying exceptions as the scheduler does (earlier copies kept).
TEST_F(RecurrenceTest, ExceptionOutcomes) {
    const std::int32_t nine = makeTime(9, 0);
    const std::int32_t afterEleven = makeTime(11, 0) + 1;
    const ExceptionCase cases[] = {
        {"except weekends, Next Day: a Saturday gets a copy on Monday",
         Task("Day of Week", date(2026, 6, 6)).on({Sat}).exceptWeekends().shift("Next Day"),
         {},
         true,
         date(2026, 6, 6),
         nine,
         1,
         date(2026, 6, 8),
         0},
        {"except weekends and holidays, Previous Day: a Monday holiday goes to the Friday before",
         Task("Day of Week", date(2026, 5, 25))
             .on({Mon})
             .exceptWeekends()
             .exceptHolidays()
             .shift("Previous Day"),
         {date(2026, 5, 25)},
         true,
         date(2026, 5, 25),
         nine,
         1,
         date(2026, 5, 22),
         0},
        {"Friday and Monday holidays around a weekend: the copy goes to Tuesday",
         Task("Yearly", date(2026, 12, 25)).exceptWeekends().exceptHolidays().shift("Next Day"),
         {date(2026, 12, 25), date(2026, 12, 28)},
         true,
         date(2026, 12, 25),
         nine,
         1,
         date(2026, 12, 29),
         0},
        {"except weekdays, Next Day: a Monday goes to Saturday",
         Task("Day of Week", date(2026, 6, 1)).on({Mon}).exceptWeekdays().shift("Next Day"),
         {},
         true,
         date(2026, 6, 1),
         nine,
         1,
         date(2026, 6, 6),
         0},
        {"except weekends wins over except weekdays: a Wednesday is not excepted",
         Task("Day of Week", date(2026, 6, 3))
             .on({Wed})
             .exceptWeekends()
             .exceptWeekdays()
             .shift("Next Day"),
         {},
         false,
         date(2026, 6, 3),
         nine,
         0,
         std::nullopt,
         0},
        {"Skip (to Next Valid Day): no copy, the task is passed over",
         Task("Day of Week", date(2026, 6, 6))
             .on({Sat})
             .exceptWeekends()
             .shift("Skip (to Next Valid"),
         {},
         true,
         date(2026, 6, 6),
         nine,
         1,
         std::nullopt,
         0},
        {"a blank shift type skips too",
         Task("Day of Week", date(2026, 6, 6)).on({Sat}).exceptWeekends(),
         {},
         true,
         date(2026, 6, 6),
         nine,
         1,
         std::nullopt,
         0},
        {"the copy keeps the skip the task had before",
         Task("Day of Week", date(2026, 6, 6))
             .on({Sat})
             .exceptWeekends()
             .shift("Next Day")
             .skipNextTime(),
         {},
         true,
         date(2026, 6, 6),
         nine,
         1,
         date(2026, 6, 8),
         1},
        {"a date not excepted is not written",
         Task("Day of Week", date(2026, 6, 1)).on({Mon}).exceptWeekends().shift("Next Day"),
         {},
         false,
         date(2026, 6, 1),
         nine,
         0,
         std::nullopt,
         0},
        {"a holiday is no exception without except holidays",
         Task("Yearly", date(2026, 12, 25)).exceptWeekends().shift("Next Day"),
         {date(2026, 12, 25)},
         false,
         date(2026, 12, 25),
         nine,
         0,
         std::nullopt,
         0},
        {"a half-hourly task inside 22:00-06:00 moves to 06:00",
         Task("Custom", date(2026, 6, 1), makeTime(22, 30))
             .every(30, "minute(s)")
             .exceptTime(makeTime(22, 0), makeTime(6, 0)),
         {},
         true,
         date(2026, 6, 2),
         makeTime(6, 0),
         0,
         std::nullopt,
         0},
        {"out of the night range onto a Saturday: the copy goes to Monday at that time",
         Task("Custom", date(2026, 6, 5), makeTime(23, 0))
             .every(2, "hour(s)")
             .exceptTime(makeTime(22, 0), makeTime(6, 0))
             .exceptWeekends()
             .shift("Next Day"),
         {},
         true,
         date(2026, 6, 6),
         makeTime(7, 0),
         1,
         date(2026, 6, 8),
         0},
        {"a daily task inside its range goes to the next day just after the range",
         Task("Custom", date(2026, 6, 1), makeTime(10, 0))
             .every(1, "day(s)")
             .exceptTime(makeTime(9, 0), makeTime(11, 0)),
         {},
         true,
         date(2026, 6, 2),
         afterEleven,
         0,
         std::nullopt,
         0},
        {"a weekly task inside a range to the end of the day goes just before the range",
         Task("Day of Week", date(2026, 6, 1), makeTime(20, 0))
             .on({Mon})
             .exceptTime(makeTime(18, 0), 0),
         {},
         true,
         date(2026, 6, 8),
         makeTime(18, 0) - 1,
         0,
         std::nullopt,
         0},
        {"a time outside the range is not written",
         Task("Custom", date(2026, 6, 1), makeTime(8, 0))
             .every(1, "day(s)")
             .exceptTime(makeTime(9, 0), 0),
         {},
         false,
         date(2026, 6, 1),
         makeTime(8, 0),
         0,
         std::nullopt,
         0},
        {"a once task is not excepted",
         Task("Once", date(2026, 6, 6))
             .exceptWeekends()
             .shift("Next Day")
             .exceptTime(makeTime(8, 0), makeTime(10, 0)),
         {},
         false,
         date(2026, 6, 6),
         nine,
         0,
         std::nullopt,
         0},
    };
    for (const ExceptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        emptyTables();
        for (std::int32_t day : c.holidays) {
            holiday(day);
        }
        store::Schedule task = stored(c.task);
        const ExceptionsOutcome outcome = recurrence_.applyExceptions(task, true);
        EXPECT_TRUE(outcome.error.ok()) << outcome.error.text;
        EXPECT_EQ(outcome.written, c.written);
        EXPECT_EQ(task.Date, c.taskDate);
        EXPECT_EQ(task.Time, c.taskTime);
        EXPECT_EQ(task.SkipNextTime, c.taskSkip);

        const std::optional<store::Schedule> kept = this->task(1);
        ASSERT_TRUE(kept);
        if (c.written) {
            EXPECT_EQ(kept->Date, c.taskDate);
            EXPECT_EQ(kept->Time, c.taskTime);
            EXPECT_EQ(kept->SkipNextTime, c.taskSkip);
        }
        EXPECT_EQ(kept->ScheduleType, c.task.ScheduleType);
        EXPECT_EQ(kept->ExceptionLink, task.ExceptionLink);
        if (!c.copyDate) {
            EXPECT_EQ(task.ExceptionLink, 0);
            EXPECT_EQ(tasks().size(), 1u);
            continue;
        }
        ASSERT_EQ(tasks().size(), 2u);
        EXPECT_EQ(task.ExceptionLink, 2);
        const std::optional<store::Schedule> copy = this->task(task.ExceptionLink);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->ScheduleType, "Once");
        EXPECT_EQ(copy->Date, *c.copyDate);
        EXPECT_EQ(copy->Time, c.taskTime);
        EXPECT_EQ(copy->SkipNextTime, c.copySkip);
        EXPECT_EQ(copy->ExceptionLink, 0);
        EXPECT_EQ(copy->Description, kept->Description);
    }
}

TEST_F(RecurrenceTest, ExceptionFieldsTheRulesChange) {
    {
        SCOPED_TRACE("a once task has every exception field cleared");
        store::Schedule task = Task("Once", date(2026, 6, 6))
                                   .exceptWeekends()
                                   .exceptWeekdays()
                                   .exceptHolidays()
                                   .exceptTime(makeTime(8, 0), makeTime(10, 0));
        task.ExceptOther = "other";
        EXPECT_FALSE(recurrence_.applyExceptions(task, true).written);
        EXPECT_EQ(task.ExceptWeekends + task.ExceptWeekdays + task.ExceptHolidays + task.ExceptTime,
                  0);
        EXPECT_EQ(task.ExceptTimeBegin, 0);
        EXPECT_EQ(task.ExceptTimeEnd, 0);
        EXPECT_EQ(task.ExceptOther, "");
    }
    {
        SCOPED_TRACE("except weekends clears except weekdays");
        store::Schedule task = stored(
            Task("Day of Week", date(2026, 6, 3)).on({Wed}).exceptWeekends().exceptWeekdays());
        recurrence_.applyExceptions(task, true);
        EXPECT_EQ(task.ExceptWeekdays, 0);
        EXPECT_EQ(task.ExceptWeekends, 1);
    }
    {
        SCOPED_TRACE("a range ending at 0 runs to the end of the day and is stored so");
        emptyTables();
        store::Schedule task = stored(Task("Day of Week", date(2026, 6, 1), makeTime(20, 0))
                                          .on({Mon})
                                          .exceptTime(makeTime(18, 0), 0));
        EXPECT_TRUE(recurrence_.applyExceptions(task, true).written);
        EXPECT_EQ(task.ExceptTimeEnd, kLastHundredth);
        EXPECT_EQ(this->task(1)->ExceptTimeEnd, kLastHundredth);
    }
}

// The time a task gets when a hundred advances do not leave its range lies outside the range, so
// the next save or the next run finds nothing to move: the task keeps its rhythm.
TEST_F(RecurrenceTest, TaskMovedOutOfItsTimeRangeStaysOnApplyingAgain) {
    store::Schedule task = stored(Task("Custom", date(2026, 6, 1), makeTime(10, 0))
                                      .every(1, "day(s)")
                                      .exceptTime(makeTime(9, 0), makeTime(11, 0)));
    ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
    const std::int32_t dateAfterFirst = task.Date;
    const std::int32_t timeAfterFirst = task.Time;
    EXPECT_FALSE(recurrence_.applyExceptions(task, false).written);
    EXPECT_EQ(task.Date, dateAfterFirst);
    EXPECT_EQ(task.Time, timeAfterFirst);

    // The scheduler runs it and moves it a day on: still outside the range, still daily.
    recurrence_.advanceSchedule(task, task.Date, task.Time);
    EXPECT_FALSE(recurrence_.applyExceptions(task, true).written);
    EXPECT_EQ(task.Date, dateAfterFirst + 1);
}

TEST_F(RecurrenceTest, TheFormReplacesItsPendingCopyTheSchedulerKeepsCopies) {
    const store::Schedule saturday =
        Task("Day of Week", date(2026, 6, 6)).on({Sat}).exceptWeekends().shift("Next Day");
    {
        SCOPED_TRACE("form saves: the copy of the earlier save is deleted");
        store::Schedule task = stored(saturday);
        ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
        // The user moves the task a week on and saves again.
        task.Date = date(2026, 6, 13);
        task.SkipNextTime = 0;
        ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
        const std::vector<store::Schedule> all = tasks();
        ASSERT_EQ(all.size(), 2u);
        EXPECT_EQ(all[1].ID, task.ExceptionLink);
        EXPECT_EQ(all[1].Date, date(2026, 6, 15));
    }
    {
        SCOPED_TRACE("scheduler runs: earlier copies stay");
        emptyTables();
        store::Schedule task = stored(saturday);
        ASSERT_TRUE(recurrence_.applyExceptions(task, true).written);
        task.SkipNextTime = 0;
        ASSERT_TRUE(recurrence_.applyExceptions(task, true).written);
        EXPECT_EQ(tasks().size(), 3u);
    }
    {
        SCOPED_TRACE("a copy that has run and become history is kept");
        emptyTables();
        store::Schedule task = stored(saturday);
        ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
        store::Schedule history = *this->task(task.ExceptionLink);
        history.Completed = 1;
        history.Disabled = 1;
        store::Table<store::Schedule> table(schedule_);
        ASSERT_TRUE(table.put(history).ok());
        ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
        EXPECT_TRUE(this->task(history.ID));
        EXPECT_EQ(tasks().size(), 3u);
    }
    {
        SCOPED_TRACE("a link to an ID another task has taken since does not delete that task");
        emptyTables();
        store::Schedule task = stored(saturday);
        task.ExceptionLink = 7;
        stored(Task("Once", date(2026, 7, 1)), 7);
        ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
        EXPECT_TRUE(this->task(7));
        EXPECT_EQ(tasks().size(), 3u);
    }
    {
        SCOPED_TRACE(
            "the earlier copy is gone and its ID free again: the new copy takes it and stays");
        emptyTables();
        store::Schedule task = stored(saturday);
        task.ExceptionLink = 2;
        ASSERT_TRUE(recurrence_.applyExceptions(task, false).written);
        EXPECT_EQ(task.ExceptionLink, 2);
        const std::optional<store::Schedule> copy = this->task(2);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->Date, date(2026, 6, 8));
    }
}

TEST_F(RecurrenceTest, AFailedWriteLeavesNeitherTaskNorCopy) {
    // The task was never stored: writing it fails, and the copy added before is taken back.
    store::Schedule task =
        Task("Day of Week", date(2026, 6, 6)).on({Sat}).exceptWeekends().shift("Next Day");
    task.ID = 1;
    const ExceptionsOutcome outcome = recurrence_.applyExceptions(task, true);
    EXPECT_FALSE(outcome.written);
    EXPECT_TRUE(outcome.error.is(store::ErrorKind::RecordNotFound)) << outcome.error.text;
    EXPECT_TRUE(tasks().empty());
    EXPECT_EQ(task.SkipNextTime, 0);
    EXPECT_EQ(task.ExceptionLink, 0);
}

TEST_F(RecurrenceTest, AnnualHolidaysRollForwardToThisYear) {
    clock_.set(date(2026, 1, 10), makeTime(9, 0));
    holiday(date(2025, 12, 25), true, "Christmas");
    holiday(date(2024, 1, 1), true, "New Year");        // two years behind
    holiday(date(2024, 2, 29), true, "Leap day");       // carried into March
    holiday(date(2025, 7, 4), false, "Once-off");       // not annual: stays
    holiday(date(2026, 2, 15), true, "Still to come");  // not before today: stays
    for (int i = 0; i < 40; ++i) {
        holiday(date(2020, 1, 1) + i, false, "old");  // the walk reads more than one page
    }

    const std::int32_t christmas = date(2026, 12, 25);
    store::Schedule thisYear =
        stored(Task("Yearly", christmas).exceptHolidays().shift("Next Day"), 1);
    EXPECT_TRUE(recurrence_.applyExceptions(thisYear, true).written);
    EXPECT_EQ(thisYear.SkipNextTime, 1);

    store::Schedule nextYear =
        stored(Task("Yearly", date(2027, 12, 25)).exceptHolidays().shift("Next Day"), 10);
    EXPECT_FALSE(recurrence_.applyExceptions(nextYear, true).written);
    EXPECT_EQ(nextYear.SkipNextTime, 0);

    struct Expected {
        std::int32_t day;
        const char* name;
    };
    // This year's New Year is past: the next one is the first on or after today.
    const Expected expected[] = {{date(2025, 7, 4), "Once-off"},
                                 {date(2026, 2, 15), "Still to come"},
                                 {date(2026, 3, 1), "Leap day"},
                                 {christmas, "Christmas"},
                                 {date(2027, 1, 1), "New Year"}};
    const std::vector<store::Holidays> all = holidays();
    ASSERT_EQ(all.size(), std::size(expected) + 40);
    for (std::size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(all[i].Holiday, "old");
    }
    for (std::size_t i = 40; i < all.size(); ++i) {
        EXPECT_EQ(all[i].HolidayDate, expected[i - 40].day) << expected[i - 40].name;
        EXPECT_EQ(all[i].Holiday, expected[i - 40].name);
    }
}

TEST_F(RecurrenceTest, AnnualHolidayWhoseNewDateIsTakenStays) {
    clock_.set(date(2026, 1, 10), makeTime(9, 0));
    holiday(date(2024, 12, 25), true, "Christmas");
    holiday(date(2026, 12, 25), false, "Christmas 2026");
    EXPECT_TRUE(recurrence_.rollAnnualHolidays().ok());
    const std::vector<store::Holidays> all = holidays();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].HolidayDate, date(2024, 12, 25));
}

TEST_F(RecurrenceTest, AddScheduleCopyTakesTheNextNumber) {
    {
        SCOPED_TRACE("an empty table gives 1");
        store::Schedule copy = Task("Once", date(2026, 6, 1));
        copy.Message = "Call the office";
        ASSERT_TRUE(recurrence_.addScheduleCopy(copy).ok());
        EXPECT_EQ(copy.ID, 1);
        EXPECT_TRUE(copy.position.stored());
        EXPECT_EQ(this->task(1)->Message, "Call the office");
    }
    {
        SCOPED_TRACE("with gaps the highest + 1; a stored record is added again, not overwritten");
        emptyTables();
        stored(Task("Once", date(2026, 6, 1)), 3);
        const store::Schedule seven = stored(Task("Once", date(2026, 6, 2)), 7);
        store::Schedule copy = *this->task(7);
        ASSERT_TRUE(recurrence_.addScheduleCopy(copy).ok());
        EXPECT_EQ(copy.ID, 8);
        EXPECT_EQ(tasks().size(), 3u);
        EXPECT_EQ(this->task(7)->Date, seven.Date);
    }
    {
        SCOPED_TRACE("no number left past the highest");
        emptyTables();
        stored(Task("Once", date(2026, 6, 1)), std::numeric_limits<std::int32_t>::max());
        store::Schedule copy = Task("Once", date(2026, 6, 1));
        EXPECT_TRUE(recurrence_.addScheduleCopy(copy).is(store::ErrorKind::DuplicateKey));
        EXPECT_EQ(tasks().size(), 1u);
    }
}

TEST_F(RecurrenceTest, InvalidUnitsIsShownOncePerOperation) {
    {
        SCOPED_TRACE("advancing a custom task without a unit");
        store::Schedule task = Task("Custom", date(2026, 6, 1)).every(1, "");
        EXPECT_EQ(recurrence_.advanceSchedule(task, date(2026, 6, 10), makeTime(9, 0)),
                  AdvanceResult::InvalidUnits);
        EXPECT_EQ(task.Date, date(2026, 6, 11));
        ASSERT_EQ(ui_.shown().size(), 1u);
        EXPECT_EQ(ui_.shown()[0].text, "Custom repetition is not set up properly.  Select units.");
        EXPECT_EQ(ui_.shown()[0].caption, "Invalid Units");
        EXPECT_EQ(ui_.shown()[0].buttons, platform::Ok);
    }
    {
        // The time-range step advances it a hundred times and more: one message all the same.
        SCOPED_TRACE("applying a time range to a custom task without a unit");
        store::Schedule task = stored(Task("Custom", date(2026, 6, 1), makeTime(10, 0))
                                          .every(1, "fortnight")
                                          .exceptTime(makeTime(9, 0), makeTime(11, 0)));
        EXPECT_TRUE(recurrence_.applyExceptions(task, true).written);
        EXPECT_EQ(ui_.shown().size(), 2u);
        EXPECT_EQ(task.Time, makeTime(11, 0) + 1);
    }
}

}  // namespace
}  // namespace agendix::engine
