#include "app/DocumentCommands.h"

#include "app/DocumentFile.h"
#include "app/UnicodeDocument.h"
#include "keymap/KeyMap.h"
#include "editctl/PersianEdit.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstdio>

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

/// Whether the start of the file at `path` is Unicode text; false when it cannot be read (the load
/// that follows reports why).
bool HoldsUnicodeText(const std::string& path)
{
    std::string start;
    return platform::ReadFileBytes(path, start, {UnicodeSniffBytes, platform::PastLimit::KeepsStart},
                                   platform::FileKinds::RegularOnly)
               .ok &&
           LooksLikeUnicodeText(start);
}

bool IsDocumentName(const std::string& path)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix();
    return suffix.compare("txf", Qt::CaseInsensitive) == 0 || suffix.compare("txt", Qt::CaseInsensitive) == 0;
}

std::string KeymapNameOf(const editctl::PersianEdit& editor)
{
    const keymap::KeyMap* map = editor.KeyMapInUse();
    return map ? map->FileName() : std::string();
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
        const bool saved = NeedsNewName() ? SaveAs() : SaveTo(currentPath);
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
    return OpenChosen(path, Adopt::HeaderFont) == Opened::Loaded;
}

DocumentCommands::Opened DocumentCommands::OpenChosen(const std::string& path, Adopt adopt)
{
    if (HoldsUnicodeText(path)) {
        const platform::MessageAnswer answer = platform::Messages().Show(
            path + "\nholds Unicode text, not the glyph codes of a font.\nImport it into " + KeymapNameOf(host.Editor()) +
                "?\n(No shows its bytes as they are.)",
            "Kelmora", platform::MessageButtons::YesNoCancel, platform::MessageIcon::Question);
        if (answer == platform::MessageAnswer::Yes)
            return ImportFrom(path) ? Opened::Imported : Opened::Failed;
        if (answer != platform::MessageAnswer::No)
            return Opened::Declined;
    }
    if (!OpenDocumentText(host.Editor(), path, settings.DocumentFormatInUse()))
        return Opened::Failed;
    imported = false;
    SetCurrentPath(path);
    if (!host.Editor().headerLoaded)
        OfferBetterKeymap(path);
    else if (adopt == Adopt::HeaderFont)
        host.AdoptDocumentFont();
    return Opened::Loaded;
}

void DocumentCommands::OfferBetterKeymap(const std::string& path)
{
    editctl::PersianEdit& editor = host.Editor();
    keymap::KeyMap* map = editor.KeyMapInUse();
    std::string bytes;
    if (map == nullptr || !platform::ReadFileBytes(path, bytes, {DocumentReadLimit}, platform::FileKinds::RegularOnly).ok)
        return;
    const std::string folder = QFileInfo(QString::fromStdString(map->PathFor("x.kbd"))).absolutePath().toStdString();
    const std::optional<KeymapOffer> offer = guess.BetterKeymap(bytes, map->FileName(), folder);
    if (!offer)
        return;
    char confidence[16];
    std::snprintf(confidence, sizeof confidence, "%.2f", offer->confidence);
    const platform::MessageAnswer answer = platform::Messages().Show(
        path + "\nhas no header naming its keymap, and reads better in " + offer->keymapName + " than in " +
            map->FileName() + " (confidence " + confidence + ").\nRead it in " + offer->keymapName + "?",
        "Kelmora", platform::MessageButtons::YesNo, platform::MessageIcon::Question);
    // Reading, not converting: the bytes stay as they are and are shown through the other keymap.
    if (answer == platform::MessageAnswer::Yes && map->Load(offer->keymapName)) {
        editor.headerLoaded = true;
        host.AdoptDocumentFont();
    }
}

bool DocumentCommands::ImportFrom(const std::string& path)
{
    editctl::PersianEdit& editor = host.Editor();
    std::string bytes;
    platform::FileResult read = platform::ReadFileBytes(path, bytes, {DocumentReadLimit}, platform::FileKinds::RegularOnly);
    if (read.ok && editor.KeyMapInUse() == nullptr)
        read = {false, "No keymap is loaded"};
    if (!read.ok) {
        platform::Messages().Show("Cannot open the file\n" + read.error, "Error");
        return false;
    }
    const ImportedText text = ImportUnicodeText(bytes, *editor.KeyMapInUse());
    TakeUnsavedText(path, text.glyphs, TextOrigin::UnicodeFile);
    if (!text.problems.empty())
        platform::Messages().Show(ProblemsMessage(text.problems, KeymapNameOf(editor)), "Kelmora",
                                  platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return true;
}

void DocumentCommands::TakeUnsavedText(const std::string& path, const std::string& glyphs, TextOrigin origin)
{
    editctl::PersianEdit& editor = host.Editor();
    editor.undoText.Clear();
    editor.Window().SetText(glyphs);
    editor.undoText.Clear();
    editor.headerLoaded = false;
    editor.modified = true;
    imported = origin == TextOrigin::UnicodeFile;
    SetCurrentPath(path);
}

void DocumentCommands::ImportUnicode()
{
    if (ConfirmSaveChanges() == Confirmation::Proceed)
        if (const std::optional<std::string> path = host.RunImportDialog())
            ImportFrom(*path);
    host.FocusEditor();
}

bool DocumentCommands::ExportUnicode()
{
    const std::optional<UnicodeExportChoice> choice = host.RunExportDialog();
    editctl::PersianEdit& editor = host.Editor();
    bool written = false;
    if (choice && editor.KeyMapInUse() != nullptr) {
        const std::string utf8 = ExportUnicodeText(editor.Window().GetText(), *editor.KeyMapInUse(), choice->ends);
        const platform::FileResult result = platform::WriteFileAtomically(choice->path, utf8);
        if (!result.ok)
            platform::Messages().Show("Cannot save the file\n" + choice->path + "\n" + result.error, "Error");
        written = result.ok;
    }
    host.FocusEditor();
    return written;
}

void DocumentCommands::OpenDropped(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    const std::string& path = paths.front();
    if (paths.size() > 1)
        platform::Messages().Show(std::to_string(paths.size()) + " files were dropped; only the first is opened:\n" + path,
                                  "Kelmora", platform::MessageButtons::Ok, platform::MessageIcon::Information);
    if (!IsDocumentName(path) && !HoldsUnicodeText(path)) {
        platform::Messages().Show(path + "\nis neither a .txf or .txt document nor Unicode text", "Kelmora",
                                  platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    if (ConfirmSaveChanges() == Confirmation::Proceed && OpenChosen(path, Adopt::HeaderFont) == Opened::Loaded) {
        recentFiles.Add(path);
        host.RecentFilesChanged();
    }
    host.FocusEditor();
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
    if (NeedsNewName())
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
    if (saved) {
        SetCurrentPath(*path);
        imported = false;
    }
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
    if (imported)
        ImportFrom(currentPath);
    else if (!IsUntitled() && OpenDocumentText(host.Editor(), currentPath, settings.DocumentFormatInUse()) && host.Editor().headerLoaded)
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
    // Unlike Open, the tool bar keeps a header's face, size and keymap, and the recent list is
    // unchanged. Declining the import leaves what was there, as a cancelled question does.
    return OpenChosen(path, Adopt::Nothing) != Opened::Failed;
}

} // namespace app
