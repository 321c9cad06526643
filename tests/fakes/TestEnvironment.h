/** @file TestEnvironment.h
 ** Test fixture pieces: an in-memory settings store and a message recorder installed as the
 ** process's services, and a temporary program folder. **/
#pragma once

#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"
#include "tests/fakes/RecordingMessageService.h"

#include <QTemporaryDir>

#include <string>

namespace fakes {

/// Installs fakes for the life of the object.
class FakeServices {
public:
    FakeServices() : scope(platform::Services{&settings, &messages}) {}
    platform::MemorySettingsStore settings;
    RecordingMessageService messages;

private:
    platform::ScopedServices scope;
};

/// A temporary program folder with an empty KeyMaps folder, recorded as "Temp"/"KelmDir", and a
/// user data folder of its own (not created) in force while it lives.
class TempProgramFolder {
public:
    explicit TempProgramFolder(platform::SettingsStore& settings);
    ~TempProgramFolder();
    /// The user data folder platform::UserDataFolder() answers meanwhile; it does not exist at first.
    std::string UserPath() const { return userDir.path().toStdString() + "/Kelmora"; }
    std::string Path() const { return dir.path().toStdString(); }
    std::string KeyMapsPath() const { return Path() + "/KeyMaps"; }
    /// Writes bytes to a file below the folder and returns its full path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    /// Copies a keymap built into the program folder of the build (KeyMaps/name) into this folder.
    void InstallKeymap(const std::string& name) const;

private:
    std::string previousUserFolder;
    QTemporaryDir dir;
    QTemporaryDir userDir;
};

/// The program folder laid out by the build (executables, KeyMaps, data files).
std::string BuildProgramFolder();
/// tests/data of the source tree.
std::string TestDataFolder();

} // namespace fakes
