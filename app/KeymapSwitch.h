/** @file KeymapSwitch.h
 ** Choosing another keymap for the open document: its text is converted, then the keymap is loaded. **/
#pragma once

#include <string>

namespace editctl {
class PersianEdit;
}
namespace keymap {
class KeyMap;
class KeymapConverter;
}

namespace app {

enum class KeymapSwitchResult { Switched, Refused };

/// Converts the editor's whole text from the glyph codes of `bound` (by its file name) to those of
/// keymap `chosen`, then loads `chosen` into `bound`; a text that was converted marks the document
/// modified (its file still holds the old encoding). The text is
/// converted only when both keymaps load: converting into a keymap that cannot be read would turn
/// every glyph into the unmapped record's and lose the text. Then nothing changes, the failed load
/// has been reported, and the result is Refused. A keymap that was never loaded has no text to
/// convert: `chosen` is simply loaded.
KeymapSwitchResult SwitchKeymap(editctl::PersianEdit& editor, keymap::KeyMap& bound,
                                keymap::KeymapConverter& converter, const std::string& chosen);

} // namespace app
