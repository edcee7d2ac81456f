#pragma once

#include <cstdint>

namespace agendix::platform {

// Time as the store keeps it: today as a standard date (days since 28 December 1800) and now as
// a standard time (hundredths of a second since midnight, plus one).
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t today() const = 0;
    virtual std::int32_t now() const = 0;
};

// The local wall clock.
class SystemClock final : public Clock {
public:
    std::int32_t today() const override;
    std::int32_t now() const override;
};

}  // namespace agendix::platform
