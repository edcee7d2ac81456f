#include "script/ScriptQueue.h"

#include <algorithm>
#include <limits>

#include "store/StandardDate.h"

namespace agendix::script {

void addHundredths(std::int32_t& date, std::int32_t& time, std::int64_t hundredths) {
    constexpr std::int64_t kDay = store::kLastHundredth;
    constexpr std::int64_t kLastDate = std::numeric_limits<std::int32_t>::max();
    std::int64_t day = date;
    std::int64_t moment = static_cast<std::int64_t>(time) + std::max<std::int64_t>(hundredths, 0);
    if (moment > kDay) {
        const std::int64_t days = (moment - 1) / kDay;
        moment -= days * kDay;
        day += days;
    }
    if (day > kLastDate) {
        day = kLastDate;
        moment = kDay;
    }
    date = static_cast<std::int32_t>(day);
    time = static_cast<std::int32_t>(moment);
}

}  // namespace agendix::script
