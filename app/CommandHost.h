/** @file CommandHost.h
 ** What a command group may use of the main window: the document, its editor and view, the shared
 ** converter, the settings and the services. **/
#pragma once

#include <string>

class QWidget;

namespace editctl {
class PersianEdit;
}
namespace extras {
class ScratchTable;
}
namespace keymap {
class KeymapConverter;
}
namespace platform {
class Clock;
class KeyState;
class MessageService;
class ProgressDisplay;
class Random;
}

namespace app {

class DocumentCommands;
class EditorSettings;
class EditorView;

/// The face name, size and keymap name the window shows in its dialog bar and stores at exit.
/// Filled from the settings by the start-up set-up; names are cut to FitField's length.
struct CurrentFont {
    std::string faceName;
    int size = 0;
    std::string keymapName;
};

/// CMainFrame implements it; groups never own what it hands out. A command reads its input here,
/// calls the function of tools/ or extras/ that does the work (handing it values, not the host),
/// and puts the result back, e.g. into Editor() or through Converter().
class CommandHost {
public:
    virtual ~CommandHost() = default;

    /// The main edit control holding the document.
    virtual editctl::PersianEdit& Editor() = 0;
    /// The client area around it, with the keymap bound to the editor (EditorView::BoundKeyMap).
    virtual EditorView& View() = 0;
    /// The window's one text converter, shared by every command that moves text between keymaps.
    virtual keymap::KeymapConverter& Converter() = 0;
    virtual EditorSettings& Settings() = 0;
    virtual platform::MessageService& Messages() = 0;
    virtual const platform::Clock& Clock() const = 0;
    /// Seeded with the time when the window was built.
    virtual platform::Random& Random() = 0;
    /// The status bar's progress mode, for long operations.
    virtual platform::ProgressDisplay& Progress() = 0;
    /// The keyboard, polled by long operations that holding Shift and Control cancels.
    virtual const platform::KeyState& Keys() const = 0;
    virtual DocumentCommands& Documents() = 0;
    virtual CurrentFont& Font() = 0;
    /// Parent for the dialogs a command shows.
    virtual QWidget* DialogParent() = 0;
    /// Gives the keyboard focus back to the editor; every command does so when it ends.
    virtual void FocusEditor() = 0;
    /// Applies the settings the window keeps in memory again (after the configuration dialog).
    virtual void ApplySettings() = 0;
    /// The "JustifyOnResemble" flag as the last ApplySettings read it.
    virtual bool JustifyAfterResemble() const = 0;
    /// The scratch table as the dialog bar holds it now (saved to scratch.cfg only at exit).
    virtual const extras::ScratchTable& Scratch() const = 0;
};

} // namespace app
