#include "kbdedit/TrialText.h"

namespace kbdedit {

TrialKeymap::TrialKeymap() { map.SetRecords(keymap::KeyTable{}, "working table"); }

std::string TrialKeymap::Follow(const keymap::KeyTable& table, std::string_view text)
{
    std::string carried(text);
    if (table != map.Records()) {
        for (char& c : carried) {
            const int glyph = static_cast<unsigned char>(c);
            if (glyph == 0 || c == '\r' || c == '\n')
                continue;
            int form = -1;
            map.RecordRefForGlyph(glyph, form);
            if (form < 0)
                continue;
            const int record = map.RecordIndexForGlyphForm(form, glyph);
            if (record < 0 || record >= keymap::RecordCount)
                continue;
            const std::int32_t now = table[static_cast<size_t>(record)].Glyph(form);
            if (now > 0 && now < 256)
                c = static_cast<char>(now);
        }
    }
    map.SetRecords(table, "working table");
    return carried;
}

} // namespace kbdedit
