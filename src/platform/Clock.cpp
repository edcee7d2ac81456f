#include "platform/Clock.h"

#include <chrono>
#include <ctime>

namespace agendix::platform {
namespace {

std::tm localNow(long* hundredths) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    if (hundredths != nullptr) {
        const auto sinceSecond = now - std::chrono::system_clock::from_time_t(seconds);
        *hundredths = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count() / 10);
    }
    return local;
}

}  // namespace

std::int32_t SystemClock::today() const {
    using namespace std::chrono;
    const std::tm local = localNow(nullptr);
    const year_month_day ymd{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                             day{static_cast<unsigned>(local.tm_mday)}};
    return static_cast<std::int32_t>((sys_days{ymd} - sys_days{1800y / December / 28}).count());
}

std::int32_t SystemClock::now() const {
    long hundredths = 0;
    const std::tm local = localNow(&hundredths);
    return static_cast<std::int32_t>(1 + local.tm_hour * 360000L + local.tm_min * 6000L +
                                     local.tm_sec * 100L + hundredths);
}

}  // namespace agendix::platform
