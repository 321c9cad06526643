#include "editctl/VirtualKeyMap.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace editctl {
namespace {

// A key press as the xcb platform delivers it: native scan code = evdev code + 8.
QKeyEvent X11Press(int evdevCode, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    return QKeyEvent(QEvent::KeyPress, qtKey, modifiers, static_cast<quint32>(evdevCode + 8), 0, 0, text);
}

struct PhysicalKeyCase {
    const char* what;
    int evdev;
    int vk;
};

TEST(VirtualKeyMapTest, PhysicalKeysGiveTheirUsKeyboardCodes)
{
    const PhysicalKeyCase cases[] = {
        {"A", 30, 0x41}, {"Q", 16, 0x51}, {"Z", 44, 0x5A}, {"M", 50, 0x4D}, {"H", 35, 0x48},
        {"G", 34, 0x47}, {"1", 2, 0x31}, {"9", 10, 0x39}, {"0", 11, 0x30},
        {"semicolon", 39, 0xBA}, {"equal", 13, 0xBB}, {"comma", 51, 0xBC}, {"minus", 12, 0xBD},
        {"period", 52, 0xBE}, {"slash", 53, 0xBF}, {"grave", 41, 0xC0}, {"left bracket", 26, 0xDB},
        {"backslash", 43, 0xDC}, {"right bracket", 27, 0xDD}, {"apostrophe", 40, 0xDE},
        {"keypad 0", 82, 0x60}, {"keypad 1", 79, 0x61}, {"keypad 5", 76, 0x65}, {"keypad 9", 73, 0x69},
        {"keypad plus", 78, 0x6B}, {"keypad minus", 74, 0x6D}, {"keypad enter", 96, 0x0D},
        {"F1", 59, 0x70}, {"F3", 61, 0x72}, {"F10", 68, 0x79}, {"F11", 87, 0x7A}, {"F12", 88, 0x7B},
        {"Esc", 1, 0x1B}, {"Backspace", 14, 0x08}, {"Tab", 15, 0x09}, {"Enter", 28, 0x0D},
        {"Space", 57, 0x20}, {"Home", 102, 0x24}, {"End", 107, 0x23}, {"Page Up", 104, 0x21},
        {"Page Down", 109, 0x22}, {"Left", 105, 0x25}, {"Up", 103, 0x26}, {"Right", 106, 0x27},
        {"Down", 108, 0x28}, {"Insert", 110, 0x2D}, {"Delete", 111, 0x2E},
        {"left Shift", 42, 0x10}, {"right Control", 97, 0x11},
        {"unknown code", 85, 0}, {"negative code", -8, 0}, {"code past the table", 400, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyMap::FromEvdev(c.evdev), c.vk) << c.what;
}

TEST(VirtualKeyMapTest, EventsAreReadByPhysicalKeyWhateverTheLayout)
{
    struct EventCase {
        const char* what;
        int evdev;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int vk;
    };
    // A Persian layout reports Arabic letters as keys; the physical key decides.
    const EventCase cases[] = {
        {"A key under a Persian layout", 30, 0x0634, Qt::NoModifier, 0x41},
        {"H key under a Persian layout", 35, 0x0627, Qt::NoModifier, 0x48},
        {"shifted 1 gives the digit key", 2, Qt::Key_Exclam, Qt::ShiftModifier, 0x31},
        {"period with Shift is still the period key", 52, Qt::Key_Greater, Qt::ShiftModifier, 0xBE},
        {"AZERTY A key is the US Q key", 16, Qt::Key_A, Qt::NoModifier, 0x51},
        {"keypad 1 with Num Lock", 79, Qt::Key_1, Qt::KeypadModifier, 0x61},
        {"keypad 1 without Num Lock is End", 79, Qt::Key_End, Qt::KeypadModifier, 0x23},
        {"keypad 7 without Num Lock is Home", 71, Qt::Key_Home, Qt::KeypadModifier, 0x24},
        {"keypad period without Num Lock is Delete", 83, Qt::Key_Delete, Qt::KeypadModifier, 0x2E},
        {"keypad period with Num Lock", 83, Qt::Key_Period, Qt::KeypadModifier, 0x6E},
        {"keypad plus", 78, Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
        {"Control+C", 46, Qt::Key_C, Qt::ControlModifier, 0x43},
    };
    for (const auto& c : cases) {
        const QKeyEvent event = X11Press(c.evdev, c.qtKey, c.modifiers);
        EXPECT_EQ(VirtualKeyMap::FromEvent(event), c.vk) << c.what;
    }
}

TEST(VirtualKeyMapTest, EventsWithoutNativeCodesFallBackOnTheQtKey)
{
    struct QtKeyCase {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int vk;
    };
    const QtKeyCase cases[] = {
        {"letter", Qt::Key_K, Qt::NoModifier, 0x4B},
        {"digit", Qt::Key_7, Qt::NoModifier, 0x37},
        {"keypad digit", Qt::Key_7, Qt::KeypadModifier, 0x67},
        {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, 0x6D},
        {"main minus", Qt::Key_Minus, Qt::NoModifier, 0xBD},
        {"shifted symbol on a digit key", Qt::Key_ParenLeft, Qt::ShiftModifier, 0x39},
        {"shifted OEM symbol", Qt::Key_Question, Qt::ShiftModifier, 0xBF},
        {"F12", Qt::Key_F12, Qt::NoModifier, 0x7B},
        {"Left", Qt::Key_Left, Qt::NoModifier, 0x25},
        {"Backtab is the Tab key", Qt::Key_Backtab, Qt::ShiftModifier, 0x09},
        {"key without a code", Qt::Key_VolumeUp, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers);
        EXPECT_EQ(VirtualKeyMap::FromEvent(event), c.vk) << c.what;
    }
}

} // namespace
} // namespace editctl
