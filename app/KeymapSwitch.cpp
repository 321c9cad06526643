#include "app/KeymapSwitch.h"

#include "app/DocumentFile.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"

namespace app {

KeymapSwitchResult SwitchKeymap(editctl::PersianEdit& editor, keymap::KeyMap& bound,
                                keymap::KeymapConverter& converter, const std::string& chosen)
{
    if (bound.IsLoaded()) {
        if (!converter.LoadKeymaps(bound.FileName(), chosen))
            return KeymapSwitchResult::Refused;
        converter.input = editor.Window().GetText();
        converter.Convert(true);
        // Text now in another encoding differs from its file, whose header names the old keymap.
        const bool converts = !converter.input.empty() && bound.FileName() != chosen;
        ReplaceTextKeepingModified(editor, converter.output);
        if (converts)
            editor.modified = true;
        // The converter is shared by every command; it keeps no copy of this document.
        converter.input.clear();
        converter.output.clear();
    }
    bound.Load(chosen);
    return KeymapSwitchResult::Switched;
}

} // namespace app
