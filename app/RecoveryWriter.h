/** @file RecoveryWriter.h
 ** Writes one process's recovery file on a worker thread, so a large document never stalls the window. **/
#pragma once

#include "app/RecoveryFile.h"
#include "platform/TextMode.h"

#include <QFuture>

#include <mutex>
#include <optional>
#include <string>

namespace app {

/// Snapshots are handed over on the window's thread and written atomically on a worker; while one
/// is written, a newer one waits and replaces any older one still waiting, so writes never pile up.
class RecoveryWriter {
public:
    explicit RecoveryWriter(std::string file);
    /// Waits for a write in progress: a file half-replaced is never left behind.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    /// Returns at once.
    void Write(RecoverySnapshot snapshot);
    /// Drops a waiting snapshot, waits for the write in progress and removes the file.
    void Remove();
    /// Blocks until nothing is being written or waits to be.
    void WaitForIdle();
    /// Whether a snapshot is being written or waits to be.
    bool Busy() const;
    const std::string& File() const { return file; }
    /// The outcome of the last write that finished.
    platform::FileResult LastResult() const;

private:
    void WriteWaiting();

    std::string file;
    mutable std::mutex mutex;
    std::optional<RecoverySnapshot> waiting;
    bool running = false;
    platform::FileResult last{true, {}};
    QFuture<void> worker;
};

} // namespace app
