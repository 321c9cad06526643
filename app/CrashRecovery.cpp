#include "app/CrashRecovery.h"

#include "editctl/PersianEdit.h"

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
    if (!changed || !editor.modified)
        return;
    changed = false;
    written = true;
    writer.Write(snapshot());
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
    writer.Remove();
    written = false;
}

} // namespace app
