// The scratch table in the main window: Add, the scratch box applying an entry (the text converted
// between keymaps), Del with its question, Scratch Select from the keyboard, and the table kept
// across a restart.
#include "tests/app/MainFrameFixture.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "editctl/PersianEdit.h"
#include "extras/ScratchSelectDialog.h"
#include "platform/DataFolders.h"
#include "platform/TextMode.h"
#include "res/ResourceIds.h"
#include "tests/fakes/ModalAnswer.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace apptest {
namespace {

using app::CMainFrame;
using platform::MessageAnswer;

const char* const Sentence = "باران بهاری بر کوه می‌بارد";

class DialogBarCommandsTest : public MainFrameTest {
protected:
    CMainFrame& Open()
    {
        InstallKeymap("main.kbd");
        InstallKeymap("kolb.kbd");
        services.settings.WriteInt("Temp", "FirstTime", 0);
        services.settings.WriteString("Settings", "font", "Nazanin");
        services.settings.WriteInt("Settings", "size", 24);
        services.settings.WriteString("Settings", "keyfile", "main.kbd");
        CMainFrame& window = CreateFrame();
        window.show();
        return window;
    }
    editctl::PersianEdit& Editor() { return frame->View().Editor(); }
    std::string Text() { return Editor().Window().GetText(); }
    QComboBox* List(int id) const { return frame->findChild<QComboBox*>(res::ObjectName(id)); }
    QStringList Items(int id) const
    {
        QStringList items;
        for (int i = 0; i < List(id)->count(); ++i)
            items << List(id)->itemText(i);
        return items;
    }

    /// Two entries: "Nazanin" 24 main.kbd, then "Titr" 18 kolb.kbd, which stays in force. The
    /// document holds the sentence, unmodified, in kolb.kbd.
    void AddTwoEntries()
    {
        Editor().Window().SetText(fakes::Glyphs("main.kbd", Sentence));
        Editor().modified = false;
        frame->RunCommand(res::ScratchAdd);
        frame->SetFontChooser([](const QFont&) { return std::optional<QFont>(QFont(QStringLiteral("Titr"), 18)); });
        frame->RunCommand(res::SetFont);
        QComboBox* keymaps = frame->Bar().KeymapBox();
        keymaps->setCurrentIndex(keymaps->findText(QStringLiteral("kolb.kbd")));
        frame->RunCommand(res::KeymapBox);
        frame->RunCommand(res::ScratchAdd);
        ASSERT_EQ(Text(), fakes::Glyphs("kolb.kbd", Sentence));
        Editor().modified = false; // the keymap box's conversion is a change; the tests start clean
    }

    /// The setting shown and in force, and the text in its keymap; `modified` whether the
    /// document must count as changed (a text converted into another keymap is).
    void ExpectInForce(const char* face, const char* size, const char* keymapName, bool modified)
    {
        EXPECT_EQ(BoxText(res::FaceNameBox), face);
        EXPECT_EQ(BoxText(res::SizeBox), size);
        EXPECT_EQ(BoxText(res::KeymapBox), keymapName);
        EXPECT_EQ(frame->Font().keymapName, keymapName);
        EXPECT_EQ(Editor().KeyMapInUse()->FileName(), keymapName);
        EXPECT_EQ(Text(), fakes::Glyphs(keymapName, Sentence));
        EXPECT_EQ(Editor().modified, modified);
    }

    /// Runs Scratch Select; `use` gets the dialog once it is shown modally.
    void ScratchSelect(std::function<void(extras::ScratchSelectDialog&)> use)
    {
        fakes::ModalAnswer<extras::ScratchSelectDialog> answer(std::move(use));
        frame->RunCommand(res::ScratchSelect);
        EXPECT_TRUE(answer.Shown());
        EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget());
    }
};

