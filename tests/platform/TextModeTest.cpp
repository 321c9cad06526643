#include "platform/TextMode.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <filesystem>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

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

// A failure that hits the old file itself is in SafeWriteTest; these targets cannot be written at all.
TEST(TextMode, WritingAFolderOrIntoAMissingFolderFailsWithTheReason)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const FileResult toFolder = WriteTextFile(folder, "x");
    EXPECT_FALSE(toFolder.ok);
    EXPECT_EQ(toFolder.error, "Is a directory");
    const FileResult missing = WriteTextFile(folder + "/missing/doc.txf", "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST(TextMode, ReadingMissingFilesAndFoldersFails)
{
    QTemporaryDir dir;
    std::string bytes = "kept";
    EXPECT_FALSE(ReadFileBytes(dir.path().toStdString() + "/none", bytes).ok);
    EXPECT_FALSE(ReadFileBytes(dir.path().toStdString(), bytes).ok);
    EXPECT_EQ(bytes, "kept");
}

TEST(TextMode, ANameWithANulByteIsNeitherReadNorWritten)
{
    // The system would see only "doc.txt" and read or replace that file instead of the one named.
    QTemporaryDir dir;
    const std::string real = dir.path().toStdString() + "/doc.txt";
    ASSERT_TRUE(WriteFileAtomically(real, "kept").ok);
    const std::string named = real + std::string("\0.bak", 5);
    std::string bytes = "mine";
    const FileResult read = ReadFileBytes(named, bytes);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, platform::NulInNameError);
    EXPECT_EQ(bytes, "mine");
    EXPECT_FALSE(WriteFileAtomically(named, "other").ok);
    ASSERT_TRUE(ReadFileBytes(real, bytes).ok);
    EXPECT_EQ(bytes, "kept");
}

TEST(TextMode, ReadKeepsTheStartOrFailsPastItsLimit)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/big";
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x')).ok);
    std::string bytes = "kept";
    const FileResult tooLarge = ReadFileBytes(path, bytes, {99999});
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_EQ(tooLarge.error, "File is larger than 99999 bytes");
    EXPECT_EQ(bytes, "kept");
    ASSERT_TRUE(ReadFileBytes(path, bytes, {100000}).ok);
    EXPECT_EQ(bytes.size(), 100000u);
    ASSERT_TRUE(ReadFileBytes(path, bytes, {10, PastLimit::KeepsStart}).ok);
    EXPECT_EQ(bytes, "xxxxxxxxxx");
}

// Devices that never end, pipes and /proc files report no size (or 0): they are read to their end
// or to the limit, never forever and never as empty.
TEST(TextMode, FilesWithoutASizeAreReadToTheirEndOrTheLimit)
{
    std::string bytes;
    const FileResult zero = ReadFileBytes("/dev/zero", bytes, {1 << 20});
    EXPECT_FALSE(zero.ok);
    EXPECT_EQ(zero.error, "File is larger than 1 MB");
    ASSERT_TRUE(ReadFileBytes("/dev/urandom", bytes, {4096, PastLimit::KeepsStart}).ok);
    EXPECT_EQ(bytes.size(), 4096u);

    ASSERT_TRUE(ReadFileBytes("/proc/self/status", bytes, {1 << 20}).ok);
    EXPECT_NE(bytes.find("Pid:"), std::string::npos);

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string text(200000, 'p'); // more than a pipe holds at once
    std::thread writer([&] {
        for (size_t at = 0; at < text.size();) {
            const ssize_t w = ::write(ends[1], text.data() + at, text.size() - at);
            if (w <= 0)
                break;
            at += static_cast<size_t>(w);
        }
        ::close(ends[1]);
    });
    const FileResult piped = ReadFileBytes("/proc/self/fd/" + std::to_string(ends[0]), bytes, {1 << 20});
    writer.join();
    ::close(ends[0]);
    ASSERT_TRUE(piped.ok) << piped.error;
    EXPECT_EQ(bytes, text);
}

TEST(TextMode, WindowedProgramsReadOnlyRegularFiles)
{
    QTemporaryDir dir;
    const std::string fifo = dir.path().toStdString() + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes = "kept";
    // No writer ever opens the FIFO: a blocking open would never come back.
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        const FileResult r = ReadFileBytes(path, bytes, {1 << 20}, FileKinds::RegularOnly);
        EXPECT_FALSE(r.ok) << path;
        EXPECT_EQ(r.error, "Not a regular file") << path;
    }
    EXPECT_EQ(bytes, "kept");
    ASSERT_TRUE(ReadFileBytes("/proc/self/status", bytes, {1 << 20}, FileKinds::RegularOnly).ok);
    EXPECT_FALSE(bytes.empty());
}

TEST(TextMode, BytesAfterTheEndMark)
{
    EXPECT_EQ(BytesAfterEndMark("no mark"), 0u);
    EXPECT_EQ(BytesAfterEndMark("text\x1a"), 0u);
    EXPECT_EQ(BytesAfterEndMark("text\x1a\x1a\x1a"), 0u); // padding of old record-based files
    EXPECT_EQ(BytesAfterEndMark("text\x1a" "hidden"), 6u);
    EXPECT_EQ(BytesAfterEndMark("\x1a" "a\x1a" "b"), 3u);
}
