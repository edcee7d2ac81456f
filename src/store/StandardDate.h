#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace agendix::store {

// A standard date counts days from 28 December 1800 (day 0, a Sunday); 0 also means "no date".
// A standard time counts hundredths of a second since midnight plus one; 0 means "no time".
inline constexpr std::int32_t kNoDate = 0;
inline constexpr std::int32_t kNoTime = 0;
inline constexpr std::int32_t kMidnight = 1;
inline constexpr std::int32_t kSecond = 100;
inline constexpr std::int32_t kMinute = 6000;
inline constexpr std::int32_t kHour = 360000;
inline constexpr std::int32_t kLastHundredth = 8640000;  // 23:59:59.99

// The day-name table: seven names of nine characters, indexed by weekday (0 Sunday).
inline constexpr std::string_view kDayNames =
    "Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday ";

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

// The date of month/day/year. Out-of-range values carry over as the calendar does: day 32 of
// October is 1 November, month 13 is January of the next year, day 0 the last day of the month
// before.
std::int32_t makeDate(int month, int day, int year);
CalendarDate calendarDate(std::int32_t date);
inline int dateDay(std::int32_t date) { return calendarDate(date).day; }
inline int dateMonth(std::int32_t date) { return calendarDate(date).month; }
inline int dateYear(std::int32_t date) { return calendarDate(date).year; }
// 0 Sunday .. 6 Saturday.
int weekday(std::int32_t date);
// The weekday's name from the day-name table, trailing blanks removed.
std::string dayName(std::int32_t date);
bool isLeapYear(int year);
int daysInMonth(int month, int year);

// A standard time from its parts (hours may exceed 23; the result then lies past the day).
constexpr std::int32_t makeTime(int hours, int minutes, int seconds = 0, int hundredths = 0) {
    return 1 + hours * kHour + minutes * kMinute + seconds * kSecond + hundredths;
}

// Dates and times as text by picture: "d3"/"D3" gives "OCT 31,1959", "t3"/"T3" gives "5:30PM".
// A zero date or time gives an empty text. Every picture, and reading texts back: store/Picture.h.
std::string formatDate(std::string_view picture, std::int32_t date);
std::string formatTime(std::string_view picture, std::int32_t time);

}  // namespace agendix::store
