// The Edit menu's text tools in the main window on a kolb.kbd document: Find with a word typed on the
// physical keys of main.kbd, Find Next on F3, Replace and Replace All with one Undo back, and the
// date and time from the window's clock.
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "editctl/PersianEdit.h"
#include "editctl/PersianEditWidget.h"
#include "editctl/VirtualKeyMap.h"
#include "res/ResourceIds.h"
#include "tests/fakes/ModalAnswer.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tools/FindDialog.h"
#include "tools/ReplaceDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace apptest {
namespace {

using app::CMainFrame;
using platform::MessageAnswer;

std::u32string U32(std::string_view utf8) { return QString::fromUtf8(utf8.data(), utf8.size()).toStdU32String(); }

/// The evdev code of the physical key that carries a virtual-key code; 0 when none does.
int EvdevOf(int virtualKey)
{
    for (int code = 1; code < 128; ++code)
        if (editctl::VirtualKeyMap::FromEvdev(code) == virtualKey)
            return code;
    return 0;
}

/// A key as X11 reports it: the native scan code names the physical key. The shortcut override
/// comes first, as the platform sends it; the key press follows only when the override was not
/// claimed and no shortcut took it (which `pressFollows` says). Returns whether it was claimed.
bool PressPhysical(QWidget* target, int evdev, Qt::Key qtKey, Qt::KeyboardModifiers modifiers, bool pressFollows)
{
    static ulong timestamp = 5000;
    ++timestamp;
    QKeyEvent override(QEvent::ShortcutOverride, qtKey, modifiers, static_cast<quint32>(evdev + 8), 0, 0);
    override.setTimestamp(timestamp);
    override.setAccepted(false);
    QApplication::sendEvent(target, &override);
    if (pressFollows || override.isAccepted()) {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, static_cast<quint32>(evdev + 8), 0, 0);
        press.setTimestamp(timestamp);
        QApplication::sendEvent(target, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, static_cast<quint32>(evdev + 8), 0, 0);
    QApplication::sendEvent(target, &release);
    return override.isAccepted();
}

/// Types a Persian word key by key on the physical keys that carry it in main.kbd.
void TypeWord(QWidget* field, std::string_view word)
{
    const keymap::KeyMap map = fakes::ShippedKeymap("main.kbd");
    constexpr int SpaceBar = 57;
    for (const char32_t c : U32(word)) {
        if (c == U' ') {
            PressPhysical(field, SpaceBar, Qt::Key_Space, {}, true);
            continue;
        }
        const std::string glyphs = fakes::Glyphs("main.kbd", QString::fromUcs4(&c, 1).toStdString());
        ASSERT_EQ(glyphs.size(), 1u);
        int form = 0;
        const keymap::KeyRecord record = map.RecordForGlyph(static_cast<unsigned char>(glyphs[0]), form);
        const int evdev = EvdevOf(record.keyCode);
        ASSERT_NE(evdev, 0);
        PressPhysical(field, evdev, Qt::Key_unknown, {}, true);
    }
}

class EditCommandsTest : public MainFrameTest {
protected:
    /// The window on an untitled kolb.kbd document holding these Persian lines, caret at the top.
    CMainFrame& Open(std::initializer_list<const char*> lines)
    {
        InstallKeymap("main.kbd");
        InstallKeymap("kolb.kbd");
        services.settings.WriteInt("Temp", "FirstTime", 0);
        services.settings.WriteString("Settings", "keyfile", "kolb.kbd");
        CMainFrame& window = CreateFrame();
        window.resize(900, 400);
        window.show();
        Activate();
        std::string text;
        for (const char* line : lines)
            text += (text.empty() ? "" : "\r\n") + fakes::Glyphs("kolb.kbd", line);
        Editor().Window().SetText(text);
        Editor().Window().SetSel(0, 0);
        Editor().modified = false;
        return window;
    }
    /// Shortcuts fire only in the active window, which a closed dialog may have left inactive.
    void Activate()
    {
        QApplication::setActiveWindow(frame.get());
        frame->FocusEditor();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    editctl::PersianEdit& Editor() { return frame->View().Editor(); }
    std::string Reading() { return fakes::Unicode("kolb.kbd", Editor().Window().GetText()); }
    std::string Selected()
    {
        int start = 0, end = 0;
        Editor().Window().GetSel(start, end);
        return fakes::Unicode("kolb.kbd", Editor().Window().TextRange(start, end));
    }
    int SelectionStart()
    {
        int start = 0, end = 0;
        Editor().Window().GetSel(start, end);
        return start;
    }
    /// Runs `id` from another control; `action` gets the dialog of type D it shows modally.
    /// Returns whether it came; the focus must be back in the editor afterwards.
    template <class D>
    bool RunWithDialog(int id, std::function<void(D&)> action)
    {
        fakes::ModalAnswer<D> answer(std::move(action));
        frame->Bar().SizeBox()->setFocus();
        frame->RunCommand(id);
        EXPECT_EQ(answer.Other(), "") << id;
        EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget()) << id;
        return answer.Shown();
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const platform::Message& m : services.messages.shown)
            texts.push_back(m.caption + ": " + m.text);
        return texts;
    }
};

