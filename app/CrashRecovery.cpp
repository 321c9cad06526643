#include "app/CrashRecovery.h"

#include "editctl/PersianEdit.h"

#include <algorithm>

namespace app {

CrashRecovery::CrashRecovery(editctl::PersianEdit& editor, std::string file, SnapshotSource snapshot, QObject* parent)
    : QObject(parent), editor(editor), writer(std::move(file)), snapshot(std::move(snapshot))
{
    timer.setSingleShot(true);
    timer.setInterval(IntervalMilliseconds);
    connect(&timer, &QTimer::timeout, this, &CrashRecovery::WriteIfChanged);
    editor.Window().AddObserver(this);
}

CrashRecovery::~CrashRecovery() { editor.Window().RemoveObserver(this); }

void CrashRecovery::TextChanged(const editctl::TextChange&)
{
    changed = true;
    if (!timer.isActive())
        timer.start();
}

void CrashRecovery::WriteIfChanged()
{
    timer.stop();
    if (!changed || !editor.modified || copying)
        return;
    changed = false;
    StartCopy();
}

void CrashRecovery::BeginSnapshot()
{
    taking = snapshot();
    taking.text.clear();
    taking.text.reserve(static_cast<size_t>(editor.Window().GetTextLength()));
    copyingChange = editor.Window().ChangeCount();
    copied = 0;
    copying = true;
}

void CrashRecovery::StartCopy()
{
    BeginSnapshot();
    CopySlice();
}

void CrashRecovery::CopySlice()
{
    if (!copying)
        return; // discarded meanwhile
    const editctl::EditWindow& window = editor.Window();
    if (window.ChangeCount() != copyingChange) {
        copying = false;
        if (editor.modified)
            StartCopy();
        return;
    }
    const int end = std::min(window.GetTextLength(), copied + SliceBytes);
    taking.text += window.TextRange(copied, end);
    copied = end;
    if (copied < window.GetTextLength())
        QTimer::singleShot(0, this, &CrashRecovery::CopySlice);
    else
        Finish();
}

void CrashRecovery::Finish()
{
    copying = false;
    written = true;
    writer.Write(std::move(taking));
}

void CrashRecovery::Flush()
{
    timer.stop();
    if (editor.modified && (copying || changed)) {
        changed = false;
        if (!copying || editor.Window().ChangeCount() != copyingChange)
            BeginSnapshot();
        taking.text += editor.Window().TextRange(copied, editor.Window().GetTextLength());
        Finish();
    }
    writer.WaitForIdle();
}

void CrashRecovery::CheckDocumentState()
{
    if (!editor.modified && written)
        Discard();
    if (!editor.modified)
        changed = false;
}

void CrashRecovery::Discard()
{
    timer.stop();
    copying = false;
    writer.Remove();
    written = false;
}

} // namespace app
