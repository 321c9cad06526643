#include "extras/HelpTexts.h"

namespace extras {

const std::array<std::string_view, 54>& ShortcutRows()
{
    static constexpr std::array<std::string_view, 54> rows = {
        "Ctrl+O    Open File",
        "Ctrl+S    Save File",
        "Ctrl+R    Revert File",
        "Ctrl+N    New File",
        "",
        "",
        "F12       Scratch-Select Dialog...",
        "Ctrl+0    Show Configuration...",
        "Ctrl+J     Justify text",
        "Ctrl+B    Resemble",
        "Alt+F7    Select Font...",
        "",
        "",
        "Alt+F1        Maximize/Restore window",
        "Alt+F2        Focus to ScratchCombo",
        "Alt+F3        Focus to SizeCombo",
        "Ctrl+M        Minimize window",
        "Shift+Esc   Minimize window",
        "Alt+~         Switch to editor window",
        "Escape      Exit Kelmora",
        "",
        "",
        "{numpad}+    Goto NextFile",
        "{numpad} -    Goto PrevFile",
        "",
        "",
        "Ctrl+P       Switch Language",
        "Ctrl+Z       Undo",
        "",
        "",
        "Ctrl+F         Find",
        "F3              Find Next",
        "Ctrl+H        Find and Replace",
        "",
        "",
        "Ctrl+A        Select all",
        "Ctrl+D        Insert Date",
        "Ctrl+T        Insert Time",
        "Ctrl+1        Show Quvel dialog",
        "Ctrl+Q        Insert a random poem",
        "Ctrl+Y        Delete current line",
        "Ctrl+L        Delete current line",
        "",
        "Ctrl+Del                 Delete next word",
        "Ctrl+BackSpace    Delete prev word",
        "",
        "",
        "Home     Goto begining of line",
        "End        Goto end of line",
        "",
        "",
        "Ctrl+C,Shift+Insert    Copy",
        "Ctrl+X,Shift+Del       Cut",
        "Ctrl+V,Shift+Insert    Paste",
    };
    return rows;
}

const std::array<std::string_view, 4>& AboutInformationLines()
{
    static constexpr std::array<std::string_view, 4> lines = {
        "Persian editor for legacy font encodings.",
        "Keymaps: main.kbd, kolb.kbd, ziba2.kbd",
        "Settings: user configuration \"Kelmora\"",
        "Copyright the Kelmora developers.",
    };
    return lines;
}

} // namespace extras
