/** @file PoemCompiler.h
 ** kelmora-poems: builds the poetry files QIndex.dat and rDivan.dta from a UTF-8 collection,
 ** through the keymap of the font the poems are shown in. **/
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace keymap {
class KeyMap;
}

namespace cli {

/// One fault of the collection; line and column are 1-based (column 0: the whole line).
struct PoemProblem {
    int line = 0;
    int column = 0;
    std::string text;
};

/// The bytes of the two files.
struct CompiledPoems {
    std::string index;
    std::string poems;
    int poemCount = 0;
    int coupletCount = 0;
};

/// The collection: poems one after another, a blank line between poems, a half-line per line.
/// Every half-line is imported through `poemKeymap`; a half-line of more than 49 glyphs, a
/// character the keymap cannot write and a poem with an odd number of half-lines are problems.
/// Returns true (and fills `out`) only when there are none.
bool CompilePoems(std::string_view utf8, const keymap::KeyMap& poemKeymap, CompiledPoems& out,
                  std::vector<PoemProblem>& problems);

/// The program: `kelmora-poems IN.txt OUTDIR`, ziba2.kbd from `keymapsDir`. Problems go to `err`
/// as "IN.txt:LINE:COLUMN: text"; the files are written only when there is none.
/// Exit status: 0 written, 1 nothing written, 2 usage error.
int RunPoemCompiler(const std::vector<std::string>& args, const std::string& keymapsDir, std::FILE* err);

} // namespace cli
