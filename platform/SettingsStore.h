/** @file SettingsStore.h
 ** The program's settings: sections of named integer and string values, read with the reader's own default. **/
#pragma once

#include <string>

namespace platform {

/// A store of settings grouped in sections, with the semantics of the profile functions the editor
/// was written against: an absent value reads as the default the reader supplies, and reading
/// never writes that default back. Writes that fail are ignored.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int ReadInt(const std::string& section, const std::string& name, int defaultValue) const = 0;
    virtual std::string ReadString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) const = 0;
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
    virtual void WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual bool Contains(const std::string& section, const std::string& name) const = 0;
    virtual void Remove(const std::string& section, const std::string& name) = 0;
    /// Makes the values written so far reach the store's medium (stores that write lazily);
    /// nothing to do for the others.
    virtual void Sync() {}
};

} // namespace platform
