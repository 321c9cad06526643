/** @file ConvertTool.h
 ** kelmora-convert: converts glyph text between keymaps, and between a keymap and UTF-8, from the
 ** command line. **/
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

enum ExitStatus : int {
    Success = 0,
    NothingWritten = 1,     // unreadable input, missing or invalid keymap, output not writable
    UsageError = 2,
    SomeUnrepresentable = 3, // written, but some characters had no glyph (left out or written as their
                             // nearest letter) or no meaning (U+FFFD)
};

struct ConvertOptions {
    std::string keymapsDir; // empty: the KeyMaps folder beside the program
    std::string from;       // keymap of the input; empty with fromUnicode, or to take it from the header
    std::string to;         // keymap of the output; empty with toUnicode
    bool fromUnicode = false;
    bool toUnicode = false;
    bool strict = false;  // from Unicode: no best-fit letters
    bool verbose = false; // every place of every problem, not only the first three of each kind
    bool dos = false;        // to Unicode: the input is a DOS-layout document, its padding goes
    bool keepHeader = false; // glyph to glyph: a document header is written through unchanged
    std::string in;  // empty or "-": standard input
    std::string out; // empty or "-": standard output
    bool detect = false;            // --detect FILE...: name each file's most likely keymap
    std::vector<std::string> files; // the files --detect reads
    std::string wordList;           // empty: Debian's Persian word list
    bool help = false;
    bool version = false;
};

/// Reads the command line (without the program name). False with `error` set on a usage error.
bool ParseConvertArguments(const std::vector<std::string>& args, ConvertOptions& options, std::string& error);

std::string ConvertUsage();
std::string ConvertVersion();

/// Runs a parsed command. Keymaps named without a path separator are looked up in the keymaps
/// folder, by default `programFolder`/KeyMaps. The output file is replaced atomically, and only
/// when the conversion could run.
int RunConvert(const ConvertOptions& options, const std::string& programFolder, std::FILE* in, std::FILE* out,
               std::FILE* err);

} // namespace cli
