// The About box and the Help page.
#include "extras/AboutKelmoraDialog.h"
#include "extras/HelpPageDialog.h"
#include "extras/HelpTexts.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"
#include "tests/fakes/TestEnvironment.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(HelpPageDialog, ListsTheShortcutRowsInOrder)
{
    extras::HelpPageDialog page;
    EXPECT_EQ(page.windowTitle(), "Help page");
    QListWidget* list = page.findChild<QListWidget*>(res::ObjectName(res::ShortcutList));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 54);
    int empty = 0;
    for (int i = 0; i < 54; ++i) {
        EXPECT_EQ(list->item(i)->text().toStdString(), extras::ShortcutRows()[static_cast<std::size_t>(i)]) << i;
        empty += list->item(i)->text().isEmpty();
    }
    EXPECT_EQ(empty, 17);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_TRUE(page.findChild<QPushButton*>(res::ObjectName(res::OkButton))->isDefault());
}

TEST(AboutKelmoraDialog, ShowsThePictureOfTheProgramFolderAndTheVersion)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    {
        extras::AboutKelmoraDialog box(folder.Path());
        box.show();
        EXPECT_EQ(box.windowTitle(), "About Kelmora");
        EXPECT_TRUE(box.findChild<QLabel*>(res::ObjectName(res::AboutPicture))->pixmap().isNull()) << "no file, no picture";
        bool version = false;
        for (const QLabel* label : box.findChildren<QLabel*>())
            version |= label->text() == "Kelmora Version 1.0";
        EXPECT_TRUE(version);
    }
    ASSERT_TRUE(QFile::copy(QString::fromStdString(fakes::BuildProgramFolder() + "/kelmAbout.bmp"),
                            QString::fromStdString(folder.Path() + "/kelmAbout.bmp")));
    extras::AboutKelmoraDialog box(folder.Path());
    box.show();
    EXPECT_FALSE(box.findChild<QLabel*>(res::ObjectName(res::AboutPicture))->pixmap().isNull());
}

} // namespace
