#include <gtest/gtest.h>

#include <limits>

#include "TaskBuilder.h"
#include "engine/Calendar.h"
#include "engine/ScheduleRules.h"

namespace agendix::engine {
namespace {

using namespace testing;
using store::kLastHundredth;
using store::makeTime;

const std::int32_t k9 = makeTime(9, 0);

std::string show(std::int32_t day, std::int32_t time) {
    const store::CalendarDate c = store::calendarDate(day);
    return std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day) +
           " t" + std::to_string(time);
}

struct AdvanceCase {
    const char* name;
    store::Schedule task;
    std::int32_t afterDate, afterTime;
    std::int32_t date, time;  // expected
};

TEST(AdvanceSchedule, NextOccurrenceOfEachKind) {
    const AdvanceCase cases[] = {
        // Monthly and yearly: the same day of the month, passing an occurrence on the after-date.
        {"monthly from 15 March after 20 April gives 15 May", Task("Monthly", date(2026, 3, 15)),
         date(2026, 4, 20), k9, date(2026, 5, 15), k9},
        {"monthly on the after-date itself goes a month on", Task("Monthly", date(2026, 3, 15)),
         date(2026, 3, 15), k9, date(2026, 4, 15), k9},
        {"monthly already after the after-date stays", Task("Monthly", date(2026, 5, 15)),
         date(2026, 4, 20), k9, date(2026, 5, 15), k9},
        {"monthly 31 January carries into 3 March", Task("Monthly", date(2026, 1, 31)),
         date(2026, 1, 31), k9, date(2026, 3, 3), k9},
        {"monthly 31 January of a leap year carries into 2 March",
         Task("Monthly", date(2028, 1, 31)), date(2028, 1, 31), k9, date(2028, 3, 2), k9},
        {"monthly keeps the carried day from then on", Task("Monthly", date(2026, 1, 31)),
         date(2026, 3, 10), k9, date(2026, 4, 3), k9},
        {"monthly 29th lives through a leap February and carries at the next common one",
         Task("Monthly", date(2023, 3, 29)), date(2025, 3, 1), k9, date(2025, 4, 1), k9},
        {"monthly 29th keeps its day through a leap February", Task("Monthly", date(2023, 3, 29)),
         date(2024, 3, 1), k9, date(2024, 3, 29), k9},
        {"monthly 30th ten years behind carries at its first February",
         Task("Monthly", date(2016, 1, 30)), date(2026, 6, 1), k9, date(2026, 7, 1), k9},
        {"monthly in December goes to January of the next year", Task("Monthly", date(2025, 12, 5)),
         date(2025, 12, 5), k9, date(2026, 1, 5), k9},
        {"yearly from 1 June 2001 after 1 June 2001 gives 1 June 2002",
         Task("Yearly", date(2001, 6, 1)), date(2001, 6, 1), k9, date(2002, 6, 1), k9},
        {"yearly ten years behind", Task("Yearly", date(2015, 10, 10)), date(2026, 5, 5), k9,
         date(2026, 10, 10), k9},
        {"yearly 29 February becomes 1 March and stays there", Task("Yearly", date(2024, 2, 29)),
         date(2030, 1, 1), k9, date(2030, 3, 1), k9},

        // Day of Week: the first flagged weekday after the after-date.
        {"Monday and Thursday from a Monday gives the Thursday",
         Task("Day of Week", date(2026, 6, 1)).on({Mon, Thu}), date(2026, 6, 1), k9,
         date(2026, 6, 4), k9},
        {"Monday and Thursday from a Thursday gives the next Monday",
         Task("Day of Week", date(2026, 6, 4)).on({Mon, Thu}), date(2026, 6, 4), k9,
         date(2026, 6, 8), k9},
        {"a date after the after-date stays whatever its weekday",
         Task("Day of Week", date(2026, 6, 10)).on({Mon, Thu}), date(2026, 6, 1), k9,
         date(2026, 6, 10), k9},
        {"no weekday flag advances daily", Task("Day of Week", date(2026, 6, 1)), date(2026, 6, 5),
         k9, date(2026, 6, 6), k9},
        {"ten years behind lands after the after-date",
         Task("Day of Week", date(2016, 6, 6)).on({Mon, Thu}), date(2026, 6, 1), k9,
         date(2026, 6, 4), k9},
        {"Sunday only from a Saturday", Task("Day of Week", date(2026, 6, 6)).on({Sun}),
         date(2026, 6, 6), k9, date(2026, 6, 7), k9},

        // Day of Month: flagged weekdays in flagged ordinal weeks; always moved at least once.
        {"1st Monday: a month whose 1st is a Monday",
         Task("Day of Month", date(2026, 5, 31)).on({Mon}).in({First}), date(2026, 5, 31), k9,
         date(2026, 6, 1), k9},
        {"1st Monday: after the 1st comes next month's",
         Task("Day of Month", date(2026, 6, 1)).on({Mon}).in({First}), date(2026, 6, 1), k9,
         date(2026, 7, 6), k9},
        {"a fitting date after the after-date still moves",
         Task("Day of Month", date(2026, 6, 1)).on({Mon}).in({First}), date(2026, 5, 15), k9,
         date(2026, 7, 6), k9},
        {"last Friday is the month's last day",
         Task("Day of Month", date(2026, 7, 1)).on({Fri}).in({Last}), date(2026, 7, 1), k9,
         date(2026, 7, 31), k9},
        {"last Friday of the next month",
         Task("Day of Month", date(2026, 7, 31)).on({Fri}).in({Last}), date(2026, 7, 31), k9,
         date(2026, 8, 28), k9},
        {"2nd and 4th Tuesday",
         Task("Day of Month", date(2026, 6, 9)).on({Tue}).in({Second, Fourth}), date(2026, 6, 9),
         k9, date(2026, 6, 23), k9},
        {"2nd and 4th Tuesday into the next month",
         Task("Day of Month", date(2026, 6, 23)).on({Tue}).in({Second, Fourth}), date(2026, 6, 23),
         k9, date(2026, 7, 14), k9},
        {"weekday without ordinal week goes to the next selected weekday",
         Task("Day of Month", date(2026, 6, 1)).on({Mon}), date(2026, 6, 1), k9, date(2026, 6, 8),
         k9},
        {"ordinal week without weekday takes every day of it",
         Task("Day of Month", date(2026, 6, 7)).in({Third}), date(2026, 6, 7), k9,
         date(2026, 6, 15), k9},
        {"nothing flagged advances a day", Task("Day of Month", date(2026, 6, 1)), date(2026, 6, 1),
         k9, date(2026, 6, 2), k9},
        {"1st Monday ten years behind",
         Task("Day of Month", date(2016, 6, 6)).on({Mon}).in({First}), date(2026, 6, 2), k9,
         date(2026, 7, 6), k9},

        // Month End: the first month end after the after-date, never before the task's date.
        {"month end from mid-month", Task("Day of Month", date(2026, 6, 15)).monthEnd(),
         date(2026, 6, 15), k9, date(2026, 6, 30), k9},
        {"month end on the after-date goes to the next one",
         Task("Day of Month", date(2026, 6, 30)).monthEnd(), date(2026, 6, 30), k9,
         date(2026, 7, 31), k9},
        {"month end of a task dated after the after-date",
         Task("Day of Month", date(2026, 8, 10)).monthEnd(), date(2026, 6, 15), k9,
         date(2026, 8, 31), k9},
        {"month end years behind reaches a leap February",
         Task("Day of Month", date(2020, 1, 31)).monthEnd(), date(2028, 2, 15), k9,
         date(2028, 2, 29), k9},
        {"month end ignores weekday and ordinal flags",
         Task("Day of Month", date(2026, 6, 15)).monthEnd().on({Mon}).in({First}),
         date(2026, 6, 15), k9, date(2026, 6, 30), k9},

        // Custom: minutes and hours end at or after the after-moment; the other units after the
        // date.
        {"every 90 minutes at 23:00 after 23:30 gives 00:30 the next day",
         Task("Custom", date(2026, 6, 1), makeTime(23, 0)).every(90, "minute(s)"), date(2026, 6, 1),
         makeTime(23, 30), date(2026, 6, 2), makeTime(0, 30)},
        {"an occurrence at the after-moment itself is kept",
         Task("Custom", date(2026, 6, 1), makeTime(9, 0)).every(30, "minute(s)"), date(2026, 6, 1),
         makeTime(10, 0), date(2026, 6, 1), makeTime(10, 0)},
        {"every 36 hours adds a day and twelve hours",
         Task("Custom", date(2026, 6, 1)).every(36, "hour(s)"), date(2026, 6, 1), k9 + 1,
         date(2026, 6, 2), makeTime(21, 0)},
        {"every 1500 minutes adds a day and an hour",
         Task("Custom", date(2026, 6, 1)).every(1500, "minute(s)"), date(2026, 6, 1), k9 + 1,
         date(2026, 6, 2), makeTime(10, 0)},
        {"every 1440 minutes keeps the last hundredth of the day",
         Task("Custom", date(2026, 6, 1), kLastHundredth).every(1440, "minute(s)"),
         date(2026, 6, 1), kLastHundredth + 1, date(2026, 6, 2), kLastHundredth},
        {"every 7 minutes a year behind",
         Task("Custom", date(2025, 1, 1), makeTime(0, 0)).every(7, "minutes"), date(2026, 1, 1),
         makeTime(12, 0), date(2026, 1, 1), makeTime(12, 3)},
        {"every 5 hours across a month end",
         Task("Custom", date(2026, 6, 30), makeTime(22, 0)).every(5, "Hours"), date(2026, 6, 30),
         makeTime(22, 0) + 1, date(2026, 7, 1), makeTime(3, 0)},
        {"every 3 days", Task("Custom", date(2026, 6, 1)).every(3, "day(s)"), date(2026, 6, 10), k9,
         date(2026, 6, 13), k9},
        {"every 2 weeks", Task("Custom", date(2026, 6, 1)).every(2, "week(s)"), date(2026, 6, 15),
         k9, date(2026, 6, 29), k9},
        {"every 2 months from 10 November gives 10 January",
         Task("Custom", date(2025, 11, 10)).every(2, "month(s)"), date(2025, 11, 10), k9,
         date(2026, 1, 10), k9},
        {"every 3 years from 29 February", Task("Custom", date(2024, 2, 29)).every(3, "year(s)"),
         date(2024, 2, 29), k9, date(2027, 3, 1), k9},
        {"every 12 months on the 31st never meets a short month",
         Task("Custom", date(1990, 1, 31)).every(12, "month(s)"), date(2026, 2, 1), k9,
         date(2027, 1, 31), k9},
        {"every 240 months from 29 February stays in leap years",
         Task("Custom", date(2004, 2, 29)).every(240, "month(s)"), date(2045, 1, 1), k9,
         date(2064, 2, 29), k9},
        {"every 48 months from 29 February carries at 2100, then stays on 1 March",
         Task("Custom", date(2072, 2, 29)).every(48, "month(s)"), date(2101, 1, 1), k9,
         date(2104, 3, 1), k9},
        {"every 0 days is every day", Task("Custom", date(2026, 6, 1)).every(0, "day(s)"),
         date(2026, 6, 5), k9, date(2026, 6, 6), k9},

        {"once keeps its date", Task("Once", date(2026, 6, 1)), date(2026, 7, 1), k9,
         date(2026, 6, 1), k9},
    };
    for (const AdvanceCase& c : cases) {
        SCOPED_TRACE(c.name);
        store::Schedule task = c.task;
        EXPECT_EQ(advanceSchedule(task, c.afterDate, c.afterTime), AdvanceResult::Advanced);
        EXPECT_EQ(show(task.Date, task.Time), show(c.date, c.time));
        EXPECT_EQ(task.Completed, scheduleKind(task.ScheduleType) == ScheduleKind::Once ? 1 : 0);
    }
}

TEST(AdvanceSchedule, RepeatCountBelowOneBecomesOne) {
    for (std::int32_t count : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
        SCOPED_TRACE(count);
        store::Schedule task = Task("Custom", date(2026, 6, 1)).every(count, "day(s)");
        advanceSchedule(task, date(2026, 6, 1), k9);
        EXPECT_EQ(task.Every, 1);
        EXPECT_EQ(task.Date, date(2026, 6, 2));
    }
}

TEST(AdvanceSchedule, UnknownUnitMovesToTheDayAfterTheAfterDate) {
    struct Case {
        const char* name;
        std::string unit;
        std::int32_t from, after, expected;
    };
    const Case cases[] = {
        {"blank unit", "", date(2026, 6, 1), date(2026, 6, 10), date(2026, 6, 11)},
        {"unknown word", "fortnights", date(2026, 6, 1), date(2026, 6, 10), date(2026, 6, 11)},
        {"two letters", "mi", date(2026, 6, 1), date(2026, 6, 1), date(2026, 6, 2)},
        {"a date already later stays", "", date(2026, 7, 1), date(2026, 6, 10), date(2026, 7, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store::Schedule task = Task("Custom", c.from).every(1, c.unit);
        EXPECT_EQ(advanceSchedule(task, c.after, k9), AdvanceResult::InvalidUnits);
        EXPECT_EQ(task.Date, c.expected);
        EXPECT_EQ(task.Time, k9);
    }
}

TEST(ScheduleKind, TypesAndUnitsAsStored) {
    EXPECT_EQ(scheduleKind("Day of Week   "), ScheduleKind::DayOfWeek);
    EXPECT_EQ(scheduleKind("day of week"), ScheduleKind::Custom);  // compared exactly
    EXPECT_EQ(scheduleKind(""), ScheduleKind::Custom);
    EXPECT_EQ(customUnit("MINUTE(S)"), CustomUnit::Minutes);
    EXPECT_EQ(customUnit("Hou"), CustomUnit::Hours);
    EXPECT_EQ(customUnit(" day(s)"), CustomUnit::Unknown);
}

struct FitCase {
    const char* name;
    store::Schedule task;
    std::int32_t day;
    bool fits;
};

TEST(DateFitsSchedule, DatesAgainstEachKind) {
    const std::int32_t anyDay = date(2026, 6, 3);
    const FitCase cases[] = {
        {"once fits any date", Task("Once", anyDay), date(2026, 6, 6), true},
        {"monthly fits any date", Task("Monthly", anyDay), date(2026, 6, 6), true},
        {"yearly fits any date", Task("Yearly", anyDay), date(2026, 6, 6), true},
        {"custom fits any date", Task("Custom", anyDay).every(2, "day(s)"), date(2026, 6, 6), true},
        {"a blank type fits any date", Task("", anyDay), date(2026, 6, 6), true},

        {"day of week: a flagged weekday", Task("Day of Week", anyDay).on({Mon, Thu}),
         date(2026, 6, 4), true},
        {"day of week: an unflagged weekday", Task("Day of Week", anyDay).on({Mon, Thu}),
         date(2026, 6, 3), false},
        {"day of week with no flag accepts no date", Task("Day of Week", anyDay), date(2026, 6, 4),
         false},
        {"day of week on the first Sunday of 1801", Task("Day of Week", anyDay).on({Sun}), 7, true},
        {"day of week on a negative date", Task("Day of Week", anyDay).on({Sat}), -1, true},

        {"1st Monday on the 1st", Task("Day of Month", anyDay).on({Mon}).in({First}),
         date(2026, 6, 1), true},
        {"1st Monday on the 8th", Task("Day of Month", anyDay).on({Mon}).in({First}),
         date(2026, 6, 8), false},
        {"last Friday on the month's last day", Task("Day of Month", anyDay).on({Fri}).in({Last}),
         date(2026, 7, 31), true},
        {"last Friday seven days earlier", Task("Day of Month", anyDay).on({Fri}).in({Last}),
         date(2026, 7, 24), false},
        {"the last week of a 28-day February is its 4th",
         Task("Day of Month", anyDay).on({Wed}).in({Last}), date(2026, 2, 25), true},
        {"the 29th is in no numbered week",
         Task("Day of Month", anyDay).on({Mon}).in({First, Second, Third, Fourth}),
         date(2026, 6, 29), false},
        {"the 29th is in the last week", Task("Day of Month", anyDay).on({Mon}).in({Last}),
         date(2026, 6, 29), true},
        {"a weekday without ordinal week fits nowhere", Task("Day of Month", anyDay).on({Mon}),
         date(2026, 6, 1), false},
        {"an ordinal week without weekday fits nowhere", Task("Day of Month", anyDay).in({First}),
         date(2026, 6, 1), false},
        {"month end on the last day", Task("Day of Month", anyDay).monthEnd(), date(2026, 6, 30),
         true},
        {"month end on the day before", Task("Day of Month", anyDay).monthEnd(), date(2026, 6, 29),
         false},
        {"month end on a leap day", Task("Day of Month", anyDay).monthEnd(), date(2028, 2, 29),
         true},
        {"month end on 28 February of a leap year", Task("Day of Month", anyDay).monthEnd(),
         date(2028, 2, 28), false},
        {"month end wins over weekday flags",
         Task("Day of Month", anyDay).monthEnd().on({Tue}).in({First}), date(2026, 6, 2), false},

        {"date 0 means the task's own date", Task("Day of Week", date(2026, 6, 4)).on({Thu}), 0,
         true},
        {"date 0 with a task date that does not fit",
         Task("Day of Week", date(2026, 6, 3)).on({Thu}), 0, false},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dateFitsSchedule(c.task, c.day), c.fits);
    }
}

TEST(TimeRange, Containment) {
    struct Case {
        const char* name;
        std::int32_t begin, end, time;
        bool contained;
    };
    const Case cases[] = {
        {"09:00-17:00 holds its begin", makeTime(9, 0), makeTime(17, 0), makeTime(9, 0), true},
        {"09:00-17:00 holds its end", makeTime(9, 0), makeTime(17, 0), makeTime(17, 0), true},
        {"09:00-17:00 holds noon", makeTime(9, 0), makeTime(17, 0), makeTime(12, 0), true},
        {"09:00-17:00 not a hundredth before", makeTime(9, 0), makeTime(17, 0), makeTime(9, 0) - 1,
         false},
        {"09:00-17:00 not a hundredth after", makeTime(9, 0), makeTime(17, 0), makeTime(17, 0) + 1,
         false},
        {"22:00-06:00 holds 23:00", makeTime(22, 0), makeTime(6, 0), makeTime(23, 0), true},
        {"22:00-06:00 holds 05:00", makeTime(22, 0), makeTime(6, 0), makeTime(5, 0), true},
        {"22:00-06:00 holds midnight", makeTime(22, 0), makeTime(6, 0), makeTime(0, 0), true},
        {"22:00-06:00 not 22:00", makeTime(22, 0), makeTime(6, 0), makeTime(22, 0), false},
        {"22:00-06:00 not 06:00", makeTime(22, 0), makeTime(6, 0), makeTime(6, 0), false},
        {"22:00-06:00 not noon", makeTime(22, 0), makeTime(6, 0), makeTime(12, 0), false},
        {"a one-moment range holds that moment", makeTime(8, 0), makeTime(8, 0), makeTime(8, 0),
         true},
        {"a range to the end of the day holds the last hundredth", makeTime(18, 0), kLastHundredth,
         kLastHundredth, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(timeRangeContains(c.begin, c.end, c.time), c.contained);
    }
}

TEST(DateTime, NormalizeAndCompare) {
    const std::int32_t d = date(2026, 6, 1);
    struct NormalizeCase {
        const char* name;
        std::int32_t time;
        std::int32_t date, normalized;
    };
    const NormalizeCase normalize[] = {
        {"a hundredth past the day is the next midnight", kLastHundredth + 1, d + 1, 1},
        {"two days' worth keeps the last hundredth", 2 * kLastHundredth, d + 1, kLastHundredth},
        {"several days carry at once", 3 * kLastHundredth + 5, d + 3, 5},
        {"the last hundredth stays", kLastHundredth, d, kLastHundredth},
        {"no time stays", 0, d, 0},
        {"a negative time stays", -5, d, -5},
    };
    for (const NormalizeCase& c : normalize) {
        SCOPED_TRACE(c.name);
        std::int32_t day = d, time = c.time;
        normalizeDateTime(day, time);
        EXPECT_EQ(day, c.date);
        EXPECT_EQ(time, c.normalized);
    }

    struct CompareCase {
        const char* name;
        std::int32_t d1, t1, d2, t2;
        int result;
    };
    const CompareCase compare[] = {
        {"a time past the day equals the next day's", d, kLastHundredth + 1, d + 1, 1, 0},
        {"earlier time", d, 1, d, 2, -1},
        {"later date wins over an earlier time", d + 1, 1, d, kLastHundredth, 1},
        {"equal", d, 100, d, 100, 0},
        {"normalized past the other's date", d, 2 * kLastHundredth + 1, d + 1, kLastHundredth, 1},
    };
    for (const CompareCase& c : compare) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compareDateTime(c.d1, c.t1, c.d2, c.t2), c.result);
        EXPECT_EQ(compareDateTime(c.d2, c.t2, c.d1, c.t1), -c.result);
    }
}

TEST(Calendar, AgreesWithTheStoreDateFunctions) {
    // Every day from 1600 to 2500 (the range the store's own functions cover is wider, these
    // centuries include leap-year exceptions of both kinds), and month steps carrying the day.
    for (std::int32_t day = store::makeDate(1, 1, 1600); day <= store::makeDate(12, 31, 2500);
         ++day) {
        const store::CalendarDate expected = store::calendarDate(day);
        const calendar::Civil got = calendar::civil(day);
        ASSERT_TRUE(got.year == expected.year && got.month == expected.month &&
                    got.day == expected.day)
            << day;
        ASSERT_EQ(calendar::weekday(day), store::weekday(day));
        ASSERT_EQ(calendar::daysInMonth(got.year, got.month),
                  store::daysInMonth(expected.month, expected.year));
    }
    for (int year : {1700, 1800, 1999, 2000, 2024, 2100}) {
        for (int month = -14; month <= 27; ++month) {
            for (int day : {0, 1, 28, 29, 30, 31, 45}) {
                ASSERT_EQ(calendar::makeDate(calendar::monthIndex(year, 1) + month - 1, day),
                          store::makeDate(month, day, year))
                    << year << "/" << month << "/" << day;
            }
        }
    }
}

// Fields holding anything at all: every kind finishes at once, and a task either lands on a
// standard date after the after-date (day-based kinds) or is left as it was.
TEST(AdvanceSchedule, ExtremeFieldValuesFinishAndStayInRange) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t dates[] = {kMin, kMin + 1, -1, 0, date(2026, 6, 1), kMax - 40, kMax};
    const std::int32_t times[] = {kMin, -1, 0, 1, kLastHundredth, kLastHundredth + 1, kMax};
    const std::int32_t counts[] = {kMin, 0, 1, 1439, 1440, 1441, 2880, kMax};
    const char* kinds[] = {"Once", "Day of Week", "Day of Month", "Monthly", "Yearly", "Custom",
                           ""};
    const char* units[] = {"minute(s)", "hour(s)", "day(s)", "week(s)", "month(s)", "year(s)", ""};
    for (const char* kind : kinds) {
        for (const char* unit : units) {
            for (std::int32_t from : dates) {
                for (std::int32_t after : dates) {
                    for (std::int32_t time : times) {
                        for (std::int32_t count : counts) {
                            store::Schedule task =
                                Task(kind, from, time).every(count, unit).on({Fri}).in({Last});
                            task.LastDayofMonth = static_cast<std::uint8_t>(count & 1);
                            const store::Schedule before = task;
                            const AdvanceResult result = advanceSchedule(task, after, time);
                            if (result == AdvanceResult::OutOfRange) {
                                ASSERT_EQ(task.Date, before.Date);
                                ASSERT_EQ(task.Time, before.Time);
                                continue;
                            }
                            const ScheduleKind k = scheduleKind(kind);
                            const CustomUnit u = customUnit(unit);
                            const bool dayBased =
                                k == ScheduleKind::Monthly || k == ScheduleKind::Yearly ||
                                k == ScheduleKind::DayOfWeek || k == ScheduleKind::DayOfMonth ||
                                (k == ScheduleKind::Custom && u != CustomUnit::Minutes &&
                                 u != CustomUnit::Hours);
                            if (dayBased &&
                                !(result == AdvanceResult::InvalidUnits && after == kMax)) {
                                ASSERT_GT(task.Date, after)
                                    << kind << " " << unit << " " << from << " " << count;
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace agendix::engine
