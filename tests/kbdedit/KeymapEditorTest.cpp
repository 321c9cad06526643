#include "kbdedit/KeymapEditor.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapFile.h"
#include "platform/DataFolders.h"
#include "tests/fakes/TestEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace kbdedit;
using keymap::KeyRecord;
using keymap::KeyTable;
using platform::MessageAnswer;

namespace {

std::string Signature() { return std::string(keymap::KeymapSignature); }

/// A keymap table with a little of everything: a letter, a glyph 10 (line feed) and the flag.
KeyTable SampleTable()
{
    KeyTable t{};
    t[1] = KeyRecord{0x31, 0xB1, 0xB1, 0x31, 0, 3, 0, 0, 0};                 // the 1 key, a digit
    t[27] = KeyRecord{0x41, 0xC6, 0xC7, 0xC8, 0xC9, 0, 0, 0, 0};             // A, the letter sheen
    t[28] = KeyRecord{0x53, 10, 0x0D, 0x1A, 0x0A0A, 0, 0, 0, 0};             // awkward bytes
    t[keymap::EnglishFlagRecord].extInitial = 1;
    return t;
}

class KeymapEditorTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    QTemporaryDir dir;
    RegistrySettings settings{services.settings};
    KeymapEditor editor{settings};

    std::string PathOf(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        QDir().mkpath(QString::fromStdString(path).section('/', 0, -2));
        EXPECT_TRUE(platform::WriteFileAtomically(path, bytes).ok);
        return path;
    }
    std::string Read(const std::string& path) const
    {
        std::string bytes;
        EXPECT_TRUE(platform::ReadFileBytes(path, bytes).ok);
        return bytes;
    }
    /// Puts `table` into the editor's working table through a file, as a user would.
    void LoadTable(const KeyTable& table)
    {
        ASSERT_TRUE(editor.Load(Write("loaded.kbd", keymap::SerializeKeymapFile(table))));
    }
    /// Starts the editor on `table` as the remembered file, so its history begins there.
    void StartWith(const KeyTable& table)
    {
        services.settings.WriteString("Setting", "FileName", Write("start.kbd", keymap::SerializeKeymapFile(table)));
        editor.ReadRememberedState();
    }
};

} // namespace

