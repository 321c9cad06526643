/** @file ScriptedRandom.h
 ** Test fake: a random source that returns the numbers it is given, in order, then repeats the last. **/
#pragma once

#include "platform/Clock.h"

#include <vector>

namespace fakes {

class ScriptedRandom : public platform::Random {
public:
    explicit ScriptedRandom(std::vector<int> values) : values(std::move(values)) {}
    void Seed(std::uint32_t) override {}
    int Next() override
    {
        ++draws;
        if (values.empty())
            return 0;
        const int v = values[next < values.size() ? next : values.size() - 1];
        if (next < values.size())
            ++next;
        return v;
    }
    int draws = 0;

private:
    std::vector<int> values;
    std::size_t next = 0;
};

} // namespace fakes