TEST_F(DialogBarCommandsTest, AddFillsTheThreeListsAndChoosingAnEntryConvertsTheText)
{
    Open();
    AddTwoEntries();
    EXPECT_EQ(Items(res::ScratchBox), (QStringList{"Nazanin", "Titr"}));
    EXPECT_EQ(Items(res::ScratchSideList1), (QStringList{"main.kbd", "kolb.kbd"}));
    EXPECT_EQ(Items(res::ScratchSideList2), (QStringList{"24", "18"}));
    EXPECT_EQ(List(res::ScratchBox)->currentIndex(), 1);

    List(res::ScratchBox)->setCurrentIndex(0);
    frame->RunCommand(res::ScratchBox);
    ExpectInForce("Nazanin", "24", "main.kbd", true);
    for (int id : {res::ScratchBox, res::ScratchSideList1, res::ScratchSideList2})
        EXPECT_EQ(List(id)->currentIndex(), 0) << id;
    EXPECT_EQ(frame->focusWidget(), frame->View().EditWidget());

    // Adding a face already there updates its entry instead of appending another.
    frame->SetFontChooser([](const QFont&) { return std::optional<QFont>(QFont(QStringLiteral("Nazanin"), 30)); });
    frame->RunCommand(res::SetFont);
    frame->RunCommand(res::ScratchAdd);
    EXPECT_EQ(Items(res::ScratchSideList2), (QStringList{"30", "18"}));
}

TEST_F(DialogBarCommandsTest, AnEntryWhoseKeymapCannotBeLoadedLeavesTheDocumentAsItWas)
{
    Open();
    AddTwoEntries();
    QFile::remove(QString::fromStdString(folder.Path() + "/KeyMaps/main.kbd"));
    List(res::ScratchBox)->setCurrentIndex(0);
    frame->RunCommand(res::ScratchBox);
    ExpectInForce("Titr", "18", "kolb.kbd", false);
}

