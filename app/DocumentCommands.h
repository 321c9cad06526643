/** @file DocumentCommands.h
 ** The one open document: New, Open, Save, Save As, Revert, next/previous file, opening by path. **/
#pragma once

#include "app/DocumentHost.h"
#include "app/EditorSettings.h"
#include "app/KeymapGuess.h"
#include "app/RecentFileList.h"

#include <string>
#include <vector>

namespace editctl {
class PersianEdit;
}

namespace app {

enum class Confirmation { Proceed, Cancel };

/// LoadTextFile, then, when the file goes on after an end-of-file mark, the one warning that a save
/// will drop those bytes. Every way of opening a document goes through here.
bool OpenDocumentText(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format);

/// Owns the current path and carries out the document commands on the host's edit control.
/// Unsaved text is never discarded: when the user chose to save and the save failed or its Save As
/// was cancelled, the command that asked stops.
class DocumentCommands {
public:
    static constexpr const char* UntitledPath = "UnTitled.txf";
    static constexpr const char* TitleSuffix = " - Kelmora";

    /// None of the three is owned; `settings` gives the document format at each load and save.
    DocumentCommands(DocumentHost& host, RecentFileList& recentFiles, const EditorSettings& settings);

    /// Full path of the document, or "UnTitled.txf".
    const std::string& CurrentPath() const { return currentPath; }
    bool IsUntitled() const { return currentPath == UntitledPath; }
    /// Sets the current path and the window title (start-up uses it for the last document).
    void SetCurrentPath(const std::string& path);
    /// The window title for a path: the path followed by " - Kelmora".
    static std::string TitleFor(const std::string& path);

    /// The save-changes question before the document is replaced or the window closes.
    Confirmation ConfirmSaveChanges();

    void New();
    void Open();
    /// Save and Save As return whether the file was written.
    bool Save();
    bool SaveAs();
    void Revert();
    void NextFile();
    void PreviousFile();
    /// Opening from the command line or the recent-file list. False when the file cannot be read
    /// (path, title and text unchanged); true also when the user cancelled the save-changes question.
    bool OpenFromPath(const std::string& path);
    /// File > Import Unicode Text...: a UTF-8 file becomes the document in the current keymap.
    void ImportUnicode();
    /// File > Export as Unicode Text...: the document as logical-order UTF-8; the document itself
    /// (path, modified flag) does not change. Returns whether the file was written.
    bool ExportUnicode();
    /// Files dropped on the window: the first is opened like Open (a UTF-8 file is offered for
    /// import); when there were several the user is told that only the first was taken.
    void OpenDropped(const std::vector<std::string>& paths);
    /// True while the document came from a UTF-8 file and has not been saved as a document: its
    /// Save asks for a document name, so the UTF-8 original is never overwritten with glyph codes.
    bool IsImported() const { return imported; }
    /// Where unsaved text came from: a document's file, or a UTF-8 file that Save must not overwrite.
    enum class TextOrigin { Document, UnicodeFile };
    /// Takes text that no file holds yet (an import, or text recovered after a crash) as the
    /// document: modified, under `path`, which is not written until the user saves.
    void TakeUnsavedText(const std::string& path, const std::string& glyphs, TextOrigin origin);
    /// The word list the keymap offer scores with (tests name their own).
    void SetWordList(const std::string& path) { guess = KeymapGuess(path); }
    /// The close handler's question: true when the window may close.
    bool CanClose() { return ConfirmSaveChanges() == Confirmation::Proceed; }

private:
    enum class Direction { Next, Previous };
    bool SaveTo(const std::string& path);
    void Step(Direction direction);
    enum class Adopt { HeaderFont, Nothing };
    enum class Opened { Loaded, Imported, Failed, Declined };
    bool LoadAndAdopt(const std::string& path);
    /// Opens a chosen file: a UTF-8 one is offered for import, a header-less one may be offered a
    /// better keymap.
    Opened OpenChosen(const std::string& path, Adopt adopt);
    bool ImportFrom(const std::string& path);
    void OfferBetterKeymap(const std::string& path);
    bool NeedsNewName() const { return IsUntitled() || imported; }

    DocumentHost& host;
    RecentFileList& recentFiles;
    const EditorSettings& settings;
    std::string currentPath = UntitledPath;
    bool imported = false;
    KeymapGuess guess;
};

} // namespace app
