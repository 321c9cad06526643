/** @file Clock.h
 ** Local time and pseudo-random numbers, injected so that dates, the clock and random choices are testable. **/
#pragma once

#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 1970, month = 1, day = 1; // month 1..12
    int hour = 0, minute = 0, second = 0;
    int weekday = 4; // 0 = Sunday
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

/// The system's local time.
class SystemClock : public Clock {
public:
    LocalTime Now() const override;
};

/// The runtime's rand: values 0..32767 from a seed.
class Random {
public:
    virtual ~Random() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    virtual int Next() = 0;
};

/// The classic linear congruential generator of the runtime, so a seed gives the same sequence everywhere.
class LcgRandom : public Random {
public:
    void Seed(std::uint32_t s) override { state = s; }
    int Next() override
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff);
    }

private:
    std::uint32_t state = 1;
};

} // namespace platform
