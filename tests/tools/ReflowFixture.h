/** @file ReflowFixture.h
 ** A main-window-like edit control for the re-flow tools: main.kbd bound, fixed glyph widths for
 ** what is shown, fake services, and Persian helpers. **/
#pragma once

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "tests/fakes/ScriptedRandom.h"
#include "tests/fakes/ShippedKeymaps.h"
#include "tests/fakes/TestEnvironment.h"
#include "tools/ResembleSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

/// Glyph metrics that remember every font they were set to.
class RecordingMetrics : public editctl::FixedGlyphMetrics {
public:
    using FixedGlyphMetrics::FixedGlyphMetrics;
    void SetFont(const std::string& face, int height) override
    {
        fonts.push_back({face, height});
        FixedGlyphMetrics::SetFont(face, height);
    }
    struct Font {
        std::string face;
        int height;
        friend bool operator==(const Font&, const Font&) = default;
    };
    std::vector<Font> fonts;
};

struct ReflowFixture : ::testing::Test {
    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    keymap::KeyMap map = fakes::ShippedKeymap("main.kbd");
    RecordingMetrics shown{10, 24}; // what the user sees: 10 pixels a glyph
    editctl::PersianEdit edit{editctl::WindowStyle::MultiLine};
    keymap::KeymapConverter converter;
    tools::ResembleSettings settings = DefaultSettings();

    ReflowFixture()
    {
        folder.InstallKeymap("main.kbd");
        edit.SetKeyMap(&map);
        edit.SetMetrics(&shown);
        edit.SetEditFont("nasim web homa", 24);
        edit.Resize(500, 400);
        shown.fonts.clear();
    }

    /// What the program reads from an empty settings store for the re-flow tools.
    static tools::ResembleSettings DefaultSettings()
    {
        tools::ResembleSettings s;
        s.tab = 3;
        s.maxChars = 79;
        s.left = 3;
        s.right = 3;
        s.ignoranceWidthPercent = 10;
        s.justifyIgnoranceWidthPercent = 50;
        return s;
    }

    /// Shows the text with glyph widths changed in `shown`.
    void WidthsChanged() { edit.Window().SetMetrics(&shown); }

    static std::string G(std::string_view utf8) { return fakes::Glyphs("main.kbd", utf8); }
    static std::string U(std::string_view glyphs) { return fakes::Unicode("main.kbd", glyphs); }

    /// Persian lines (Unicode, reading order) as the control's text, CR LF between them.
    void SetLines(const std::vector<std::string>& lines)
    {
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i)
            text += (i ? "\r\n" : "") + G(lines[i]);
        edit.Window().SetText(text);
    }

    /// The output split at CR LF; the last CR LF ends the last line.
    static std::vector<std::string> Lines(const std::string& output)
    {
        std::vector<std::string> lines;
        size_t from = 0;
        for (size_t at; (at = output.find("\r\n", from)) != std::string::npos; from = at + 2)
            lines.push_back(output.substr(from, at - from));
        EXPECT_EQ(from, output.size()) << "output must end with CR LF";
        return lines;
    }

    /// Spaces at the end of a glyph line: its right margin and indentation on screen.
    static int TrailingSpaces(const std::string& line)
    {
        const size_t last = line.find_last_not_of(' ');
        return static_cast<int>(last == std::string::npos ? line.size() : line.size() - 1 - last);
    }

    /// A glyph line without its margin, read back as Persian.
    static std::string Words(const std::string& line)
    {
        const size_t last = line.find_last_not_of(' ');
        const size_t first = line.find_first_not_of(' ');
        return last == std::string::npos ? std::string() : U(line.substr(first, last - first + 1));
    }
};
