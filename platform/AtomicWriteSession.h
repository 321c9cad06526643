/** @file AtomicWriteSession.h
 ** Many atomic saves in a row, as a batch conversion makes them. **/
#pragma once

#include "platform/TextMode.h"

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// Saves each file as WriteFileAtomically does (a complete, flushed temporary file takes the name,
/// with the old file's attributes), but in groups, doing once what a single save does every time:
/// - Write puts the new contents into a temporary file beside the name and leaves it waiting;
/// - Commit flushes the waiting temporaries together (one flush of their file system rather than
///   one per file, which is what a run of small saves spends its time on), then renames each onto
///   its name, in the order written;
/// - leftover temporaries of dead writers (of any file) are removed on the first save into a folder;
/// - each folder is flushed once a commit, after its renames;
/// - on Linux a replaced file is swapped out rather than removed, and its storage holds a later
///   save into the same folder (of a file of the same user and group with no extended attributes).
/// A crash still leaves every name with either its old or its complete new contents: nothing takes
/// a name before it is on the disk, and no old file's storage is written again before the name
/// that replaced it is on the disk too. What was waiting stays behind as temporaries, which a later
/// session removes.
class AtomicWriteSession {
public:
    /// A save Write accepted that could not take its name when it was committed.
    struct LateFailure {
        size_t index; // among the saves Write accepted since the commit before, from 0
        std::string path;
        std::string error;
    };

    AtomicWriteSession() = default;
    /// Finishes; what fails then goes unreported.
    ~AtomicWriteSession();
    AtomicWriteSession(const AtomicWriteSession&) = delete;
    AtomicWriteSession& operator=(const AtomicWriteSession&) = delete;

    /// Writes `bytes` for `path` into a waiting temporary file. A failure seen now (no such folder,
    /// no room, a folder in the way) is returned and leaves the old file as it was; a save that is
    /// not a replacement (a device, a FIFO) is done at once.
    FileResult Write(const std::string& path, std::string_view bytes);
    /// Whether a save of `path` (any name of the same file) is waiting for its commit.
    bool Holds(const std::string& path) const;
    /// How many saves wait for a commit: those Write accepted and did not do at once.
    size_t WaitingSaves() const { return waiting.size(); }
    /// Whether the waiting saves are enough for one commit: more would only delay their names.
    bool Full() const;
    /// Flushes the waiting saves and gives each its name. Returns those that failed, which keep
    /// their old files and leave no temporary behind.
    std::vector<LateFailure> Commit();
    /// Commits, then flushes every folder a save went to since the last Finish, so the names last.
    std::vector<LateFailure> Finish();

    /// How much a commit holds back at most.
    static constexpr size_t GroupFiles = 256;
    static constexpr size_t GroupBytes = size_t{32} << 20;

private:
    struct Waiting {
        std::string temporary;
        std::string target; // the file replaced, links followed
        std::string key;    // `target` with its folder's links resolved, for Holds
        std::string path;   // as given to Write
        bool inPlace = false;
        std::string bytes;  // kept only for a save in place
        bool recyclable = false; // the file replaced may hold a later save
        unsigned long long oldInode = 0;
        unsigned long long device = 0;
    };
    /// A folder of one file system the waiting saves went to, opened before the first of them was
    /// written so that its flush reports their write errors.
    struct Flush {
        int folder = -1;
        unsigned long long device = 0;
    };
    /// A replaced file's storage under a temporary name, kept to hold the next save instead of a
    /// new file: making files where many were just removed is slow on some file systems (ext4
    /// without a journal looks at every file removed in the last minute for each new one).
    struct Spare {
        std::string path;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        unsigned gid = 0;
    };
    static constexpr size_t MaxSpares = GroupFiles; // one commit's worth, for the group after it

    int TakeSpare(const std::string& target, unsigned long long device, unsigned gid, std::string& tempPath);
    static void DropSpare(const Spare& spare);
    FileResult Replace(const Waiting& w);

    std::vector<Waiting> waiting;
    std::vector<Flush> flushes;
    std::vector<Spare> spares;
    size_t waitingBytes = 0;
    std::set<std::string> scannedFolders;
};

} // namespace platform
