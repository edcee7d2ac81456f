// advanceSchedule for each kind of task, ns per call, beside libical's recurrence iterator
// answering the same question for the equivalent rule: the next occurrence after now, for a task
// whose last occurrence was a few days back and for one ten years back.
//
// libical is asked in its two ways: iterating from the start (icalrecur_iterator_new, then next
// until past now) and jumping (icalrecur_iterator_set_start at now, then next). Before anything is
// measured, each rule's answers are checked to be the same date.
#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/ScheduleRules.h"
#include "store/Records.h"
#include "store/StandardDate.h"

namespace agendix::bench {
namespace {

using store::makeDate;
using store::makeTime;

// Now: Wednesday 10 June 2026, 12:05 (between occurrences, so "at or after now" and "after now"
// give the same one). Tasks run at 09:00.
const std::int32_t kToday = makeDate(6, 10, 2026);
const std::int32_t kNow = makeTime(12, 5);
const std::int32_t kRunTime = makeTime(9, 0);

struct Rule {
    std::string name;
    std::string rrule;  // the libical equivalent; empty when there is none
    store::Schedule task;
    std::int32_t recentStart;
    std::int32_t tenYearsStart;
};

store::Schedule task(const char* kind) {
    store::Schedule t;
    t.ScheduleType = kind;
    t.Time = kRunTime;
    return t;
}

store::Schedule custom(std::int32_t every, const char* unit) {
    store::Schedule t = task("Custom");
    t.Every = every;
    t.EveryType = unit;
    return t;
}

std::vector<Rule> rules() {
    std::vector<Rule> all;
    {
        store::Schedule t = task("Day of Week");
        t.Monday = t.Thursday = 1;
        all.push_back({"DayOfWeek_MO_TH", "FREQ=WEEKLY;BYDAY=MO,TH", t, makeDate(6, 4, 2026),
                       makeDate(6, 9, 2016)});
    }
    {
        store::Schedule t = task("Day of Month");
        t.Monday = t.Every1st = 1;
        all.push_back({"DayOfMonth_1st_MO", "FREQ=MONTHLY;BYDAY=1MO", t, makeDate(6, 1, 2026),
                       makeDate(6, 6, 2016)});
    }
    {
        store::Schedule t = task("Day of Month");
        t.Friday = t.EveryLast = 1;
        all.push_back({"DayOfMonth_Last_FR", "FREQ=MONTHLY;BYDAY=-1FR", t, makeDate(5, 29, 2026),
                       makeDate(5, 27, 2016)});
    }
    {
        store::Schedule t = task("Day of Month");
        t.LastDayofMonth = 1;
        all.push_back({"DayOfMonth_MonthEnd", "FREQ=MONTHLY;BYMONTHDAY=-1", t,
                       makeDate(5, 31, 2026), makeDate(5, 31, 2016)});
    }
    all.push_back({"Monthly_15th", "FREQ=MONTHLY;BYMONTHDAY=15", task("Monthly"),
                   makeDate(5, 15, 2026), makeDate(5, 15, 2016)});
    all.push_back(
        {"Yearly", "FREQ=YEARLY", task("Yearly"), makeDate(6, 5, 2025), makeDate(6, 5, 2016)});
    all.push_back({"Custom_90_minutes", "FREQ=MINUTELY;INTERVAL=90", custom(90, "minute(s)"),
                   makeDate(6, 7, 2026), makeDate(6, 10, 2016)});
    all.push_back({"Custom_5_hours", "FREQ=HOURLY;INTERVAL=5", custom(5, "hour(s)"),
                   makeDate(6, 7, 2026), makeDate(6, 10, 2016)});
    all.push_back({"Custom_3_days", "FREQ=DAILY;INTERVAL=3", custom(3, "day(s)"),
                   makeDate(6, 8, 2026), makeDate(6, 11, 2016)});
    all.push_back({"Custom_2_weeks", "FREQ=WEEKLY;INTERVAL=2", custom(2, "week(s)"),
                   makeDate(6, 3, 2026), makeDate(6, 15, 2016)});
    all.push_back({"Custom_2_months", "FREQ=MONTHLY;INTERVAL=2", custom(2, "month(s)"),
                   makeDate(4, 20, 2026), makeDate(4, 20, 2016)});
    all.push_back({"Custom_2_years", "FREQ=YEARLY;INTERVAL=2", custom(2, "year(s)"),
                   makeDate(6, 5, 2024), makeDate(6, 5, 2016)});
    all.push_back({"Once", "", task("Once"), makeDate(6, 8, 2026), makeDate(6, 8, 2016)});
    return all;
}

icaltimetype icalAt(std::int32_t date, std::int32_t time) {
    const store::CalendarDate c = store::calendarDate(date);
    icaltimetype t = icaltime_null_time();
    t.year = c.year;
    t.month = c.month;
    t.day = c.day;
    t.hour = (time - 1) / store::kHour;
    t.minute = (time - 1) % store::kHour / store::kMinute;
    t.is_date = 0;
    return t;
}

std::int32_t fromIcal(const icaltimetype& t) {
    return makeDate(t.month, t.day, t.year);
}

icaltimetype icalNextByIterating(const icalrecurrencetype& rule, const icaltimetype& start,
                                 const icaltimetype& now) {
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, start);
    icaltimetype next = icalrecur_iterator_next(iterator);
    while (!icaltime_is_null_time(next) && icaltime_compare(next, now) <= 0) {
        next = icalrecur_iterator_next(iterator);
    }
    icalrecur_iterator_free(iterator);
    return next;
}

icaltimetype icalNextByJumping(const icalrecurrencetype& rule, const icaltimetype& start,
                               const icaltimetype& now) {
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, start);
    icalrecur_iterator_set_start(iterator, now);
    icaltimetype next = icalrecur_iterator_next(iterator);
    while (!icaltime_is_null_time(next) && icaltime_compare(next, now) <= 0) {
        next = icalrecur_iterator_next(iterator);
    }
    icalrecur_iterator_free(iterator);
    return next;
}

