#include <gtest/gtest.h>

#include <chrono>

#include "store/StandardDate.h"

namespace agendix::store {
namespace {

using namespace std::chrono;

// An independent calendar: days since 28 December 1800 by the standard library.
std::int32_t chronoDate(int y, unsigned m, unsigned d) {
    return static_cast<std::int32_t>((sys_days{year{y} / month{m} / day{d}} - sys_days{1800y / December / 28}).count());
}

TEST(StandardDate, KnownDays) {
    struct Case {
        const char* name;
        int month, day, year;
        std::int32_t date;
        int weekday;
    };
    const Case cases[] = {
        {"day zero is 28 December 1800, a Sunday", 12, 28, 1800, 0, 0},
        {"1 January 1801 is 4, a Thursday", 1, 1, 1801, 4, 4},
        {"31 October 1959", 10, 31, 1959, chronoDate(1959, 10, 31), 6},
        {"leap day 2000", 2, 29, 2000, chronoDate(2000, 2, 29), 2},
        {"last day of 2099", 12, 31, 2099, chronoDate(2099, 12, 31), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(makeDate(c.month, c.day, c.year), c.date);
        EXPECT_EQ(weekday(c.date), c.weekday);
        const CalendarDate back = calendarDate(c.date);
        EXPECT_EQ(back.year, c.year);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.day, c.day);
    }
}

TEST(StandardDate, RoundTripsEveryDayFrom1801To2099AgainstTheStandardCalendar) {
    const sys_days first = sys_days{1801y / January / 1};
    const sys_days last = sys_days{2099y / December / 31};
    for (sys_days d = first; d <= last; d += days{1}) {
        const year_month_day ymd{d};
        const int y = static_cast<int>(ymd.year());
        const int m = static_cast<int>(unsigned(ymd.month()));
        const int dd = static_cast<int>(unsigned(ymd.day()));
        const std::int32_t date = makeDate(m, dd, y);
        ASSERT_EQ(date, chronoDate(y, unsigned(m), unsigned(dd)));
        ASSERT_EQ(weekday(date), static_cast<int>(std::chrono::weekday{d}.c_encoding()));
        const CalendarDate back = calendarDate(date);
        ASSERT_TRUE(back.year == y && back.month == m && back.day == dd) << y << "-" << m << "-" << dd;
    }
}

TEST(StandardDate, DateConstructorCarriesOverflow) {
    struct Case {
        const char* name;
        int month, day, year;
        int wantYear, wantMonth, wantDay;
    };
    const Case cases[] = {
        {"day 32 of October is 1 November", 10, 32, 1959, 1959, 11, 1},
        {"31 February 2001 is 3 March", 2, 31, 2001, 2001, 3, 3},
        {"30 February 2000 is 1 March in a leap year", 2, 30, 2000, 2000, 3, 1},
        {"month 13 is January of the next year", 13, 5, 2020, 2021, 1, 5},
        {"month 0 is December of the year before", 0, 5, 2020, 2019, 12, 5},
        {"day 0 is the last day of the month before", 3, 0, 2024, 2024, 2, 29},
        {"month 25 carries two years", 25, 1, 2020, 2022, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalendarDate got = calendarDate(makeDate(c.month, c.day, c.year));
        EXPECT_EQ(got.year, c.wantYear);
        EXPECT_EQ(got.month, c.wantMonth);
        EXPECT_EQ(got.day, c.wantDay);
    }
}

TEST(StandardDate, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(2, 2000), 29);
    EXPECT_EQ(daysInMonth(4, 2021), 30);
    EXPECT_EQ(daysInMonth(12, 2021), 31);
}

TEST(StandardDate, DayNamesComeFromTheNineCharacterTable) {
    EXPECT_EQ(kDayNames.size(), 63u);
    const char* expected[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(dayName(i), expected[i]);
    }
    EXPECT_EQ(dayName(makeDate(10, 31, 1959)), "Saturday");
    EXPECT_EQ(dayName(-1), "Saturday");  // before day zero the week goes on
}

TEST(StandardTime, Encodings) {
    EXPECT_EQ(makeTime(0, 0), 1);  // midnight is 1: 0 means no time
    EXPECT_EQ(makeTime(0, 1), 6001);
    EXPECT_EQ(makeTime(1, 0), 360001);
    EXPECT_EQ(makeTime(23, 59, 59, 99), 8640000);
    EXPECT_EQ(kLastHundredth, 8640000);
}

TEST(StandardDate, PicturesUsedByTheFrame) {
    EXPECT_EQ(formatDate("D3", makeDate(10, 31, 1959)), "OCT 31,1959");
    EXPECT_EQ(formatDate("d3", makeDate(1, 5, 2026)), "JAN 5,2026");
    EXPECT_EQ(formatDate("d3", kNoDate), "");
    EXPECT_EQ(formatTime("T3", makeTime(17, 30)), "5:30PM");
    EXPECT_EQ(formatTime("t3", makeTime(0, 5)), "12:05AM");
    EXPECT_EQ(formatTime("t3", makeTime(12, 0)), "12:00PM");
    EXPECT_EQ(formatTime("t3", kNoTime), "");
}

}  // namespace
}  // namespace agendix::store
