/** @file ProgramCommandLine.h
 ** The command-line manners the desktop programs share: --help, --version, unknown options, file arguments. **/
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform {

/// Exit status of a command line that cannot be used.
inline constexpr int CommandLineUsageError = 2;

struct ProgramCommandLine {
    bool help = false;    // --help or -h
    bool version = false; // --version
    std::string unknownOption;         // the first option that is neither known nor help/version
    std::vector<std::string> unknownOptions; // all of them, in order
    std::vector<std::string> switches; // the known options given, in order
    std::vector<std::string> files;    // every other argument; all of them after "--"
    bool Has(const std::string& option) const;
};

/// Reads the arguments after the program name. `known` lists the program's own options; any other
/// argument beginning with '-' (but "-" alone, a file name) is unknown.
ProgramCommandLine ParseProgramCommandLine(const std::vector<std::string>& arguments, const std::vector<std::string>& known);

/// What a program prints for its --help and --version and for an unknown option.
struct ProgramDescription {
    std::string name;    // "kelmora"
    std::string usage;   // the whole --help text
    std::string version; // the number alone
};

/// True for an option the widget toolkit takes itself ("-platform", "--style=fusion", ...).
bool IsToolkitOption(const std::string& argument);

/// Help and version go to `out` and end the program with 0; an unknown option is named on
/// `err` with the usage line and ends it with 2 under UnknownOptions::Error, and under
/// ToolkitOnly unless the toolkit takes it (checked before the toolkit starts, so a mistyped
/// option is answered even where no display can be opened). Nothing: the program goes on.
enum class UnknownOptions { Error, ToolkitOnly, Allowed };
std::optional<int> AnswerCommandLine(const ProgramCommandLine& line, const ProgramDescription& program, UnknownOptions unknown,
                                     std::FILE* out, std::FILE* err);

} // namespace platform
