#include "platform/TextMode.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <filesystem>

using namespace platform;

TEST(TextMode, DecodeTurnsCrLfIntoLfAndKeepsLoneCr)
{
    EXPECT_EQ(DecodeTextMode("a\r\nb\rc\n\r\r\n"), "a\nb\rc\n\r\n");
    EXPECT_EQ(DecodeTextMode("\r"), "\r");
}

TEST(TextMode, CtrlZEndsTextButNotData)
{
    EXPECT_EQ(DecodeTextMode("ab\x1a" "cd"), "ab");
    EXPECT_EQ(DecodeTextMode(std::string_view("ab\x1a" "c\r\nd", 7), CtrlZ::IsData), std::string("ab\x1a" "c\nd"));
}

TEST(TextMode, EncodeRoundTrips)
{
    const std::string memory = "line one\nline\rtwo\n\n";
    EXPECT_EQ(EncodeTextMode(memory), "line one\r\nline\rtwo\r\n\r\n");
    EXPECT_EQ(DecodeTextMode(EncodeTextMode(memory)), memory);
}

TEST(TextMode, AtoiRule)
{
    struct Case { const char* text; int value; };
    const Case cases[] = {
        {"", 0}, {"abc", 0}, {"42", 42}, {"  -17x", -17}, {"+8", 8}, {"\t 3 4", 3}, {"- 5", 0},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AtoiRule(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextMode, AtomicWriteReplacesWholeFileAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/doc.txf";
    ASSERT_TRUE(WriteTextFile(path, "old\n").ok);
    ASSERT_TRUE(WriteTextFile(path, "new\ntext").ok);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes).ok);
    EXPECT_EQ(bytes, "new\r\ntext");
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path().toStdString())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(TextMode, FailedWriteKeepsTheOldFileAndGivesTheReason)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string path = folder + "/doc.txf";
    ASSERT_TRUE(WriteTextFile(path, "precious").ok);
    // A folder where the file should go, and a file inside a missing folder, both fail.
    const FileResult toFolder = WriteTextFile(folder, "x");
    EXPECT_FALSE(toFolder.ok);
    EXPECT_FALSE(toFolder.error.empty());
    EXPECT_FALSE(WriteTextFile(folder + "/missing/doc.txf", "x").ok);
    std::string text;
    ASSERT_TRUE(ReadTextFile(path, text).ok);
    EXPECT_EQ(text, "precious");
}

TEST(TextMode, ReadingMissingFilesAndFoldersFails)
{
    QTemporaryDir dir;
    std::string bytes = "kept";
    EXPECT_FALSE(ReadFileBytes(dir.path().toStdString() + "/none", bytes).ok);
    EXPECT_FALSE(ReadFileBytes(dir.path().toStdString(), bytes).ok);
    EXPECT_EQ(bytes, "kept");
}

TEST(TextMode, ReadCanStopAtALimit)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/big";
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x')).ok);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes, 10).ok);
    EXPECT_EQ(bytes.size(), 10u);
}
