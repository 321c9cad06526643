#include "kbdedit/RegistrySettings.h"

#include "platform/TextMode.h"

namespace kbdedit {

RegistrySettings::RegistrySettings(platform::SettingsStore& s, std::string g) : store(s), group(std::move(g)) {}

RegistrySettings::~RegistrySettings() { Close(); }

std::string RegistrySettings::ReadText(const std::string& name, const std::string& defaultText)
{
    if (!open)
        return defaultText;
    if (!store.Contains(group, name)) {
        store.WriteString(group, name, defaultText);
        return defaultText;
    }
    return store.ReadString(group, name, defaultText);
}

int RegistrySettings::ReadInt(const std::string& name, int defaultValue)
{
    if (!open)
        return defaultValue;
    if (!store.Contains(group, name)) {
        WriteInt(name, defaultValue);
        return defaultValue;
    }
    return platform::AtoiRule(store.ReadString(group, name, std::string()));
}

void RegistrySettings::WriteText(const std::string& name, const std::string& text)
{
    if (open)
        store.WriteString(group, name, text);
}

void RegistrySettings::WriteInt(const std::string& name, int value)
{
    WriteText(name, std::to_string(value));
}

void RegistrySettings::Close()
{
    if (!open)
        return;
    // The native store writes lazily; make sure the values reach it before the program ends.
    store.Sync();
    open = false;
}

} // namespace kbdedit
