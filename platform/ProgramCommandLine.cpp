#include "platform/ProgramCommandLine.h"

#include <algorithm>

namespace platform {

bool ProgramCommandLine::Has(const std::string& option) const
{
    return std::find(switches.begin(), switches.end(), option) != switches.end();
}

ProgramCommandLine ParseProgramCommandLine(const std::vector<std::string>& arguments, const std::vector<std::string>& known)
{
    ProgramCommandLine line;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            line.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (std::find(known.begin(), known.end(), argument) != known.end()) {
            line.switches.push_back(argument);
        } else if (line.unknownOption.empty()) {
            line.unknownOption = argument;
        }
    }
    return line;
}

std::optional<int> AnswerCommandLine(const ProgramCommandLine& line, const ProgramDescription& program, UnknownOptions unknown,
                                     std::FILE* out, std::FILE* err)
{
    if (line.help) {
        std::fputs(program.usage.c_str(), out);
        return 0;
    }
    if (line.version) {
        std::fprintf(out, "%s %s\n", program.name.c_str(), program.version.c_str());
        return 0;
    }
    if (!line.unknownOption.empty() && unknown == UnknownOptions::Error) {
        // The first line of the help is the usage line.
        const std::string usageLine = program.usage.substr(0, program.usage.find('\n'));
        std::fprintf(err, "%s: unknown option %s\n%s\nTry '%s --help' for more.\n", program.name.c_str(),
                     line.unknownOption.c_str(), usageLine.c_str(), program.name.c_str());
        return CommandLineUsageError;
    }
    return std::nullopt;
}

} // namespace platform
