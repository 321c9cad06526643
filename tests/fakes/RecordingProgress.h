/** @file RecordingProgress.h
 ** Test fake: a progress display that records what it was told. **/
#pragma once

#include "platform/ProgressDisplay.h"

#include <cstdint>
#include <string>

namespace fakes {

class RecordingProgress : public platform::ProgressDisplay {
public:
    void Show(const std::string& l) override { label = l; visible = true; ++shows; }
    void SetRange(std::int64_t lo, std::int64_t hi) override { low = lo; high = hi; }
    void SetStep(std::int64_t s) override { step = s; }
    void SetPos(std::int64_t p) override { pos = p; }
    void StepIt() override { pos += step; ++steps; }
    void Hide() override { visible = false; ++hides; }

    std::string label;
    bool visible = false;
    int shows = 0, hides = 0;
    std::int64_t low = 0, high = 0, step = 0, pos = 0, steps = 0;
};

} // namespace fakes
