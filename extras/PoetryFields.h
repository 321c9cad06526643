/** @file PoetryFields.h
 ** What the poetry window's choices mean, and the rules its fields follow. **/
#pragma once

#include "extras/QuvelSettings.h"

namespace extras {

/// Which lines of the poem are taken ("How").
enum class LineChoice { All = 0, Last = 1, First = 2, Random = 3 };
/// How the lines are laid out ("Mod").
enum class VerseLayout { Poetic = 0, Regular = 1 };

/// An unknown "How" takes n lines from a random place, an unknown "Mod" the verse layout, as the
/// radio groups show them.
LineChoice ChoiceOf(const QuvelSettings& settings);
VerseLayout LayoutOf(const QuvelSettings& settings);

/// The number field: a negative number becomes 1, one above `count` becomes `count`; 0 stays 0.
int ClampPoemNumber(int number, int count);
/// The n field counts whole couplets: an odd value becomes the next higher one.
int EvenLineCount(int n);
/// Tab1 and Tab2: 0 to 30 spaces.
int ClampTab(int tab);

} // namespace extras
