/** @file CommandRouter.h
 ** The main window's routing of command ids to the command groups that handle them. **/
#pragma once

#include "app/CommandGroup.h"

#include <map>
#include <memory>
#include <vector>

namespace app {

/// Owns the groups. Each id belongs to one group: a group that claims an id another group
/// already has is refused whole, so two menus can never run different code for one command.
class CommandRouter {
public:
    /// The group added, or null when one of its ids was taken (the group is then dropped).
    template <typename Group>
    Group* Add(std::unique_ptr<Group> group)
    {
        Group* added = group.get();
        return AddGroup(std::move(group)) ? added : nullptr;
    }

    /// The group that handles `id`, or null.
    const CommandGroup* GroupOf(int id) const;
    bool IsEnabled(int id) const;
    /// True when a group handles `id` (it ran unless disabled).
    bool Run(int id) const;

private:
    bool AddGroup(std::unique_ptr<CommandGroup> group);

    std::vector<std::unique_ptr<CommandGroup>> groups;
    std::map<int, const CommandGroup*> owners;
};

} // namespace app