TEST_F(KeymapEditorTest, SavedFileIsByteExactAndLoadsInTheEditorsKeyMap)
{
    LoadTable(SampleTable());
    ASSERT_TRUE(editor.SaveAs(PathOf("out.kbd")));
    const std::string disk = Read(PathOf("out.kbd"));

    // Built by hand: the signature, CR LF, then little-endian fields with every 0x0A doubled to CR LF.
    const char raw[] = "\x53\0\0\0"
                           "\x0D\x0A\0\0\0"       // glyph 10
                           "\x0D\0\0\0"          // a lone CR stays
                           "\x1A\0\0\0"          // 0x1A is data
                           "\x0D\x0A\x0D\x0A\0\0"  // 0x0A0A
                           "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0";
    const std::string record28(raw, sizeof raw - 1);
    const size_t recordStart = keymap::KeymapSignature.size() + 2 + 28 * 36; // no 0x0A before record 28
    ASSERT_GT(disk.size(), recordStart + record28.size());
    EXPECT_EQ(disk.substr(0, recordStart - 28 * 36), Signature() + "\r\n");
    EXPECT_EQ(disk.substr(recordStart, record28.size()), record28);
    EXPECT_EQ(disk.size(), Signature().size() + 2 + keymap::TableBytes + 3);

    keymap::KeyMap map;
    ASSERT_TRUE(map.LoadFromPath(PathOf("out.kbd")));
    EXPECT_EQ(map.Records(), SampleTable());
    int form = -1;
    EXPECT_EQ(map.RecordForGlyph(0xC8, form).keyCode, 0x41);
    EXPECT_EQ(form, keymap::Medial);
    EXPECT_TRUE(map.SupportsEnglish());
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(KeymapEditorTest, ReadsFilesWithLfOrCrLfAfterTheSignature)
{
    const std::string records = keymap::TableBytesOf(SampleTable());
    for (const std::string& lineEnd : {std::string("\n"), std::string("\r\n")}) {
        // Written raw, so the record bytes keep their single 0x0A only in the LF-only variant's
        // signature line; the records go through the text-mode encoding as a writer makes them.
        const std::string bytes = Signature() + lineEnd + platform::EncodeTextMode(records);
        KeymapEditor fresh(settings);
        ASSERT_TRUE(fresh.ReadKeymapFile(Write("lf.kbd", bytes)));
        EXPECT_EQ(fresh.WorkingTable(), SampleTable());
    }
}

TEST_F(KeymapEditorTest, LoadOfANonKeymapKeepsPathCaptionSettingsAndTable)
{
    LoadTable(SampleTable());
    const std::string loadedPath = editor.FilePath();
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"text file", "hello\r\nworld\r\n"},
        {"signature in lower case", "dorvantile-File,Writen by Vornelqastirubenko\r\n" + std::string(1872, 'x')},
        {"100-character first line", Signature() + std::string(56, 'z') + "\r\n" + std::string(1872, 'x')},
        {"empty file", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        services.messages.shown.clear();
        EXPECT_FALSE(editor.Load(Write("bad.kbd", c.bytes)));
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_EQ(services.messages.shown[0].text, NotKeymapText);
        EXPECT_EQ(services.messages.shown[0].caption, "Error");
        EXPECT_EQ(services.messages.shown[0].icon, platform::MessageIcon::Error);
        EXPECT_EQ(editor.FilePath(), loadedPath);
        EXPECT_EQ(editor.Caption(), loadedPath);
        EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), loadedPath);
        EXPECT_EQ(editor.WorkingTable(), SampleTable());
    }
}

TEST_F(KeymapEditorTest, LoadOfAFileThatCannotBeOpenedChangesNothingQuietly)
{
    LoadTable(SampleTable());
    const std::string loadedPath = editor.FilePath();
    for (const std::string& path : {PathOf("missing.kbd"), dir.path().toStdString()}) {
        EXPECT_FALSE(editor.Load(path));
        EXPECT_EQ(editor.FilePath(), loadedPath);
    }
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(editor.WorkingTable(), SampleTable());
}

TEST_F(KeymapEditorTest, EnglishFlagIsTheLowByteOfTheFieldAtOffset1400)
{
    KeyTable table{};
    const struct {
        std::int32_t stored;
        int flag;
    } cases[] = {{1, 1}, {257, 1}, {0, 0}, {256, 0}, {-1, 255}};
    for (const auto& c : cases) {
        table[keymap::EnglishFlagRecord].extInitial = c.stored;
        LoadTable(table);
        EXPECT_EQ(editor.GetEnglishFlag(), c.flag) << c.stored;
    }
    editor.SetEnglishFlag(1);
    const std::string bytes = keymap::TableBytesOf(editor.WorkingTable());
    EXPECT_EQ(bytes.substr(1400, 4), std::string("\x01\0\0\0", 4));
    EXPECT_TRUE(editor.IsModified());
}

TEST_F(KeymapEditorTest, FirstStartWritesTheThreeDefaults)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    editor.StartUp(dir.path().toStdString());
    QDir::setCurrent(previous);

    EXPECT_EQ(services.settings.ReadString("Setting", "FontName", ""), "nasim web homa");
    EXPECT_EQ(services.settings.ReadString("Setting", "FontSize", ""), "16");
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), "main.kbd");
    EXPECT_EQ(editor.Caption(), "main.kbd");
    EXPECT_EQ(editor.FaceName(), "nasim web homa");
    EXPECT_EQ(editor.FontHeight(), 16);
    EXPECT_EQ(editor.WorkingTable(), KeyTable{});
    // Only the reference keymap is missing; the missing working file is not mentioned.
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, NoReferenceText);
    EXPECT_EQ(services.messages.shown[0].caption, "Dorvantile::Error");
    EXPECT_EQ(services.messages.shown[0].icon, platform::MessageIcon::None);
}

