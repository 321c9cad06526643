/** @file PoemLibraryFuzzer.cpp
 ** Fuzzes the poetry files: the input is split into an index and a poem file, written to a folder
 ** and opened. A library that opens loads every poem it counts, each with two half-lines per
 ** couplet record; the lines chosen and laid out from it stay within the poem. **/
#include "extras/PoemLibrary.h"
#include "fuzz/FuzzFolder.h"
#include "extras/PoetryFields.h"
#include "extras/VerseLayout.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void Write(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first two bytes give the index file's length; the rest after it is the poem file.
    if (size < 2)
        return 0;
    const std::size_t indexSize = std::min<std::size_t>(size - 2, data[0] | data[1] << 8);
    Write(fuzzing::FuzzFolder("poems") + "/" + extras::PoemLibrary::IndexFileName, data + 2, indexSize);
    Write(fuzzing::FuzzFolder("poems") + "/" + extras::PoemLibrary::PoemFileName, data + 2 + indexSize, size - 2 - indexSize);
    const std::size_t poemBytes = size - 2 - indexSize;

    extras::PoemLibrary library;
    if (!library.Open(fuzzing::FuzzFolder("poems"))) {
        Require(library.Count() == 0 && !library.FailedPath().empty());
        return 0;
    }
    Require(library.Count() >= 1 && library.Count() <= extras::PoemLibrary::MaxPoems);
    // Every poem when there are few, else the first and last ones: all are checked the same way.
    const int count = library.Count();
    platform::LcgRandom random;
    random.Seed(size);
    for (int number = 1; number <= count; number = number < 20 || number >= count - 20 ? number + 1 : count - 20) {
        const auto [start, end] = library.Records(number);
        Require(start >= 0 && start <= end && static_cast<std::size_t>(end) * extras::PoemLibrary::RecordSize <= poemBytes);
        extras::Poem poem;
        Require(library.LoadPoem(number, poem));
        Require(poem.LineCount() == 2 * (end - start) && poem.lineEnds.back() == poem.text.size());
        const int n = 1 + number % 7;
        for (const extras::LineChoice choice :
             {extras::LineChoice::All, extras::LineChoice::Last, extras::LineChoice::First, extras::LineChoice::Random}) {
            const std::optional<std::string> lines = extras::ChooseLines(poem, choice, n, random);
            if (!lines)
                continue;
            Require(lines->size() <= poem.text.size());
            const std::string laid = extras::LayOutVerse(*lines, extras::VerseLayout::Poetic, poem.LineCount(), number % 40, 15);
            Require(laid.size() >= lines->size());
        }
    }
    extras::Poem none;
    Require(!library.LoadPoem(0, none) && !library.LoadPoem(count + 1, none));
    return 0;
}
