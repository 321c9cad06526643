#include "keymap/KeyMap.h"
#include "keymap/KeymapFile.h"
#include "platform/TextMode.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace keymap;

namespace {

const std::string NotDorvantile = "Sorry that file is not a Dorvantile File !\nFile didn't loaded";

std::string Header() { return std::string(KeymapSignature) + "\r\n"; }

/// A table whose record r carries key code 0x41 + r and glyphs 100 + r (isolated), 150 + r (final).
KeyTable SampleTable()
{
    KeyTable t{};
    for (int r = 0; r < RecordCount; ++r) {
        if (r == NoKeyRecord)
            continue;
        t[r].keyCode = 0x30 + r;
        t[r].isolated = 100 + r;
        t[r].final = r < 40 ? 150 + r : 0;
    }
    return t;
}

class KeyMapTest : public ::testing::Test {
protected:
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};

    void WriteKeymap(const std::string& name, const std::string& bytes) { folder.Write("KeyMaps/" + name, bytes); }
};

} // namespace

TEST_F(KeyMapTest, LoadsFromTheProgramFolderAndLooksUpKeysAndGlyphs)
{
    WriteKeymap("sample.kbd", SerializeKeymapFile(SampleTable()));
    KeyMap map;
    ASSERT_TRUE(map.Load("sample.kbd"));
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(map.FileName(), "sample.kbd");

    EXPECT_EQ(map.RecordForKey(0x30 + 7).isolated, 107);
    EXPECT_EQ(map.RecordForKey(0x30 + 51).keyCode, 0x30 + 51);
    // A key code no record carries, and codes out of range, resolve to record 50.
    EXPECT_EQ(map.RecordForKey(0x20), map.Record(NoKeyRecord));
    EXPECT_EQ(map.RecordForKey(-5), map.Record(NoKeyRecord));
    EXPECT_EQ(map.RecordForKey(100000), map.Record(NoKeyRecord));

    int form = 99;
    EXPECT_EQ(map.RecordForGlyph(150 + 12, form).keyCode, 0x30 + 12);
    EXPECT_EQ(form, Final);
    // A glyph no record mentions: form -1, record 50; forms 0 and 1 of the index lookup differ.
    EXPECT_EQ(map.RecordForGlyph(7, form), map.Record(NoKeyRecord));
    EXPECT_EQ(form, -1);
    EXPECT_EQ(map.RecordIndexForGlyphForm(0, 7), NoKeyRecord);
    EXPECT_EQ(map.RecordIndexForGlyphForm(1, 7), -1);
    EXPECT_EQ(map.RecordIndexForGlyphForm(0, 100 + 3), 3);
    EXPECT_EQ(map.RecordIndexForGlyphForm(1, 100 + 3), -1);
}

TEST_F(KeyMapTest, LaterWritesWin)
{
    KeyTable t = SampleTable();
    t[3].isolated = 77;
    t[3].final = 77;  // same record: the higher form wins
    t[17].medial = 88;
    t[3].medial = 88; // two records: the higher record wins
    t[20].keyCode = t[5].keyCode;
    WriteKeymap("w.kbd", SerializeKeymapFile(t));
    KeyMap map;
    ASSERT_TRUE(map.Load("w.kbd"));
    int form = 0;
    EXPECT_EQ(map.RecordForGlyph(77, form).isolated, 77);
    EXPECT_EQ(form, Final);
    EXPECT_EQ(map.RecordIndexForGlyphForm(Medial, 88), 17);
    EXPECT_EQ(map.RecordIndexForKey(t[5].keyCode), 20);
}

TEST_F(KeyMapTest, LineFeedBytesAreStoredAsCrLfAndLoneCrPasses)
{
    KeyTable t = SampleTable();
    t[2].isolated = 10;      // a glyph code 10 is an LF byte inside the records
    t[4].keyCode = 266;      // low byte 0x0A
    t[6].medial = 13;        // a lone CR
    const std::string disk = SerializeKeymapFile(t);
    EXPECT_EQ(disk.substr(0, 46), Header());
    EXPECT_EQ(disk.size(), 46u + TableBytes + 2) << "two LF bytes in the records, each doubled";
    WriteKeymap("lf.kbd", disk);
    KeyMap map;
    ASSERT_TRUE(map.Load("lf.kbd"));
    EXPECT_EQ(map.Records(), t);
    EXPECT_EQ(map.RecordIndexForKey(266), 4);
    EXPECT_EQ(map.RecordForKey(10), map.Record(NoKeyRecord)) << "266 is not 10";
    KeyTable parsed{};
    ASSERT_EQ(ParseKeymapFile(disk, parsed).status, ParseStatus::Ok);
    EXPECT_EQ(SerializeKeymapFile(parsed), disk) << "byte-exact round trip";
}

