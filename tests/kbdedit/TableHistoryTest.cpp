#include "kbdedit/TableHistory.h"

#include <gtest/gtest.h>

using kbdedit::TableHistory;
using keymap::KeyTable;

namespace {

KeyTable With(int record, int isolated)
{
    KeyTable t{};
    t[static_cast<size_t>(record)].isolated = isolated;
    return t;
}

} // namespace

TEST(TableHistoryTest, UndoAndRedoWalkEveryStateAndModifiedFollowsTheSavedOne)
{
    TableHistory h;
    const KeyTable a = With(1, 1), b = With(1, 2), c = With(2, 3);
    h.Reset(a);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.IsModified());
    h.Record(a);
    EXPECT_FALSE(h.CanUndo()) << "an unchanged table is no step";
    h.Record(b);
    h.Record(c);
    EXPECT_TRUE(h.IsModified());
    h.MarkSaved();
    EXPECT_FALSE(h.IsModified());
    EXPECT_EQ(h.Undo(), b);
    EXPECT_TRUE(h.IsModified());
    EXPECT_EQ(h.Undo(), a);
    EXPECT_EQ(h.Undo(), a) << "nothing before the first state";
    EXPECT_EQ(h.Redo(), b);
    EXPECT_EQ(h.Redo(), c);
    EXPECT_FALSE(h.IsModified()) << "back at the saved state";
    EXPECT_FALSE(h.CanRedo());
}

TEST(TableHistoryTest, AChangeAfterUndoDropsTheRedoStepsAndTheSavedStateWithThem)
{
    TableHistory h;
    h.Reset(With(0, 1));
    h.Record(With(0, 2));
    h.MarkSaved();
    h.Undo();
    h.Record(With(0, 3));
    EXPECT_FALSE(h.CanRedo());
    EXPECT_TRUE(h.IsModified());
    h.Undo();
    EXPECT_TRUE(h.IsModified()) << "the first state was never saved";
    h.Redo();
    EXPECT_TRUE(h.IsModified()) << "the saved state is gone for good";
}

TEST(TableHistoryTest, HasNoLimit)
{
    TableHistory h;
    h.Reset(KeyTable{});
    for (int i = 1; i <= 2000; ++i)
        h.Record(With(i % 52, i));
    int steps = 0;
    while (h.CanUndo()) {
        h.Undo();
        ++steps;
    }
    EXPECT_EQ(steps, 2000);
    EXPECT_EQ(h.Current(), KeyTable{});
}
