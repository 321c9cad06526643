/** @file ArabicScript.h
 ** Facts about Persian and Arabic characters the Unicode bridge needs: joining types, shapes'
 ** presentation forms, digits, UTF-8. **/
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace keymap::script {

constexpr char32_t Zwnj = 0x200C;
constexpr char32_t Zwj = 0x200D;
constexpr char32_t Kashida = 0x0640;
constexpr char32_t Lam = 0x0644;
constexpr char32_t Alef = 0x0627;
constexpr char32_t AlefMadda = 0x0622;
constexpr char32_t Replacement = 0xFFFD;
constexpr char32_t ByteOrderMark = 0xFEFF;

/// Unicode joining types: U never joins, D joins both sides, R joins only the letter before it,
/// C (kashida, ZWJ) causes joining on both sides, T (marks) is skipped when looking for neighbours.
enum class Joining : unsigned char { U, D, R, C, T };

Joining JoiningOf(char32_t c);

/// The presentation form of a letter in a shape (0 isolated, 1 final, 2 medial, 3 initial); shapes
/// the letter lacks fall back to the nearest it has; 0 for a character without presentation forms.
char32_t PresentationForm(char32_t letter, int shape);
/// Lam-alef ligature: isolated (shape 0) or final (shape 1).
char32_t LamAlefForm(int shape);

/// The letters an Arabic presentation form stands for (one, or two for a lam-alef ligature),
/// written to `letters`; 0 for any other character.
int LettersOfPresentationForm(char32_t c, char32_t letters[2]);

/// ۰..۹ for 0..9.
inline char32_t PersianDigit(int d) { return 0x06F0 + static_cast<char32_t>(d); }
/// 0..9 for ASCII, Persian and Arabic-Indic digits, -1 for anything else.
int DigitValue(char32_t c);
bool IsAsciiLetter(char32_t c);

void AppendUtf8(std::string& out, char32_t c);
/// Decodes one character at `pos`, advancing it; an invalid sequence gives Replacement and advances
/// one byte.
char32_t DecodeUtf8(std::string_view s, size_t& pos);

} // namespace keymap::script