TEST_F(DialogBarCommandsTest, DelAsksAndRemovesOnlyOnYes)
{
    Open();
    AddTwoEntries();
    services.messages.Script({MessageAnswer::No, MessageAnswer::Yes});
    frame->RunCommand(res::ScratchDelete);
    ASSERT_FALSE(services.messages.shown.empty());
    EXPECT_EQ(services.messages.shown.back().text, "Are you sure to delete font from scratch ?");
    EXPECT_EQ(services.messages.shown.back().buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(Items(res::ScratchBox), (QStringList{"Nazanin", "Titr"}));

    frame->RunCommand(res::ScratchDelete); // Yes: the last entry goes, none is selected
    EXPECT_EQ(Items(res::ScratchBox), QStringList{"Nazanin"});
    EXPECT_EQ(Items(res::ScratchSideList1), QStringList{"main.kbd"});
    EXPECT_EQ(List(res::ScratchBox)->currentIndex(), -1);
    // Deleting removes the entry only: the setting in force and the text stay.
    ExpectInForce("Titr", "18", "kolb.kbd", false);
}

TEST_F(DialogBarCommandsTest, ScratchSelectMovesWithTheArrowsAndStoresItsPlaceOnOkOnly)
{
    Open();
    AddTwoEntries();
    services.settings.WriteInt("Settings", "SelPos", 7);
    ScratchSelect([](extras::ScratchSelectDialog& dialog) {
        QTest::keyClick(dialog.Grid(), Qt::Key_Left);
        dialog.CancelButton()->click();
    });
    EXPECT_EQ(services.settings.ReadInt("Settings", "SelPos", -1), 7);
    ExpectInForce("Titr", "18", "kolb.kbd", false);

    int shownSelection = -1;
    ScratchSelect([&](extras::ScratchSelectDialog& dialog) {
        shownSelection = dialog.Grid()->Selector().Selected();
        QTest::keyClick(dialog.Grid(), Qt::Key_Left);
        QTest::keyClick(dialog.Grid(), Qt::Key_Return);
    });
    EXPECT_EQ(shownSelection, 1) << "the dialog opens on the scratch box's entry";
    EXPECT_EQ(services.settings.ReadInt("Settings", "SelPos", -1), 0);
    EXPECT_EQ(services.settings.ReadInt("Settings", "FVL", -1), 0);
    ExpectInForce("Nazanin", "24", "main.kbd", true);
    EXPECT_EQ(List(res::ScratchBox)->currentIndex(), 0);
}

TEST_F(DialogBarCommandsTest, TheTableIsWrittenAtExitAndReadAtTheNextStart)
{
    Open();
    AddTwoEntries();
    ASSERT_TRUE(CloseFrame());
    std::string saved;
    ASSERT_TRUE(platform::ReadTextFile(folder.Path() + "/scratch.cfg", saved, platform::CtrlZ::IsData).ok);
    EXPECT_EQ(saved, "2\nNazanin\nmain.kbd\n24\nTitr\nkolb.kbd\n18\n");

    CreateFrame().show();
    EXPECT_EQ(Items(res::ScratchBox), (QStringList{"Nazanin", "Titr"}));
    EXPECT_EQ(Items(res::ScratchSideList2), (QStringList{"24", "18"}));
    Editor().Window().SetText(fakes::Glyphs("kolb.kbd", Sentence));
    Editor().modified = false;
    List(res::ScratchBox)->setCurrentIndex(0);
    frame->RunCommand(res::ScratchBox);
    ExpectInForce("Nazanin", "24", "main.kbd", true);
}

TEST_F(DialogBarCommandsTest, AMissingTableIsReportedAtStartAndWrittenAtExit)
{
    QFile::remove(QString::fromStdString(folder.Path() + "/scratch.cfg"));
    Open();
    ASSERT_FALSE(services.messages.shown.empty());
    EXPECT_EQ(services.messages.shown.front().text, "Not Opened");
    EXPECT_EQ(List(res::ScratchBox)->count(), 0);
    frame->RunCommand(res::ScratchAdd);
    ASSERT_TRUE(CloseFrame());
    std::string saved;
    ASSERT_TRUE(platform::ReadTextFile(folder.Path() + "/scratch.cfg", saved, platform::CtrlZ::IsData).ok);
    EXPECT_EQ(saved, "1\nNazanin\nmain.kbd\n24\n");
}

// An installed program folder is only read: the table comes from it the first time, goes to the
// user's folder at exit, and the user's copy is the one read from then on.
TEST_F(DialogBarCommandsTest, AnInstalledFolderKeepsItsTableAndTheUsersCopyIsUsed)
{
    folder.Write(platform::InstalledMarkName, "");
    const std::string shipped = folder.Write("scratch.cfg", "1\r\nTitr\r\nkolb.kbd\r\n18\r\n");
    Open();
    EXPECT_EQ(Items(res::ScratchBox), (QStringList{"Titr"}));
    frame->RunCommand(res::ScratchAdd);
    ASSERT_TRUE(CloseFrame());

    std::string text;
    ASSERT_TRUE(platform::ReadTextFile(shipped, text, platform::CtrlZ::IsData).ok);
    EXPECT_EQ(text, "1\nTitr\nkolb.kbd\n18\n");
    ASSERT_TRUE(platform::ReadTextFile(folder.UserPath() + "/scratch.cfg", text, platform::CtrlZ::IsData).ok);
    EXPECT_EQ(text, "2\nTitr\nkolb.kbd\n18\nNazanin\nmain.kbd\n24\n");

    CreateFrame().show();
    EXPECT_EQ(Items(res::ScratchBox), (QStringList{"Titr", "Nazanin"}));
}

// The keymap box lists the shipped keymaps and the user's together; a user keymap of a shipped
// name takes its place, and the box tells whose each one is.
TEST_F(DialogBarCommandsTest, TheKeymapBoxListsUserKeymapsMarked)
{
    std::string kolb;
    ASSERT_TRUE(platform::ReadFileBytes(fakes::BuildProgramFolder() + "/KeyMaps/kolb.kbd", kolb).ok);
    QDir().mkpath(QString::fromStdString(folder.UserPath() + "/KeyMaps"));
    for (const char* name : {"kolb.kbd", "mine.kbd"})
        ASSERT_TRUE(platform::WriteFileAtomically(folder.UserPath() + "/KeyMaps/" + name, kolb).ok);
    Open();
    QComboBox* box = List(res::KeymapBox);
    EXPECT_EQ(Items(res::KeymapBox), (QStringList{"kolb.kbd", "main.kbd", "mine.kbd"}));
    for (int i = 0; i < box->count(); ++i) {
        const bool mine = box->itemText(i) != QStringLiteral("main.kbd");
        const QString where = QString::fromStdString(mine ? folder.UserPath() : folder.Path()) + "/KeyMaps/" + box->itemText(i);
        EXPECT_EQ(box->itemData(i, Qt::ToolTipRole).toString(), (mine ? "Your keymap: " : "Shipped keymap: ") + where);
        EXPECT_EQ(box->itemData(i, Qt::FontRole).value<QFont>().bold(), mine) << i;
    }
}

} // namespace
} // namespace apptest
