/** @file ScratchTableFuzzer.cpp
 ** Fuzzes the reading of scratch.cfg: any bytes give entries whose fields hold no line end, no
 ** more of them than the text has lines for, and writing them out then reading back gives them again. **/
#include "extras/ScratchTable.h"
#include "platform/TextMode.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string disk(reinterpret_cast<const char*>(data), size);
    const std::string text = platform::DecodeTextMode(disk);
    const std::vector<extras::ScratchEntry> entries = extras::ParseScratchTable(text);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (entries.size() > lines / 3 + 1)
        __builtin_trap();
    for (const extras::ScratchEntry& e : entries) {
        for (const std::string* field : {&e.faceName, &e.keymapName, &e.sizeText})
            if (field->find('\n') != std::string::npos)
                __builtin_trap();
    }
    if (extras::ParseScratchTable(extras::FormatScratchTable(entries)) != entries)
        __builtin_trap();

    // The list box's prefix search with a prefix taken from the text itself.
    extras::ScratchTable table;
    table.SetEntries(entries);
    const std::vector<std::string> faces = table.FaceNames();
    const std::string prefix = text.substr(0, std::min<std::size_t>(text.size(), 3));
    const int found = extras::FindPrefix(faces, prefix);
    if (found < -1 || found >= static_cast<int>(faces.size()))
        __builtin_trap();
    return 0;
}
