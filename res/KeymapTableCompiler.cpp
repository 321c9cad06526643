/** @file KeymapTableCompiler.cpp
 ** Build tool: turns a readable keymap table (res/keymaps, one .tsv per keymap) into the bytes of a .kbd file. **/
#include "keymap/KeymapFile.h"
#include "keymap/KeymapTableText.h"
#include "platform/TextMode.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TABLE.tsv OUT.kbd\n", argv[0]);
        return 2;
    }
    std::string text;
    if (!platform::ReadTextFile(argv[1], text).ok) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    keymap::KeyTable table{};
    if (const std::optional<keymap::TableTextError> error = keymap::ParseKeymapTableText(text, table)) {
        std::fprintf(stderr, "%s:%d: %s\n", argv[1], error->line, error->message.c_str());
        return 1;
    }
    const platform::FileResult r = platform::WriteFileAtomically(argv[2], keymap::SerializeKeymapFile(table));
    if (!r.ok) {
        std::fprintf(stderr, "%s: %s\n", argv[2], r.error.c_str());
        return 1;
    }
    return 0;
}
