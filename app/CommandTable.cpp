/** @file CommandTable.cpp
 ** The editor's command table. **/
#include "app/CommandTable.h"

#include "res/ResourceIds.h"

namespace app {
namespace {

QKeySequence Key(QKeyCombination combination) { return QKeySequence(combination); }

} // namespace

const std::vector<CommandEntry>& Commands()
{
    using namespace res;
    const auto ctrl = Qt::ControlModifier;
    const auto shift = Qt::ShiftModifier;
    const auto alt = Qt::AltModifier;
    const auto keypad = Qt::KeypadModifier;
    static const std::vector<CommandEntry> table = {
        {FileNew, "&New\tCtrl+N", {Key(ctrl | Qt::Key_N)}},
        {FileOpen, "&Open...\tCtrl+O", {Key(ctrl | Qt::Key_O)}},
        {FileRevert, "&Revert\tCtrl+R", {Key(ctrl | Qt::Key_R)}},
        {FileSave, "&Save\tCtrl+S", {Key(ctrl | Qt::Key_S)}},
        {FileSaveAs, "Save &As...", {}},
        {FileImportUnicode, "Import Unicode Text...", {}},
        {FileExportUnicode, "Export as Unicode Text...", {}},
        {FileMruFirst, "Recent File", {}},
        {AppExit, "E&xit\tEscape", {Key(Qt::Key_Escape)}},
        {EditUndo, "&Undo\tCtrl+Z", {Key(ctrl | Qt::Key_Z), Key(alt | Qt::Key_Backspace)}},
        {EditCut, "Cu&t\tCtrl+X", {Key(ctrl | Qt::Key_X), Key(shift | Qt::Key_Delete)}},
        {EditCopy, "&Copy\tCtrl+C", {Key(ctrl | Qt::Key_C), Key(ctrl | Qt::Key_Insert)}},
        {EditPaste, "&Paste\tCtrl+V", {Key(ctrl | Qt::Key_V), Key(shift | Qt::Key_Insert)}},
        {EditSelectAll, "Select &All\tCtrl+A", {}},
        {EditFind, "&Find ...\tCtrl+F", {Key(ctrl | Qt::Key_F), Key(ctrl | Qt::Key_F3)}},
        {EditFindNext, "Find Next\tF3", {Key(Qt::Key_F3)}},
        {EditReplace, "&Replace...\tCtrl+H", {Key(ctrl | Qt::Key_H)}},
        {InsertDate, "Insert &Date...\tCtrl+D", {Key(ctrl | Qt::Key_D)}},
        {InsertTime, "Insert &Time...\tCtrl+T", {Key(ctrl | Qt::Key_T)}},
        {ScratchSelect, "Scratch S&elect ...\tF12", {Key(Qt::Key_F12)}},
        {SetFont, "&Set Font...\tAlt+F7", {Key(alt | Qt::Key_F7)}},
        {LaunchKeymapEditor, "&Dorvantil...", {}},
        {Resemble, "Resemble ...\tCtrl+B", {Key(ctrl | Qt::Key_B)}},
        {Justify, "&Justify to window ...\tCtrl+J", {Key(ctrl | Qt::Key_J)}},
        {BatchConvert, "&Batch Conevrt ...", {}},
        {DivaneQuvel, "Divane Quvel ...\tCtrl+1", {Key(ctrl | Qt::Key_1)}},
        {RandomGhazal, "&Random Ghazal \tCtrl+Q", {Key(ctrl | Qt::Key_Q)}},
        {Settings, "&Settings ...\tCtrl+0", {Key(ctrl | Qt::Key_0)}},
        {ViewToolbar, "&Toolbar", {}},
        {ViewStatusBar, "&Status Bar", {}},
        {MaximizeRestore, "Maximize/Restore\tAlt+F1", {Key(alt | Qt::Key_F1)}},
        {MinimizeWindow, "Minimize window\tCtrl+M", {Key(ctrl | Qt::Key_M), Key(shift | Qt::Key_Escape)}},
        {Statistics, "Stati&cs...", {}},
        {AppAbout, "&About Kelmora_F...", {}},
        {ShortcutKeys, "&Shortcut Keys...", {}},
        {NextFile, "Next F&ile\tNum +", {Key(keypad | Qt::Key_Plus), Key(ctrl | keypad | Qt::Key_Plus)}},
        {PreviousFile, "Pre&vious File\tNum -", {Key(keypad | Qt::Key_Minus), Key(ctrl | keypad | Qt::Key_Minus)}},
        {FocusScratchBox, "", {Key(alt | Qt::Key_F2)}},
        {FocusSizeBox, "", {Key(alt | Qt::Key_F3)}},
        {BackToEditor, "", {Key(Qt::Key_Return), Key(keypad | Qt::Key_Enter), Key(Qt::Key_Tab),
                            Key(alt | Qt::Key_QuoteLeft)}},
    };
    return table;
}

const std::vector<MenuEntry>& MenuBarLayout()
{
    using namespace res;
    static const std::vector<MenuEntry> menus = {
        {"&File", {FileNew, FileOpen, FileRevert, FileSave, FileSaveAs, 0, FileImportUnicode, FileExportUnicode, 0, NextFile,
                   PreviousFile, 0, FileMruFirst, 0, AppExit}},
        {"&Edit", {EditUndo, 0, EditCut, EditCopy, EditPaste, EditSelectAll, 0, EditFind, EditFindNext,
                   EditReplace, 0, InsertDate, InsertTime, 0, ScratchSelect, SetFont, LaunchKeymapEditor}},
        {"&Tools", {Resemble, Justify, BatchConvert, 0, DivaneQuvel, RandomGhazal, 0, Settings}},
        {"&View", {ViewToolbar, ViewStatusBar, 0, MaximizeRestore, MinimizeWindow, 0, Statistics}},
        {"&Help", {AppAbout, 0, ShortcutKeys}},
    };
    return menus;
}

const std::vector<int>& ToolBarLayout()
{
    using namespace res;
    static const std::vector<int> buttons = {FileNew, FileOpen, 0, EditUndo, 0, EditCut, EditCopy, EditPaste, 0,
                                             Settings, 0, BatchConvert, Resemble, Justify, 0, AppAbout};
    return buttons;
}

bool IsDialogBarOnly(int id) { return id == res::BackToEditor; }

bool IsKeypadKey(const QKeySequence& key)
{
    return key.count() == 1 && key[0].keyboardModifiers().testFlag(Qt::KeypadModifier);
}

int KeypadCommand(QKeyCombination key)
{
    if (!key.keyboardModifiers().testFlag(Qt::KeypadModifier))
        return 0;
    for (const CommandEntry& command : Commands()) {
        if (IsDialogBarOnly(command.id))
            continue;
        for (const QKeySequence& sequence : command.keys) {
            if (sequence.count() == 1 && sequence[0] == key)
                return command.id;
        }
    }
    return 0;
}

} // namespace app
