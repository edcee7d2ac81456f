#pragma once

#include <cstdint>
#include <string_view>

#include "store/Records.h"
#include "store/StandardDate.h"

namespace agendix::engine {

// The calendar rules of a task, worked out on the task's own record value. Nothing here touches a
// table or the user: see Recurrence for the operations that do.

// SCH:ScheduleType, compared exactly with trailing blanks ignored. Any value not listed (a blank
// one included) is a custom repetition.
enum class ScheduleKind { Once, DayOfWeek, DayOfMonth, Monthly, Yearly, Custom };
ScheduleKind scheduleKind(std::string_view scheduleType);

// SCH:EveryType of a custom repetition, told by its first three letters in any letter case:
// "minute(s)", "hour(s)", "day(s)", "week(s)", "month(s)", "year(s)".
enum class CustomUnit { Minutes, Hours, Days, Weeks, Months, Years, Unknown };
CustomUnit customUnit(std::string_view everyType);

inline constexpr std::string_view kOnce = "Once";

// Whether a date fits the task's rule; date 0 means the task's own date. Only "Day of Week" and
// "Day of Month" reject dates: a weekly task needs the date's weekday flag; a "Day of Month" task
// needs either the month's last day ("Month End") or a flagged weekday inside a flagged ordinal
// week (days 1-7, 8-14, 15-21, 22-28, or the month's last seven days for "Last").
bool dateFitsSchedule(const store::Schedule& task, std::int32_t date = store::kNoDate);

enum class AdvanceResult {
    Advanced,      // the task stands on its next occurrence; a "Once" task is completed
    InvalidUnits,  // a custom repetition without a known unit: the date moved to the day after
                   // the after-date (when it was not already later); the caller tells the user
    OutOfRange,    // the next occurrence lies past the last standard date: the task is unchanged
};

// Moves the task to its next occurrence after the after-date and after-time.
//
// Day-based kinds end on the first occurrence strictly after the after-date and keep SCH:Time;
// the custom minute and hour units end on the first occurrence at or after the after-date and
// after-time. A "Once" task is only marked completed. A custom repeat count below 1 becomes 1 in
// the task. The result is exactly what stepping one occurrence at a time from SCH:Date gives, but
// no kind steps once per missed occurrence: a task years behind catches up in a few operations.
//
// This system's rules where the calendar leaves a choice:
// - "Day of Month" with "Month End": the next occurrence is the last day of the month holding the
//   later of the task's date and the after-date, or of the month after when that day is the
//   after-date itself. So it is the first month end after the after-date, and an advance never
//   moves a task back before its own date.
// - A day of the month past the end of the target month ("Monthly", "Yearly", custom months and
//   years) carries into the following month as the date constructor does everywhere in the store:
//   31 January plus one month is 3 March (2 March in a leap year), 29 February plus one year is
//   1 March. The carried day is the task's day from then on. Every step lands later than the date
//   it started from.
AdvanceResult advanceSchedule(store::Schedule& task, std::int32_t afterDate,
                              std::int32_t afterTime);

// One occurrence later: the next occurrence after the task's own moment (SCH:Date, SCH:Time + 1).
AdvanceResult advanceOneOccurrence(store::Schedule& task);

// Where an annual holiday dated before today moves: a year later at a time by the date constructor
// (so 29 February becomes 1 March and stays there), up to the first such date on or after today.
// A date on or after today is returned as it is.
std::int32_t annualRollForward(std::int32_t holidayDate, std::int32_t today);

// Whether an excepted time range holds a time. A range whose begin is not after its end holds
// both its ends; a range across midnight (begin after end) holds the times before the end and
// after the begin, but neither end.
bool timeRangeContains(std::int32_t begin, std::int32_t end, std::int32_t time);

// Carries whole days out of a time past the last hundredth of the day into the date
// (8,640,001 on day d is 1 on day d + 1). Other times are left as they are. A date that would pass
// the last standard date stays at it.
void normalizeDateTime(std::int32_t& date, std::int32_t& time);

// -1, 0 or 1 as the first date and time lie before, at or after the second, each pair normalized
// first.
int compareDateTime(std::int32_t date1, std::int32_t time1, std::int32_t date2, std::int32_t time2);

}  // namespace agendix::engine
