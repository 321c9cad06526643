#include "tools/DateTimeText.h"

#include "tests/tools/ToolsFixture.h"

namespace {

platform::LocalTime At(int year, int month, int day, int weekday, int hour = 9, int minute = 0)
{
    platform::LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.weekday = weekday;
    t.hour = hour;
    t.minute = minute;
    return t;
}

class FixedClock : public platform::Clock {
public:
    explicit FixedClock(platform::LocalTime t) : time(t) {}
    platform::LocalTime Now() const override
    {
        ++reads;
        return time;
    }
    platform::LocalTime time;
    mutable int reads = 0;
};

std::string Main(const std::string& glyphs) { return fakes::Unicode("main.kbd", glyphs); }

struct DateTimeTextTest : ToolsFixture {};

} // namespace

TEST(DateTimeWordsTest, MonthWeekdayAndDayPartWordsRead)
{
    fakes::FakeServices services;
    const char* const months[] = {"فروردین", "اردیبهشت", "خرداد", "تیر", "مرداد", "شهریور",
                                  "مهر", "آبان", "آذر", "دی", "بهمن", "اسفند"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(Main(tools::MonthName(m)), months[m - 1]) << m;
    const char* const weekdays[] = {"شنبه", "یکشنبه", "دوشنبه", "سه‌شنبه", "چهارشنبه", "پنج‌شنبه", "جمعه"};
    for (int w = 0; w < 7; ++w)
        EXPECT_EQ(Main(tools::WeekdayName(w)), weekdays[w]) << w;
    EXPECT_EQ(tools::MonthName(0), "");
    EXPECT_EQ(tools::MonthName(13), "");
    // Each word starts with a space in display order, which reads after it.
    EXPECT_EQ(Main(tools::DayPartWord(0)), "صبح ");
    EXPECT_EQ(Main(tools::DayPartWord(11)), "صبح ");
    EXPECT_EQ(Main(tools::DayPartWord(12)), "عصر ");
    EXPECT_EQ(Main(tools::DayPartWord(17)), "عصر ");
    EXPECT_EQ(Main(tools::DayPartWord(18)), "شب ");
    EXPECT_EQ(Main(tools::DayPartWord(23)), "شب ");
}

TEST(DateTimeWordsTest, TimeTextOnTheTwelveHourClock)
{
    struct Case { int hour, minute; const char* clock; int dayPartHour; };
    const Case cases[] = {{0, 30, " 12:30", 0}, {12, 5, " 12:05", 12}, {18, 0, " 06:00", 18}, {23, 59, " 11:59", 23}};
    for (const Case& c : cases)
        EXPECT_EQ(tools::TimeText(At(2026, 1, 1, 0, c.hour, c.minute)), c.clock + tools::DayPartWord(c.dayPartHour))
            << c.clock;
}

TEST(DateTimeWordsTest, DateTextIsYearMonthDayWeekdayInDisplayOrder)
{
    struct Case { platform::LocalTime time; int year, month, day, weekdayIndex; };
    const Case cases[] = {
        {At(2000, 3, 20, 1), 1379, 1, 1, 2},   // a Monday
        {At(2026, 3, 21, 6), 1405, 1, 1, 0},   // a Saturday
        {At(2025, 3, 19, 3), 1403, 12, 29, 4}, // a Wednesday
        {At(2025, 3, 20, 4), 1403, 12, 30, 5}, // a Thursday
        {At(2026, 12, 6, 0), 1405, 9, 15, 1},  // a Sunday
        {At(2026, 12, 11, 5), 1405, 9, 20, 6}, // a Friday
    };
    for (const Case& c : cases) {
        char expected[96];
        std::snprintf(expected, sizeof expected, " %4d %s %2d %s", c.year, tools::MonthName(c.month).c_str(), c.day,
                      tools::WeekdayName(c.weekdayIndex).c_str());
        EXPECT_EQ(tools::DateText(c.time), expected) << c.year << "/" << c.month << "/" << c.day;
    }
}

TEST_F(DateTimeTextTest, InsertedDateReadsInTheDocumentsFontWithCaretBeforeIt)
{
    Document({"سلام "});
    FixedClock clock(At(2026, 12, 6, 0));
    tools::InsertDate(edit, converter, "kolb.kbd", clock);
    EXPECT_EQ(clock.reads, 1);
    EXPECT_EQ(Reading(), "سلام یکشنبه ۱۵ آذر ۱۴۰۵ ");
    EXPECT_EQ(edit.Window().Caret(), 0);
    EXPECT_TRUE(edit.modified);
}

TEST_F(DateTimeTextTest, InsertedTimeReadsInTheDocumentsFont)
{
    Document({""});
    FixedClock clock(At(2026, 12, 6, 0, 0, 30));
    tools::InsertTime(edit, converter, "kolb.kbd", clock);
    EXPECT_EQ(Reading(), "صبح ۱۲:۳۰ ");
}

TEST_F(DateTimeTextTest, SelectionIsReplacedAndUndoRemovesOnlyTheInsertion)
{
    Document({"سلام دنیا"});
    const std::string text = edit.Window().GetText();
    // In display order the logically second word comes first.
    const int wordEnd = static_cast<int>(fakes::Glyphs("kolb.kbd", "دنیا").size());
    edit.Window().SetSel(0, wordEnd);
    edit.horizontalCount = 3;
    FixedClock clock(At(2026, 12, 6, 0, 18, 0));
    tools::InsertTime(edit, converter, "kolb.kbd", clock);
    EXPECT_EQ(Reading(), "سلام شب ۰۶:۰۰ ");
    EXPECT_EQ(edit.Window().Caret(), 0);
    EXPECT_EQ(edit.horizontalCount, 0);
    edit.Undo();
    EXPECT_EQ(Reading(), "سلام ");
}
