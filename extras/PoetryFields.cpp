#include "extras/PoetryFields.h"

namespace extras {

LineChoice ChoiceOf(const QuvelSettings& settings)
{
    switch (settings.how) {
    case 0: return LineChoice::All;
    case 1: return LineChoice::Last;
    case 2: return LineChoice::First;
    default: return LineChoice::Random;
    }
}

VerseLayout LayoutOf(const QuvelSettings& settings)
{
    return settings.mode == 1 ? VerseLayout::Regular : VerseLayout::Poetic;
}

int ClampPoemNumber(int number, int count)
{
    if (number < 0)
        return 1;
    return number > count ? count : number;
}

int EvenLineCount(int n)
{
    // INT_MAX is odd; it stays where it is rather than overflowing.
    return n % 2 != 0 && n < 2147483647 ? n + 1 : n;
}

int ClampTab(int tab)
{
    return tab < 0 ? 0 : tab > 30 ? 30 : tab;
}

} // namespace extras
