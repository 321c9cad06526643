#include "keymap/PersianKeyboard.h"

namespace keymap {
namespace {

struct KeyRow {
    int keyCode;
    KeyMeaning meaning;
};

KeyMeaning Letter(char32_t c, char32_t shift = 0) { return KeyMeaning{c, false, 0, shift, 0}; }
KeyMeaning Symbol(char32_t key, char32_t shift) { return KeyMeaning{0, false, key, shift, 0}; }

// The keyboard picture's Persian letters; Shift symbols of the digit and symbol keys as on a US
// keyboard; the Shift symbols of letter keys hold the Persian punctuation.
const KeyRow Keys[] = {
    {0xC0, Letter(0x067E)},
    {0x31, Symbol(0x06F1, '!')}, {0x32, Symbol(0x06F2, '@')}, {0x33, Symbol(0x06F3, '#')},
    {0x34, Symbol(0x06F4, '$')}, {0x35, Symbol(0x06F5, '%')}, {0x36, Symbol(0x06F6, '^')},
    {0x37, Symbol(0x06F7, '&')}, {0x38, Symbol(0x06F8, '*')}, {0x39, Symbol(0x06F9, '(')},
    {0x30, Symbol(0x06F0, ')')}, {vk::OemMinus, Symbol(0x0640, '_')}, {0xBB, Symbol('=', '+')},
    {0x51, Letter(0x0636)}, {0x57, Letter(0x0635)}, {0x45, Letter(0x062B)}, {0x52, Letter(0x0642)},
    {0x54, Letter(0x0641)}, {0x59, Letter(0x063A)}, {0x55, Letter(0x0639)}, {0x49, Letter(0x0647)},
    {0x4F, Letter(0x062E)}, {0x50, Letter(0x062D)}, {0xDB, Letter(0x062C, 0x00AB)}, {0xDD, Letter(0x0686, 0x00BB)},
    {0x41, Letter(0x0634)}, {0x53, Letter(0x0633)}, {0x44, Letter(0x06CC)}, {0x46, Letter(0x0628)},
    {0x47, Letter(0x0644)}, {vk::H, KeyMeaning{0x0627, false, 0, 0, 0x0622}}, {0x4A, Letter(0x062A)},
    {0x4B, Letter(0x0646)}, {0x4C, Letter(0x0645)}, {0xBA, Letter(0x06A9, 0x061B)}, {0xDE, Letter(0x06AF, ':')},
    {0x5A, Letter(0x0638)}, {0x58, Letter(0x0637)}, {0x43, Letter(0x0632)}, {0x56, Letter(0x0631)},
    {0x42, Letter(0x0630)}, {0x4E, Letter(0x062F)}, {0x4D, Letter(0x0626, 0x0621)}, {0xBC, Letter(0x0648, 0x060C)},
    {vk::OemPeriod, KeyMeaning{0x0644, true, 0, '.', 0}}, {0xBF, Symbol(0x061F, '?')}, {0xDC, Letter(0x0698, '/')},
};

} // namespace

KeyMeaning PersianKeyMeaning(int keyCode)
{
    for (const KeyRow& row : Keys)
        if (row.keyCode == keyCode)
            return row.meaning;
    return KeyMeaning{};
}

} // namespace keymap
