/** @file ScriptedRandom.h
 ** Test fake: a random source that returns the values a test lists, so random choices are exact. **/
#pragma once

#include "platform/Clock.h"

#include <cstddef>
#include <vector>

namespace fakes {

/// Returns the scripted values in order, then `after` for every further draw; counts the draws.
class ScriptedRandom : public platform::Random {
public:
    explicit ScriptedRandom(std::vector<int> values = {}, int after = 0) : values(std::move(values)), after(after) {}
    void Seed(std::uint32_t) override {}
    int Next() override
    {
        const int v = drawn < values.size() ? values[drawn] : after;
        ++drawn;
        return v;
    }
    std::size_t Drawn() const { return drawn; }

private:
    std::vector<int> values;
    int after;
    std::size_t drawn = 0;
};

} // namespace fakes
