#include "platform/DataFolders.h"

#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace platform {

namespace fs = std::filesystem;

namespace {

std::mutex overrideLock;
std::string userFolderOverride;

bool IsDirectory(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool IsFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool IsWritableFolder(const std::string& path)
{
#ifndef _WIN32
    return ::access(path.c_str(), W_OK | X_OK) == 0;
#else
    std::error_code ec;
    const fs::perms p = fs::status(path, ec).permissions();
    return !ec && (p & fs::perms::owner_write) != fs::perms::none;
#endif
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Absolute(const std::string& path)
{
    std::error_code ec;
    fs::path full = fs::absolute(path, ec);
    if (ec)
        full = path;
    // Symbolic links are resolved as far as the path exists, so a link into the program folder counts.
    const fs::path resolved = fs::weakly_canonical(full, ec);
    return (ec ? full.lexically_normal() : resolved).string();
}

/// Keymaps of one folder, keyed by the lower-case name.
void AddKeymapsOf(const std::string& folder, KeymapOrigin origin, std::map<std::string, KeymapEntry>& into)
{
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return;
    for (const fs::directory_entry& entry : it) {
        std::error_code kind;
        if (!entry.is_regular_file(kind))
            continue;
        const std::string name = entry.path().filename().string();
        if (Lower(entry.path().extension().string()) != ".kbd")
            continue;
        into[Lower(name)] = KeymapEntry{name, entry.path().string(), origin};
    }
}

} // namespace

std::string UserDataFolder()
{
    {
        const std::lock_guard<std::mutex> hold(overrideLock);
        if (!userFolderOverride.empty())
            return userFolderOverride;
    }
    // The generic location and a fixed name, not the application's own location: the editor,
    // the keymap editor and the command-line tools share one folder whatever each calls itself.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return (base + QStringLiteral("/Kelmora")).toStdString();
}

void SetUserDataFolder(const std::string& folder)
{
    const std::lock_guard<std::mutex> hold(overrideLock);
    userFolderOverride = folder;
}

DataFolders::DataFolders(std::string program, std::string user) : programFolder(std::move(program)), userFolder(std::move(user))
{
}

bool DataFolders::WritesToUserFolder() const
{
    if (userFolder.empty())
        return false;
    if (IsDirectory(userFolder) || !IsDirectory(programFolder))
        return true;
    return IsFile(programFolder + "/" + InstalledMarkName) || !IsWritableFolder(programFolder);
}

std::string DataFolders::WriteFolder() const { return WritesToUserFolder() ? userFolder : programFolder; }

bool DataFolders::PrepareWriteFolder(const std::string& subfolder) const
{
    const std::string folder = subfolder.empty() ? WriteFolder() : WriteFolder() + "/" + subfolder;
    if (folder.empty())
        return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return IsDirectory(folder);
}

std::string DataFolders::ReadPath(const std::string& name) const
{
    const std::string mine = userFolder + "/" + name;
    if (!userFolder.empty() && IsFile(mine))
        return mine;
    return programFolder + "/" + name;
}

std::string DataFolders::WritePath(const std::string& name) const { return WriteFolder() + "/" + name; }

std::string DataFolders::KeymapPath(const std::string& name) const
{
    const std::string mine = UserKeymapFolder() + "/" + name;
    if (!userFolder.empty() && IsFile(mine))
        return mine;
    return ProgramKeymapFolder() + "/" + name;
}

std::string DataFolders::KeymapWritePath(const std::string& name) const
{
    return WriteFolder() + "/" + KeymapFolderName + "/" + name;
}

std::vector<KeymapEntry> DataFolders::Keymaps() const
{
    std::map<std::string, KeymapEntry> byName;
    AddKeymapsOf(ProgramKeymapFolder(), KeymapOrigin::Shipped, byName);
    if (!userFolder.empty())
        AddKeymapsOf(UserKeymapFolder(), KeymapOrigin::User, byName); // later entries win
    std::vector<KeymapEntry> list;
    list.reserve(byName.size());
    for (auto& [key, entry] : byName)
        list.push_back(std::move(entry));
    return list;
}

bool DataFolders::InProgramFolder(const std::string& path) const
{
    if (programFolder.empty())
        return false;
    const fs::path folder(Absolute(programFolder));
    const fs::path file(Absolute(path));
    const auto [end, rest] = std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
    return end == folder.end() && rest != file.end();
}

std::string DataFolders::SaveTarget(const std::string& path) const
{
    if (!WritesToUserFolder() || !InProgramFolder(path))
        return path;
    return KeymapWritePath(fs::path(path).filename().string());
}

} // namespace platform
