// The shared command-line manners: what is an option, a file, help or version, and what each answer prints.
#include "platform/ProgramCommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

namespace {

/// What a stream received, read back from a temporary file.
class Captured {
public:
    Captured() : file(std::tmpfile()) {}
    ~Captured() { std::fclose(file); }
    std::FILE* Stream() const { return file; }
    std::string Text() const
    {
        std::fflush(file);
        std::rewind(file);
        std::string text;
        for (int c; (c = std::fgetc(file)) != EOF;)
            text.push_back(static_cast<char>(c));
        return text;
    }

private:
    std::FILE* file;
};

const ProgramDescription Program{"prog", "Usage: prog [--fast] [FILE]\nMore words.\n", "1.2.3"};

TEST(ProgramCommandLine, SortsArgumentsIntoSwitchesFilesAndTheFirstUnknown)
{
    const ProgramCommandLine line =
        ParseProgramCommandLine({"--fast", "a.txf", "-", "--odd", "-x", "--", "--help", "-y"}, {"--fast"});
    EXPECT_TRUE(line.Has("--fast"));
    EXPECT_EQ(line.unknownOption, "--odd");
    // "-" is a file (standard input to some), and after "--" everything is.
    EXPECT_EQ(line.files, (std::vector<std::string>{"a.txf", "-", "--help", "-y"}));
    EXPECT_FALSE(line.help);
}

TEST(ProgramCommandLine, AnswersHelpVersionAndUnknownOptions)
{
    struct Case {
        std::vector<std::string> arguments;
        UnknownOptions unknown;
        std::optional<int> status;
        std::string out;
        std::string err;
    };
    const std::string unknownText = "prog: unknown option --odd\nUsage: prog [--fast] [FILE]\nTry 'prog --help' for more.\n";
    for (const Case& c : {Case{{"--help"}, UnknownOptions::Error, 0, Program.usage, ""},
                          Case{{"file", "-h"}, UnknownOptions::Error, 0, Program.usage, ""},
                          Case{{"--version"}, UnknownOptions::Error, 0, "prog 1.2.3\n", ""},
                          // Help wins over a mistake elsewhere on the line.
                          Case{{"--odd", "--help"}, UnknownOptions::Error, 0, Program.usage, ""},
                          Case{{"--odd", "a"}, UnknownOptions::Error, CommandLineUsageError, "", unknownText},
                          // Before the toolkit took its options, an unknown one may still be its.
                          Case{{"--odd"}, UnknownOptions::Allowed, std::nullopt, "", ""},
                          // Before the toolkit starts only its own options may pass, in any spelling.
                          Case{{"-platform", "offscreen", "--style=fusion", "-reverse", "a"}, UnknownOptions::ToolkitOnly,
                               std::nullopt, "", ""},
                          Case{{"-style", "x", "--odd"}, UnknownOptions::ToolkitOnly, CommandLineUsageError, "", unknownText},
                          Case{{"--platformer"}, UnknownOptions::ToolkitOnly, CommandLineUsageError, "",
                               "prog: unknown option --platformer\nUsage: prog [--fast] [FILE]\nTry 'prog --help' for more.\n"},
                          Case{{"--fast", "a"}, UnknownOptions::Error, std::nullopt, "", ""}}) {
        Captured out;
        Captured err;
        const std::optional<int> status =
            AnswerCommandLine(ParseProgramCommandLine(c.arguments, {"--fast"}), Program, c.unknown, out.Stream(), err.Stream());
        EXPECT_EQ(status, c.status) << c.arguments.front();
        EXPECT_EQ(out.Text(), c.out) << c.arguments.front();
        EXPECT_EQ(err.Text(), c.err) << c.arguments.front();
    }
}

} // namespace
