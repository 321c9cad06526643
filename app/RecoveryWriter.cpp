#include "app/RecoveryWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace app {

RecoveryWriter::RecoveryWriter(std::string file) : file(std::move(file)) {}

RecoveryWriter::~RecoveryWriter() { WaitForIdle(); }

void RecoveryWriter::Write(RecoverySnapshot snapshot)
{
    const std::lock_guard lock(mutex);
    waiting = std::move(snapshot);
    if (running)
        return;
    running = true;
    worker = QtConcurrent::run([this] { WriteWaiting(); });
}

void RecoveryWriter::WriteWaiting()
{
    for (;;) {
        RecoverySnapshot snapshot;
        {
            const std::lock_guard lock(mutex);
            if (!waiting) {
                running = false;
                return;
            }
            snapshot = std::move(*waiting);
            waiting.reset();
        }
        // The folder holds unsaved text: only its owner may read it.
        const QString folder = QFileInfo(QString::fromStdString(file)).absolutePath();
        if (!QDir(folder).exists() && QDir().mkpath(folder))
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        platform::FileResult result = platform::WriteFileAtomically(file, EncodeRecovery(snapshot));
        const std::lock_guard lock(mutex);
        last = std::move(result);
    }
}

void RecoveryWriter::WaitForIdle()
{
    worker.waitForFinished();
}

void RecoveryWriter::Remove()
{
    {
        const std::lock_guard lock(mutex);
        waiting.reset();
    }
    WaitForIdle();
    QFile::remove(QString::fromStdString(file));
}

bool RecoveryWriter::Busy() const
{
    const std::lock_guard lock(mutex);
    return running;
}

platform::FileResult RecoveryWriter::LastResult() const
{
    const std::lock_guard lock(mutex);
    return last;
}

} // namespace app
