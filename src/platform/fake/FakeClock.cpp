#include "platform/fake/FakeClock.h"

namespace agendix::platform {

void FakeClock::advance(std::int32_t hundredths) {
    constexpr std::int32_t kDay = 8640000;
    std::int64_t since = static_cast<std::int64_t>(now_) - 1 + hundredths;
    while (since >= kDay) {
        since -= kDay;
        ++today_;
    }
    now_ = static_cast<std::int32_t>(since + 1);
}

}  // namespace agendix::platform