TEST_F(KeymapEditorTest, StartUpReadsTheReferenceAndTheRememberedFile)
{
    KeyTable reference{};
    reference[27] = KeyRecord{0x41, 0xFB, 0xFC, 0xFD, 0xFE, 0, 0, 0, 0};
    Write("KeyMaps/main.kbd", keymap::SerializeKeymapFile(reference));
    const std::string working = Write("work/my.kbd", keymap::SerializeKeymapFile(SampleTable()));
    services.settings.WriteString("Setting", "FileName", working);
    services.settings.WriteString("Setting", "FontName", "Nazli");
    services.settings.WriteString("Setting", "FontSize", "-20");

    editor.StartUp(dir.path().toStdString());
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(editor.ReferenceTable(), reference);
    EXPECT_EQ(editor.WorkingTable(), SampleTable());
    EXPECT_EQ(editor.Caption(), working);
    EXPECT_EQ(editor.FaceName(), "Nazli");
    EXPECT_EQ(editor.FontHeight(), -20);
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(KeymapEditorTest, SavingOverTheReferenceFileShowsItsNewKeysAtOnce)
{
    const std::string reference = Write("KeyMaps/main.kbd", keymap::SerializeKeymapFile(SampleTable()));
    ASSERT_TRUE(editor.ReadReferenceKeymap(dir.path().toStdString()));
    ASSERT_TRUE(editor.Load(reference));
    editor.SelectRecord(27);
    KeyRecord changed = editor.WorkingRecord();
    changed.isolated = 0xD0;
    editor.StoreRecord(changed);
    EXPECT_EQ(editor.ReferenceRecord().isolated, 0xC6) << "unsaved, the reference file still holds the old key";

    ASSERT_TRUE(editor.SaveFile());
    EXPECT_EQ(editor.ReferenceRecord().isolated, 0xD0);

    // Saved elsewhere, the reference stays what its file holds.
    changed.isolated = 0xD1;
    editor.StoreRecord(changed);
    ASSERT_TRUE(editor.SaveAs(PathOf("other.kbd")));
    EXPECT_EQ(editor.ReferenceRecord().isolated, 0xD0);
}

TEST_F(KeymapEditorTest, AReferenceThatIsNotAKeymapIsReportedAndLeftEmpty)
{
    Write("KeyMaps/main.kbd", "not a keymap\n");
    EXPECT_FALSE(editor.ReadReferenceKeymap(dir.path().toStdString()));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, NotKeymapText);
    EXPECT_EQ(editor.ReferenceTable(), KeyTable{});
}

