/** @file EditFixture.h
 ** A multi-line PersianEdit with the test keymap, fixed metrics (10 pixels a glyph, font height 20)
 ** and a window 400 pixels wide, with fake services and clipboard. **/
#pragma once

#include "editctl/PersianEdit.h"
#include "tests/editctl/TestKeymap.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>

struct EditFixture : ::testing::Test {
    fakes::FakeServices services;
    keymap::KeyMap map = testkeys::MainKeyMap();
    editctl::FixedGlyphMetrics metrics{10, 20};
    editctl::MemoryClipboard clipboard;
    editctl::PersianEdit edit{editctl::WindowStyle::MultiLine};

    EditFixture()
    {
        edit.SetKeyMap(&map);
        edit.SetMetrics(&metrics);
        edit.SetEditFont("nasim web homa", 20);
        edit.Resize(400, 300);
        edit.Window().SetClipboard(&clipboard);
        editctl::PersianEdit::digitRun = 0;
    }

    std::string Text() const { return edit.Window().GetText(); }
    std::string Reading() const { return testkeys::Reading(Text()); }
    int Caret() const { return edit.Window().Caret(); }
    void Type(const std::string& utf8) { testkeys::Type(edit, utf8); }
    void Press(int key, bool shift = false, bool control = false) { testkeys::Press(edit, key, shift, control); }
    void SetText(const std::string& glyphs, int caret)
    {
        edit.Window().SetText(glyphs);
        edit.Window().SetSel(caret, caret);
    }
};

/// Glyph bytes from a list of codes, for readable expectations.
inline std::string G(std::initializer_list<int> codes)
{
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}
