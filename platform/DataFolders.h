/** @file DataFolders.h
 ** Where the programs read their data and where they write it: the program folder and the user's own data folder. **/
#pragma once

#include <string>
#include <vector>

namespace platform {

/// The data folder of the user running the program, shared by all of Kelmora's programs
/// (~/.local/share/Kelmora on Linux). Not created here. SetUserDataFolder overrides it.
std::string UserDataFolder();
/// Replaces what UserDataFolder answers (tests, a private folder); empty restores the default.
void SetUserDataFolder(const std::string& folder);

/// A file the install rules put into the installed program folder: with it, the folder is the
/// system's and never written to, even by a user who could.
inline constexpr const char* InstalledMarkName = ".kelmora-installed";
/// The keymap folder's name inside both folders.
inline constexpr const char* KeymapFolderName = "KeyMaps";

/// Where a keymap of the merged list lives.
enum class KeymapOrigin { Shipped, User };

struct KeymapEntry {
    std::string name; // file name, e.g. "kolb.kbd"
    std::string path;
    KeymapOrigin origin = KeymapOrigin::Shipped;
};

/// The read/write rule of one program folder and one user data folder. Files are read from the
/// user folder when it has them, else from the program folder. Writes go to the user folder
/// whenever it exists, the program folder is not writable or it is an installed one; only a
/// writable build folder with no user folder yet is written in place, as it always was.
class DataFolders {
public:
    explicit DataFolders(std::string programFolder, std::string userFolder = UserDataFolder());

    const std::string& ProgramFolder() const { return programFolder; }
    const std::string& UserFolder() const { return userFolder; }

    /// True when writes go to the user folder (see the class comment).
    bool WritesToUserFolder() const;
    /// The folder writes go to now.
    std::string WriteFolder() const;
    /// Creates the write folder (and `subfolder` below it) when missing; false when that failed.
    bool PrepareWriteFolder(const std::string& subfolder = {}) const;

    /// The user's copy of data file `name` when present, else the program folder's.
    std::string ReadPath(const std::string& name) const;
    /// Where data file `name` is written: WriteFolder()/name.
    std::string WritePath(const std::string& name) const;

    /// Keymap `name`: the user's keymap of that name when present, else the shipped one.
    std::string KeymapPath(const std::string& name) const;
    /// Where keymap `name` is saved.
    std::string KeymapWritePath(const std::string& name) const;
    std::string ProgramKeymapFolder() const { return programFolder + "/" + KeymapFolderName; }
    std::string UserKeymapFolder() const { return userFolder + "/" + KeymapFolderName; }
    /// Every *.kbd (any case) of both keymap folders, sorted by name without regard to case; a
    /// user keymap hides a shipped one of the same name (compared without regard to case).
    std::vector<KeymapEntry> Keymaps() const;

    /// Where a file the user asked to save at `path` is really written: a file of the program
    /// folder goes to the user's keymap folder under its own name when writes go to the user
    /// folder; any other path is kept.
    std::string SaveTarget(const std::string& path) const;
    /// Whether `path` lies in the program folder (after making it absolute).
    bool InProgramFolder(const std::string& path) const;

private:
    std::string programFolder;
    std::string userFolder;
};

} // namespace platform
