#include "app/DocumentCommands.h"

#include "app/DocumentFile.h"
#include "editctl/PersianEdit.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>

namespace app {

namespace {

/// Entries of `folder` whose names end in "." + `extension` (without regard to case), in name
/// order, folders included: a folder found this way fails to load like an unreadable file.
QStringList MatchingEntries(const QString& folder, const QString& extension)
{
    QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    const QString suffix = "." + extension;
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const QString& n) { return !n.endsWith(suffix, Qt::CaseInsensitive); }),
                names.end());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

} // namespace

bool OpenDocumentText(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format)
{
    const LoadedFile loaded = LoadTextFile(editor, path, format);
    if (loaded && loaded.bytesAfterEndMark > 0)
        platform::Messages().Show("The file continues after an end-of-file mark; saving it will drop " +
                                      std::to_string(loaded.bytesAfterEndMark) + " bytes",
                                  "Kelmora", platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return loaded.loaded;
}

DocumentCommands::DocumentCommands(DocumentHost& host, RecentFileList& recentFiles, const EditorSettings& settings)
    : host(host), recentFiles(recentFiles), settings(settings)
{
}

std::string DocumentCommands::TitleFor(const std::string& path)
{
    return path + TitleSuffix;
}

void DocumentCommands::SetCurrentPath(const std::string& path)
{
    currentPath = path;
    host.SetTitle(TitleFor(currentPath));
}

Confirmation DocumentCommands::ConfirmSaveChanges()
{
    if (!host.Editor().modified)
        return Confirmation::Proceed;
    switch (host.RunSaveChangesWarning()) {
    case SaveChangesAnswer::Yes: {
        const bool saved = IsUntitled() ? SaveAs() : SaveTo(currentPath);
        host.FocusEditor();
        // The text that was to be saved is still the only copy: whatever asked must not go on.
        return saved ? Confirmation::Proceed : Confirmation::Cancel;
    }
    case SaveChangesAnswer::No:
        return Confirmation::Proceed;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return Confirmation::Cancel;
}

bool DocumentCommands::SaveTo(const std::string& path)
{
    const platform::FileResult result = SaveTextFile(host.Editor(), path, settings.DocumentFormatInUse());
    if (!result.ok) {
        platform::Messages().Show("Cannot save the file\n" + path + "\n" + result.error, "Error");
        return false;
    }
    recentFiles.Add(path);
    host.RecentFilesChanged();
    return true;
}

bool DocumentCommands::LoadAndAdopt(const std::string& path)
{
    if (!OpenDocumentText(host.Editor(), path, settings.DocumentFormatInUse()))
        return false;
    SetCurrentPath(path);
    if (host.Editor().headerLoaded)
        host.AdoptDocumentFont();
    return true;
}

void DocumentCommands::New()
{
    if (ConfirmSaveChanges() == Confirmation::Cancel)
        return;
    editctl::PersianEdit& editor = host.Editor();
    editor.undoText.Clear();
    editor.Window().SetText(std::string());
    editor.undoText.Clear();
    SetCurrentPath(UntitledPath);
    editor.modified = false;
    host.FocusEditor();
}

void DocumentCommands::Open()
{
    if (ConfirmSaveChanges() == Confirmation::Cancel) {
        host.FocusEditor();
        return;
    }
    const std::optional<std::string> path = host.RunOpenDialog();
    // A file that cannot be read leaves the previous document's path and title in place.
    if (path && LoadAndAdopt(*path)) {
        recentFiles.Add(*path);
        host.RecentFilesChanged();
    }
    host.FocusEditor();
}

bool DocumentCommands::Save()
{
    if (IsUntitled())
        return SaveAs();
    const bool saved = SaveTo(currentPath);
    host.FocusEditor();
    return saved;
}

bool DocumentCommands::SaveAs()
{
    const std::optional<std::string> path = host.RunSaveAsDialog();
    if (!path) {
        host.FocusEditor();
        return false;
    }
    // The document takes the new name only once it is written there: after a failure the next
    // Save must still go to the file the text came from.
    const bool saved = SaveTo(*path);
    if (saved)
        SetCurrentPath(*path);
    host.FocusEditor();
    return saved;
}

void DocumentCommands::Revert()
{
    if (host.Editor().modified) {
        const bool yes = host.RunRevertWarning();
        host.FocusEditor();
        if (!yes)
            return;
    }
    if (!IsUntitled() && OpenDocumentText(host.Editor(), currentPath, settings.DocumentFormatInUse()) && host.Editor().headerLoaded)
        host.AdoptDocumentFont();
    host.FocusEditor();
}

void DocumentCommands::NextFile()
{
    Step(Direction::Next);
}

void DocumentCommands::PreviousFile()
{
    Step(Direction::Previous);
}

void DocumentCommands::Step(Direction direction)
{
    if (ConfirmSaveChanges() == Confirmation::Cancel)
        return;
    const QString path = QString::fromStdString(currentPath);
    const qsizetype slash = path.lastIndexOf('/');
    // Without a folder the search is in the root folder, as a bare name once meant the drive's root.
    const QString folder = slash < 0 ? QString() : path.left(slash);
    const QString name = path.mid(slash + 1);
    const QStringList entries = MatchingEntries(folder.isEmpty() ? QStringLiteral("/") : folder, path.right(3));

    qsizetype at = -1;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].compare(name, Qt::CaseInsensitive) == 0) {
            at = i;
            break;
        }
    }
    const qsizetype target = direction == Direction::Next ? at + 1 : at - 1;
    if (at < 0 || target < 0 || target >= entries.size())
        return; // no wrapping at either end
    LoadAndAdopt((folder + "/" + entries[target]).toStdString());
    host.FocusEditor();
}

bool DocumentCommands::OpenFromPath(const std::string& path)
{
    if (ConfirmSaveChanges() == Confirmation::Cancel)
        return true;
    if (!OpenDocumentText(host.Editor(), path, settings.DocumentFormatInUse()))
        return false;
    // Unlike Open, the tool bar keeps its face, size and keymap, and the recent list is unchanged.
    SetCurrentPath(path);
    return true;
}

} // namespace app
