#include "tools/ReflowCommon.h"

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "tools/Resemble.h"

#include <algorithm>

namespace tools {

bool LoadReflowKeymaps(const editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                       const std::string& currentKeymapName)
{
    const keymap::KeyMap* bound = edit.KeyMapInUse();
    return converter.LoadKeymaps(bound ? bound->FileName() : std::string(), currentKeymapName);
}

void PutReflowedText(editctl::PersianEdit& edit, const std::string& text)
{
    editctl::EditWindow& window = edit.Window();
    const bool changed = window.GetTextLength() != static_cast<int>(text.size()) || window.GetText() != text;
    window.SetText(text);
    if (changed)
        edit.modified = true;
}

std::string MarginSpaces(int count)
{
    return std::string(static_cast<size_t>(std::clamp(count, 0, MaxMarginSpaces)), ' ');
}

} // namespace tools
