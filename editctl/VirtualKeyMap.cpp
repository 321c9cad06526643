#include "editctl/VirtualKeyMap.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace editctl {
namespace {

// Windows virtual-key codes used below.
enum Vk : int {
    VkBack = 0x08, VkTab = 0x09, VkReturn = 0x0D, VkShift = 0x10, VkControl = 0x11, VkMenu = 0x12,
    VkPause = 0x13, VkCapital = 0x14, VkEscape = 0x1B, VkSpace = 0x20, VkPrior = 0x21, VkNext = 0x22,
    VkEnd = 0x23, VkHome = 0x24, VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27, VkDown = 0x28,
    VkSnapshot = 0x2C, VkInsert = 0x2D, VkDelete = 0x2E, VkLWin = 0x5B, VkRWin = 0x5C, VkApps = 0x5D,
    VkNumpad0 = 0x60, VkMultiply = 0x6A, VkAdd = 0x6B, VkSubtract = 0x6D, VkDecimal = 0x6E,
    VkDivide = 0x6F, VkF1 = 0x70, VkNumLock = 0x90, VkScroll = 0x91, VkOem1 = 0xBA, VkOemPlus = 0xBB,
    VkOemComma = 0xBC, VkOemMinus = 0xBD, VkOemPeriod = 0xBE, VkOem2 = 0xBF, VkOem3 = 0xC0,
    VkOem4 = 0xDB, VkOem5 = 0xDC, VkOem6 = 0xDD, VkOem7 = 0xDE, VkOem102 = 0xE2,
};

// Linux evdev codes (input-event-codes.h) of the keys with a VK code, in code order.
constexpr std::pair<int, int> EvdevTable[] = {
    {1, VkEscape}, {2, '1'}, {3, '2'}, {4, '3'}, {5, '4'}, {6, '5'}, {7, '6'}, {8, '7'}, {9, '8'},
    {10, '9'}, {11, '0'}, {12, VkOemMinus}, {13, VkOemPlus}, {14, VkBack}, {15, VkTab},
    {16, 'Q'}, {17, 'W'}, {18, 'E'}, {19, 'R'}, {20, 'T'}, {21, 'Y'}, {22, 'U'}, {23, 'I'},
    {24, 'O'}, {25, 'P'}, {26, VkOem4}, {27, VkOem6}, {28, VkReturn}, {29, VkControl},
    {30, 'A'}, {31, 'S'}, {32, 'D'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {36, 'J'}, {37, 'K'},
    {38, 'L'}, {39, VkOem1}, {40, VkOem7}, {41, VkOem3}, {42, VkShift}, {43, VkOem5},
    {44, 'Z'}, {45, 'X'}, {46, 'C'}, {47, 'V'}, {48, 'B'}, {49, 'N'}, {50, 'M'},
    {51, VkOemComma}, {52, VkOemPeriod}, {53, VkOem2}, {54, VkShift}, {55, VkMultiply},
    {56, VkMenu}, {57, VkSpace}, {58, VkCapital},
    {59, VkF1}, {60, VkF1 + 1}, {61, VkF1 + 2}, {62, VkF1 + 3}, {63, VkF1 + 4}, {64, VkF1 + 5},
    {65, VkF1 + 6}, {66, VkF1 + 7}, {67, VkF1 + 8}, {68, VkF1 + 9}, {69, VkNumLock}, {70, VkScroll},
    {71, VkNumpad0 + 7}, {72, VkNumpad0 + 8}, {73, VkNumpad0 + 9}, {74, VkSubtract},
    {75, VkNumpad0 + 4}, {76, VkNumpad0 + 5}, {77, VkNumpad0 + 6}, {78, VkAdd},
    {79, VkNumpad0 + 1}, {80, VkNumpad0 + 2}, {81, VkNumpad0 + 3}, {82, VkNumpad0}, {83, VkDecimal},
    {86, VkOem102}, {87, VkF1 + 10}, {88, VkF1 + 11}, {96, VkReturn}, {97, VkControl},
    {98, VkDivide}, {99, VkSnapshot}, {100, VkMenu}, {102, VkHome}, {103, VkUp}, {104, VkPrior},
    {105, VkLeft}, {106, VkRight}, {107, VkEnd}, {108, VkDown}, {109, VkNext}, {110, VkInsert},
    {111, VkDelete}, {119, VkPause}, {125, VkLWin}, {126, VkRWin}, {127, VkApps},
};

constexpr int EvdevLimit = 128;

constexpr std::array<int, EvdevLimit> BuildEvdevLookup()
{
    std::array<int, EvdevLimit> lookup{};
    for (const auto& [code, vk] : EvdevTable)
        lookup[static_cast<size_t>(code)] = vk;
    return lookup;
}

constexpr std::array<int, EvdevLimit> EvdevLookup = BuildEvdevLookup();

// Qt keys that are not letters or digits, with the shifted symbols of a US keyboard mapped to
// the key that carries them.
constexpr std::pair<int, int> QtKeyTable[] = {
    {Qt::Key_Escape, VkEscape}, {Qt::Key_Tab, VkTab}, {Qt::Key_Backtab, VkTab},
    {Qt::Key_Backspace, VkBack}, {Qt::Key_Return, VkReturn}, {Qt::Key_Enter, VkReturn},
    {Qt::Key_Insert, VkInsert}, {Qt::Key_Delete, VkDelete}, {Qt::Key_Pause, VkPause},
    {Qt::Key_Print, VkSnapshot}, {Qt::Key_Home, VkHome}, {Qt::Key_End, VkEnd},
    {Qt::Key_Left, VkLeft}, {Qt::Key_Up, VkUp}, {Qt::Key_Right, VkRight}, {Qt::Key_Down, VkDown},
    {Qt::Key_PageUp, VkPrior}, {Qt::Key_PageDown, VkNext}, {Qt::Key_Shift, VkShift},
    {Qt::Key_Control, VkControl}, {Qt::Key_Alt, VkMenu}, {Qt::Key_CapsLock, VkCapital},
    {Qt::Key_NumLock, VkNumLock}, {Qt::Key_ScrollLock, VkScroll}, {Qt::Key_Menu, VkApps},
    {Qt::Key_Space, VkSpace},
    {Qt::Key_Semicolon, VkOem1}, {Qt::Key_Colon, VkOem1}, {Qt::Key_Equal, VkOemPlus},
    {Qt::Key_Plus, VkOemPlus}, {Qt::Key_Comma, VkOemComma}, {Qt::Key_Less, VkOemComma},
    {Qt::Key_Minus, VkOemMinus}, {Qt::Key_Underscore, VkOemMinus}, {Qt::Key_Period, VkOemPeriod},
    {Qt::Key_Greater, VkOemPeriod}, {Qt::Key_Slash, VkOem2}, {Qt::Key_Question, VkOem2},
    {Qt::Key_QuoteLeft, VkOem3}, {Qt::Key_AsciiTilde, VkOem3}, {Qt::Key_BracketLeft, VkOem4},
    {Qt::Key_BraceLeft, VkOem4}, {Qt::Key_Backslash, VkOem5}, {Qt::Key_Bar, VkOem5},
    {Qt::Key_BracketRight, VkOem6}, {Qt::Key_BraceRight, VkOem6}, {Qt::Key_Apostrophe, VkOem7},
    {Qt::Key_QuoteDbl, VkOem7},
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

// Keys whose keypad twin has its own VK code.
int KeypadVirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VkNumpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Plus: return VkAdd;
    case Qt::Key_Minus: return VkSubtract;
    case Qt::Key_Asterisk: return VkMultiply;
    case Qt::Key_Slash: return VkDivide;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VkDecimal;
    default: return 0;
    }
}

bool IsNumpadDigitOrDecimal(int vk)
{
    return (vk >= VkNumpad0 && vk <= VkNumpad0 + 9) || vk == VkDecimal;
}

} // namespace

