#include "editctl/VirtualKeyMap.h"

#include "editctl/KeyEvent.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace editctl {
namespace {


// Linux evdev codes (input-event-codes.h) of the keys with a VK code, in code order.
constexpr std::pair<int, int> EvdevTable[] = {
    {1, vk::Escape}, {2, '1'}, {3, '2'}, {4, '3'}, {5, '4'}, {6, '5'}, {7, '6'}, {8, '7'}, {9, '8'},
    {10, '9'}, {11, '0'}, {12, vk::OemMinus}, {13, vk::OemPlus}, {14, vk::Backspace}, {15, vk::Tab},
    {16, 'Q'}, {17, 'W'}, {18, 'E'}, {19, 'R'}, {20, 'T'}, {21, 'Y'}, {22, 'U'}, {23, 'I'},
    {24, 'O'}, {25, 'P'}, {26, vk::OemOpenBracket}, {27, vk::OemCloseBracket}, {28, vk::Enter}, {29, vk::Control},
    {30, 'A'}, {31, 'S'}, {32, 'D'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {36, 'J'}, {37, 'K'},
    {38, 'L'}, {39, vk::OemSemicolon}, {40, vk::OemQuote}, {41, vk::OemTilde}, {42, vk::Shift}, {43, vk::OemBackslash},
    {44, 'Z'}, {45, 'X'}, {46, 'C'}, {47, 'V'}, {48, 'B'}, {49, 'N'}, {50, 'M'},
    {51, vk::OemComma}, {52, vk::OemPeriod}, {53, vk::OemSlash}, {54, vk::Shift}, {55, vk::Multiply},
    {56, vk::Menu}, {57, vk::Space}, {58, vk::CapsLock},
    {59, vk::F1}, {60, vk::F1 + 1}, {61, vk::F1 + 2}, {62, vk::F1 + 3}, {63, vk::F1 + 4}, {64, vk::F1 + 5},
    {65, vk::F1 + 6}, {66, vk::F1 + 7}, {67, vk::F1 + 8}, {68, vk::F1 + 9}, {69, vk::NumLock}, {70, vk::ScrollLock},
    {71, vk::Numpad0 + 7}, {72, vk::Numpad0 + 8}, {73, vk::Numpad0 + 9}, {74, vk::Subtract},
    {75, vk::Numpad0 + 4}, {76, vk::Numpad0 + 5}, {77, vk::Numpad0 + 6}, {78, vk::Add},
    {79, vk::Numpad0 + 1}, {80, vk::Numpad0 + 2}, {81, vk::Numpad0 + 3}, {82, vk::Numpad0}, {83, vk::Decimal},
    {86, vk::Oem102}, {87, vk::F1 + 10}, {88, vk::F1 + 11}, {96, vk::Enter}, {97, vk::Control},
    {98, vk::Divide}, {99, vk::PrintScreen}, {100, vk::Menu}, {102, vk::Home}, {103, vk::Up}, {104, vk::PageUp},
    {105, vk::Left}, {106, vk::Right}, {107, vk::End}, {108, vk::Down}, {109, vk::PageDown}, {110, vk::Insert},
    {111, vk::Delete}, {119, vk::Pause}, {125, vk::LeftWindows}, {126, vk::RightWindows}, {127, vk::Apps},
};

constexpr int EvdevLimit = 128;

constexpr std::array<int, EvdevLimit> BuildEvdevLookup()
{
    std::array<int, EvdevLimit> lookup{};
    for (const auto& [code, virtualKey] : EvdevTable)
        lookup[static_cast<size_t>(code)] = virtualKey;
    return lookup;
}

constexpr std::array<int, EvdevLimit> EvdevLookup = BuildEvdevLookup();

// Qt keys that are not letters or digits, with the shifted symbols of a US keyboard mapped to
// the key that carries them.
constexpr std::pair<int, int> QtKeyTable[] = {
    {Qt::Key_Escape, vk::Escape}, {Qt::Key_Tab, vk::Tab}, {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Backspace, vk::Backspace}, {Qt::Key_Return, vk::Enter}, {Qt::Key_Enter, vk::Enter},
    {Qt::Key_Insert, vk::Insert}, {Qt::Key_Delete, vk::Delete}, {Qt::Key_Pause, vk::Pause},
    {Qt::Key_Print, vk::PrintScreen}, {Qt::Key_Home, vk::Home}, {Qt::Key_End, vk::End},
    {Qt::Key_Left, vk::Left}, {Qt::Key_Up, vk::Up}, {Qt::Key_Right, vk::Right}, {Qt::Key_Down, vk::Down},
    {Qt::Key_PageUp, vk::PageUp}, {Qt::Key_PageDown, vk::PageDown}, {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control}, {Qt::Key_Alt, vk::Menu}, {Qt::Key_CapsLock, vk::CapsLock},
    {Qt::Key_NumLock, vk::NumLock}, {Qt::Key_ScrollLock, vk::ScrollLock}, {Qt::Key_Menu, vk::Apps},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_Semicolon, vk::OemSemicolon}, {Qt::Key_Colon, vk::OemSemicolon}, {Qt::Key_Equal, vk::OemPlus},
    {Qt::Key_Plus, vk::OemPlus}, {Qt::Key_Comma, vk::OemComma}, {Qt::Key_Less, vk::OemComma},
    {Qt::Key_Minus, vk::OemMinus}, {Qt::Key_Underscore, vk::OemMinus}, {Qt::Key_Period, vk::OemPeriod},
    {Qt::Key_Greater, vk::OemPeriod}, {Qt::Key_Slash, vk::OemSlash}, {Qt::Key_Question, vk::OemSlash},
    {Qt::Key_QuoteLeft, vk::OemTilde}, {Qt::Key_AsciiTilde, vk::OemTilde}, {Qt::Key_BracketLeft, vk::OemOpenBracket},
    {Qt::Key_BraceLeft, vk::OemOpenBracket}, {Qt::Key_Backslash, vk::OemBackslash}, {Qt::Key_Bar, vk::OemBackslash},
    {Qt::Key_BracketRight, vk::OemCloseBracket}, {Qt::Key_BraceRight, vk::OemCloseBracket}, {Qt::Key_Apostrophe, vk::OemQuote},
    {Qt::Key_QuoteDbl, vk::OemQuote},
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

// Keys whose keypad twin has its own VK code.
int KeypadVirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return vk::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Plus: return vk::Add;
    case Qt::Key_Minus: return vk::Subtract;
    case Qt::Key_Asterisk: return vk::Multiply;
    case Qt::Key_Slash: return vk::Divide;
    case Qt::Key_Period:
    case Qt::Key_Comma: return vk::Decimal;
    default: return 0;
    }
}

bool IsNumpadDigitOrDecimal(int virtualKey)
{
    return (virtualKey >= vk::Numpad0 && virtualKey <= vk::Numpad0 + 9) || virtualKey == vk::Decimal;
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
        if (const int virtualKey = KeypadVirtualKey(qtKey))
            return virtualKey;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    for (const auto& [key, virtualKey] : QtKeyTable) {
        if (key == qtKey)
            return virtualKey;
    }
    return 0;
}

int VirtualKeyMap::FromEvent(const QKeyEvent& event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
#ifdef Q_OS_WIN
    if (const int virtualKey = static_cast<int>(event.nativeVirtualKey()))
        return virtualKey;
#else
    if (const int virtualKey = FromEvdev(static_cast<int>(event.nativeScanCode()) - 8)) {
        // With Num Lock off the keypad's digit keys are navigation keys, as on Windows.
        if (IsNumpadDigitOrDecimal(virtualKey) && event.key() != 0 && !KeypadVirtualKey(event.key())) {
            if (const int navigation = FromQtKey(event.key(), false))
                return navigation;
        }
        return virtualKey;
    }
#endif
    return FromQtKey(event.key(), keypad);
}

} // namespace editctl
