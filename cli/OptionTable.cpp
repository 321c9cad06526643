#include "cli/OptionTable.h"

#include <algorithm>

namespace cli {

OptionTable& OptionTable::Flag(const std::string& name, FlagAction action)
{
    options.push_back({name, std::move(action), {}});
    return *this;
}

OptionTable& OptionTable::Flag(const std::string& name, bool& into)
{
    return Flag(name, [&into] { into = true; });
}

OptionTable& OptionTable::Value(const std::string& name, ValueAction action)
{
    options.push_back({name, {}, std::move(action)});
    return *this;
}

OptionTable& OptionTable::Value(const std::string& name, std::string& into)
{
    return Value(name, [&into](const std::string& v) { into = v; });
}

const OptionTable::Option* OptionTable::Find(const std::string& name) const
{
    const auto it = std::find_if(options.begin(), options.end(), [&](const Option& o) { return o.name == name; });
    return it == options.end() ? nullptr : &*it;
}

bool OptionTable::Parse(const std::vector<std::string>& args, std::vector<std::string>& operands, std::string& error) const
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() <= 1 || a[0] != '-') {
            operands.push_back(a); // "-" names standard input or output
            continue;
        }
        const Option* option = Find(a);
        if (!option) {
            error = "unknown option " + a;
            return false;
        }
        if (option->flag) {
            option->flag();
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = a + " needs a value";
            return false;
        }
        option->value(args[++i]);
    }
    return true;
}

} // namespace cli
