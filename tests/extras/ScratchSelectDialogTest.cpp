// The Scratch Select dialog offscreen: its grid area, the keys, Ok and Cancel, the pictures of the
// selected and the other cells, a missing scratch file.
#include "extras/ScratchSelectDialog.h"

#include "extras/ScratchTiles.h"
#include "res/ResourceIds.h"
#include "tests/fakes/TestEnvironment.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(int n)
{
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i)
        names.push_back("Face " + std::to_string(i));
    return names;
}

/// Whether any pixel of `r` in `image` has exactly this colour.
bool HasColour(const QImage& image, const QRect& r, QRgb colour)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

TEST(ScratchSelectDialogTest, GridAreaHoldsThreeColumnsOfThirteenRows)
{
    fakes::FakeServices services;
    extras::ScratchSelectDialog dialog(Names(50));
    EXPECT_EQ(dialog.windowTitle(), "Select Font from Scratch tabel ...");
    EXPECT_EQ(dialog.Grid()->objectName(), res::ObjectName(1076));
    EXPECT_EQ(dialog.Grid()->Selector().Columns(), 3);
    EXPECT_EQ(dialog.Grid()->Selector().VisibleRows(), 13);
    EXPECT_EQ(dialog.OkButton()->text(), "Ok");
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
    for (int id : {extras::SelectedTilePicture, extras::TilePicture})
        EXPECT_EQ(extras::ScratchPicture(id).size(), QSize(160, 20));
}

TEST(ScratchSelectDialogTest, KeysMoveTheGridAndEnterIsOk)
{
    fakes::FakeServices services;
    extras::ScratchSelectDialog dialog(Names(50));
    dialog.Grid()->Selector().StartFrom(0, 0, 40);
    EXPECT_EQ(dialog.Grid()->Selector().FirstVisibleRow(), 1);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QTest::keyClick(dialog.OkButton(), Qt::Key_Down); // arrows reach the grid whatever has the focus
    QTest::keyClick(dialog.Grid(), Qt::Key_Right);
    EXPECT_EQ(dialog.Grid()->Selector().Selected(), 44);
    QTest::keyClick(dialog.Grid(), Qt::Key_Home);
    QTest::keyClick(dialog.Grid(), Qt::Key_PageDown);
    EXPECT_EQ(dialog.Grid()->Selector().Selected(), 9);

    QTest::keyClick(dialog.Grid(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Grid()->Selector().FirstVisibleRow(), 0);
}

TEST(ScratchSelectDialogTest, EscapeCancels)
{
    fakes::FakeServices services;
    extras::ScratchSelectDialog dialog(Names(10));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.Grid(), Qt::Key_Down);
    QTest::keyClick(dialog.Grid(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ScratchSelectDialogTest, TheSelectedCellIsDrawnWithItsOwnTileAndAYellowName)
{
    fakes::FakeServices services;
    extras::ScratchSelectDialog dialog({"Homa", "Nazli", "A name far longer than twenty"});
    dialog.Grid()->Selector().SetSelected(1);
    const QImage shot = dialog.Grid()->grab().toImage();
    const QImage selectedTile = extras::ScratchPicture(extras::SelectedTilePicture);
    const QImage tile = extras::ScratchPicture(extras::TilePicture);
    // The tile's corner pixel lies outside any name.
    EXPECT_EQ(shot.pixel(162 + 1, 1), selectedTile.pixel(1, 1));
    EXPECT_EQ(shot.pixel(1, 1), tile.pixel(1, 1));
    EXPECT_TRUE(HasColour(shot, QRect(162, 0, 160, 20), qRgb(255, 255, 0)));
    EXPECT_FALSE(HasColour(shot, QRect(0, 0, 160, 20), qRgb(255, 255, 0)));
    EXPECT_EQ(dialog.Grid()->Selector().Names()[2], "A name far longer th");
}

TEST(ScratchSelectDialogTest, AMissingScratchFileShowsItsPathAndAnEmptyGrid)
{
    fakes::FakeServices services;
    const std::string path = "/nonexistent/folder/scratch.cfg";
    const auto dialog = extras::ScratchSelectDialog::FromFile(path);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, path);
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");
    EXPECT_EQ(dialog->Grid()->Selector().Count(), 0);
    dialog->Grid()->grab(); // paints without a selected cell
}

} // namespace