store::Schedule ours(const Rule& rule, std::int32_t start) {
    store::Schedule t = rule.task;
    t.Date = start;
    engine::advanceSchedule(t, kToday, kNow);
    return t;
}

// The same answer from both sides, or the comparison means nothing.
void checkAgreement(const Rule& rule, std::int32_t start) {
    if (rule.rrule.empty()) {
        return;
    }
    const icalrecurrencetype recurrence = icalrecurrencetype_from_string(rule.rrule.c_str());
    const icaltimetype now = icalAt(kToday, kNow);
    const store::Schedule t = ours(rule, start);
    const icaltimetype iterated = icalNextByIterating(recurrence, icalAt(start, kRunTime), now);
    const icaltimetype jumped = icalNextByJumping(recurrence, icalAt(start, kRunTime), now);
    const std::int32_t iteratedDate = fromIcal(iterated);
    const std::int32_t iteratedTime = makeTime(iterated.hour, iterated.minute);
    if (t.Date != iteratedDate || t.Time != iteratedTime || fromIcal(jumped) != iteratedDate) {
        std::fprintf(stderr, "%s from %d: ours %d, libical %d (jumping %d)\n", rule.name.c_str(),
                     start, t.Date, iteratedDate, fromIcal(jumped));
        std::exit(1);
    }
}

void registerAll() {
    for (const Rule& rule : rules()) {
        for (const auto& [span, start] :
             {std::pair{"recent", rule.recentStart}, std::pair{"ten_years", rule.tenYearsStart}}) {
            checkAgreement(rule, start);
            const std::string suffix = rule.name + "/" + span;
            benchmark::RegisterBenchmark(("advanceSchedule/" + suffix).c_str(),
                                         [rule, start](benchmark::State& state) {
                                             store::Schedule t = rule.task;
                                             for (auto _ : state) {
                                                 t.Date = start;
                                                 t.Time = kRunTime;
                                                 t.Completed = 0;
                                                 engine::advanceSchedule(t, kToday, kNow);
                                                 benchmark::DoNotOptimize(t.Date);
                                                 benchmark::DoNotOptimize(t.Time);
                                             }
                                         });
            if (rule.rrule.empty()) {
                continue;
            }
            const icalrecurrencetype recurrence =
                icalrecurrencetype_from_string(rule.rrule.c_str());
            const icaltimetype from = icalAt(start, kRunTime);
            const icaltimetype now = icalAt(kToday, kNow);
            benchmark::RegisterBenchmark(("libical_iterate/" + suffix).c_str(),
                                         [recurrence, from, now](benchmark::State& state) {
                                             for (auto _ : state) {
                                                 icaltimetype next =
                                                     icalNextByIterating(recurrence, from, now);
                                                 benchmark::DoNotOptimize(next);
                                             }
                                         });
            benchmark::RegisterBenchmark(("libical_set_start/" + suffix).c_str(),
                                         [recurrence, from, now](benchmark::State& state) {
                                             for (auto _ : state) {
                                                 icaltimetype next =
                                                     icalNextByJumping(recurrence, from, now);
                                                 benchmark::DoNotOptimize(next);
                                             }
                                         });
        }
    }
}

// Registered before benchmark_main runs them.
const bool kRegistered = (registerAll(), true);

}  // namespace
}  // namespace agendix::bench
