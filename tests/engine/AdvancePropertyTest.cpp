// Properties of advanceSchedule over many generated tasks, against the stepping rule applied one
// occurrence at a time with the store's own date functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>

#include "TaskBuilder.h"
#include "engine/ScheduleRules.h"

namespace agendix::engine {
namespace {

constexpr std::int64_t kDay = store::kLastHundredth;

bool weekdayFlag(const store::Schedule& t, std::int64_t day) {
    const std::uint8_t flags[] = {t.Sunday,   t.Monday, t.Tuesday, t.Wednesday,
                                  t.Thursday, t.Friday, t.Saturday};
    return flags[store::weekday(static_cast<std::int32_t>(day))] != 0;
}

bool anyWeekday(const store::Schedule& t) {
    return (t.Sunday | t.Monday | t.Tuesday | t.Wednesday | t.Thursday | t.Friday | t.Saturday) !=
           0;
}

bool anyOrdinal(const store::Schedule& t) {
    return (t.Every1st | t.Every2nd | t.Every3rd | t.Every4th | t.EveryLast) != 0;
}

bool inFlaggedWeek(const store::Schedule& t, std::int64_t day) {
    const store::CalendarDate c = store::calendarDate(static_cast<std::int32_t>(day));
    const std::uint8_t numbered[] = {t.Every1st, t.Every2nd, t.Every3rd, t.Every4th};
    if (c.day <= 28 && numbered[(c.day - 1) / 7] != 0) {
        return true;
    }
    return t.EveryLast != 0 && c.day > store::daysInMonth(c.month, c.year) - 7;
}

bool isMonthEnd(std::int64_t day) {
    return store::calendarDate(static_cast<std::int32_t>(day + 1)).day == 1;
}

// The stepping rule, one occurrence at a time.
void stepByStep(store::Schedule& t, std::int64_t after, std::int64_t afterTime) {
    std::int64_t day = t.Date;
    std::int64_t time = t.Time;
    auto toNextWeekday = [&] {
        if (anyWeekday(t)) {
            do {
                ++day;
            } while (!weekdayFlag(t, day));
        } else {
            ++day;
        }
    };
    auto monthStep = [&](int months) {
        const store::CalendarDate c = store::calendarDate(static_cast<std::int32_t>(day));
        day = store::makeDate(c.month + months, c.day, c.year);
    };
    switch (scheduleKind(t.ScheduleType)) {
        case ScheduleKind::Once:
            t.Completed = 1;
            return;
        case ScheduleKind::Monthly:
            while (day <= after) {
                monthStep(1);
            }
            break;
        case ScheduleKind::Yearly:
            while (day <= after) {
                monthStep(12);
            }
            break;
        case ScheduleKind::DayOfWeek:
            while (day <= after) {
                toNextWeekday();
            }
            break;
        case ScheduleKind::DayOfMonth:
            if (t.LastDayofMonth != 0) {
                // This system's rule: the first month end on or after both the day after the
                // after-date and the task's own date.
                day = std::max(day, after + 1);
                while (!isMonthEnd(day)) {
                    ++day;
                }
                break;
            }
            do {
                toNextWeekday();
            } while (!(day > after && (!anyOrdinal(t) || inFlaggedWeek(t, day))));
            break;
        case ScheduleKind::Custom: {
            if (t.Every < 1) {
                t.Every = 1;
            }
            const std::int64_t n = t.Every;
            std::string unit = t.EveryType.substr(0, 3);
            for (char& c : unit) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            auto clockSteps = [&](std::int64_t perDay, std::int64_t units) {
                while (day < after || (day == after && time < afterTime)) {
                    if (n <= perDay) {
                        time += n * units;
                    } else {
                        day += n / perDay;
                        time += (n % perDay) * units;
                    }
                    while (time > kDay) {
                        time -= kDay;
                        ++day;
                    }
                }
            };
            if (unit == "min") {
                clockSteps(1440, store::kMinute);
            } else if (unit == "hou") {
                clockSteps(24, store::kHour);
            } else if (unit == "day") {
                while (day <= after) {
                    day += n;
                }
            } else if (unit == "wee") {
                while (day <= after) {
                    day += 7 * n;
                }
            } else if (unit == "mon") {
                while (day <= after) {
                    monthStep(static_cast<int>(n));
                }
            } else if (unit == "yea") {
                while (day <= after) {
                    monthStep(static_cast<int>(12 * n));
                }
            } else if (day <= after) {
                day = after + 1;
            }
            break;
        }
    }
    t.Date = static_cast<std::int32_t>(day);
    t.Time = static_cast<std::int32_t>(time);
}

class Generator {
  public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
    }
    bool chance(int percent) { return between(0, 99) < percent; }

