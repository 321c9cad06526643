/** @file ToolsFixture.h
 ** A main edit control holding a document in kolb.kbd, the shared converter and fake services,
 ** with the shipped keymaps in a temporary program folder; fixtures are written in Persian. **/
#pragma once

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

struct ToolsFixture : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    keymap::KeyMap documentMap;
    editctl::PersianEdit edit{editctl::WindowStyle::MultiLine};
    keymap::KeymapConverter converter;

    explicit ToolsFixture(const std::string& documentKeymap = "kolb.kbd")
    {
        for (const char* name : {"main.kbd", "kolb.kbd", "ziba2.kbd"})
            folder.InstallKeymap(name);
        documentMap.Load(documentKeymap);
        edit.SetKeyMap(&documentMap);
        edit.Resize(4000, 600);
    }

    /// Sets the document to these Persian lines (CR LF between them), caret at 0.
    void Document(std::initializer_list<const char*> lines)
    {
        std::string text;
        for (const char* line : lines) {
            if (!text.empty())
                text += "\r\n";
            text += fakes::Glyphs(documentMap.FileName(), line);
        }
        edit.Window().SetText(text);
        edit.Window().SetSel(0, 0);
    }
    /// What the user types in a dialog field (main.kbd glyphs) for a Persian literal.
    static std::string Typed(const char* utf8) { return fakes::Glyphs("main.kbd", utf8); }
    /// The document in Unicode, one string per line.
    std::string Reading() const { return fakes::Unicode(documentMap.FileName(), edit.Window().GetText()); }
    std::string Selected() const
    {
        int start = 0, end = 0;
        edit.Window().GetSel(start, end);
        return fakes::Unicode(documentMap.FileName(), edit.Window().TextRange(start, end));
    }
    std::pair<int, int> Selection() const
    {
        int start = 0, end = 0;
        edit.Window().GetSel(start, end);
        return {start, end};
    }
    /// Start of text line `n` (0-based) of the document.
    int LineStart(int n) const
    {
        const std::string text = edit.Window().GetText();
        size_t at = 0;
        for (int i = 0; i < n; ++i)
            at = text.find("\r\n", at) + 2;
        return static_cast<int>(at);
    }
};
