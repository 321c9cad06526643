#include "tools/ReflowSettings.h"

#include "platform/SettingsStore.h"
#include "platform/TextMode.h"

namespace tools {

namespace {

int Number(const platform::SettingsStore& store, const char* key, const char* fallback)
{
    return platform::AtoiRule(store.ReadString("Settings", key, fallback));
}

} // namespace

ReflowSettings ReadReflowSettings(const platform::SettingsStore& store)
{
    ReflowSettings s;
    s.tab = Number(store, "Tab", "3");
    s.maxChar = Number(store, "MaxChar", "79");
    s.left = Number(store, "Left", "3");
    s.right = Number(store, "RIGHT", "3");
    s.iwp = Number(store, "IWP", "10");
    s.jiwp = Number(store, "JIWP", "50");
    s.enableDos = store.ReadInt("Settings", "EnableDos", 0) != 0;
    s.identOnResemble = store.ReadInt("Settings", "IdentOnResemble", 0) != 0;
    return s;
}

} // namespace tools
