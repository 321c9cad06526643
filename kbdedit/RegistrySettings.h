/** @file RegistrySettings.h
 ** The keymap editor's three remembered values ("FontName", "FontSize", "FileName") in one group of
 ** a settings store; a value that is missing is written back with its default when read. **/
#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace kbdedit {

/// One open group of the user's settings store. Values are text; numbers are kept as their decimal
/// text. Unlike the editor's own settings, a read of a missing value stores the reader's default,
/// so the group is complete after the first start. After Close every operation does nothing and
/// reads answer their defaults.
class RegistrySettings {
public:
    static constexpr const char* DefaultGroup = "Setting";

    explicit RegistrySettings(platform::SettingsStore& store, std::string group = DefaultGroup);
    ~RegistrySettings();
    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;

    std::string ReadText(const std::string& name, const std::string& defaultText);
    int ReadInt(const std::string& name, int defaultValue);
    void WriteText(const std::string& name, const std::string& text);
    void WriteInt(const std::string& name, int value);
    /// Flushes the values to the store's medium and closes the group.
    void Close();
    bool IsOpen() const { return open; }

private:
    platform::SettingsStore& store;
    std::string group;
    bool open = true;
};

} // namespace kbdedit
