/** @file MemorySettingsStore.h
 ** A settings store held in memory: used by tests and by tools that must not touch the user's settings. **/
#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <variant>

namespace platform {

/// Keeps integers and strings apart, as the registry does: reading an integer stored as a string
/// (or the other way round) converts it the way the profile functions do.
class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<int, std::string>;

    int ReadInt(const std::string& section, const std::string& name, int defaultValue) const override;
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool Contains(const std::string& section, const std::string& name) const override;
    void Remove(const std::string& section, const std::string& name) override;

    /// Every stored value, keyed by "section/name"; lets tests see exactly what was written.
    const std::map<std::string, Value>& Values() const { return values; }
    void Clear() { values.clear(); }

private:
    static std::string Key(const std::string& section, const std::string& name) { return section + "/" + name; }
    std::map<std::string, Value> values;
};

} // namespace platform
