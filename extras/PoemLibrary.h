/** @file PoemLibrary.h
 ** The poetry data files of the program folder: the index QIndex.dat and the couplets of rDivan.dta. **/
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace extras {

/// One poem as the viewer shows it: its half-lines, each followed by CR LF, and where each line
/// ends in that text.
struct Poem {
    int number = 0;
    std::string text;
    /// lineEnds[j] is the length of the text after its first j lines; lineEnds[0] is 0.
    std::vector<std::size_t> lineEnds{0};

    int LineCount() const { return static_cast<int>(lineEnds.size()) - 1; }
    /// The text of lines [first, last).
    std::string Lines(int first, int last) const;
};

/// Reads poems by number. The index is read and checked whole when the library opens, so that a
/// damaged pair of files is found before anything is shown and no later read leaves the files.
class PoemLibrary {
public:
    static constexpr const char* IndexFileName = "QIndex.dat";
    static constexpr const char* PoemFileName = "rDivan.dta";
    static constexpr int RecordSize = 102;
    static constexpr int HalfLineSize = 49;
    static constexpr int FirstHalfOffset = 2;
    static constexpr int SecondHalfOffset = 52;
    /// Entries are 16-bit; a larger index cannot describe its poems.
    static constexpr int MaxPoems = 65535;

    /// Reads `folder`/QIndex.dat and checks it against the size of `folder`/rDivan.dta. On
    /// failure the library holds no poems and FailedPath names the file at fault.
    bool Open(const std::string& folder);

    bool IsOpen() const { return !ends.empty(); }
    /// The number of poems the index describes (0 when not open).
    int Count() const { return static_cast<int>(ends.size()); }
    /// Couplet records of poem `number` (1..Count): [start, end).
    std::pair<int, int> Records(int number) const;
    /// Reads poem `number` (1..Count); false for a number outside that range, or when the poem
    /// file can no longer be read as the index describes it (then FailedPath is set).
    bool LoadPoem(int number, Poem& poem);
    const std::string& FailedPath() const { return failedPath; }
    /// The message for a library that cannot be read.
    static std::string FailureText(const std::string& path) { return "Cannot read the poems: " + path; }

private:
    bool Fail(const std::string& path);

    std::string poemPath;
    std::vector<std::uint16_t> ends;
    std::string failedPath;
};

/// A half-line field of a record: up to a byte 0, trailing spaces removed.
std::string HalfLineOf(const char* field);

} // namespace extras