int VirtualKeyMap::FromEvdev(int evdevCode)
{
    if (evdevCode < 0 || evdevCode >= EvdevLimit)
        return 0;
    return EvdevLookup[static_cast<size_t>(evdevCode)];
}

int VirtualKeyMap::FromQtKey(int qtKey, bool keypad)
{
    if (keypad) {
        if (const int vk = KeypadVirtualKey(qtKey))
            return vk;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VkF1 + (qtKey - Qt::Key_F1);
    for (const auto& [key, vk] : QtKeyTable) {
        if (key == qtKey)
            return vk;
    }
    return 0;
}

int VirtualKeyMap::FromEvent(const QKeyEvent& event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
#ifdef Q_OS_WIN
    if (const int vk = static_cast<int>(event.nativeVirtualKey()))
        return vk;
#else
    if (const int vk = FromEvdev(static_cast<int>(event.nativeScanCode()) - 8)) {
        // With Num Lock off the keypad's digit keys are navigation keys, as on Windows.
        if (IsNumpadDigitOrDecimal(vk) && event.key() != 0 && !KeypadVirtualKey(event.key())) {
            if (const int navigation = FromQtKey(event.key(), false))
                return navigation;
        }
        return vk;
    }
#endif
    return FromQtKey(event.key(), keypad);
}

} // namespace editctl
