#include "store/StandardDate.h"

#include <chrono>

namespace agendix::store {
namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days{1800y / December / 28};

int floorDiv(int value, int divisor) {
    int quotient = value / divisor;
    if ((value % divisor != 0) && ((value < 0) != (divisor < 0))) {
        --quotient;
    }
    return quotient;
}

}  // namespace

std::int32_t makeDate(int month, int day, int year) {
    const int monthIndex = month - 1;
    const int carriedYear = year + floorDiv(monthIndex, 12);
    const int carriedMonth = monthIndex - floorDiv(monthIndex, 12) * 12 + 1;
    const sys_days first{std::chrono::year{carriedYear} / carriedMonth / 1};
    return static_cast<std::int32_t>((first - kDayZero).count() + day - 1);
}

CalendarDate calendarDate(std::int32_t date) {
    const year_month_day ymd{kDayZero + days{date}};
    return CalendarDate{static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                        static_cast<int>(unsigned(ymd.day()))};
}

int weekday(std::int32_t date) {
    const int rest = date % 7;
    return rest < 0 ? rest + 7 : rest;
}

std::string dayName(std::int32_t date) {
    std::string name(kDayNames.substr(static_cast<std::size_t>(weekday(date)) * 9, 9));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

bool isLeapYear(int year) { return std::chrono::year{year}.is_leap(); }

int daysInMonth(int month, int year) {
    const year_month_day_last last{std::chrono::year{year} / month / std::chrono::last};
    return static_cast<int>(unsigned(last.day()));
}

}  // namespace agendix::store
