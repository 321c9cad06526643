/** @file KeymapTableCompiler.cpp
 ** Build tool: turns a readable keymap table (res/keymaps, one .tsv per keymap) into the bytes of a .kbd file. **/
#include "keymap/KeymapFile.h"
#include "platform/TextMode.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A table row: record index, key code, the key's Persian letter (for the reader only), then the
// eight glyph fields. Numbers are decimal or 0x-hex; '#' starts a comment; "-" means 0.
bool ParseNumber(const std::string& token, long& value)
{
    if (token == "-") {
        value = 0;
        return true;
    }
    char* end = nullptr;
    value = std::strtol(token.c_str(), &end, 0);
    return end && *end == '\0' && !token.empty();
}

} // namespace

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
    std::vector<bool> seen(keymap::RecordCount, false);
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream fields(line);
        std::vector<std::string> tokens;
        for (std::string t; fields >> t;)
            tokens.push_back(t);
        if (tokens.empty())
            continue;
        long record = 0;
        if (tokens.size() != 11 || !ParseNumber(tokens[0], record) || record < 0 || record >= keymap::RecordCount) {
            std::fprintf(stderr, "%s:%d: expected: record keyCode letter and eight glyph fields\n", argv[1], lineNumber);
            return 1;
        }
        if (seen[static_cast<size_t>(record)]) {
            std::fprintf(stderr, "%s:%d: record %ld given twice\n", argv[1], lineNumber, record);
            return 1;
        }
        seen[static_cast<size_t>(record)] = true;
        keymap::KeyRecord& rec = table[static_cast<size_t>(record)];
        for (int field = 0; field < 9; ++field) {
            const std::string& token = tokens[field == 0 ? 1 : static_cast<size_t>(field) + 2];
            long value = 0;
            if (!ParseNumber(token, value) || value < -1 || value > 269) {
                std::fprintf(stderr, "%s:%d: bad value '%s'\n", argv[1], lineNumber, token.c_str());
                return 1;
            }
            rec.SetField(field, static_cast<std::int32_t>(value));
        }
    }
    const platform::FileResult r = platform::WriteFileAtomically(argv[2], keymap::SerializeKeymapFile(table));
    if (!r.ok) {
        std::fprintf(stderr, "%s: %s\n", argv[2], r.error.c_str());
        return 1;
    }
    return 0;
}
