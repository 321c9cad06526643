#include "app/CommandRouter.h"

namespace app {

bool CommandRouter::AddGroup(std::unique_ptr<CommandGroup> group)
{
    if (!group)
        return false;
    for (int id : group->Ids())
        if (owners.count(id) != 0)
            return false;
    for (int id : group->Ids())
        owners[id] = group.get();
    groups.push_back(std::move(group));
    return true;
}

const CommandGroup* CommandRouter::GroupOf(int id) const
{
    const auto it = owners.find(id);
    return it == owners.end() ? nullptr : it->second;
}

bool CommandRouter::IsEnabled(int id) const
{
    const CommandGroup* group = GroupOf(id);
    return group != nullptr && group->IsEnabled(id);
}

bool CommandRouter::Run(int id) const
{
    const CommandGroup* group = GroupOf(id);
    if (group == nullptr)
        return false;
    group->Run(id);
    return true;
}

} // namespace app
