/** @file ProgressDisplay.h
 ** A progress display (the status bar's label and bar) that long operations report to. **/
#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// Modelled on a progress bar control: a range, a step, and step-it calls. Ranges are 64-bit so a
/// text above 65,535 characters does not overflow the bar.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    virtual void Show(const std::string& label) = 0;
    virtual void SetRange(std::int64_t low, std::int64_t high) = 0;
    virtual void SetStep(std::int64_t step) = 0;
    virtual void SetPos(std::int64_t pos) = 0;
    virtual void StepIt() = 0;
    virtual void Hide() = 0;
};

} // namespace platform
