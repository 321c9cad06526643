/** @file DorvantileCommandLine.h
 ** The keymap editor's command line: an optional keymap file to load, --help and --version. **/
#pragma once

#include "platform/ProgramCommandLine.h"

#include <string>
#include <vector>

namespace kbdedit {

struct DorvantileCommandLine {
    std::string keymapFile; // the first file argument, made absolute against the starting folder
    platform::ProgramCommandLine parsed;
};

/// The arguments after the program name; `startFolder` is the folder the program was started from.
DorvantileCommandLine ParseDorvantileCommandLine(const std::vector<std::string>& arguments, const std::string& startFolder);
/// The keymap editor's name, --help text and version.
platform::ProgramDescription DorvantileProgramDescription();

} // namespace kbdedit
