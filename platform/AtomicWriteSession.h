/** @file AtomicWriteSession.h
 ** Many atomic saves in a row, as a batch conversion makes them. **/
#pragma once

#include "platform/TextMode.h"

#include <cstddef>
#include <future>
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
        size_t save; // which one: how many saves Write had accepted before it in this session
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
    /// Whether a save of `path` (any name of the same file) waits for its commit or is in one.
    bool Holds(const std::string& path) const;
    /// How many saves Write has accepted into waiting in this session (not those done at once).
    size_t AcceptedSaves() const { return accepted; }
    /// How many of them are settled: named, or failed and reported.
    size_t SettledSaves() const { return accepted - waiting.size() - committing.size(); }
    /// Whether the waiting saves are enough for one commit: more would only delay their names.
    bool Full() const;
    /// Starts the commit of the waiting saves on a thread of its own, beside the caller's next
    /// writes (the flush is mostly waiting for the disk), after the one before it has ended.
    /// Returns the failures of commits that have ended.
    std::vector<LateFailure> CommitInBackground();
    /// Flushes every waiting save and gives each its name; when it returns, every save accepted
    /// is settled. Returns those that failed, which keep their old files and leave no temporary.
    std::vector<LateFailure> Commit();
    /// Commits, and removes the storage kept for later saves.
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
        size_t save = 0;
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
        std::string folder; // its folder, the only one whose saves it may hold
        unsigned long long device = 0;
        unsigned long long inode = 0;
        unsigned gid = 0;
    };
    static constexpr size_t MaxSpares = GroupFiles; // one commit's worth, for the group after it

    /// What a commit did: its failures, and the storage its replaced files left.
    struct Outcome {
        std::vector<LateFailure> failures;
        std::vector<Spare> spares;
    };

    int TakeSpare(const std::string& target, unsigned long long device, unsigned gid, std::string& tempPath);
    static void DropSpare(const Spare& spare);
    static FileResult Replace(const Waiting& w, Outcome& outcome, size_t sparesRoom);
    /// Flushes, renames and flushes the folders of one group; touches no member, so it may run
    /// on its own thread.
    static Outcome CommitGroup(const std::vector<Waiting>& group, const std::vector<Flush>& flushes, size_t sparesRoom);
    /// Waits for the commit in the background, if any, and takes what it did.
    std::vector<LateFailure> Settle();
    /// Keeps a commit's spares; gives its failures.
    std::vector<LateFailure> Take(Outcome outcome);
    size_t SparesRoom() const;

    std::vector<Waiting> waiting;
    std::vector<Flush> flushes;
    size_t waitingBytes = 0;
    size_t accepted = 0;
    // The group being committed in the background: read by it and by Holds, changed by neither.
    std::vector<Waiting> committing;
    std::vector<Flush> committingFlushes;
    std::future<Outcome> background;
    std::vector<Spare> spares;
    std::set<std::string> scannedFolders;
};

} // namespace platform
