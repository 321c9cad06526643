// The batch dialogs offscreen with scripted answers: the settings dialog's boxes, folders and
// messages, and the converting dialog's run, its Cancel between files and its closing report.
#include "tools/BatchDialog.h"
#include "tools/ConvertingDialog.h"

#include "platform/TextMode.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::MessageAnswer;

struct BatchDialogTest : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    tools::BatchSettings stored{"/in", "/out", "", "", "*.txt", "*.txf", "", "", 22};

    void SetUp() override
    {
        for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"})
            folder.InstallKeymap(name);
    }
    void WriteScratch() const
    {
        folder.Write("scratch.cfg", "3\r\nnasim web homa\r\nmain.kbd\r\n24\r\nIran System\r\nkolb.kbd\r\n18\r\nziba\r\nziba2.kbd\r\n30\r\n");
    }
    static void LeaveField(QLineEdit* field, Qt::FocusReason reason = Qt::OtherFocusReason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(field, &out);
    }
    std::string Dir(const std::string& name) const
    {
        QDir().mkpath(QString::fromStdString(folder.Path() + "/" + name));
        return folder.Path() + "/" + name;
    }
    static std::string Read(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(platform::ReadFileBytes(path, bytes).ok) << path;
        return bytes;
    }
};

TEST_F(BatchDialogTest, ShowsTheStoredChoicesAndTheFontBoxDrivesKeymapAndSize)
{
    WriteScratch();
    stored.sourceKeymap = "main.kbd";
    stored.fontName = "nasim web homa";
    tools::BatchDialog dialog(stored, folder.Path());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Batch Convert ...");
    QComboBox* sourceKeymap = dialog.Box(1027);
    ASSERT_EQ(sourceKeymap->count(), 4);
    EXPECT_EQ(sourceKeymap->itemText(0), "kolb.kbd");
    EXPECT_EQ(sourceKeymap->itemText(2), "Unicode (UTF-8)");
    EXPECT_EQ(sourceKeymap->currentText(), "main.kbd");
    EXPECT_EQ(dialog.Field(1029)->text(), "*.txt");
    EXPECT_EQ(dialog.Field(1030)->text(), "*.txf");
    EXPECT_EQ(dialog.Box(1038)->currentText(), "nasim web homa");
    EXPECT_EQ(dialog.Box(1028)->currentText(), "main.kbd");
    EXPECT_EQ(dialog.Box(1010)->currentText(), "22");
    EXPECT_TRUE(dialog.Box(1039)->isHidden());

    dialog.Box(1038)->setCurrentIndex(1);
    emit dialog.Box(1038)->activated(1);
    EXPECT_EQ(dialog.Box(1028)->currentText(), "kolb.kbd");
    EXPECT_EQ(dialog.Box(1039)->currentText(), "18");
    EXPECT_EQ(dialog.Box(1010)->currentText(), "18");
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(BatchDialogTest, ConvertHandsBackEveryValueAndAMissingScratchFileIsReported)
{
    tools::BatchDialog dialog(stored, folder.Path());
    dialog.show();
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Scratch Not Found");
    EXPECT_EQ(services.messages.shown[0].caption, "Kelmora");

    std::vector<std::string> titles;
    dialog.SetFolderBrowser([&](const std::string& title, const std::string&) {
        titles.push_back(title);
        return title == "Select Source directory" ? std::string("/chosen/in") : std::string();
    });
    dialog.Button(1023)->click();
    dialog.Button(1024)->click(); // cancelled: the field keeps its text
    EXPECT_EQ(titles, (std::vector<std::string>{"Select Source directory", "Select Destiniation directory"}));
    dialog.Field(1026)->setText("/out");
    dialog.Box(1027)->setCurrentText("ziba2.kbd");
    dialog.Box(1010)->setCurrentText("36");
    dialog.Box(1028)->setCurrentIndex(dialog.Box(1028)->findText("Unicode (UTF-8)"));
    dialog.Button(1031)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const tools::BatchSettings& b = dialog.Values();
    EXPECT_EQ(b.sourceFolder, "/chosen/in");
    EXPECT_EQ(b.destinationFolder, "/out");
    EXPECT_EQ(b.sourceKeymap, "ziba2.kbd");
    EXPECT_EQ(b.destinationKeymap, "Unicode (UTF-8)");
    EXPECT_EQ(b.sourcePattern, "*.txt");
    EXPECT_EQ(b.fontSize, 36);
}

TEST_F(BatchDialogTest, LeavingTheFolderFieldsChecksTheFolders)
{
    stored.initialFolder = "/stored";
    tools::BatchDialog dialog(stored, folder.Path());
    std::vector<std::string> storedAtOnce;
    dialog.SetInitialFolderStore([&](const std::string& f) { storedAtOnce.push_back(f); });
    dialog.show();
    services.messages.shown.clear();

    dialog.Field(1037)->setText("");
    LeaveField(dialog.Field(1037));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Directory dosn't exist!");
    EXPECT_EQ(services.messages.shown[0].caption, "Folder not exist");
    EXPECT_EQ(dialog.Field(1037)->text(), "/stored");
    EXPECT_TRUE(storedAtOnce.empty());

    const std::string existing = Dir("start");
    dialog.Field(1037)->setText(QString::fromStdString(existing));
    LeaveField(dialog.Field(1037));
    EXPECT_EQ(storedAtOnce, std::vector<std::string>{existing}); // stored at once

    const std::string missing = folder.Path() + "/new";
    dialog.Field(1026)->setText(QString::fromStdString(missing));
    services.messages.Script({MessageAnswer::No, MessageAnswer::Yes});
    LeaveField(dialog.Field(1026));
    EXPECT_FALSE(platform::IsDirectory(missing));
    LeaveField(dialog.Field(1026));
    EXPECT_TRUE(platform::IsDirectory(missing));
    EXPECT_EQ(services.messages.shown.back().text, "The Destination directory dosn't exist\n Should I creat a new folder ?");
    EXPECT_EQ(services.messages.shown.back().buttons, platform::MessageButtons::YesNo);

    // Another window taking the focus, or the dialog closing, is no sign the field is done.
    services.messages.shown.clear();
    dialog.Field(1037)->setText("");
    LeaveField(dialog.Field(1037), Qt::ActiveWindowFocusReason);
    dialog.Field(1037)->setFocus();
    dialog.reject();
    EXPECT_TRUE(services.messages.shown.empty()) << services.messages.shown.front().text;
}

struct ConvertingDialogTest : BatchDialogTest {
    std::string in;
    std::string out;
    const std::vector<std::string> texts = {"سلام دنیا", "باران می‌بارد", "شب است", "لاله‌ها در باغ"};

    void SetUp() override
    {
        BatchDialogTest::SetUp();
        in = Dir("in");
        out = Dir("out");
        const char* names[] = {"d.txt", "B.txt", "c.txt", "a.b.txt"};
        for (size_t i = 0; i < texts.size(); ++i)
            folder.Write(std::string("in/") + names[i], fakes::Glyphs("main.kbd", texts[i]));
        batch = {in, out, "main.kbd", "kolb.kbd", "*.txt", "*.txf", "", "Iran System", 18};
    }
    tools::BatchSettings batch;
    std::unique_ptr<tools::ConvertingDialog> Dialog() const
    {
        return std::make_unique<tools::ConvertingDialog>(batch, tools::DosLayout::Off, tools::HeaderChoice::Write);
    }
};

TEST_F(ConvertingDialogTest, ConvertsTheSortedListAndClosesItself)
{
    const auto owned = Dialog();
    tools::ConvertingDialog& dialog = *owned;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Converting ...");
    ASSERT_EQ(dialog.FileList()->count(), 4);
    EXPECT_EQ(dialog.FileList()->itemText(0), "a.b");
    EXPECT_EQ(dialog.FileList()->itemText(1), "B");
    EXPECT_EQ(dialog.Progress()->maximum(), 3);

    dialog.ConvertButton()->click();
    QTRY_VERIFY(!dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Report().converted, 4u);
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(Read(out + "/a.b.txf"), "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n" + fakes::Glyphs("kolb.kbd", texts[3]));
    EXPECT_EQ(Read(out + "/d.txf"), "Kelmora : f[Iran System] s[18] k[kolb.kbd]\r\n" + fakes::Glyphs("kolb.kbd", texts[0]));
    EXPECT_FALSE(dialog.FromField()->text().isEmpty());
}

TEST_F(ConvertingDialogTest, CancelStopsAfterTheCurrentFile)
{
    const auto owned = Dialog();
    tools::ConvertingDialog& dialog = *owned;
    dialog.show();
    QObject::connect(&dialog, &tools::ConvertingDialog::FileDone, &dialog, [&](int index) {
        if (index == 1)
            dialog.CancelButton()->click();
    });
    dialog.ConvertButton()->click();
    QTRY_VERIFY(!dialog.isVisible());
    EXPECT_EQ(dialog.Report().converted, 2u);
    EXPECT_TRUE(platform::FileExists(out + "/a.b.txf"));
    EXPECT_TRUE(platform::FileExists(out + "/B.txf"));
    EXPECT_FALSE(platform::FileExists(out + "/c.txf"));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("stopped before the end"), std::string::npos);
}

TEST_F(ConvertingDialogTest, SkippedFilesAreListedInOneMessageAtTheEnd)
{
    QDir().mkpath(QString::fromStdString(out + "/c.txf/x")); // c's result cannot replace a folder
    const auto owned = Dialog();
    tools::ConvertingDialog& dialog = *owned;
    dialog.show();
    dialog.ConvertButton()->click();
    QTRY_VERIFY(!dialog.isVisible());
    ASSERT_EQ(services.messages.shown.size(), 1u);
    const std::string& text = services.messages.shown[0].text;
    EXPECT_NE(text.find(in + "/c.txt: skipped, cannot be written"), std::string::npos) << text;
    EXPECT_TRUE(platform::FileExists(out + "/d.txf"));
}

TEST_F(ConvertingDialogTest, AnEmptyFolderClosesAtOnce)
{
    batch.sourceFolder = Dir("empty");
    const auto owned = Dialog();
    tools::ConvertingDialog& dialog = *owned;
    dialog.show();
    EXPECT_EQ(dialog.FileList()->count(), 0);
    dialog.ConvertButton()->click();
    QTRY_VERIFY(!dialog.isVisible());
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_TRUE(QDir(QString::fromStdString(out)).isEmpty());
}

} // namespace
