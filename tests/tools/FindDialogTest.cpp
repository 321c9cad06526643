#include "tools/FindDialog.h"
#include "tools/ReplaceDialog.h"

#include "tests/tools/ToolsFixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using platform::MessageAnswer;

namespace {

struct SearchDialogTest : ToolsFixture {
    tools::FindTarget target{edit, converter, "kolb.kbd", services.messages};

    static void Show(QDialog& dialog)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    static void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyPress(w, key, modifiers);
        QTest::keyRelease(w, key, modifiers);
    }
    /// Runs `action` on the modal dialog once it is up.
    static void WhenModal(std::function<void(QWidget*)> action)
    {
        QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
    }
};

} // namespace

TEST_F(SearchDialogTest, FindDialogControlsAndItsFieldInTheFieldFont)
{
    tools::FindDialog dialog(target, Typed("دنیا"));
    EXPECT_EQ(dialog.windowTitle(), "Find");
    auto* field = dialog.findChild<editctl::PersianEditWidget*>("id101");
    ASSERT_EQ(field, dialog.Field());
    EXPECT_EQ(field->geometry(), QRect(QPoint(3, 9), QPoint(216, 40)));
    EXPECT_EQ(field->Edit().KeyMapInUse()->FileName(), "main.kbd");
    EXPECT_EQ(field->Edit().fontFace, "nasim web homa");
    EXPECT_EQ(field->Edit().fontHeight, 22);
    EXPECT_EQ(field->Window().Style(), editctl::WindowStyle::SingleLine);
    EXPECT_EQ(field->Window().GetText(), Typed("دنیا"));
    int start = 0, end = 0;
    field->Window().GetSel(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, field->Window().GetTextLength()));
    auto* findNext = dialog.findChild<QPushButton*>("id1043");
    ASSERT_NE(findNext, nullptr);
    EXPECT_EQ(findNext->text(), "&Find Next");
    EXPECT_TRUE(findNext->isDefault());
    EXPECT_EQ(dialog.findChild<QPushButton*>("id2")->text(), "Cancel");
}

TEST_F(SearchDialogTest, FindNextButtonSelectsTheWordInTheDocument)
{
    Document({"کتاب", "دنیا"});
    tools::FindDialog dialog(target, Typed("دنیا"));
    dialog.FindNextButton()->click();
    EXPECT_EQ(Selected(), "دنیا");
    EXPECT_EQ(Selection().first, LineStart(1));
}

TEST_F(SearchDialogTest, TabMovesFocusOnKeyUpThroughTheCycle)
{
    tools::FindDialog dialog(target, "");
    Show(dialog);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Field());
    QTest::keyPress(dialog.Field(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Field()) << "the key-down moves nothing";
    EXPECT_TRUE(dialog.Field()->Window().GetText().empty()) << "nor does it reach the field";
    QTest::keyRelease(dialog.Field(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.FindNextButton());
    Key(dialog.FindNextButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.CancelButton());
    Key(dialog.CancelButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Field());
    Key(dialog.Field(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.CancelButton());
    EXPECT_EQ(dialog.FocusIndex(), 2);
}

TEST_F(SearchDialogTest, EnterInTheFindFieldFindsThenFocusesFindNext)
{
    Document({"دنیا"});
    tools::FindDialog dialog(target, Typed("دنیا"));
    Show(dialog);
    QTest::keyPress(dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(Selected(), "دنیا");
    QTest::keyRelease(dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.FocusIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), dialog.FindNextButton());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SearchDialogTest, FindCommandKeepsWhatWasTypedWhenClosedWithEsc)
{
    tools::SearchTexts texts{Typed("کتاب"), ""};
    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<tools::FindDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Field()->Window().GetText(), Typed("کتاب"));
        dialog->Field()->Window().SetText(Typed("دنیا"));
        Key(dialog->Field(), Qt::Key_Escape);
    });
    tools::RunFindCommand(target, texts, nullptr);
    EXPECT_EQ(texts.search, Typed("دنیا"));
}

TEST_F(SearchDialogTest, FindNextCommandOpensTheDialogOnlyWhenNothingWasSearched)
{
    Document({"دنیا", "دنیا"});
    tools::SearchTexts texts{Typed("دنیا"), ""};
    tools::RunFindNextCommand(target, texts, nullptr); // no dialog: a modal one would never close
    EXPECT_EQ(Selection().first, LineStart(0));

    texts.search.clear();
    bool opened = false;
    WhenModal([&opened](QWidget* modal) {
        opened = qobject_cast<tools::FindDialog*>(modal) != nullptr;
        modal->close();
    });
    tools::RunFindNextCommand(target, texts, nullptr);
    EXPECT_TRUE(opened);
}