    std::int32_t someTime(int oddPercent = 15) {
        if (!chance(oddPercent)) {
            return static_cast<std::int32_t>(between(1, kDay));
        }
        const std::int32_t day = static_cast<std::int32_t>(kDay);
        const std::int32_t odd[] = {0, -1, -day, -30'000'000, day + 1, 2 * day, 30'000'000};
        return odd[between(0, 6)];
    }

    std::int32_t someCount(bool clock) {
        switch (between(0, 6)) {
            case 0:
                return static_cast<std::int32_t>(between(-2, 0));
            case 1:
                return static_cast<std::int32_t>(between(1, 12));
            case 2:
                return static_cast<std::int32_t>(between(1, 90));
            case 3:
                return clock ? static_cast<std::int32_t>(1440 * between(1, 3)) : 12;
            case 4:
                return static_cast<std::int32_t>(between(1, 5000));
            case 5:
                return clock ? static_cast<std::int32_t>(between(1, 2'000'000))
                             : static_cast<std::int32_t>(48 * between(1, 5));  // whole leap cycles
            default:
                return clock ? static_cast<std::int32_t>(between(1, 2'000'000)) : 48;
        }
    }

    store::Schedule task() {
        const char* kinds[] = {"Once",   "Day of Week", "Day of Month", "Monthly",
                               "Yearly", "Custom",      "Custom",       "Custom"};
        const char* units[] = {"minute(s)", "hour(s)", "day(s)", "week(s)",
                               "month(s)",  "year(s)", "",       "Minutes"};
        store::Schedule t = testing::Task(kinds[between(0, 7)], someDate(), someTime());
        std::uint8_t* flags[] = {&t.Sunday,   &t.Monday,   &t.Tuesday,  &t.Wednesday,
                                 &t.Thursday, &t.Friday,   &t.Saturday, &t.Every1st,
                                 &t.Every2nd, &t.Every3rd, &t.Every4th, &t.EveryLast};
        for (std::uint8_t* flag : flags) {
            *flag = chance(30) ? 1 : 0;
        }
        t.LastDayofMonth = chance(20) ? 1 : 0;
        t.EveryType = units[between(0, 7)];
        const CustomUnit unit = customUnit(t.EveryType);
        t.Every = someCount(unit == CustomUnit::Minutes || unit == CustomUnit::Hours);
        return t;
    }

    // Any date, or often one of the days that carry: the 28th to the 31st, a leap day.
    std::int32_t someDate() {
        const std::int32_t any = static_cast<std::int32_t>(between(kFirst, kLast));
        if (chance(70)) {
            return any;
        }
        const store::CalendarDate c = store::calendarDate(any);
        if (chance(30)) {
            return store::makeDate(2, 29, c.year - c.year % 4);  // 1900 and 2100 carry to 1 March
        }
        return store::makeDate(
            c.month, static_cast<int>(between(28, store::daysInMonth(c.month, c.year))), c.year);
    }

