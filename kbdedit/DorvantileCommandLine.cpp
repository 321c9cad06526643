#include "kbdedit/DorvantileCommandLine.h"

#include <filesystem>

namespace kbdedit {

DorvantileCommandLine ParseDorvantileCommandLine(const std::vector<std::string>& arguments, const std::string& startFolder)
{
    DorvantileCommandLine line;
    line.parsed = platform::ParseProgramCommandLine(arguments, {});
    if (!line.parsed.files.empty()) {
        // The program works from its own folder, so a relative name is fixed to where the user was.
        const std::filesystem::path file(line.parsed.files.front());
        line.keymapFile = file.is_relative() && !startFolder.empty()
                              ? (std::filesystem::path(startFolder) / file).lexically_normal().string()
                              : file.string();
    }
    return line;
}

platform::ProgramDescription DorvantileProgramDescription()
{
    return {"dorvantil",
            "Usage: dorvantil [KEYMAP]\n"
            "Dorvantile, the keymap editor of Kelmora. KEYMAP is a keymap file (.kbd) to load.\n"
            "\n"
            "  --help     show this text\n"
            "  --version  show the version\n"
            "\n"
            "The toolkit's own options (-platform, -style, ...) are accepted as well.\n",
            KELMORA_VERSION};
}

} // namespace kbdedit
