/** @file ExitState.h
 ** What the main window stores in the settings when it closes. **/
#pragma once

#include "app/EditorSettings.h"

#include <string>

namespace app {

/// The main window's state at close, as the window reads it from itself.
struct ExitState {
    std::string documentPath;          // may be "UnTitled.txf"
    int windowLeft = 0, windowTop = 0; // screen rectangle, maximised or not
    int windowWidth = 0, windowHeight = 0;
    std::string faceName;              // the values shown in the tool bar
    std::string keymapName;
    int size = 0;
    bool toolBarVisible = true;
    int toolBarStyle = -1;
    int toolBarLeft = 0, toolBarTop = 0;
    bool toolBarFloating = true;
};

/// Writes "Temp"/"LastFile" always, the window rectangle when "SaveWPonExit" is non-zero, and the
/// font, keymap, size and tool-bar values when "SaveOnExit" is non-zero (the tool bar's placement
/// only while it is visible).
void StoreExitState(const ExitState& state, EditorSettings& settings);

} // namespace app
