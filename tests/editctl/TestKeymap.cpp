#include "tests/editctl/TestKeymap.h"

#include "keymap/UnicodeBridge.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

namespace testkeys {

namespace {

using editctl::KeyEvent;
namespace vk = editctl::vk;

const keymap::KeyMap& Shipped()
{
    static const keymap::KeyMap map = [] {
        keymap::KeyMap m;
        if (!m.LoadFromPath(fakes::BuildProgramFolder() + "/KeyMaps/main.kbd"))
            ADD_FAILURE() << "main.kbd is not in the build's program folder";
        return m;
    }();
    return map;
}

std::vector<std::string> CodePoints(const std::string& utf8)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        out.push_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace

keymap::KeyTable MainTable(bool supportsEnglish)
{
    keymap::KeyTable table = Shipped().Records();
    table[keymap::EnglishFlagRecord].extInitial = supportsEnglish ? 1 : 0;
    return table;
}

keymap::KeyMap MainKeyMap(bool supportsEnglish)
{
    keymap::KeyMap map;
    map.SetRecords(MainTable(supportsEnglish), "main.kbd");
    return map;
}

std::vector<KeyEvent> KeysFor(const std::string& utf8)
{
    const keymap::UnicodeBridge bridge(Shipped());
    std::vector<KeyEvent> keys;
    for (const std::string& c : CodePoints(utf8)) {
        if (c == " ") {
            keys.push_back({vk::Space, false, false});
        } else if (c == "\n") {
            keys.push_back({vk::Enter, false, false});
        } else if (c.size() == 1 && c[0] >= '0' && c[0] <= '9') {
            keys.push_back({c[0], false, false});
        } else {
            // The glyph of the letter standing alone tells its key, and Shift when it is a Shift field.
            const std::string glyph = bridge.ImportUtf8(c);
            int form = -1;
            const keymap::KeyRecord record =
                glyph.size() == 1 ? Shipped().RecordForGlyph(static_cast<unsigned char>(glyph[0]), form) : keymap::KeyRecord{};
            if (form < 0) {
                ADD_FAILURE() << "no key types " << c;
                continue;
            }
            keys.push_back({record.keyCode, form == keymap::ExtIsolated, false});
        }
    }
    return keys;
}

void Type(editctl::PersianEdit& edit, const std::string& utf8)
{
    for (const KeyEvent& k : KeysFor(utf8))
        edit.DeliverKey(k);
}

void Press(editctl::PersianEdit& edit, int virtualKey, bool shift, bool control)
{
    edit.DeliverKey({virtualKey, shift, control});
}

std::string Reading(const std::string& glyphText)
{
    std::string out = keymap::UnicodeBridge(Shipped()).ExportUtf8(glyphText);
    std::erase(out, '\r');
    return out;
}

Shapes ShapesOf(const std::string& utf8Letter)
{
    for (const keymap::KeyRecord& r : Shipped().Records()) {
        if (r.isolated == 0)
            continue;
        const std::string glyph(1, static_cast<char>(r.isolated));
        if (Reading(glyph) == utf8Letter)
            return {r.isolated, r.final, r.medial, r.initial};
    }
    ADD_FAILURE() << "no letter " << utf8Letter;
    return {};
}

} // namespace testkeys
