#include "app/CommandGroup.h"

#include <algorithm>

namespace app {

bool CommandGroup::IsEnabled(int id) const
{
    const auto it = entries.find(id);
    if (it == entries.end())
        return false;
    return !it->second.enabled || it->second.enabled();
}

void CommandGroup::Run(int id) const
{
    if (IsEnabled(id))
        entries.at(id).run();
}

void CommandGroup::Handle(int id, Action run, Condition enabled)
{
    if (std::find(ids.begin(), ids.end(), id) == ids.end())
        ids.push_back(id);
    entries[id] = Entry{std::move(run), std::move(enabled)};
}

} // namespace app
