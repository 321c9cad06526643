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
        } else {
            if (line.unknownOption.empty())
                line.unknownOption = argument;
            line.unknownOptions.push_back(argument);
        }
    }
    return line;
}

bool IsToolkitOption(const std::string& argument)
{
    // The options QGuiApplication and QApplication take out of the command line, with one dash
    // or two and an optional "=value".
    static const char* const toolkitOptions[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "reverse", "session", "style", "stylesheet", "widgetcount",
        "display", "geometry", "name", "title", "visual", "ncols", "cmap", "nograb", "dograb", "sync",
        "testability", "fontengine", "nocrashhandler"};
    const size_t start = argument.rfind("--", 0) == 0 ? 2 : argument.rfind('-', 0) == 0 ? 1 : 0;
    if (start == 0)
        return false;
    const size_t equals = argument.find('=');
    const std::string name = argument.substr(start, equals == std::string::npos ? std::string::npos : equals - start);
    return std::any_of(std::begin(toolkitOptions), std::end(toolkitOptions), [&](const char* o) { return name == o; });
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
    std::string refused;
    if (unknown == UnknownOptions::Error) {
        refused = line.unknownOption;
    } else if (unknown == UnknownOptions::ToolkitOnly) {
        const auto notToolkit = std::find_if_not(line.unknownOptions.begin(), line.unknownOptions.end(), IsToolkitOption);
        if (notToolkit != line.unknownOptions.end())
            refused = *notToolkit;
    }
    if (!refused.empty()) {
        // The first line of the help is the usage line.
        const std::string usageLine = program.usage.substr(0, program.usage.find('\n'));
        std::fprintf(err, "%s: unknown option %s\n%s\nTry '%s --help' for more.\n", program.name.c_str(), refused.c_str(),
                     usageLine.c_str(), program.name.c_str());
        return CommandLineUsageError;
    }
    return std::nullopt;
}

} // namespace platform
