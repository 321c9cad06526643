/** @file QtSettingsStore.h
 ** The settings store of the real programs, on QSettings in the platform's native format. **/
#pragma once

#include "platform/SettingsStore.h"

#include <memory>
#include <string>

class QSettings;

namespace platform {

/// On Windows this is HKEY_CURRENT_USER\Software\<application>; elsewhere the file
/// <application>.conf in the user's configuration folder. There is no company level.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const std::string& application);
    /// A store kept in an INI file of the caller's choosing (tools and tests that need a real file).
    static std::unique_ptr<QtSettingsStore> AtFile(const std::string& path);
    ~QtSettingsStore() override;

    int ReadInt(const std::string& section, const std::string& name, int defaultValue) const override;
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool Contains(const std::string& section, const std::string& name) const override;
    void Remove(const std::string& section, const std::string& name) override;
    void Sync() override;

private:
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);
    std::unique_ptr<QSettings> settings;
};

} // namespace platform
