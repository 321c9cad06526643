/** @file RecentFileList.h
 ** The most-recently-used document paths shown in the File menu, kept in the settings store. **/
#pragma once

#include "platform/SettingsStore.h"

#include <cstddef>
#include <string>
#include <vector>

namespace app {

/// Up to `capacity` paths, most recent first, without duplicates. Stored in section
/// "Recent File List" as "File1".."FileN", the layout the framework used for its own list.
class RecentFileList {
public:
    static constexpr size_t DefaultCapacity = 10;
    static constexpr const char* Section = "Recent File List";

    explicit RecentFileList(size_t capacity = DefaultCapacity) : capacity(capacity) {}

    /// Moves `path` to the front (adding it if new) and drops the oldest entry beyond capacity.
    void Add(const std::string& path);
    /// Removes the entry at `index`; out-of-range indexes are ignored.
    void Remove(size_t index);
    const std::vector<std::string>& Paths() const { return paths; }
    size_t Capacity() const { return capacity; }

    /// Replaces the list with the stored one (empty and missing values are skipped).
    void Load(const platform::SettingsStore& settings);
    /// Writes the list; stored values beyond its length are removed.
    void Save(platform::SettingsStore& settings) const;

private:
    size_t capacity;
    std::vector<std::string> paths;
};

} // namespace app
