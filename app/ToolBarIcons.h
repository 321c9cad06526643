/** @file ToolBarIcons.h
 ** The tool bar's button pictures, the keymap editor picture and the window icon, drawn in code. **/
#pragma once

#include <QIcon>

namespace app {

/// The 16 x 16 picture of a tool bar command (New, Open, Undo, Cut, Copy, Paste, Settings, Batch
/// Convert, Resemble, Justify, About); a null icon for any other id.
QIcon ToolBarIcon(int commandId);
/// The keyboard picture of the dialog bar's keymap editor launcher.
QIcon KeymapEditorIcon();
/// The main window's icon.
QIcon WindowIcon();

} // namespace app
