#include "editctl/KeyEvent.h"

namespace editctl {

namespace {

struct OemKey {
    int key;
    char plain;
    char shifted;
};

constexpr OemKey oemKeys[] = {
    {vk::OemSemicolon, ';', ':'}, {vk::OemPlus, '=', '+'},     {vk::OemComma, ',', '<'},
    {vk::OemMinus, '-', '_'},     {vk::OemPeriod, '.', '>'},   {vk::OemSlash, '/', '?'},
    {vk::OemTilde, '`', '~'},     {vk::OemOpenBracket, '[', '{'}, {vk::OemBackslash, '\\', '|'},
    {vk::OemCloseBracket, ']', '}'}, {vk::OemQuote, '\'', '"'},
};

} // namespace

char UsKeyboardChar(int virtualKey, bool shift)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<char>(shift ? virtualKey : virtualKey - 'A' + 'a');
    if (virtualKey >= '0' && virtualKey <= '9')
        return shift ? ")!@#$%^&*("[virtualKey - '0'] : static_cast<char>(virtualKey);
    if (virtualKey >= vk::Numpad0 && virtualKey <= vk::Numpad0 + 9)
        return static_cast<char>('0' + virtualKey - vk::Numpad0);
    switch (virtualKey) {
    case vk::Space: return ' ';
    case vk::Multiply: return '*';
    case vk::Add: return '+';
    case vk::Subtract: return '-';
    case vk::Decimal: return '.';
    case vk::Divide: return '/';
    default: break;
    }
    for (const OemKey& k : oemKeys) {
        if (k.key == virtualKey)
            return shift ? k.shifted : k.plain;
    }
    return 0;
}

} // namespace editctl
