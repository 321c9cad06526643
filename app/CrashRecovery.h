/** @file CrashRecovery.h
 ** When the window's unsaved text goes to its recovery file, and when the file goes away. **/
#pragma once

#include "app/RecoveryWriter.h"
#include "editctl/EditWindow.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

namespace editctl {
class PersianEdit;
}

namespace app {

/// Watches the editor's text. While the document is modified, a snapshot is written 30 seconds
/// after the first change since the last one, and at once when the window loses the focus; the
/// file is removed as soon as the document is no longer modified (saved, discarded, reloaded) and
/// at a clean exit. The text is copied a slice per turn of the event loop (a change meanwhile
/// starts the copy again), so even a large document never holds up the window; the worker
/// thread encodes and writes it.
class CrashRecovery : public QObject, public editctl::EditWindowObserver {
    Q_OBJECT
public:
    static constexpr int IntervalMilliseconds = 30000;
    static constexpr int SliceBytes = 256 << 10;
    using SnapshotSource = std::function<RecoverySnapshot()>;

    /// `editor` is not owned and outlives this object; `snapshot` describes the document now,
    /// all but its text, which is copied here.
    CrashRecovery(editctl::PersianEdit& editor, std::string file, SnapshotSource snapshot, QObject* parent = nullptr);
    ~CrashRecovery() override;

    /// Starts a snapshot when there are changes the file does not hold yet; returns at once.
    void WriteIfChanged();
    /// Takes the snapshot under way, or due, at once and waits until it is written.
    void Flush();
    /// Nothing is being copied or written.
    bool Idle() const { return !copying && !writer.Busy(); }
    /// The window lost the focus.
    void FocusLost() { WriteIfChanged(); }
    /// After every command: a document no longer modified has nothing to recover.
    void CheckDocumentState();
    /// Removes the file (clean exit).
    void Discard();
    RecoveryWriter& Writer() { return writer; }
    QTimer& Timer() { return timer; }

    // EditWindowObserver
    void TextChanged(const editctl::TextChange& change) override;
    void SelectionChanged() override {}
    void ScrollChanged() override {}

private:
    void BeginSnapshot();
    void StartCopy();
    void CopySlice();
    void Finish();

    editctl::PersianEdit& editor;
    RecoveryWriter writer;
    SnapshotSource snapshot;
    QTimer timer;
    bool changed = false;  // changes the file does not hold yet
    bool written = false;  // a file of ours may exist
    bool copying = false;
    RecoverySnapshot taking;    // the snapshot being copied
    unsigned long copyingChange = 0; // the window's change count when the copy began
    int copied = 0;
};

} // namespace app
