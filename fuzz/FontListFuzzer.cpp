/** @file FontListFuzzer.cpp
 ** Fuzzes the reading of fonts.cfg: any bytes give a list of non-empty names without line ends,
 ** none of them the "***" end line, taken in order from the text; and the font signature test. **/
#include "app/FirstRunFonts.h"
#include "platform/TextMode.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string disk(reinterpret_cast<const char*>(data), size);
    const std::string text = platform::DecodeTextMode(disk);
    size_t at = 0;
    for (const std::string& name : app::ReadFontList(text)) {
        if (name.empty() || name == "***" || name.find('\n') != std::string::npos)
            __builtin_trap();
        // Each name is a whole line of the text, after the names before it.
        const size_t found = text.find(name, at);
        if (found == std::string::npos || (found > 0 && text[found - 1] != '\n'))
            __builtin_trap();
        at = found + name.size();
    }
    if (app::IsFont(disk) && size < 4)
        __builtin_trap();
    return 0;
}
