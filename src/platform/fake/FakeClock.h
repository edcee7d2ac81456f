#pragma once

#include "platform/Clock.h"

namespace agendix::platform {

// A clock that stands still until a test moves it.
class FakeClock final : public Clock {
public:
    FakeClock(std::int32_t today, std::int32_t now) : today_(today), now_(now) {}

    std::int32_t today() const override { return today_; }
    std::int32_t now() const override { return now_; }

    void set(std::int32_t today, std::int32_t now) {
        today_ = today;
        now_ = now;
    }
    // Moves the clock forward by hundredths of a second, carrying into the next days.
    void advance(std::int32_t hundredths);

private:
    std::int32_t today_;
    std::int32_t now_;
};

}  // namespace agendix::platform