TEST_F(KeymapEditorTest, FailedSaveIsReportedAndKeepsTableePathAndCaption)
{
    LoadTable(SampleTable());
    editor.StoreRecord(KeyRecord{1, 2, 3, 4, 5, 6, 7, 8, 9});
    const std::string before = editor.FilePath();
    const std::string target = PathOf("no/such/folder/x.kbd");

    EXPECT_FALSE(editor.SaveAs(target));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    const platform::Message& m = services.messages.shown[0];
    EXPECT_EQ(m.caption, "Error");
    EXPECT_EQ(m.text.rfind(std::string(SaveFailedText) + "\n" + target + "\n", 0), 0u) << m.text;
    EXPECT_GT(m.text.size(), std::string(SaveFailedText).size() + target.size() + 2) << "no reason given";
    EXPECT_EQ(editor.FilePath(), before);
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), before);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_EQ(editor.WorkingRecord(), (KeyRecord{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Save File to a path that became a folder fails the same way and leaves the folder alone.
    QDir().mkpath(QString::fromStdString(PathOf("folder.kbd")));
    ASSERT_TRUE(editor.SaveAs(PathOf("folder.kbd/inner.kbd")));
    QDir(QString::fromStdString(PathOf("folder.kbd"))).removeRecursively();
    QDir().mkpath(QString::fromStdString(PathOf("folder.kbd/inner.kbd")));
    services.messages.shown.clear();
    editor.StoreRecord(KeyRecord{});
    EXPECT_FALSE(editor.SaveFile());
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_TRUE(editor.IsModified());
}

TEST_F(KeymapEditorTest, SaveFileReplacesTheCurrentFileWithoutTouchingSettings)
{
    LoadTable(SampleTable());
    services.settings.WriteString("Setting", "FileName", "elsewhere.kbd");
    editor.SetEnglishFlag(0);
    ASSERT_TRUE(editor.SaveFile());
    EXPECT_FALSE(editor.IsModified());
    KeyTable expected = SampleTable();
    expected[keymap::EnglishFlagRecord].extInitial = 0;
    EXPECT_EQ(Read(editor.FilePath()), keymap::SerializeKeymapFile(expected));
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), "elsewhere.kbd");
}

TEST_F(KeymapEditorTest, OverlongPathsAreRefusedAndFaceNamesCut)
{
    LoadTable(SampleTable());
    const std::string before = editor.FilePath();
    const std::string longPath = PathOf(std::string(220, 'k') + ".kbd");
    EXPECT_FALSE(editor.SaveAs(longPath));
    EXPECT_FALSE(editor.Load(longPath));
    EXPECT_EQ(editor.FilePath(), before);
    ASSERT_EQ(services.messages.shown.size(), 2u);
    EXPECT_EQ(services.messages.shown[0].text.rfind(PathTooLongText, 0), 0u);

    // 40 Persian letters, two bytes each: cut to 31 letters, never inside one.
    std::string face;
    for (int i = 0; i < 40; ++i)
        face += "\xD9\x86";
    editor.SetFont(face, -13);
    EXPECT_EQ(editor.FaceName(), face.substr(0, 62));
    EXPECT_EQ(services.settings.ReadString("Setting", "FontName", ""), face.substr(0, 62));
    EXPECT_EQ(services.settings.ReadString("Setting", "FontSize", ""), "-13");

    // A remembered path beyond the limit is not opened; the default takes its place.
    services.settings.WriteString("Setting", "FileName", longPath);
    services.settings.WriteString("Setting", "FontName", face);
    KeymapEditor fresh(settings);
    fresh.StartUp(dir.path().toStdString());
    EXPECT_EQ(fresh.FilePath(), DefaultFileName);
    EXPECT_EQ(CharacterCount(fresh.FaceName()), FaceNameLimit);
}

