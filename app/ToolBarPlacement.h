/** @file ToolBarPlacement.h
 ** Where the tool bar goes at start-up and what of its placement is stored at exit. **/
#pragma once

#include "app/EditorSettings.h"

#include <QPoint>

#include <vector>

class QMainWindow;
class QToolBar;

namespace app {

/// A floating bar's window sits this far above where its stored top says: the stored value is
/// the top of the bar under its floating frame's caption.
inline constexpr int FloatingCaptionHeight = 18;

/// The tool bar's state as stored in "T1Show", "T1Dock", "T1Adjust", "T1PosX", "T1PosY".
struct ToolBarState {
    bool visible = true;
    bool floating = true;
    int style = -1; // bar style bits: the dock side (AlignLeft/Top/Right/Bottom below); -1 = leave
    QPoint position{100, 100};
};

/// Bar style bits naming the side a docked bar keeps to.
inline constexpr int AlignLeft = 0x1000;
inline constexpr int AlignTop = 0x2000;
inline constexpr int AlignRight = 0x4000;
inline constexpr int AlignBottom = 0x8000;

/// The available area of every screen, in logical pixels.
std::vector<EditorSettings::WindowRectangle> AvailableScreens();
ToolBarState ReadToolBarState(const EditorSettings& settings);
/// Floats, docks or hides `bar` as `state` says (start-up placement).
void PlaceToolBar(QMainWindow& window, QToolBar& bar, const ToolBarState& state);
/// The bar's current state, in the terms ReadToolBarState reads back.
ToolBarState CurrentToolBarState(const QMainWindow& window, const QToolBar& bar);
/// Makes the bar a floating window whose top-left corner is at `at`, or as near as a screen shows.
void FloatToolBar(QToolBar& bar, QPoint at);

} // namespace app
