/** @file PromptStrings.cpp
 ** The string table of the editor. **/
#include "res/PromptStrings.h"

#include <unordered_map>

namespace res {
namespace {

const std::unordered_map<int, std::string>& Table()
{
    static const std::unordered_map<int, std::string> table = {
        // The program's own commands and controls.
        {1000, "Add a new font setting to scratch\nAdd to Scratch"},
        {1002, "Select font & script from scratch\nSelect from scratch"},
        {1003, "Select Font\nSelect Font"},
        {1004, "Select a dorvantil file for the current font\nSelect kbd"},
        {1005, "Delete a set of font setting from scratch\nDelete from scratch"},
        {1009, "Current fontname\nFontName"},
        {1010, "Change size of the text\nChange Size"},
        {1013, "Execute Dorvantil\nDorvantil"},
        {32771, "Saves the active document with a new name\n"},
        {33170, "Reads a UTF-8 text file into the current keymap\n"},
        {33171, "Writes the document as UTF-8 text\n"},
        {32773, "Reload the last opened document\n"},
        {32776, "Inserts the Clipboard contents at the insertion point\nPaste"},
        {32779, "Change Settings\nSetting"},
        {32780, "Justify Text\nJustify"},
        {32781, "Batch Convert...\nBatch Convert..."},
        {32782, "Show Configuration Dialog\nConfig Dialog"},
        {32783, "Resemble\nResemble"},
        {32784, "Maximize or Restore Window Position\nMaximze/Restore"},
        {32792, "Minimize Window\nMinimize"},
        {32794, "Minimize window\nMinimize"},
        {32795, "Show Shortcut keys dialog...\nShortcut Keys..."},
        {32797, "Select all text in"},
        {32798, "Insert Time ..."},
        {32799, "Insert Date..."},
        {32803, "View statics of current document.\nStatics"},
        {32807, "Divane Quvel...\nDivane Quvel..."},
        {32808, "Insert a random ghazal of Quvel\nRandom ghazal insert"},
        {32809, "Select from Scratch tabel ...\nScratch Select ..."},
        {103, "Persian"},
        {105, "Time"},
        {106, "XXX : XXX"},
        {128, "Kelmora_F"},
        {57344, "Kelmora"},
        {57345, "Ready"},
        // The framework's commands, in its customary wording.
        {57600, "Create a new document\nNew"},
        {57601, "Open an existing document\nOpen"},
        {57602, "Close the active document\nClose"},
        {57603, "Saves the active document\n"},
        {57616, "Open this document"},
        {57617, "Open this document"},
        {57618, "Open this document"},
        {57619, "Open this document"},
        {57620, "Open this document"},
        {57621, "Open this document"},
        {57622, "Open this document"},
        {57623, "Open this document"},
        {57624, "Open this document"},
        {57625, "Open this document"},
        {57632, "Erase the selection\nErase"},
        {57633, "Erase everything\nErase All"},
        {57634, "Copy the selection and put it on the Clipboard\nCopy"},
        {57635, "Cut the selection and put it on the Clipboard\nCut"},
        {57636, "Find the specified text\nFind"},
        {57637, "Insert Clipboard contents\nPaste"},
        {57640, "Repeat the last action\nRepeat"},
        {57641, "Replace specific text with different text\nReplace"},
        {57642, "Select the entire document\nSelect All"},
        {57643, "Undo the last action\nUndo"},
        {57644, "Redo the previously undone action\nRedo"},
        {57653, "Split the active window into panes\nSplit"},
        {57664, "Display program information, version number and copyright\nAbout"},
        {57665, "Quit the application; prompts to save documents\nExit"},
        {57680, "Switch to the next window pane\nNext Pane"},
        {57681, "Switch back to the previous window pane\nPrevious Pane"},
        {59136, "EXT"},
        {59137, "CAP"},
        {59138, "NUM"},
        {59139, "SCRL"},
        {59140, "OVR"},
        {59141, "REC"},
        {59392, "Show or hide the toolbar\nToggle ToolBar"},
        {59393, "Show or hide the status bar\nToggle StatusBar"},
        {61184, "Change the window size"},
        {61185, "Change the window position"},
        {61186, "Reduce the window to an icon"},
        {61187, "Enlarge the window to full size"},
        {61188, "Switch to the next document window"},
        {61189, "Switch to the previous document window"},
        {61190, "Close the active window and prompts to save the documents"},
        {61202, "Restore the window to normal size"},
        {61203, "Activate Task List"},
    };
    return table;
}

} // namespace

std::string StringResource(int id)
{
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? std::string() : it->second;
}

std::string StatusPrompt(int id)
{
    std::string text = StringResource(id);
    return text.substr(0, text.find('\n'));
}

std::string ToolTip(int id)
{
    std::string text = StringResource(id);
    auto lineFeed = text.find('\n');
    return lineFeed == std::string::npos ? std::string() : text.substr(lineFeed + 1);
}

} // namespace res
