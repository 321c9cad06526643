#include "app/RecentFileList.h"

#include <algorithm>

namespace app {

void RecentFileList::Add(const std::string& path)
{
    if (path.empty() || capacity == 0)
        return;
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    if (paths.size() > capacity)
        paths.resize(capacity);
}

void RecentFileList::Remove(size_t index)
{
    if (index < paths.size())
        paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecentFileList::Load(const platform::SettingsStore& settings)
{
    paths.clear();
    for (size_t i = 1; i <= capacity; ++i) {
        const std::string path = settings.ReadString(Section, "File" + std::to_string(i), "");
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    }
}

void RecentFileList::Save(platform::SettingsStore& settings) const
{
    for (size_t i = 1; i <= capacity; ++i) {
        const std::string name = "File" + std::to_string(i);
        if (i <= paths.size())
            settings.WriteString(Section, name, paths[i - 1]);
        else if (settings.Contains(Section, name))
            settings.Remove(Section, name);
    }
}

} // namespace app