TEST_F(KeymapEditorTest, ClosingWithUnsavedChangesAsks)
{
    const struct {
        const char* what;
        MessageAnswer answer;
        bool saveFails;
        ChangesDecision decision;
        bool saved;
    } cases[] = {
        {"Yes saves and closes", MessageAnswer::Yes, false, ChangesDecision::Proceed, true},
        {"No closes without saving", MessageAnswer::No, false, ChangesDecision::Proceed, false},
        {"Cancel stays", MessageAnswer::Cancel, false, ChangesDecision::Stay, false},
        {"Yes with a failed save stays", MessageAnswer::Yes, true, ChangesDecision::Stay, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTable(SampleTable());
        const std::string path = editor.FilePath();
        EXPECT_EQ(editor.ConfirmUnsavedChanges(), ChangesDecision::Proceed);
        EXPECT_TRUE(services.messages.shown.empty()) << "no question without changes";

        editor.StoreRecord(editor.WorkingRecord()); // storing the same values is no change
        EXPECT_FALSE(editor.IsModified());
        editor.StoreRecord(KeyRecord{0x42, 1, 2, 3, 4, 0, 0, 0, 0});
        if (c.saveFails) {
            // A folder where the file was: the save cannot replace it.
            ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
            ASSERT_TRUE(QDir().mkdir(QString::fromStdString(path)));
        }
        services.messages.Script({c.answer});
        EXPECT_EQ(editor.ConfirmUnsavedChanges(), c.decision);
        ASSERT_GE(services.messages.shown.size(), 1u);
        EXPECT_EQ(services.messages.shown[0].text, SaveChangesText);
        EXPECT_EQ(services.messages.shown[0].buttons, platform::MessageButtons::YesNoCancel);
        if (c.saveFails) {
            ASSERT_EQ(services.messages.shown.size(), 2u);
            EXPECT_EQ(services.messages.shown[1].caption, "Error");
            EXPECT_TRUE(editor.IsModified());
            QDir().rmdir(QString::fromStdString(path));
        } else {
            KeyTable onDisk{};
            keymap::ParseKeymapFile(Read(path), onDisk);
            EXPECT_EQ(onDisk[0].keyCode == 0x42, c.saved);
        }
        services.messages.shown.clear();
    }
}

TEST_F(KeymapEditorTest, PointerMovesTheHighlightOnlyOntoOtherCells)
{
    editor.MeasureOffset({-20, 0});
    editor.MeasureOffset({500, 500}); // measured once only
    EXPECT_FALSE(editor.OffsetPending());
    EXPECT_EQ(editor.Offset().dx, -20);

    EXPECT_FALSE(editor.PointerMoved(30, 60)) << "within the selected cell (0, 0)";
    auto move = editor.PointerMoved(80, 60);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->from, (GridCell{0, 0}));
    EXPECT_EQ(move->to, (GridCell{1, 0}));
    EXPECT_FALSE(editor.PointerMoved(85, 65)) << "still the same cell";
    EXPECT_FALSE(editor.PointerMoved(85, 20)) << "function-key strip";
    EXPECT_FALSE(editor.PointerMoved(680, 60)) << "fourteenth column";
    EXPECT_EQ(editor.Selection(), (GridCell{1, 0}));

    EXPECT_TRUE(editor.ClickOpensDialog(80, 60));
    // The keyboard moves the highlight while the pointer stays: a click there opens nothing.
    ASSERT_TRUE(editor.Arrow(ArrowKey::Down));
    EXPECT_FALSE(editor.ClickOpensDialog(80, 60));
    EXPECT_TRUE(editor.ClickOpensDialog(80, 110));
    EXPECT_FALSE(editor.ClickOpensDialog(80, 20));
}

TEST_F(KeymapEditorTest, StoringRecord38SetsTheEnglishFlag)
{
    for (int i = 0; i < 12; ++i)
        editor.Arrow(ArrowKey::Right);
    editor.Arrow(ArrowKey::Down);
    editor.Arrow(ArrowKey::Down);
    ASSERT_EQ(editor.SelectedRecordIndex(), keymap::EnglishFlagRecord);
    editor.StoreRecord(KeyRecord{0x0D, 0, 0, 0, 0, 0, 0, 0, 1});
    EXPECT_EQ(editor.GetEnglishFlag(), 1);
    EXPECT_EQ(editor.WorkingTable()[38].keyCode, 0x0D);
}

