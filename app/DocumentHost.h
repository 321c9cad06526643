/** @file DocumentHost.h
 ** What the document commands need of the main window: its edit control, title, focus, dialogs and warnings. **/
#pragma once

#include "app/UnicodeDocument.h"
#include "extras/WarningAnswers.h"

#include <optional>
#include <string>

namespace editctl {
class PersianEdit;
}

namespace app {

/// The save-changes warning's answer, as the warning of extras/ gives it.
using SaveChangesAnswer = extras::SaveChangesAnswer;

/// Where an export to Unicode text goes, and with which line ends.
struct UnicodeExportChoice {
    std::string path;
    LineEnds ends = LineEnds::Lf;
};

/// The main window as the document commands see it. CMainFrame implements it; tests use a fake
/// with scripted dialog answers. The commands never own the host.
///
/// A main window typically implements the dialog calls with the reusable widgets of this folder
/// and of extras/: RunOpenDialog/RunSaveAsDialog with a DocumentFileDialog of each kind created
/// once with the window, RunSaveChangesWarning with extras::SaveChangesWarning::Run,
/// RunRevertWarning with extras::RevertWarning::Run.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    /// The main edit control that holds the document.
    virtual editctl::PersianEdit& Editor() = 0;
    /// Sets the main window's caption (the commands build the text, e.g. "UnTitled.txf - Kelmora").
    virtual void SetTitle(const std::string& title) = 0;
    /// Gives the keyboard focus to the main edit control.
    virtual void FocusEditor() = 0;

    /// Runs the open dialog; the chosen full path, or nothing unless it ended with OK.
    virtual std::optional<std::string> RunOpenDialog() = 0;
    /// Runs the save-as dialog; the chosen full path, or nothing unless it ended with OK.
    virtual std::optional<std::string> RunSaveAsDialog() = 0;
    /// Runs the dialog that picks a UTF-8 text file to import; nothing unless it ended with OK.
    virtual std::optional<std::string> RunImportDialog() = 0;
    /// Runs the dialog that names the UTF-8 file to export to and its line ends.
    virtual std::optional<UnicodeExportChoice> RunExportDialog() = 0;
    /// Runs the save-changes warning ("Do you want to save changes ?"); Cancel when closed otherwise.
    virtual SaveChangesAnswer RunSaveChangesWarning() = 0;
    /// Runs the revert warning ("Are you sure to revert ?"); true for Yes, false for No or closing.
    virtual bool RunRevertWarning() = 0;

    /// After a load that found a header: copy the editor's face, size and keymap name into the
    /// window's fields and boxes, and clear the editor's headerLoaded.
    virtual void AdoptDocumentFont() = 0;
    /// The recent-file list changed; the File menu should show it again.
    virtual void RecentFilesChanged() = 0;
};

} // namespace app
