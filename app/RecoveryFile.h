/** @file RecoveryFile.h
 ** Unsaved text kept on disk while a document is modified, so that a crash does not lose it. **/
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// What a recovery file holds: the document as the window had it, and who wrote it when.
struct RecoverySnapshot {
    std::string path;       // the document's path, or "UnTitled.txf"
    std::string faceName;
    int size = 0;
    std::string keymapName;
    std::string text;       // the glyph text, lines separated by CR LF
    bool imported = false;  // read from a UTF-8 file and never saved as a document
    std::int64_t savedAt = 0;     // seconds since the epoch
    std::int64_t ownerPid = 0;
    std::uint64_t ownerStart = 0; // the owner's start time, so a reused process id is not taken for it
};

std::string EncodeRecovery(const RecoverySnapshot& snapshot);
/// Nothing for bytes that are not a whole recovery file (short, damaged, another program's).
std::optional<RecoverySnapshot> DecodeRecovery(std::string_view bytes);

/// The folder recovery files are kept in: "recovery" in the user's data folder.
std::string RecoveryFolder();
/// The file of process `pid` in `folder`; each process has its own, so two editors never share one.
std::string RecoveryFilePath(const std::string& folder, std::int64_t pid);

/// This process's id and start time, as a snapshot records its owner.
std::int64_t CurrentPid();
/// The start time of a running process in clock ticks since boot; 0 when it is not running or
/// its start time cannot be read.
std::uint64_t ProcessStartTime(std::int64_t pid);
/// Whether the process that wrote a snapshot is still running.
bool OwnerRunning(const RecoverySnapshot& snapshot);

/// The user's answer to the start-up question.
enum class RecoveryAnswer { Recover, Discard, Later };

struct FoundRecovery {
    std::string file;
    RecoverySnapshot snapshot;
};
/// Recovery files of `folder` whose owners are no longer running, oldest first. Files that do not
/// read as recovery files are left alone.
std::vector<FoundRecovery> OrphanedRecoveries(const std::string& folder);

/// The start-up question for one orphaned snapshot, with its local time ("2026-12-10 11:40").
std::string RecoveryQuestion(const RecoverySnapshot& snapshot);

} // namespace app
