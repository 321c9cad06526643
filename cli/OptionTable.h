/** @file OptionTable.h
 ** The command-line options a program takes, each a flag or an option with a value, read in one pass. **/
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cli {

/// Reads a command line against a table of options. Anything that starts with '-' and is longer
/// than "-" must be an option of the table; everything else is an operand, kept in order. An option
/// with a value takes the next argument, which must not be empty.
class OptionTable {
public:
    using FlagAction = std::function<void()>;
    using ValueAction = std::function<void(const std::string&)>;

    OptionTable& Flag(const std::string& name, FlagAction action);
    OptionTable& Flag(const std::string& name, bool& into);
    OptionTable& Value(const std::string& name, ValueAction action);
    OptionTable& Value(const std::string& name, std::string& into);

    /// Runs each option's action in the order given; false with `error` set on an unknown option or
    /// a missing value.
    bool Parse(const std::vector<std::string>& args, std::vector<std::string>& operands, std::string& error) const;

private:
    struct Option {
        std::string name;
        FlagAction flag;
        ValueAction value;
    };
    const Option* Find(const std::string& name) const;

    std::vector<Option> options;
};

} // namespace cli
