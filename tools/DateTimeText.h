/** @file DateTimeText.h
 ** The date (Solar Hijri) and the time written in Persian words, and their insertion at the caret. **/
#pragma once

#include "platform/Clock.h"

#include <string>

namespace editctl {
class PersianEdit;
}
namespace keymap {
class KeymapConverter;
}

namespace tools {

/// The keymap whose glyph codes the month, weekday and time-of-day words are written in.
inline constexpr const char* DateTimeKeymap = "main.kbd";

/// Month name of Solar Hijri month 1..12 in main.kbd glyphs (display order); empty outside.
std::string MonthName(int month);
/// Weekday name, 0 = Saturday .. 6 = Friday; empty outside.
std::string WeekdayName(int index);
/// A space and the word for morning (0..11), afternoon (12..17) or evening (18..23).
std::string DayPartWord(int hour);

/// " yyyy month dd weekday" in main.kbd glyphs: the Solar Hijri date of `time`, year padded to 4
/// places and day to 2; the weekday follows the clock's own (0 = Sunday).
std::string DateText(const platform::LocalTime& time);
/// " hh:mm" on the 12-hour clock and the word for the part of the day.
std::string TimeText(const platform::LocalTime& time);

/// Inserts main.kbd glyph text at the caret of `edit` after converting it into the document's
/// keymap: a selection is deleted first, then the undo snapshot is taken, so Undo removes only
/// the insertion. The caret stays in front of the inserted text.
void InsertConvertedText(editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                         const std::string& documentKeymap, const std::string& fieldGlyphs);

/// The Insert Date and Insert Time commands: one reading of the clock each.
void InsertDate(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const std::string& documentKeymap,
                const platform::Clock& clock);
void InsertTime(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const std::string& documentKeymap,
                const platform::Clock& clock);

} // namespace tools
