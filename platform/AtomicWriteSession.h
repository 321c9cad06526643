/** @file AtomicWriteSession.h
 ** Many atomic saves in a row, as a batch conversion makes them. **/
#pragma once

#include "platform/TextMode.h"

#include <set>
#include <string>
#include <string_view>

namespace platform {

/// Saves each file as WriteFileAtomically does (a complete, flushed temporary file takes the name,
/// with the old file's attributes), but does once per folder what a single save does every time:
/// leftover temporaries of dead writers (of any file) are removed on the first save into a folder,
/// and each folder is flushed when the session finishes rather than after every rename. A crash
/// during a run still leaves every name with either its old or its complete new contents; only
/// renames since the last Finish may be undone by it.
class AtomicWriteSession {
public:
    AtomicWriteSession() = default;
    /// Finishes: the folders written are flushed.
    ~AtomicWriteSession();
    AtomicWriteSession(const AtomicWriteSession&) = delete;
    AtomicWriteSession& operator=(const AtomicWriteSession&) = delete;

    FileResult Write(const std::string& path, std::string_view bytes);
    /// Flushes every folder a save went to since the last Finish, so the new names last.
    void Finish();

private:
    std::set<std::string> scannedFolders;
    std::set<std::string> unflushedFolders;
};

} // namespace platform