TEST_F(EditCommandsTest, FindTypedInMainKbdSelectsTheWordOfTheKolbDocumentAndF3GoesToTheNext)
{
    CMainFrame& window = Open({"کتاب دنیا", "باغ و دنیا"});
    ASSERT_EQ(window.View().BoundKeyMap().FileName(), "kolb.kbd");
    ASSERT_TRUE(RunWithDialog<tools::FindDialog>(res::EditFind, [](tools::FindDialog& dialog) {
        TypeWord(dialog.Field(), "دنیا");
        dialog.FindNextButton()->click();
        dialog.reject();
    }));
    EXPECT_EQ(Selected(), "دنیا");
    const int first = SelectionStart();
    EXPECT_LT(first, static_cast<int>(fakes::Glyphs("kolb.kbd", "کتاب دنیا").size()));
    EXPECT_TRUE(services.messages.shown.empty());

    // F3 with the editor focused: the editor leaves it to the window, whose Find Next uses the
    // search kept from the dialog.
    QWidget* editor = window.View().EditWidget();
    Activate();
    EXPECT_FALSE(PressPhysical(editor, 61, Qt::Key_F3, {}, false)) << "the editor claimed F3";
    QTest::keyClick(editor, Qt::Key_F3);
    EXPECT_EQ(Selected(), "دنیا");
    const int second = SelectionStart();
    EXPECT_GT(second, first) << "the second line's word";
    EXPECT_EQ(Reading(), "کتاب دنیا\r\nباغ و دنیا") << "F3 typed nothing";

    // The next F3 finds no more; Cancel keeps the selection.
    QTest::keyClick(editor, Qt::Key_F3);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Kelmora::FindNext: Passed the end the file"});
    EXPECT_EQ(SelectionStart(), second);
    EXPECT_EQ(window.focusWidget(), editor);

    // Retry searches again from the top.
    services.messages.Script({MessageAnswer::Retry});
    QTest::keyClick(editor, Qt::Key_F3);
    EXPECT_EQ(services.messages.shown.size(), 2u);
    EXPECT_EQ(SelectionStart(), first);
    EXPECT_EQ(Selected(), "دنیا");
    EXPECT_FALSE(Editor().modified);
}

