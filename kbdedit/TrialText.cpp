#include "kbdedit/TrialText.h"

namespace kbdedit {

TrialKeymap::TrialKeymap() { map.SetRecords(keymap::KeyTable{}, "working table"); }

void TrialKeymap::SetTable(const keymap::KeyTable& table) { map.SetRecords(table, "working table"); }

std::string TrialKeymap::Carry(const keymap::KeyTable& table, std::string_view text) const
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
    return carried;
}

} // namespace kbdedit
