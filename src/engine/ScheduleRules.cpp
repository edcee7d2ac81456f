#include "engine/ScheduleRules.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "engine/Calendar.h"

namespace agendix::engine {
namespace {

using namespace calendar;

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bit w set for each weekday w (0 Sunday) whose flag is set.
unsigned weekdayMask(const store::Schedule& task) {
    return (task.Sunday != 0 ? 1u : 0u) | (task.Monday != 0 ? 2u : 0u) |
           (task.Tuesday != 0 ? 4u : 0u) | (task.Wednesday != 0 ? 8u : 0u) |
           (task.Thursday != 0 ? 16u : 0u) | (task.Friday != 0 ? 32u : 0u) |
           (task.Saturday != 0 ? 64u : 0u);
}

// Bit n - 1 set for each numbered ordinal week n (1-4) whose flag is set.
unsigned ordinalMask(const store::Schedule& task) {
    return (task.Every1st != 0 ? 1u : 0u) | (task.Every2nd != 0 ? 2u : 0u) |
           (task.Every3rd != 0 ? 4u : 0u) | (task.Every4th != 0 ? 8u : 0u);
}

// kToFlagged[mask][w]: days from weekday w to the first weekday at or after it whose bit is set
// in mask (0 for an empty mask).
constexpr auto kToFlagged = [] {
    std::array<std::array<std::uint8_t, 7>, 128> table{};
    for (unsigned mask = 1; mask < 128; ++mask) {
        for (unsigned from = 0; from < 7; ++from) {
            unsigned ahead = 0;
            while ((mask & (1u << ((from + ahead) % 7))) == 0) {
                ++ahead;
            }
            table[mask][from] = static_cast<std::uint8_t>(ahead);
        }
    }
    return table;
}();

bool inOrdinalWeeks(int day, int monthDays, unsigned ordinals, bool last) {
    if (day <= 28 && (ordinals & (1u << ((day - 1) / 7))) != 0) {
        return true;
    }
    return last && day > monthDays - 7;
}

// The first day at or after `day` of the month that lies in a flagged ordinal week; 0 when the
// rest of the month has none.
int firstDayInOrdinalWeeks(int day, int monthDays, unsigned ordinals, bool last) {
    int best = 0;
    auto consider = [&](int first, int end) {
        if (end >= day) {
            const int candidate = std::max(first, day);
            if (best == 0 || candidate < best) {
                best = candidate;
            }
        }
    };
    for (int week = 0; week < 4; ++week) {
        if ((ordinals & (1u << week)) != 0) {
            consider(week * 7 + 1, week * 7 + 7);
        }
    }
    if (last) {
        consider(monthDays - 6, monthDays);
    }
    return best;
}

// Sets the task's date when it is a standard date; otherwise leaves the task as it is.
AdvanceResult settle(store::Schedule& task, std::int64_t date) {
    if (!isStandardDate(date)) {
        return AdvanceResult::OutOfRange;
    }
    task.Date = static_cast<std::int32_t>(date);
    return AdvanceResult::Advanced;
}

// "Day of Week": while the date is not after A, on to the next flagged weekday (or the next day
// when none is flagged). The stepping visits every flagged date after the task's date in turn,
// so it ends on the first flagged date after A.
AdvanceResult advanceDayOfWeek(store::Schedule& task, std::int64_t afterDate) {
    if (task.Date > afterDate) {
        return AdvanceResult::Advanced;
    }
    std::int64_t date = afterDate + 1;
    date += kToFlagged[weekdayMask(task)][static_cast<std::size_t>(weekday(date))];
    return settle(task, date);
}

// "Day of Month" without "Month End": moved at least once, on through the flagged weekdays (or day
// by day), until a date after A in a flagged ordinal week (any date when no ordinal week is
// flagged). That is the first such date after the later of the task's date and A; it is found by
// jumping from one candidate to the next.
AdvanceResult advanceDayOfMonth(store::Schedule& task, std::int64_t afterDate) {
    const unsigned weekdays = weekdayMask(task);
    const unsigned ordinals = ordinalMask(task);
    const bool last = task.EveryLast != 0;
    const bool anyWeek = ordinals == 0 && !last;

    std::int64_t date = std::max<std::int64_t>(task.Date, afterDate) + 1;
    const Civil start = civil(date);
    std::int64_t month = monthIndex(start.year, start.month);
    int day = start.day;
    int monthDays = daysInMonth(month);
    int dayOfWeek = weekday(date);
    auto forward = [&](int days) {
        date += days;
        day += days;
        dayOfWeek = (dayOfWeek + days) % 7;
        if (day > monthDays) {
            day -= monthDays;
            ++month;
            monthDays = daysInMonth(month);
        }
    };

    // Every ordinal week holds each weekday once and every month has a flagged week, so a date
    // fits within two months; each turn moves on to the next candidate.
    for (int turn = 0; turn < 64; ++turn) {
        if (!anyWeek) {
            const int first = firstDayInOrdinalWeeks(day, monthDays, ordinals, last);
            if (first == 0) {
                forward(monthDays - day + 1);
                continue;
            }
            forward(first - day);
        }
        if (weekdays != 0) {
            forward(kToFlagged[weekdays][static_cast<std::size_t>(dayOfWeek)]);
        }
        if (anyWeek || inOrdinalWeeks(day, monthDays, ordinals, last)) {
            return settle(task, date);
        }
    }
    return AdvanceResult::OutOfRange;  // not reached: the loop always finds a date
}

// "Day of Month" with "Month End" (this system's rule, see the header).
AdvanceResult advanceMonthEnd(store::Schedule& task, std::int64_t afterDate) {
    const std::int64_t from = std::max<std::int64_t>(task.Date, afterDate);
    const Civil c = civil(from);
    std::int64_t monthEnd = from - c.day + daysInMonth(c.year, c.month);
    if (monthEnd <= afterDate) {
        monthEnd += daysInMonth(monthIndex(c.year, c.month) + 1);
    }
    return settle(task, monthEnd);
}

// The first step j >= 1 at which day `day` does not exist in month index `month` + j * `months`
// (so the date constructor carries it into the next month), looking no further than `limit`.
std::optional<std::int64_t> firstCarryingStep(std::int64_t month, std::int64_t months, int day,
                                              std::int64_t limit) {
    if (day <= 28) {
        return std::nullopt;
    }
    // The month of the year repeats every `period` steps.
    const std::int64_t period = 12 / std::gcd<std::int64_t>(months % 12, 12);
    if (day >= 30) {
        // Only the month of the year matters: a carry comes within one period or never.
        for (std::int64_t step = 1; step <= std::min(period, limit); ++step) {
            if (daysInMonth(month + step * months) < day) {
                return step;
            }
        }
        return std::nullopt;
    }
    // Day 29 carries only in February of a common year: find the first February visited, then
    // walk the Februaries. Their years repeat modulo 400 within 400 visits.
    std::int64_t february = 0;
    for (std::int64_t step = 1; step <= std::min(period, limit); ++step) {
        const std::int64_t visited = month + step * months;
        if (visited - floorDiv(visited, 12) * 12 == 1) {
            february = step;
            break;
        }
    }
    if (february == 0) {
        return std::nullopt;
    }
    const std::int64_t firstYear = floorDiv(month + february * months, 12);
    const std::int64_t yearsApart = period * months / 12;
    for (std::int64_t visit = 0; visit < 400; ++visit) {
        const std::int64_t step = february + visit * period;
        if (step > limit) {
            return std::nullopt;
        }
        if (!isLeapYear(firstYear + visit * yearsApart)) {
            return step;
        }
    }
    return std::nullopt;
}

// Steps of `months` months ("Monthly" 1, "Yearly" 12, custom N or 12 N): while the date is not
// after A, date = date constructor (month + months, same day, year). Between carries the day of
// the month stays, so the step that first passes A is computed directly; a carry (possible only
// from the 29th-31st) is found by firstCarryingStep and leaves a day of 1-3, which never carries.
std::int64_t stepMonths(std::int64_t date, std::int64_t months, std::int64_t afterDate) {
    if (date > afterDate) {
        return date;
    }
    const Civil after = civil(afterDate);
    const std::int64_t afterMonth = monthIndex(after.year, after.month);
    const Civil current = civil(date);
    std::int64_t month = monthIndex(current.year, current.month);
    int day = current.day;
    for (int turn = 0; turn < 3 && date <= afterDate; ++turn) {
        // Without a carry, step k lands on (month + k * months, day): the first one after A.
        const std::int64_t target = afterMonth + (day > after.day ? 0 : 1);
        const std::int64_t steps = ceilDiv(target - month, months);
        const std::optional<std::int64_t> carry = firstCarryingStep(month, months, day, steps);
        if (!carry) {
            return makeDate(month + steps * months, day);
        }
        date = makeDate(month + *carry * months, day);
        const Civil carried = civil(date);
        month = monthIndex(carried.year, carried.month);
        day = carried.day;
    }
    return date;
}

AdvanceResult advanceMonths(store::Schedule& task, std::int64_t afterDate, std::int64_t months) {
    return settle(task, stepMonths(task.Date, months, afterDate));
}

// Custom days and weeks: while the date is not after A, add the step.
AdvanceResult advanceDays(store::Schedule& task, std::int64_t afterDate, std::int64_t step) {
    const std::int64_t date = task.Date;
    if (date > afterDate) {
        return AdvanceResult::Advanced;
    }
    return settle(task, date + (floorDiv(afterDate - date, step) + 1) * step);
}

// Custom minutes and hours. One step adds the count to the time (counts above a day add whole
// days to the date and the rest to the time), then carries whole days out of a time past the last
// hundredth; the steps go on while (date, time) comes before (A, B).
//
// Once the time lies within a day (1 .. 8,640,000) it stays there, and every step adds exactly
// count x unit hundredths to date x 8,640,000 + time: the first occurrence at or after (A, B) is
// then one division away. A time outside the day (0, negative or past the day) first goes
// through its own few linear phases, each solved the same way.
AdvanceResult advanceClock(store::Schedule& task, std::int64_t afterDate, std::int64_t afterTime,
                           std::int64_t count, std::int64_t unit, std::int64_t perDay) {
    std::int64_t date = task.Date;
    std::int64_t time = task.Time;
    auto before = [&](std::int64_t d, std::int64_t t) {
        return d < afterDate || (d == afterDate && t < afterTime);
    };
    if (!before(date, time)) {
        return AdvanceResult::Advanced;
    }
    const std::int64_t dayStep = count <= perDay ? 0 : count / perDay;
    const std::int64_t timeStep = count <= perDay ? count * unit : (count % perDay) * unit;
    auto finish = [&]() {
        if (!isStandardDate(date)) {
            return AdvanceResult::OutOfRange;
        }
        task.Date = static_cast<std::int32_t>(date);
        task.Time = static_cast<std::int32_t>(time);
        return AdvanceResult::Advanced;
    };

    if (time > kDayUnits) {
        // One step; its carry brings the time within the day.
        date += dayStep;
        time += timeStep;
        const std::int64_t days = (time - 1) / kDayUnits;
        time -= days * kDayUnits;
        date += days;
        if (!before(date, time)) {
            return finish();
        }
    }
    if (time < 1) {
        if (timeStep == 0) {
            // The time never changes: only the date moves, by whole days.
            const std::int64_t steps = time >= afterTime ? ceilDiv(afterDate - date, dayStep)
                                                         : floorDiv(afterDate - date, dayStep) + 1;
            date += steps * dayStep;
            return finish();
        }
        // Until the time reaches the day, steps add to it without any carry.
        const std::int64_t toDay = ceilDiv(1 - time, timeStep);
        std::int64_t steps = 0;
        if (dayStep == 0) {
            if (date == afterDate) {
                steps = std::max<std::int64_t>(1, ceilDiv(afterTime - time, timeStep));
            } else {
                steps = toDay + 1;  // the date stays before A: not within this phase
            }
        } else {
            steps = std::max<std::int64_t>(1, ceilDiv(afterDate - date, dayStep));
            if (date + steps * dayStep == afterDate && time + steps * timeStep < afterTime) {
                ++steps;
            }
        }
        steps = std::min(steps, toDay);
        date += steps * dayStep;
        time += steps * timeStep;
        if (!before(date, time)) {
            return finish();
        }
    }
    // The time lies within the day.
    const std::int64_t moment = date * kDayUnits + time;
    const std::int64_t firstAllowed =
        afterDate * kDayUnits + std::clamp<std::int64_t>(afterTime, 1, kDayUnits + 1);
    const std::int64_t stride = count * unit;
    const std::int64_t reached = moment + ceilDiv(firstAllowed - moment, stride) * stride;
    date = floorDiv(reached - 1, kDayUnits);
    time = reached - date * kDayUnits;
    return finish();
}

AdvanceResult advance(store::Schedule& task, std::int64_t afterDate, std::int64_t afterTime) {
    switch (scheduleKind(task.ScheduleType)) {
        case ScheduleKind::Once:
            task.Completed = 1;
            return AdvanceResult::Advanced;
        case ScheduleKind::Monthly:
            return advanceMonths(task, afterDate, 1);
        case ScheduleKind::Yearly:
            return advanceMonths(task, afterDate, 12);
        case ScheduleKind::DayOfWeek:
            return advanceDayOfWeek(task, afterDate);
        case ScheduleKind::DayOfMonth:
            return task.LastDayofMonth != 0 ? advanceMonthEnd(task, afterDate)
                                            : advanceDayOfMonth(task, afterDate);
        case ScheduleKind::Custom:
            break;
    }
    if (task.Every < 1) {
        task.Every = 1;
    }
    const std::int64_t count = task.Every;
    switch (customUnit(task.EveryType)) {
        case CustomUnit::Minutes:
            return advanceClock(task, afterDate, afterTime, count, store::kMinute, 1440);
        case CustomUnit::Hours:
            return advanceClock(task, afterDate, afterTime, count, store::kHour, 24);
        case CustomUnit::Days:
            return advanceDays(task, afterDate, count);
        case CustomUnit::Weeks:
            return advanceDays(task, afterDate, 7 * count);
        case CustomUnit::Months:
            return advanceMonths(task, afterDate, count);
        case CustomUnit::Years:
            return advanceMonths(task, afterDate, 12 * count);
        case CustomUnit::Unknown:
            break;
    }
    if (task.Date <= afterDate) {
        settle(task, afterDate + 1);
    }
    return AdvanceResult::InvalidUnits;
}

}  // namespace

ScheduleKind scheduleKind(std::string_view scheduleType) {
    const std::string_view type = trimRight(scheduleType);
    if (type == kOnce) {
        return ScheduleKind::Once;
    }
    if (type == "Day of Week") {
        return ScheduleKind::DayOfWeek;
    }
    if (type == "Day of Month") {
        return ScheduleKind::DayOfMonth;
    }
    if (type == "Monthly") {
        return ScheduleKind::Monthly;
    }
    if (type == "Yearly") {
        return ScheduleKind::Yearly;
    }
    return ScheduleKind::Custom;
}

CustomUnit customUnit(std::string_view everyType) {
    if (everyType.size() < 3) {
        return CustomUnit::Unknown;
    }
    const char unit[3] = {lower(everyType[0]), lower(everyType[1]), lower(everyType[2])};
    const std::string_view prefix(unit, 3);
    if (prefix == "min") {
        return CustomUnit::Minutes;
    }
    if (prefix == "hou") {
        return CustomUnit::Hours;
    }
    if (prefix == "day") {
        return CustomUnit::Days;
    }
    if (prefix == "wee") {
        return CustomUnit::Weeks;
    }
    if (prefix == "mon") {
        return CustomUnit::Months;
    }
    if (prefix == "yea") {
        return CustomUnit::Years;
    }
    return CustomUnit::Unknown;
}

bool dateFitsSchedule(const store::Schedule& task, std::int32_t date) {
    const std::int64_t day = date == store::kNoDate ? task.Date : date;
    const ScheduleKind kind = scheduleKind(task.ScheduleType);
    if (kind != ScheduleKind::DayOfWeek && kind != ScheduleKind::DayOfMonth) {
        return true;
    }
    const Civil c = civil(day);
    const int monthDays = daysInMonth(c.year, c.month);
    if (kind == ScheduleKind::DayOfMonth && task.LastDayofMonth != 0) {
        return c.day == monthDays;
    }
    if ((weekdayMask(task) & (1u << weekday(day))) == 0) {
        return false;
    }
    if (kind == ScheduleKind::DayOfWeek) {
        return true;
    }
    return inOrdinalWeeks(c.day, monthDays, ordinalMask(task), task.EveryLast != 0);
}

AdvanceResult advanceSchedule(store::Schedule& task, std::int32_t afterDate,
                              std::int32_t afterTime) {
    return advance(task, afterDate, afterTime);
}

AdvanceResult advanceOneOccurrence(store::Schedule& task) {
    return advance(task, task.Date, static_cast<std::int64_t>(task.Time) + 1);
}

std::int32_t annualRollForward(std::int32_t holidayDate, std::int32_t today) {
    const std::int64_t rolled = stepMonths(holidayDate, 12, static_cast<std::int64_t>(today) - 1);
    return isStandardDate(rolled) ? static_cast<std::int32_t>(rolled) : holidayDate;
}

bool timeRangeContains(std::int32_t begin, std::int32_t end, std::int32_t time) {
    if (begin <= end) {
        return begin <= time && time <= end;
    }
    return time < end || time > begin;
}

void normalizeDateTime(std::int32_t& date, std::int32_t& time) {
    if (time <= kDayUnits) {
        return;
    }
    const std::int64_t days = (static_cast<std::int64_t>(time) - 1) / kDayUnits;
    time = static_cast<std::int32_t>(time - days * kDayUnits);
    date = static_cast<std::int32_t>(std::min<std::int64_t>(date + days, kLastDate));
}

int compareDateTime(std::int32_t date1, std::int32_t time1, std::int32_t date2,
                    std::int32_t time2) {
    normalizeDateTime(date1, time1);
    normalizeDateTime(date2, time2);
    if (date1 != date2) {
        return date1 < date2 ? -1 : 1;
    }
    if (time1 != time2) {
        return time1 < time2 ? -1 : 1;
    }
    return 0;
}

}  // namespace agendix::engine