TEST_F(EditCommandsTest, CtrlFCtrlF3AndFindNextBeforeAnySearchOpenFind)
{
    CMainFrame& window = Open({"دنیا"});
    QWidget* editor = window.View().EditWidget();
    EXPECT_FALSE(PressPhysical(editor, 61, Qt::Key_F3, Qt::ControlModifier, false)) << "the editor claimed Ctrl+F3";
    for (const QKeyCombination keys : {Qt::ControlModifier | Qt::Key_F3, Qt::ControlModifier | Qt::Key_F,
                                       QKeyCombination(Qt::Key_F3)}) {
        const std::string name = QKeySequence(keys).toString().toStdString();
        Activate();
        fakes::ModalAnswer<tools::FindDialog> answer;
        QTest::keyClick(editor, keys.key(), keys.keyboardModifiers());
        EXPECT_TRUE(answer.Shown()) << name;
        EXPECT_EQ(answer.Other(), "") << name;
        EXPECT_EQ(window.focusWidget(), editor) << name;
    }
    EXPECT_EQ(Reading(), "دنیا");
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(EditCommandsTest, FindAndReplaceWithOnlySpacesDoNothingAndReplaceAllSaysNoMatch)
{
    CMainFrame& window = Open({"دنیا و دنیا"});
    ASSERT_TRUE(RunWithDialog<tools::FindDialog>(res::EditFind, [](tools::FindDialog& dialog) {
        TypeWord(dialog.Field(), "  ");
        dialog.FindNextButton()->click();
        dialog.reject();
    }));
    EXPECT_TRUE(services.messages.shown.empty()) << "an empty search is not a failed one";
    EXPECT_EQ(SelectionStart(), 0);

    // Find Next with only spaces kept does nothing either: no search, no dialog.
    {
        fakes::ModalAnswer<QDialog> none;
        window.RunCommand(res::EditFindNext);
        EXPECT_FALSE(none.Shown());
        EXPECT_EQ(none.Other(), "");
    }
    EXPECT_TRUE(services.messages.shown.empty());

    ASSERT_TRUE(RunWithDialog<tools::ReplaceDialog>(res::EditReplace, [](tools::ReplaceDialog& dialog) {
        TypeWord(dialog.SearchField(), " ");
        TypeWord(dialog.ReplacementField(), "باغ");
        dialog.ReplaceAllButton()->click();
        EXPECT_TRUE(dialog.isVisible()) << "nothing replaced: the dialog stays";
        dialog.reject();
    }));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Kelmora::ReplaceAll: No match found !"});
    EXPECT_EQ(Reading(), "دنیا و دنیا");
    EXPECT_FALSE(Editor().modified);
}

TEST_F(EditCommandsTest, ReplaceThenReplaceAllAcrossFontsCountAndOneUndoBringsAllBack)
{
    CMainFrame& window = Open({"دنیا و دنیا", "باغ دنیا", "دنیا"});
    const std::string before = Editor().Window().GetText();
    ASSERT_TRUE(RunWithDialog<tools::ReplaceDialog>(res::EditReplace, [this](tools::ReplaceDialog& dialog) {
        TypeWord(dialog.SearchField(), "دنیا");
        TypeWord(dialog.ReplacementField(), "کتابها");
        dialog.ReplaceButton()->click();
        EXPECT_EQ(Reading(), "دنیا و دنیا\r\nباغ دنیا\r\nدنیا") << "Replace without a found match";
        dialog.FindNextButton()->click();
        dialog.ReplaceButton()->click();
        // Display order: the line's logically last word comes first.
        EXPECT_EQ(Reading(), "دنیا و کتابها\r\nباغ دنیا\r\nدنیا");
        EXPECT_TRUE(dialog.MatchSelected()) << "Replace went on to the next match";
        dialog.ReplaceAllButton()->click();
    }));
    EXPECT_EQ(Reading(), "کتابها و کتابها\r\nباغ کتابها\r\nکتابها");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Kelmora::ReplaceAll: Replaced 3 matches !"});
    EXPECT_TRUE(Editor().modified);
    window.RunCommand(res::EditUndo);
    EXPECT_EQ(Editor().Window().GetText(), before) << "one Undo takes back Replace and Replace All";

    // The texts stay for the next Replace, as typed.
    ASSERT_TRUE(RunWithDialog<tools::ReplaceDialog>(res::EditReplace, [](tools::ReplaceDialog& dialog) {
        EXPECT_EQ(fakes::Unicode("main.kbd", dialog.SearchField()->Window().GetText()), "دنیا");
        EXPECT_EQ(fakes::Unicode("main.kbd", dialog.ReplacementField()->Window().GetText()), "کتابها");
        dialog.reject();
    }));
    // And Find starts with the same search.
    ASSERT_TRUE(RunWithDialog<tools::FindDialog>(res::EditFind, [](tools::FindDialog& dialog) {
        EXPECT_EQ(fakes::Unicode("main.kbd", dialog.Field()->Window().GetText()), "دنیا");
    }));
}

TEST_F(EditCommandsTest, ReplaceAllWhoseReplacementHoldsTheSearchCountsEachOriginalOnceAndKeepsTheSelection)
{
    Open({"باغ باغ", "باغ"});
    Editor().Window().SetSel(2, 5);
    ASSERT_TRUE(RunWithDialog<tools::ReplaceDialog>(res::EditReplace, [](tools::ReplaceDialog& dialog) {
        TypeWord(dialog.SearchField(), "باغ");
        TypeWord(dialog.ReplacementField(), "باغ باغ");
        dialog.ReplaceAllButton()->click();
    }));
    EXPECT_EQ(Reading(), "باغ باغ باغ باغ\r\nباغ باغ");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Kelmora::ReplaceAll: Replaced 3 matches !"});
    int start = 0, end = 0;
    Editor().Window().GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 5);
}

TEST_F(EditCommandsTest, DateAndTimeComeFromTheWindowsClockInTheDocumentsFont)
{
    CMainFrame& window = Open({"سلام "});
    clock.time = {2026, 12, 6, 0, 30, 0, 0}; // a Sunday
    window.RunCommand(res::InsertDate);
    EXPECT_EQ(Reading(), "سلام یکشنبه ۱۵ آذر ۱۴۰۵ ");
    EXPECT_EQ(Editor().Window().Caret(), 0);
    EXPECT_EQ(window.focusWidget(), window.View().EditWidget());

    Editor().Window().SetSel(0, 0);
    clock.time = {2026, 12, 10, 18, 5, 0, 4};
    window.RunCommand(res::InsertTime);
    EXPECT_EQ(Reading(), "سلام یکشنبه ۱۵ آذر ۱۴۰۵ شب ۰۶:۰۵ ");
    EXPECT_TRUE(Editor().modified);

    window.RunCommand(res::EditUndo);
    EXPECT_EQ(Reading(), "سلام یکشنبه ۱۵ آذر ۱۴۰۵ ") << "Undo takes back only the time";
}

} // namespace
} // namespace apptest