TEST_F(KeymapEditorTest, UndoAndRedoCoverStoresTheFlagAndALoadWithTheModifiedState)
{
    StartWith(SampleTable());
    const std::string path = editor.FilePath();
    EXPECT_FALSE(editor.CanUndo()) << "the table the editor opened with is the start";
    int changes = 0;
    editor.SetChangeListener([&] { ++changes; });

    const KeyRecord sheen = editor.WorkingRecord();
    KeyRecord changed = sheen;
    changed.medial = 0x44;
    editor.StoreRecord(changed);
    editor.SetEnglishFlag(0);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_EQ(editor.Caption(), "*" + path);
    ASSERT_TRUE(editor.SaveFile());
    EXPECT_EQ(editor.Caption(), path);
    const KeyTable saved = editor.WorkingTable();

    KeyTable other{};
    other[5].isolated = 0x55;
    ASSERT_TRUE(editor.Load(Write("other.kbd", keymap::SerializeKeymapFile(other))));
    EXPECT_FALSE(editor.IsModified()) << "a loaded file is what is on disk";
    EXPECT_EQ(changes, 3);

    editor.Undo(); // the load, in one step
    EXPECT_EQ(editor.WorkingTable(), saved);
    EXPECT_TRUE(editor.IsModified()) << "differs from other.kbd, the current file";
    editor.Undo(); // the flag
    EXPECT_EQ(editor.GetEnglishFlag(), 1);
    editor.Undo(); // the store
    EXPECT_EQ(editor.WorkingTable(), SampleTable());
    EXPECT_FALSE(editor.CanUndo());
    editor.Redo();
    editor.Redo();
    EXPECT_EQ(editor.WorkingTable(), saved);
    editor.Redo();
    EXPECT_EQ(editor.WorkingTable(), other);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(changes, 9);

    // The question before closing asks exactly when the position differs from the saved one.
    editor.Undo();
    services.messages.Script({MessageAnswer::Cancel});
    EXPECT_EQ(editor.ConfirmUnsavedChanges(), ChangesDecision::Stay);
    editor.Redo();
    services.messages.shown.clear();
    EXPECT_EQ(editor.ConfirmUnsavedChanges(), ChangesDecision::Proceed);
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(KeymapEditorTest, WarningsAreShownBeforeSavingUntilTheUserHasSeenThem)
{
    KeyTable damaged = SampleTable();
    damaged[27].final = damaged[27].isolated; // a glyph code in two forms
    LoadTable(damaged);
    const std::string onDisk = Read(editor.FilePath());
    int reviews = 0;
    bool answer = false;
    editor.SetWarningReview([&](const std::vector<KeymapWarning>& warnings) {
        ++reviews;
        EXPECT_FALSE(warnings.empty());
        return answer;
    });

    editor.SetEnglishFlag(0);
    EXPECT_FALSE(editor.SaveFile()) << "the user chose not to save";
    EXPECT_EQ(Read(editor.FilePath()), onDisk);
    EXPECT_FALSE(editor.SaveAs(PathOf("copy.kbd")));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("copy.kbd"))));
    EXPECT_EQ(reviews, 2);

    answer = true;
    EXPECT_TRUE(editor.SaveFile());
    EXPECT_TRUE(editor.SaveAs(PathOf("copy.kbd"))) << "seen for this table: no second review";
    EXPECT_EQ(reviews, 3);

    editor.SetEnglishFlag(1);
    editor.WarningsSeen(); // the check command showed them
    EXPECT_TRUE(editor.SaveFile());
    EXPECT_EQ(reviews, 3);
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(KeymapEditorTest, ExportThenImportGivesTheSameRecordBytesForEveryShippedKeymap)
{
    for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"}) {
        SCOPED_TRACE(name);
        std::string shipped;
        ASSERT_TRUE(platform::ReadFileBytes(fakes::BuildProgramFolder() + "/KeyMaps/" + name, shipped).ok);
        ASSERT_TRUE(editor.Load(Write(name, shipped)));
        ASSERT_TRUE(editor.ExportTable(PathOf("table.tsv")));
        KeymapEditor fresh(settings);
        ASSERT_TRUE(fresh.ImportTable(PathOf("table.tsv")));
        KeyTable expected{};
        ASSERT_EQ(keymap::ParseKeymapFile(shipped, expected).recordBytesRead, keymap::TableBytes);
        EXPECT_EQ(keymap::TableBytesOf(fresh.WorkingTable()), keymap::TableBytesOf(expected));
        EXPECT_TRUE(fresh.IsModified()) << "an import is a change of the working table";
        fresh.Undo();
        EXPECT_EQ(fresh.WorkingTable(), KeyTable{}) << "and one step";
    }
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(KeymapEditorTest, AnImportThatCannotBeReadSaysWhereAndChangesNothing)
{
    StartWith(SampleTable());
    const struct {
        const char* what;
        std::string path;
        const char* inText;
    } cases[] = {
        {"damaged row", Write("bad.tsv", "# table\n0 0xC0 x 1 2 3 4 - - - -\n1 0x31 x 1 2 oops 4 - - - -\n"),
         "bad.tsv, line 3: bad value 'oops'"},
        {"missing file", PathOf("none.tsv"), "none.tsv"},
        {"too large", Write("huge.tsv", std::string((1 << 20) + 10, ' ')), "larger than"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        services.messages.shown.clear();
        EXPECT_FALSE(editor.ImportTable(c.path));
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_EQ(services.messages.shown[0].text.rfind(ImportFailedText, 0), 0u);
        EXPECT_NE(services.messages.shown[0].text.find(c.inText), std::string::npos) << services.messages.shown[0].text;
        EXPECT_EQ(editor.WorkingTable(), SampleTable());
        EXPECT_FALSE(editor.IsModified());
        EXPECT_FALSE(editor.CanUndo());
    }
}

TEST_F(KeymapEditorTest, AWarningJumpHighlightsItsKey)
{
    const auto move = editor.SelectRecord(38);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->to, (GridCell{12, 2}));
    EXPECT_FALSE(editor.SelectRecord(38)) << "already there";
    EXPECT_FALSE(editor.SelectRecord(52));
}

