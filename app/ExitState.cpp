#include "app/ExitState.h"

namespace app {

void StoreExitState(const ExitState& state, platform::SettingsStore& settings)
{
    settings.WriteString("Temp", "LastFile", state.documentPath);

    if (settings.ReadInt("Settings", "SaveWPonExit", 1) != 0) {
        settings.WriteInt("Settings", "PosX", state.windowLeft);
        settings.WriteInt("Settings", "PosY", state.windowTop);
        settings.WriteInt("Settings", "SizeX", state.windowWidth);
        settings.WriteInt("Settings", "SizeY", state.windowHeight);
    }

    if (settings.ReadInt("Settings", "SaveOnExit", 1) == 0)
        return;
    settings.WriteString("Settings", "font", state.faceName);
    settings.WriteString("Settings", "keyfile", state.keymapName);
    settings.WriteInt("Settings", "size", state.size);
    // A hidden bar has no placement worth keeping: the last visible one stays stored.
    if (state.toolBarVisible) {
        settings.WriteInt("Settings", "T1Adjust", state.toolBarStyle);
        settings.WriteInt("Settings", "T1PosX", state.toolBarLeft);
        settings.WriteInt("Settings", "T1PosY", state.toolBarTop);
        settings.WriteInt("Settings", "T1Dock", state.toolBarFloating ? 1 : 0);
    }
    settings.WriteInt("Settings", "T1Show", state.toolBarVisible ? 1 : 0);
}

} // namespace app
