#pragma once

#include <initializer_list>
#include <string>

#include "store/Records.h"
#include "store/StandardDate.h"

namespace agendix::engine::testing {

enum Weekday { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
// Ordinal weeks of "Day of Month": 1st to 4th, and the last seven days of the month.
enum Ordinal { First = 1, Second, Third, Fourth, Last };

inline std::int32_t date(int year, int month, int day) {
    return store::makeDate(month, day, year);
}

// A task record built for a test: the kind, its date and time, then whatever the case needs.
class Task {
  public:
    Task(std::string kind, std::int32_t date, std::int32_t time = store::makeTime(9, 0)) {
        task_.ScheduleType = std::move(kind);
        task_.Date = date;
        task_.Time = time;
        task_.TaskType = "Display Message";
        task_.Description = "test task";
    }

    Task& on(std::initializer_list<Weekday> days) {
        for (Weekday day : days) {
            std::uint8_t* flags[] = {&task_.Sunday,    &task_.Monday,   &task_.Tuesday,
                                     &task_.Wednesday, &task_.Thursday, &task_.Friday,
                                     &task_.Saturday};
            *flags[day] = 1;
        }
        return *this;
    }
    Task& in(std::initializer_list<Ordinal> weeks) {
        for (Ordinal week : weeks) {
            std::uint8_t* flags[] = {&task_.Every1st, &task_.Every2nd, &task_.Every3rd,
                                     &task_.Every4th, &task_.EveryLast};
            *flags[week - 1] = 1;
        }
        return *this;
    }
    Task& monthEnd() {
        task_.LastDayofMonth = 1;
        return *this;
    }
    Task& every(std::int32_t count, std::string unit) {
        task_.Every = count;
        task_.EveryType = std::move(unit);
        return *this;
    }
    Task& exceptWeekends() {
        task_.ExceptWeekends = 1;
        return *this;
    }
    Task& exceptWeekdays() {
        task_.ExceptWeekdays = 1;
        return *this;
    }
    Task& exceptHolidays() {
        task_.ExceptHolidays = 1;
        return *this;
    }
    Task& exceptTime(std::int32_t begin, std::int32_t end) {
        task_.ExceptTime = 1;
        task_.ExceptTimeBegin = begin;
        task_.ExceptTimeEnd = end;
        return *this;
    }
    Task& shift(std::string shiftType) {
        task_.ShiftType = std::move(shiftType);
        return *this;
    }
    Task& skipNextTime() {
        task_.SkipNextTime = 1;
        return *this;
    }

    operator store::Schedule() const { return task_; }

  private:
    store::Schedule task_;
};

}  // namespace agendix::engine::testing
