/** @file IranSystemCodePage.h
 ** The Iran System code page: the letters at its upper bytes, and the characters there that no key carries. **/
#pragma once

namespace keymap::iransystem {

/// The letter, digit or Persian punctuation mark that the code page puts at `byte` (0x80..0xFF),
/// whatever its shape; 0 for the bytes below and for those that hold no letter.
char32_t LetterAt(int byte);

/// The characters of bytes that no key of the keyboard carries: box drawing at 0xB0..0xDF and the
/// no-break space at 0xFF; 0 for every other byte.
char32_t ExtraAt(int byte);

} // namespace keymap::iransystem
