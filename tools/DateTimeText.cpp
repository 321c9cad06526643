#include "tools/DateTimeText.h"

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "tools/SolarHijriDate.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace tools {

namespace {

// Words in main.kbd glyph codes, last letter first as lines are held.
constexpr std::array<std::string_view, 12> Months = {
    "\xf3\xff\xae\xb2\xf6\xb3\xdb",
    "\x97\xbe\xfa\x90\xff\xae\xb2\x8c",
    "\xae\x8c\xae\xb3\x86",
    "\xb3\xfe\x99",
    "\xae\x8c\xae\xb3\xf1",
    "\xb2\xf7\xff\xb3\xfa\xbf",
    "\xb3\xfa\xf1",
    "\xf2\x8d\x91\x85",
    "\xb2\xb0\x85",
    "\xfc\xae",
    "\xf3\xf0\xfa\x91",
    "\xaf\xf4\xda\xbb\x8c",
};

constexpr std::array<std::string_view, 7> Weekdays = {
    "\xf9\x90\xf4\xbf",
    "\xf9\x90\xf4\xbe\xe2\xff",
    "\xf9\x90\xf4\xbf\xf6\xae",
    "\xf9\x90\xf4\xbf\xf9\xbb",
    "\xf9\x90\xf4\xbf\xb2\x8d\xfa\xa5",
    "\xf9\x90\xf4\xbf\x9f\xf4\x95",
    "\xf9\xd2\xf0\xa1",
};

constexpr std::string_view Morning = " \xa7\x90\xc3";
constexpr std::string_view Afternoon = " \xb3\xc2\xd3";
constexpr std::string_view Evening = " \x8f\xbf";

} // namespace

std::string MonthName(int month)
{
    return month >= 1 && month <= 12 ? std::string(Months[static_cast<size_t>(month - 1)]) : std::string();
}

std::string WeekdayName(int index)
{
    return index >= 0 && index <= 6 ? std::string(Weekdays[static_cast<size_t>(index)]) : std::string();
}

std::string DayPartWord(int hour)
{
    if (hour < 12)
        return std::string(Morning);
    return std::string(hour < 18 ? Afternoon : Evening);
}

std::string DateText(const platform::LocalTime& time)
{
    int month = time.month;
    int day = time.day;
    int year = time.year;
    GregorianToSolarHijri(month, day, year);
    const int weekday = ((time.weekday % 7 + 7) % 7 + 1) % 7; // Sunday-based to Saturday-based
    char text[96];
    std::snprintf(text, sizeof text, " %4d %s %2d %s", year, MonthName(month).c_str(), day,
                  WeekdayName(weekday).c_str());
    return text;
}

std::string TimeText(const platform::LocalTime& time)
{
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d", hour12, time.minute % 60);
    return " " + std::string(clock) + DayPartWord(time.hour);
}

void InsertConvertedText(editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                         const std::string& documentKeymap, const std::string& fieldGlyphs)
{
    // The load's failure has been reported; nothing is typed in another font's codes.
    if (!converter.LoadKeymaps(DateTimeKeymap, documentKeymap))
        return;
    converter.input = fieldGlyphs;
    converter.Convert(false);
    const std::string text = converter.output;

    editctl::EditWindow& window = edit.Window();
    if (window.HasSelection()) {
        window.ReplaceSel("");
        window.ScrollCaret();
        edit.modified = true;
    }
    edit.horizontalCount = 0;
    edit.verticalCount = 0;
    edit.SaveUndo();
    // Each glyph lands right of the caret, which stays put: last to first leaves the text in order.
    for (auto it = text.rbegin(); it != text.rend(); ++it)
        edit.InsertGlyph(static_cast<unsigned char>(*it));
}

void InsertDate(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const std::string& documentKeymap,
                const platform::Clock& clock)
{
    InsertConvertedText(edit, converter, documentKeymap, DateText(clock.Now()));
}

void InsertTime(editctl::PersianEdit& edit, keymap::KeymapConverter& converter, const std::string& documentKeymap,
                const platform::Clock& clock)
{
    InsertConvertedText(edit, converter, documentKeymap, TimeText(clock.Now()));
}

} // namespace tools
