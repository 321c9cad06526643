// Hundreds of thousands of random keys into controls of several widths and both DOS modes; after
// every key the control's invariants must hold. KELMORA_RANDOM_KEYS sets the keys per control.
#include "tests/editctl/EditFixture.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using editctl::KeyEvent;
using editctl::PersianEdit;
namespace vk = editctl::vk;

struct Config {
    int width;
    bool dosMode;
    bool multiLine;
};

/// A key drawn from the keys a user presses, weighted towards typing.
KeyEvent RandomKey(std::mt19937& random)
{
    static const int letters[] = {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 'Q', 'W', 'E', 'R', 'T', 'Y', 'U',
                                  'I', 'O', 'P', 'Z', 'X', 'C', 'V', 'B', 'N', 'M', vk::OemComma, vk::OemPeriod,
                                  vk::OemSemicolon, vk::OemQuote, vk::OemMinus, vk::OemSlash};
    static const int others[] = {vk::Space, vk::Space, vk::Space, vk::Enter, vk::Backspace, vk::Delete,
                                 vk::Left, vk::Right, vk::Up, vk::Down, vk::Home, vk::End, vk::Tab,
                                 vk::PageUp, vk::PageDown, vk::Numpad0 + 3, vk::Add, vk::Insert};
    std::uniform_int_distribution<int> pick(0, 99);
    const int roll = pick(random);
    KeyEvent key;
    key.shift = pick(random) < 15;
    key.control = pick(random) < 10;
    if (roll < 45) {
        key.virtualKey = letters[pick(random) % std::size(letters)];
        key.control = false;
    } else if (roll < 55) {
        key.virtualKey = '0' + pick(random) % 10;
        key.control = false;
    } else if (roll < 95) {
        key.virtualKey = others[pick(random) % std::size(others)];
    } else {
        static const int commands[] = {'L', 'Z', 'P', 'V', 'X', 'C', 'A', 'Y'};
        key.virtualKey = commands[pick(random) % std::size(commands)];
        key.control = true;
        key.shift = false;
    }
    return key;
}

/// A document of random glyphs of the keymap, spaces and line breaks, to edit in.
std::string RandomDocument(std::mt19937& random, int length)
{
    static const unsigned char glyphs[] = {0x8C, 0x8D, 0x8E, 0x90, 0x91, 0x98, 0xBB, 0xBA, 0xEC, 0xED, 0xE8,
                                           0xE9, 0xF1, 0xF0, 0xEE, '1', '2', 'a', 'b', 0xAE, 0xAF};
    std::string text;
    while (static_cast<int>(text.size()) < length) {
        const int roll = static_cast<int>(random() % 100);
        if (roll < 15)
            text += ' ';
        else if (roll < 18)
            text += "\r\n";
        else
            text += static_cast<char>(glyphs[random() % std::size(glyphs)]);
    }
    return text;
}

struct Snapshot {
    std::string text;
    int selStart, selEnd, horizontal, vertical;
};

void CheckInvariants(const PersianEdit& edit, const KeyEvent& key, int step)
{
    const editctl::EditWindow& w = edit.Window();
    const int length = w.GetTextLength();
    ASSERT_GE(w.Anchor(), 0) << step;
    ASSERT_LE(w.Anchor(), length) << step;
    ASSERT_GE(w.Caret(), 0) << step;
    ASSERT_LE(w.Caret(), length) << step;
    for (int index : {w.Anchor(), w.Caret()}) {
        ASSERT_FALSE(index > 0 && index < length && w.CharAt(index - 1) == '\r' && w.CharAt(index) == '\n')
            << "selection splits a line break at step " << step << " key " << key.virtualKey;
    }
    ASSERT_EQ(w.LineStartsNow(), w.FreshWrap()) << "display lines differ from a fresh wrap at step " << step
                                                 << " key " << key.virtualKey;
}

void Drive(const Config& config, unsigned seed, int keys)
{
    fakes::FakeServices services;
    keymap::KeyMap map = testkeys::MainKeyMap(seed % 2 == 0);
    editctl::FixedGlyphMetrics metrics{9, 18};
    metrics.SetAdvance(' ', 5);
    metrics.SetAdvance(0x8C, 4);
    editctl::MemoryClipboard clipboard;
    PersianEdit edit{config.multiLine ? editctl::WindowStyle::MultiLine : editctl::WindowStyle::SingleLine};
    edit.dosMode = config.dosMode;
    edit.maxChars = 30;
    edit.SetKeyMap(&map);
    edit.SetMetrics(&metrics);
    edit.SetEditFont("nasim web homa", 18);
    edit.Resize(config.width, 200);
    edit.Window().SetClipboard(&clipboard);
    PersianEdit::digitRun = 0;
    std::mt19937 random(seed);
    edit.Window().SetText(RandomDocument(random, 1200));
    long long totalLength = 0;
    int maxLines = 0;
    for (int step = 0; step < keys; ++step) {
        totalLength += edit.Window().GetTextLength();
        maxLines = std::max(maxLines, edit.Window().GetLineCount());
        const KeyEvent key = RandomKey(random);
        edit.DeliverKey(key);
        CheckInvariants(edit, key, step);
        if (::testing::Test::HasFatalFailure())
            return;
        // Now and then: the snapshot must be exactly what undo brings back.
        if (step % 97 == 0 && edit.CanUndo()) {
            const Snapshot expected{edit.UndoText(), edit.undoSelStart, edit.undoSelEnd, edit.undoHorizontalCount,
                                    edit.undoVerticalCount};
            edit.Undo();
            int s = 0, e = 0;
            edit.Window().GetSel(s, e);
            ASSERT_EQ(edit.Window().GetText(), expected.text) << "undo at step " << step;
            ASSERT_EQ(s, std::min(expected.selStart, edit.Window().GetTextLength())) << step;
            ASSERT_EQ(edit.horizontalCount, expected.horizontal) << step;
            ASSERT_EQ(edit.verticalCount, expected.vertical) << step;
            CheckInvariants(edit, key, step);
        }
        // Keep the document between a few hundred and a few thousand bytes.
        if (edit.Window().GetTextLength() > 3000)
            edit.Window().SetText(edit.Window().TextRange(0, 500));
        else if (edit.Window().GetTextLength() < 200)
            edit.Window().SetText(RandomDocument(random, 1200));
    }
    std::printf("width %d, DOS mode %d: %d keys, mean text length %lld, most display lines %d\n", config.width,
                config.dosMode, keys, totalLength / keys, maxLines);
}

TEST(RandomKeys, InvariantsHoldAfterEveryKey)
{
    const char* env = std::getenv("KELMORA_RANDOM_KEYS");
    const int keys = env ? std::max(1, std::atoi(env)) : 40000;
    const std::vector<Config> configs = {
        {400, false, true}, {400, true, true}, {150, false, true}, {900, true, true}, {60, false, true},
        {300, false, false},
    };
    unsigned seed = 1;
    for (const Config& c : configs) {
        SCOPED_TRACE(::testing::Message() << "width " << c.width << " dos " << c.dosMode << " multi " << c.multiLine);
        Drive(c, seed++, keys);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
