#include "app/ExitState.h"

namespace app {

void StoreExitState(const ExitState& state, EditorSettings& settings)
{
    settings.SetLastFile(state.documentPath);

    if (settings.SaveWindowOnExit())
        settings.SetWindowPlacement({state.windowLeft, state.windowTop, state.windowWidth, state.windowHeight});

    if (!settings.SaveOnExit())
        return;
    settings.SetFontName(state.faceName);
    settings.SetKeymapFile(state.keymapName);
    settings.SetFontSize(state.size);
    // A hidden bar has no placement worth keeping: the last visible one stays stored.
    if (state.toolBarVisible) {
        EditorSettings::ToolBarValues bar;
        bar.style = state.toolBarStyle;
        bar.left = state.toolBarLeft;
        bar.top = state.toolBarTop;
        bar.floating = state.toolBarFloating;
        settings.SetToolBarPlacement(bar);
    }
    settings.SetToolBarVisible(state.toolBarVisible);
}

} // namespace app