TEST_F(KeyMapTest, SignatureFollowedByLfOnlyLoads)
{
    const std::string bytes = std::string(KeymapSignature) + "\n" + TableBytesOf(SampleTable());
    WriteKeymap("lf-only.kbd", bytes);
    KeyMap map;
    EXPECT_TRUE(map.Load("lf-only.kbd"));
}

TEST_F(KeyMapTest, ByteCtrlZInsideTheRecordsIsData)
{
    KeyTable t = SampleTable();
    t[1].isolated = 0x1A;
    WriteKeymap("z.kbd", SerializeKeymapFile(t));
    KeyMap map;
    ASSERT_TRUE(map.Load("z.kbd"));
    EXPECT_EQ(map.Records(), t);
}

TEST_F(KeyMapTest, BadFilesAreRefusedWithTheirMessagesAndLeaveTheTableAsItWas)
{
    WriteKeymap("good.kbd", SerializeKeymapFile(SampleTable()));
    WriteKeymap("wrong.kbd", "Dorvantile-File,Written by someone else\r\n" + TableBytesOf(KeyTable{}));
    WriteKeymap("long.kbd", std::string(100, 'D') + "\r\n" + TableBytesOf(KeyTable{}));
    WriteKeymap("sig80.kbd", std::string(KeymapSignature) + std::string(36, ' ') + "\r\n");
    WriteKeymap("empty.kbd", "");
    WriteKeymap("binary.kbd", std::string("\x7f" "ELF\0\0\x01\xff", 8));
    folder.Write("KeyMaps/folder.kbd/x", "");

    KeyMap map;
    ASSERT_TRUE(map.Load("good.kbd"));
    const KeyTable before = map.Records();

    struct Case { const char* name; std::string text; std::string caption; platform::MessageIcon icon; };
    const Case cases[] = {
        {"missing.kbd", "missing.kbd\nNo such file or directory", "keymap", platform::MessageIcon::None},
        {"folder.kbd", "folder.kbd\nIs a directory", "keymap", platform::MessageIcon::None},
        {"wrong.kbd", NotDorvantile, "Error", platform::MessageIcon::Error},
        {"long.kbd", NotDorvantile, "Error", platform::MessageIcon::Error},
        {"sig80.kbd", NotDorvantile, "Error", platform::MessageIcon::Error},
        {"empty.kbd", NotDorvantile, "Error", platform::MessageIcon::Error},
        {"binary.kbd", NotDorvantile, "Error", platform::MessageIcon::Error},
    };
    for (const Case& c : cases) {
        services.messages.shown.clear();
        EXPECT_FALSE(map.Load(c.name)) << c.name;
        ASSERT_EQ(services.messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(services.messages.shown[0].text, c.text) << c.name;
        EXPECT_EQ(services.messages.shown[0].caption, c.caption) << c.name;
        EXPECT_EQ(services.messages.shown[0].icon, c.icon) << c.name;
        EXPECT_EQ(services.messages.shown[0].buttons, platform::MessageButtons::Ok) << c.name;
        EXPECT_EQ(map.Records(), before) << c.name;
        EXPECT_EQ(map.FileName(), "good.kbd") << c.name;
    }
}

TEST_F(KeyMapTest, ShortFileKeepsTheRestOrZeroOnAFirstLoad)
{
    const std::string shortFile = Header() + TableBytesOf(SampleTable()).substr(0, 36 * 2 + 5);
    WriteKeymap("short.kbd", shortFile);
    KeyMap fresh;
    ASSERT_TRUE(fresh.Load("short.kbd"));
    EXPECT_EQ(fresh.Record(1), SampleTable()[1]);
    EXPECT_EQ(fresh.Record(2).keyCode, 0x32) << "five bytes of record 2: its key code and one glyph byte";
    EXPECT_EQ(fresh.Record(2).isolated, 100 + 2);
    EXPECT_EQ(fresh.Record(2).final, 0);
    EXPECT_EQ(fresh.Record(30), KeyRecord{}) << "unread records of a first load are zero";

    KeyTable other{};
    for (auto& r : other)
        r.medial = 9;
    WriteKeymap("other.kbd", SerializeKeymapFile(other));
    KeyMap reused;
    ASSERT_TRUE(reused.Load("other.kbd"));
    ASSERT_TRUE(reused.Load("short.kbd"));
    EXPECT_EQ(reused.Record(30).medial, 9) << "a short file leaves the earlier records in place";
    EXPECT_EQ(reused.FileName(), "short.kbd");
}

TEST_F(KeyMapTest, OutOfRangeCodesAreIgnored)
{
    KeyTable t = SampleTable();
    t[0].keyCode = -1;
    t[1].keyCode = 270;
    t[2].isolated = -7;
    t[2].final = 269;
    t[3].initial = 1 << 30;
    WriteKeymap("range.kbd", SerializeKeymapFile(t));
    KeyMap map;
    ASSERT_TRUE(map.Load("range.kbd"));
    EXPECT_EQ(map.RecordIndexForKey(-1), NoKeyRecord);
    EXPECT_EQ(map.RecordIndexForKey(270), NoKeyRecord);
    int form = 0;
    EXPECT_EQ(map.RecordForGlyph(269, form).keyCode, t[2].keyCode);
    EXPECT_EQ(form, Final);
    EXPECT_EQ(map.RecordForGlyph(-7, form), map.Record(NoKeyRecord));
    EXPECT_EQ(map.RecordIndexForGlyphForm(3, 1 << 30), -1);
}

TEST_F(KeyMapTest, EnglishFlagIsExactlyOne)
{
    for (int value : {0, 1, 2, 257, -1}) {
        KeyTable t = SampleTable();
        t[EnglishFlagRecord].extInitial = value;
        KeyMap map;
        map.SetRecords(t, "x");
        EXPECT_EQ(map.SupportsEnglish(), value == 1) << value;
    }
}

TEST_F(KeyMapTest, FolderCanBeGivenByTheCaller)
{
    fakes::TempProgramFolder elsewhere{services.settings};
    elsewhere.Write("KeyMaps/mine.kbd", SerializeKeymapFile(SampleTable()));
    services.settings.WriteString("Temp", "KelmDir", folder.Path());
    KeyMap map;
    map.SetFolder(elsewhere.KeyMapsPath());
    EXPECT_TRUE(map.Load("mine.kbd"));
}

TEST_F(KeyMapTest, TheUsersKeymapOfAShippedNameWins)
{
    KeyTable mine = SampleTable();
    mine[1].isolated = 0xEE;
    WriteKeymap("both.kbd", SerializeKeymapFile(SampleTable()));
    WriteKeymap("shipped.kbd", SerializeKeymapFile(SampleTable()));
    QDir().mkpath(QString::fromStdString(folder.UserPath() + "/KeyMaps"));
    ASSERT_TRUE(platform::WriteFileAtomically(folder.UserPath() + "/KeyMaps/both.kbd", SerializeKeymapFile(mine)).ok);

    KeyMap map;
    ASSERT_TRUE(map.Load("both.kbd"));
    EXPECT_EQ(map.Records(), mine);
    ASSERT_TRUE(map.Load("shipped.kbd"));
    EXPECT_EQ(map.Records(), SampleTable());
}

TEST_F(KeyMapTest, NamesThatAreNotBareFileNamesAreRefusedAndNamed)
{
    WriteKeymap("good.kbd", SerializeKeymapFile(SampleTable()));
    // A valid keymap outside the folder: reaching it would show the name as a path.
    folder.Write("outside.kbd", SerializeKeymapFile(SampleTable()));
    folder.Write("KeyMaps/sub/inner.kbd", SerializeKeymapFile(SampleTable()));
    KeyMap map;
    ASSERT_TRUE(map.Load("good.kbd"));
    const std::string outside = folder.Path() + "/outside.kbd";
    for (const std::string& name : {std::string("../outside.kbd"), std::string("sub/inner.kbd"), outside,
                                    std::string("..\\outside.kbd"), std::string(".."), std::string("."),
                                    std::string("good.kbd\0.kbd", 13)}) {
        SCOPED_TRACE(name);
        services.messages.shown.clear();
        EXPECT_FALSE(map.Load(name));
        ASSERT_EQ(services.messages.shown.size(), 1u);
        EXPECT_NE(services.messages.shown[0].text.find(name), std::string::npos) << services.messages.shown[0].text;
        EXPECT_EQ(map.FileName(), "good.kbd");
    }
}