    // An after-date before or after the task's date, near enough that stepping one occurrence at
    // a time stays affordable for the count.
    std::int32_t afterDate(const store::Schedule& t) {
        std::int64_t reach = 15000;
        if (scheduleKind(t.ScheduleType) == ScheduleKind::Custom) {
            const std::int64_t count = std::max(1, t.Every);
            switch (customUnit(t.EveryType)) {
                case CustomUnit::Minutes:
                    reach = std::min<std::int64_t>(15000, count * 3000 / 1440 + 1);
                    break;
                case CustomUnit::Hours:
                    reach = std::min<std::int64_t>(15000, count * 3000 / 24 + 1);
                    break;
                default:
                    break;
            }
        }
        if (chance(25)) {
            return static_cast<std::int32_t>(t.Date + between(-2, 5));
        }
        return static_cast<std::int32_t>(t.Date + between(-400, reach));
    }

    static inline const std::int32_t kFirst = store::makeDate(1, 1, 1900);
    static inline const std::int32_t kLast = store::makeDate(12, 31, 2200);

  private:
    std::mt19937_64 random_;
};

std::string describe(const store::Schedule& t, std::int32_t after, std::int32_t afterTime) {
    std::ostringstream text;
    text << "'" << t.ScheduleType << "' every " << t.Every << " '" << t.EveryType << "' from "
         << t.Date << " t" << t.Time << " after " << after << " t" << afterTime << " flags "
         << int(t.Sunday) << int(t.Monday) << int(t.Tuesday) << int(t.Wednesday) << int(t.Thursday)
         << int(t.Friday) << int(t.Saturday) << "/" << int(t.Every1st) << int(t.Every2nd)
         << int(t.Every3rd) << int(t.Every4th) << int(t.EveryLast) << " end "
         << int(t.LastDayofMonth);
    return text.str();
}

bool isDayBased(const store::Schedule& t) {
    const ScheduleKind kind = scheduleKind(t.ScheduleType);
    if (kind == ScheduleKind::Once) {
        return false;
    }
    const CustomUnit unit = customUnit(t.EveryType);
    return kind != ScheduleKind::Custom ||
           (unit != CustomUnit::Minutes && unit != CustomUnit::Hours);
}

TEST(AdvanceProperties, AgreesWithSteppingOneOccurrenceAtATime) {
    Generator generate(0x5eed'2a1c'0005);
    for (int i = 0; i < 20000; ++i) {
        const store::Schedule task = generate.task();
        const std::int32_t after = generate.afterDate(task);
        const std::int32_t afterTime = generate.someTime();
        store::Schedule fast = task;
        store::Schedule stepped = task;
        advanceSchedule(fast, after, afterTime);
        stepByStep(stepped, after, afterTime);
        ASSERT_EQ(fast.Date, stepped.Date) << describe(task, after, afterTime);
        ASSERT_EQ(fast.Time, stepped.Time) << describe(task, after, afterTime);
        ASSERT_EQ(fast.Every, stepped.Every) << describe(task, after, afterTime);
        ASSERT_EQ(fast.Completed, stepped.Completed) << describe(task, after, afterTime);
    }
}

TEST(AdvanceProperties, MinuteAndHourCatchUpMatchesSteppingYearsBehind) {
    // Tasks a year or more behind, at ordinary times: the catch-up is one computation, the
    // stepping hundreds of thousands of occurrences.
    Generator generate(0x5eed'2a1c'0006);
    for (int i = 0; i < 40; ++i) {
        const bool minutes = generate.chance(50);
        store::Schedule task =
            testing::Task(
                "Custom",
                static_cast<std::int32_t>(generate.between(Generator::kFirst, Generator::kLast)),
                static_cast<std::int32_t>(generate.between(1, kDay)))
                .every(static_cast<std::int32_t>(generate.between(1, minutes ? 200 : 30)),
                       minutes ? "minute(s)" : "hour(s)");
        const std::int32_t after =
            task.Date + static_cast<std::int32_t>(generate.between(365, 3 * 365));
        const std::int32_t afterTime = static_cast<std::int32_t>(generate.between(1, kDay));
        store::Schedule fast = task;
        store::Schedule stepped = task;
        advanceSchedule(fast, after, afterTime);
        stepByStep(stepped, after, afterTime);
        ASSERT_EQ(fast.Date, stepped.Date) << describe(task, after, afterTime);
        ASSERT_EQ(fast.Time, stepped.Time) << describe(task, after, afterTime);
    }
}

TEST(AdvanceProperties, MinuteAndHourTimesOutsideTheDayMatchStepping) {
    // Times of 0, below 0 or past the day, after-moments on or next to the task's date: the
    // phases before the time settles within a day.
    Generator generate(0x5eed'2a1c'0008);
    for (int i = 0; i < 20000; ++i) {
        const bool minutes = generate.chance(50);
        const std::int32_t count =
            generate.chance(50)
                ? static_cast<std::int32_t>(generate.between(1, minutes ? 1440 : 24))
                : static_cast<std::int32_t>(generate.between(1, minutes ? 20000 : 300));
        store::Schedule task = testing::Task("Custom", generate.someDate(), generate.someTime(80))
                                   .every(count, minutes ? "minute(s)" : "hour(s)");
        const std::int32_t after = task.Date + static_cast<std::int32_t>(generate.between(-1, 3));
        const std::int32_t afterTime = generate.someTime(60);
        store::Schedule fast = task;
        store::Schedule stepped = task;
        advanceSchedule(fast, after, afterTime);
        stepByStep(stepped, after, afterTime);
        ASSERT_EQ(fast.Date, stepped.Date) << describe(task, after, afterTime);
        ASSERT_EQ(fast.Time, stepped.Time) << describe(task, after, afterTime);
    }
}

TEST(AdvanceProperties, LeapDaysSteppingWholeLeapCyclesMatchStepping) {
    // 29 February stepped by multiples of four years stays on leap days until a century year
    // that is not one, sometimes never; the first carry decides every later date.
    Generator generate(0x5eed'2a1c'0009);
    for (int i = 0; i < 4000; ++i) {
        const int year = static_cast<int>(4 * generate.between(400, 600));
        const bool inYears = generate.chance(50);
        const std::int32_t cycles = static_cast<std::int32_t>(generate.between(1, 30));
        store::Schedule task =
            testing::Task("Custom", store::makeDate(2, 29, year))
                .every(inYears ? 4 * cycles : 48 * cycles, inYears ? "year(s)" : "month(s)");
        const std::int32_t after =
            task.Date + static_cast<std::int32_t>(generate.between(0, 146097));
        store::Schedule fast = task;
        store::Schedule stepped = task;
        advanceSchedule(fast, after, 1);
        stepByStep(stepped, after, 1);
        ASSERT_EQ(fast.Date, stepped.Date) << describe(task, after, 1);
    }
}

TEST(AdvanceProperties, DayBasedResultsFallAfterTheAfterDateAndFitTheirRule) {
    Generator generate(0x5eed'2a1c'0007);
    for (int i = 0; i < 20000; ++i) {
        store::Schedule task = generate.task();
        if (!isDayBased(task)) {
            continue;
        }
        const std::int32_t after = generate.afterDate(task);
        const std::int32_t from = task.Date;
        const AdvanceResult result = advanceSchedule(task, after, generate.someTime());
        ASSERT_NE(result, AdvanceResult::OutOfRange);
        ASSERT_GT(task.Date, after) << describe(task, after, 0);
        ASSERT_GE(task.Date, from) << describe(task, after, 0);

        const ScheduleKind kind = scheduleKind(task.ScheduleType);
        const bool movedWeekly =
            kind == ScheduleKind::DayOfWeek && anyWeekday(task) && from <= after;
        const bool monthly = kind == ScheduleKind::DayOfMonth &&
                             (task.LastDayofMonth != 0 || (anyWeekday(task) && anyOrdinal(task)));
        if (movedWeekly || monthly) {
            ASSERT_TRUE(dateFitsSchedule(task)) << describe(task, after, 0);
        }
    }
}

}  // namespace
}  // namespace agendix::engine
