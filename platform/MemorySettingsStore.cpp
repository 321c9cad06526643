#include "platform/MemorySettingsStore.h"

#include "platform/TextMode.h"

namespace platform {

int MemorySettingsStore::ReadInt(const std::string& section, const std::string& name, int defaultValue) const
{
    auto it = values.find(Key(section, name));
    if (it == values.end())
        return defaultValue;
    if (const int* i = std::get_if<int>(&it->second))
        return *i;
    return AtoiRule(std::get<std::string>(it->second));
}

std::string MemorySettingsStore::ReadString(const std::string& section, const std::string& name,
                                            const std::string& defaultValue) const
{
    auto it = values.find(Key(section, name));
    if (it == values.end())
        return defaultValue;
    if (const std::string* s = std::get_if<std::string>(&it->second))
        return *s;
    return std::to_string(std::get<int>(it->second));
}

void MemorySettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    values[Key(section, name)] = value;
}

void MemorySettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    values[Key(section, name)] = value;
}

bool MemorySettingsStore::Contains(const std::string& section, const std::string& name) const
{
    return values.count(Key(section, name)) != 0;
}

void MemorySettingsStore::Remove(const std::string& section, const std::string& name)
{
    values.erase(Key(section, name));
}

} // namespace platform
