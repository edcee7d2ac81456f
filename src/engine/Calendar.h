#pragma once

#include <cstdint>
#include <limits>

namespace agendix::engine::calendar {

// Calendar arithmetic on standard dates (days since 28 December 1800) in 64 bits, valid for every
// value a standard date can hold and for the steps taken past them, so that no recurrence step
// can overflow. Proleptic Gregorian calendar throughout; agrees with store::makeDate and
// store::calendarDate wherever those are defined.

// Standard-time units in one day; the last hundredth of a day is this value.
inline constexpr std::int64_t kDayUnits = 8640000;

inline constexpr std::int64_t kFirstDate = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int64_t kLastDate = std::numeric_limits<std::int32_t>::max();

constexpr bool isStandardDate(std::int64_t date) {
    return date >= kFirstDate && date <= kLastDate;
}

// Division rounding towards minus infinity and towards plus infinity (divisor above 0).
constexpr std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}
constexpr std::int64_t ceilDiv(std::int64_t value, std::int64_t divisor) {
    return -floorDiv(-value, divisor);
}

struct Civil {
    std::int64_t year = 0;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

namespace detail {

// Days since 1 January 1970 of a valid year, month and day.
constexpr std::int64_t daysSinceEpoch(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = floorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

inline constexpr std::int64_t kDayZero = daysSinceEpoch(1800, 12, 28);

}  // namespace detail

// The standard date of the first day of a month given as a month index (year * 12 + month - 1).
constexpr std::int64_t firstOfMonth(std::int64_t monthIndex) {
    const std::int64_t year = floorDiv(monthIndex, 12);
    const int month = static_cast<int>(monthIndex - year * 12) + 1;
    return detail::daysSinceEpoch(year, month, 1) - detail::kDayZero;
}

constexpr std::int64_t monthIndex(std::int64_t year, int month) {
    return year * 12 + month - 1;
}

// The date constructor: day `day` of the month with that index, carrying a day past the month's
// end into the months after it (31 February is 3 March, or 2 March in a leap year).
constexpr std::int64_t makeDate(std::int64_t monthIndexValue, std::int64_t day) {
    return firstOfMonth(monthIndexValue) + day - 1;
}

constexpr Civil civil(std::int64_t date) {
    const std::int64_t z = date + detail::kDayZero + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return Civil{yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

constexpr bool isLeapYear(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int daysInMonth(std::int64_t year, int month) {
    if (month == 2) {
        return isLeapYear(year) ? 29 : 28;
    }
    return (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
}

constexpr int daysInMonth(std::int64_t monthIndexValue) {
    const std::int64_t year = floorDiv(monthIndexValue, 12);
    return daysInMonth(year, static_cast<int>(monthIndexValue - year * 12) + 1);
}

// 0 Sunday .. 6 Saturday; day 0 is a Sunday.
constexpr int weekday(std::int64_t date) {
    const std::int64_t rest = date % 7;
    return static_cast<int>(rest < 0 ? rest + 7 : rest);
}

constexpr bool isWeekend(std::int64_t date) {
    const int day = weekday(date);
    return day == 0 || day == 6;
}

}  // namespace agendix::engine::calendar
