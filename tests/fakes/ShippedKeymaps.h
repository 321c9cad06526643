/** @file ShippedKeymaps.h
 ** The keymaps the build ships (KeyMaps of the build's program folder), and glyph-text fixtures
 ** written as Persian literals through them. **/
#pragma once

#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"
#include "tests/fakes/TestEnvironment.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace fakes {

/// A shipped keymap ("main.kbd", "kolb.kbd", "ziba2.kbd") loaded straight from the build.
inline keymap::KeyMap ShippedKeymap(const std::string& name)
{
    keymap::KeyMap map;
    if (!map.LoadFromPath(BuildProgramFolder() + "/KeyMaps/" + name))
        throw std::runtime_error("keymap missing from the build: " + name);
    return map;
}

/// The glyph text of a Persian literal in a shipped keymap, e.g. Glyphs("main.kbd", "سلام").
/// Throws when the keymap cannot write every character, so a fixture never silently loses one.
inline std::string Glyphs(const std::string& keymapName, std::string_view utf8)
{
    const keymap::UnicodeBridge bridge(ShippedKeymap(keymapName));
    std::vector<keymap::Unrepresentable> problems;
    std::string glyphs = bridge.ImportUtf8(utf8, &problems);
    if (!problems.empty())
        throw std::runtime_error("fixture has characters " + keymapName + " cannot write");
    return glyphs;
}

/// The Unicode text of glyph text in a shipped keymap.
inline std::string Unicode(const std::string& keymapName, std::string_view glyphs)
{
    return keymap::UnicodeBridge(ShippedKeymap(keymapName)).ExportUtf8(glyphs);
}

} // namespace fakes
