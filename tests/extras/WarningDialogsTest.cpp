// The save-changes and revert warnings: texts, buttons, and the answer of each way of closing.
#include "extras/WarningDialogs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using extras::SaveChangesAnswer;

/// Runs `action` on the dialog once its modal loop has started.
template <typename Dialog>
void WhenShown(Dialog& dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        if (dialog.isVisible())
            action();
    });
}

bool HasLabel(QWidget& dialog, const QString& text)
{
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == text)
            return true;
    return false;
}

TEST(SaveChangesWarning, TextsAndButtons)
{
    extras::SaveChangesWarning dialog;
    EXPECT_EQ(dialog.windowTitle(), "Warning !");
    EXPECT_TRUE(HasLabel(dialog, "The text in the file has changed .\nDo you want to save changes ?"));
    EXPECT_EQ(dialog.YesButton()->text(), "&Yes");
    EXPECT_EQ(dialog.NoButton()->text(), "&No");
    EXPECT_EQ(dialog.CancelButton()->text(), "&Cancel");
    EXPECT_EQ(dialog.YesButton()->objectName(), "6");
    EXPECT_EQ(dialog.CancelButton()->objectName(), "1016");
    EXPECT_TRUE(dialog.YesButton()->isDefault());
}

TEST(SaveChangesWarning, EveryWayOfClosingGivesItsAnswer)
{
    extras::SaveChangesWarning dialog;
    struct Case {
        const char* name;
        std::function<void()> action;
        SaveChangesAnswer answer;
    };
    const std::vector<Case> cases = {
        {"Yes", [&] { dialog.YesButton()->click(); }, SaveChangesAnswer::Yes},
        {"No", [&] { dialog.NoButton()->click(); }, SaveChangesAnswer::No},
        {"Cancel", [&] { dialog.CancelButton()->click(); }, SaveChangesAnswer::Cancel},
        {"Enter chooses the default", [&] { QTest::keyClick(&dialog, Qt::Key_Return); }, SaveChangesAnswer::Yes},
        {"Esc", [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }, SaveChangesAnswer::Cancel},
        {"close box", [&] { dialog.close(); }, SaveChangesAnswer::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.result = 1; // a stale result from an earlier run must not leak into this one
        WhenShown(dialog, c.action);
        EXPECT_EQ(dialog.Run(), c.answer);
    }
}

TEST(RevertWarning, TextsAndAnswers)
{
    extras::RevertWarning dialog;
    EXPECT_EQ(dialog.windowTitle(), "Warning !");
    EXPECT_TRUE(HasLabel(dialog, "The text in the file has changed .\nAre you sure to revert ?"));
    EXPECT_TRUE(dialog.NoButton()->isDefault());
    struct Case {
        const char* name;
        std::function<void()> action;
        bool yes;
    };
    const std::vector<Case> cases = {
        {"Yes", [&] { dialog.YesButton()->click(); }, true},
        {"No", [&] { dialog.NoButton()->click(); }, false},
        {"Enter chooses No", [&] { QTest::keyClick(&dialog, Qt::Key_Return); }, false},
        {"Esc", [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }, false},
        {"close box", [&] { dialog.close(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WhenShown(dialog, c.action);
        EXPECT_EQ(dialog.Run(), c.yes);
    }
}

} // namespace