TEST_F(SearchDialogTest, ReplaceDialogControls)
{
    tools::ReplaceDialog dialog(target, {Typed("دنیا"), Typed("جهان")});
    EXPECT_EQ(dialog.windowTitle(), "Replace");
    EXPECT_EQ(dialog.findChild<QWidget*>("id109")->geometry(), QRect(QPoint(2, 9), QPoint(199, 40)));
    EXPECT_EQ(dialog.findChild<QWidget*>("id110")->geometry(), QRect(QPoint(2, 42), QPoint(199, 73)));
    EXPECT_EQ(dialog.ReplacementField()->Window().GetText(), Typed("جهان"));
    const std::pair<const char*, const char*> buttons[] = {
        {"id1043", "&Find Next"}, {"id4", "&Replace"}, {"id5", "Replace &All"}, {"id2", "Cancel"}};
    for (const auto& [id, text] : buttons) {
        auto* button = dialog.findChild<QPushButton*>(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), text);
    }
    EXPECT_FALSE(dialog.MatchSelected());
    EXPECT_EQ(dialog.FocusCycle().size(), 5u) << "Cancel is not in the cycle";
}

TEST_F(SearchDialogTest, ReplaceAllClosesTheDialogReportsAndUndoesInOne)
{
    Document({"دنیا", "کتاب", "دنیا"});
    const std::string before = edit.Window().GetText();
    tools::SearchTexts texts{"", ""};
    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<tools::ReplaceDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->SearchField()->Window().SetText(Typed("دنیا"));
        dialog->ReplacementField()->Window().SetText(Typed("جهان"));
        dialog->ReplaceAllButton()->click();
        EXPECT_FALSE(dialog->isVisible());
    });
    tools::RunReplaceCommand(target, texts, nullptr);
    EXPECT_EQ(Reading(), "جهان\r\nکتاب\r\nجهان");
    EXPECT_EQ(texts.search, Typed("دنیا"));
    EXPECT_EQ(texts.replacement, Typed("جهان"));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Replaced 2 matches !");
    edit.Undo();
    EXPECT_EQ(edit.Window().GetText(), before);
}

TEST_F(SearchDialogTest, ReplaceAllWithoutMatchKeepsTheDialogOpen)
{
    Document({"کتاب"});
    tools::ReplaceDialog dialog(target, {Typed("دنیا"), Typed("جهان")});
    Show(dialog);
    dialog.ReplaceAllButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "No match found !");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora::ReplaceAll");
}

TEST_F(SearchDialogTest, ReplaceNeedsAFindFirstAndThenMovesOn)
{
    Document({"دنیا", "دنیا"});
    tools::ReplaceDialog dialog(target, {Typed("دنیا"), Typed("جهان")});
    dialog.ReplaceButton()->click();
    EXPECT_EQ(Reading(), "دنیا\r\nدنیا");
    dialog.FindNextButton()->click();
    EXPECT_TRUE(dialog.MatchSelected());
    dialog.ReplaceButton()->click();
    EXPECT_EQ(Reading(), "جهان\r\nدنیا");
    EXPECT_EQ(Selection().first, LineStart(1));
}

TEST_F(SearchDialogTest, EnterInTheReplaceDialogActsAsSpaceOnTheFocusedControl)
{
    Document({"دنیا"});
    tools::ReplaceDialog dialog(target, {Typed("دنیا"), Typed("جهان")});
    Show(dialog);
    // On a field it types a space, which preparing the text trims away again.
    QTest::keyPress(dialog.SearchField(), Qt::Key_Return);
    EXPECT_EQ(dialog.SearchField()->Window().GetText().find(' ') != std::string::npos, true);
    QTest::keyRelease(dialog.SearchField(), Qt::Key_Return);
    EXPECT_EQ(dialog.FocusIndex(), 2);
    EXPECT_EQ(QApplication::focusWidget(), dialog.FindNextButton());
    // On a button it presses that button.
    Key(dialog.FindNextButton(), Qt::Key_Return);
    EXPECT_TRUE(dialog.MatchSelected());
    EXPECT_EQ(Selected(), "دنیا");
}
