// The open and save-as dialogs: titles, filters, folder memory and the preview panel.
#include "app/DocumentFileDialog.h"

#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>

namespace {

using app::DocumentFileDialog;

TEST(DocumentFileDialog, TitlesFiltersAndSuffix)
{
    fakes::FakeServices services;
    DocumentFileDialog open(DocumentFileDialog::Kind::Open);
    DocumentFileDialog save(DocumentFileDialog::Kind::SaveAs);
    EXPECT_EQ(open.windowTitle(), "Kelmora Load ...");
    EXPECT_EQ(save.windowTitle(), "Kelmora Save As ...");
    EXPECT_EQ(open.nameFilters(),
              (QStringList{"Persian Files (*.txf *.txt)", "Text Files (*.txt)", "All Files (*)"}));
    EXPECT_EQ(save.nameFilters(), (QStringList{"Persian Files (*.txf)", "Text Files (*.txt)", "All Files (*)"}));
    EXPECT_EQ(open.defaultSuffix(), "txf");
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(open.findChild<QLineEdit*>("1022"));
    EXPECT_TRUE(open.findChild<QLineEdit*>("1023"));
}

TEST(DocumentFileDialog, PanelFollowsTheSelectedFileAndKeepsTextForUnreadableOnes)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string header = "Kelmora : f[Homa] s[24] k[main.kbd]\r\n";
    const std::string doc = folder.Write("a.txf", header + std::string(2048 - header.size(), 'x'));
    DocumentFileDialog dialog(DocumentFileDialog::Kind::Open);
    emit dialog.currentChanged(QString::fromStdString(doc));
    EXPECT_EQ(dialog.SizeBox()->text(), "2.00KB (2048 bytes)");
    EXPECT_EQ(dialog.KeyboardBox()->text(), "main.kbd");
    emit dialog.currentChanged(QString::fromStdString(folder.Path() + "/missing.txf"));
    EXPECT_EQ(dialog.SizeBox()->text(), "2.00KB (2048 bytes)");
    EXPECT_TRUE(dialog.SizeBox()->isReadOnly());
}

TEST(DocumentFileDialog, StartsInTheStoredFolderAndStoresTheFolderOnOk)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string sub = folder.Path() + "/docs";
    folder.Write("docs/b.txf", "text");
    services.settings.WriteString("Settings", "OS_PATH", sub);

    DocumentFileDialog dialog(DocumentFileDialog::Kind::Open);
    QString startFolder;
    QTimer::singleShot(0, &dialog, [&] {
        startFolder = dialog.directory().absolutePath();
        dialog.selectFile(QString::fromStdString(sub + "/b.txf"));
        static_cast<QDialog&>(dialog).accept();
    });
    const std::optional<std::string> chosen = dialog.Run();
    EXPECT_EQ(startFolder.toStdString(), sub);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, sub + "/b.txf");
    EXPECT_EQ(services.settings.ReadString("Settings", "OS_PATH", ""), sub);

    // A name typed with another folder in it: that folder is remembered.
    const std::string other = folder.Path() + "/other";
    folder.Write("other/c.txf", "text");
    QTimer::singleShot(0, &dialog, [&] {
        auto* nameBox = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(nameBox, nullptr);
        nameBox->setText(QString::fromStdString(other + "/c.txf")); // as the user types it
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(dialog.Run(), other + "/c.txf");
    EXPECT_EQ(services.settings.ReadString("Settings", "OS_PATH", ""), other);

    // Cancel returns nothing and writes nothing.
    services.settings.WriteString("Settings", "OS_PATH", "/elsewhere");
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    EXPECT_FALSE(dialog.Run().has_value());
    EXPECT_EQ(services.settings.ReadString("Settings", "OS_PATH", ""), "/elsewhere");
}

TEST(DocumentFileDialog, TheLastNameIsOfferedSelectedAndTheCompleterLeavesWithTheDialog)
{
    fakes::FakeServices services;
    fakes::TempProgramFolder folder(services.settings);
    const std::string docs = folder.Path() + "/docs";
    folder.Write("docs/unicode.txt", "text");
    folder.Write("docs/unit.txf", "text");
    services.settings.WriteString("Settings", "OS_PATH", docs);
    DocumentFileDialog dialog(DocumentFileDialog::Kind::Open);
    QLineEdit* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);

    QTimer::singleShot(0, &dialog, [&] {
        name->setText("unicode.txt");
        static_cast<QDialog&>(dialog).accept();
    });
    ASSERT_EQ(dialog.Run(), docs + "/unicode.txt");

    // The next time the name is there, selected: typing replaces it.
    QString offered;
    QAbstractItemView* popup = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::qWaitFor([&] { return name->hasSelectedText(); });
        offered = name->selectedText();
        QTest::keyClicks(name, "uni");
        popup = name->completer() ? name->completer()->popup() : nullptr;
        if (popup)
            QTest::qWaitFor([&] { return popup->isVisible(); });
        name->setText(name->text() + "t.txf");
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(dialog.Run(), docs + "/unit.txf");
    EXPECT_EQ(offered, "unicode.txt");
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(popup->isVisible()) << "the name completer closed with the dialog";
}

TEST(DocumentFileDialog, UnusableStoredFolderFallsBackToHome)
{
    fakes::FakeServices services; // OS_PATH absent: its default "C:\" is no folder here
    DocumentFileDialog dialog(DocumentFileDialog::Kind::SaveAs);
    QString startFolder;
    QTimer::singleShot(0, &dialog, [&] {
        startFolder = dialog.directory().absolutePath();
        dialog.reject();
    });
    EXPECT_FALSE(dialog.Run().has_value());
    EXPECT_EQ(startFolder, QDir::homePath());
}

} // namespace
