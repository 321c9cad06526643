/** @file CommandGroup.h
 ** One menu area's commands: the ids it handles, when each is enabled, and what each does. **/
#pragma once

#include <functional>
#include <map>
#include <vector>

namespace app {

/// A group registers its commands in its constructor with Handle; the main window's router offers
/// every command id to the group that registered it. A command without an enable condition is
/// always enabled; ids nobody registers stay disabled.
class CommandGroup {
public:
    using Action = std::function<void()>;
    using Condition = std::function<bool()>;

    virtual ~CommandGroup() = default;

    /// The ids registered, in registration order.
    const std::vector<int>& Ids() const { return ids; }
    bool Handles(int id) const { return entries.count(id) != 0; }
    /// False for an id the group does not handle.
    bool IsEnabled(int id) const;
    /// Carries out the command; nothing for an id the group does not handle or a disabled one.
    void Run(int id) const;

protected:
    /// Registers `id`; a second registration of the same id replaces the first.
    void Handle(int id, Action run, Condition enabled = {});

private:
    struct Entry {
        Action run;
        Condition enabled;
    };
    std::map<int, Entry> entries;
    std::vector<int> ids;
};

} // namespace app