// An installed program folder is the system's: a keymap saved into it lands in the user's keymap
// folder under the same name, the shipped file stays as it was, and the editor's list then has it.
TEST_F(KeymapEditorTest, SavesMeantForAnInstalledProgramFolderGoToTheUsersKeymaps)
{
    QTemporaryDir home;
    const std::string user = home.path().toStdString() + "/Kelmora";
    platform::SetUserDataFolder(user);
    struct Restore {
        ~Restore() { platform::SetUserDataFolder({}); }
    } restore;
    Write(platform::InstalledMarkName, "");
    Write("KeyMaps/main.kbd", keymap::SerializeKeymapFile(KeyTable{}));
    const std::string shipped = keymap::SerializeKeymapFile(SampleTable());
    services.settings.WriteString("Setting", "FileName", Write("KeyMaps/kolb.kbd", shipped));
    editor.StartUp(dir.path().toStdString());

    editor.StoreRecord(KeyRecord{1, 2, 3, 4, 5, 6, 7, 8, 9});
    const KeyTable changed = editor.WorkingTable();
    ASSERT_TRUE(editor.SaveFile());
    EXPECT_EQ(editor.FilePath(), user + "/KeyMaps/kolb.kbd");
    EXPECT_EQ(services.settings.ReadString("Setting", "FileName", ""), user + "/KeyMaps/kolb.kbd");
    EXPECT_EQ(Read(user + "/KeyMaps/kolb.kbd"), keymap::SerializeKeymapFile(changed));
    EXPECT_EQ(Read(PathOf("KeyMaps/kolb.kbd")), shipped);
    EXPECT_FALSE(editor.IsModified());

    ASSERT_TRUE(editor.SaveAs(PathOf("other.kbd")));
    EXPECT_EQ(editor.FilePath(), user + "/KeyMaps/other.kbd");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("other.kbd"))));

    std::vector<std::string> mine;
    for (const platform::KeymapEntry& entry : platform::DataFolders(dir.path().toStdString()).Keymaps())
        if (entry.origin == platform::KeymapOrigin::User)
            mine.push_back(entry.name);
    EXPECT_EQ(mine, (std::vector<std::string>{"kolb.kbd", "other.kbd"}));
}
