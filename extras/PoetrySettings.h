/** @file PoetrySettings.h
 ** The options of the poetry window kept in the "QuvelSetting" section, and the rules its fields follow. **/
#pragma once

#include <string>

namespace platform {
class SettingsStore;
}

namespace extras {

/// Which lines of the poem are taken ("How").
enum class LineChoice { All = 0, Last = 1, First = 2, Random = 3 };
/// How the lines are laid out ("Mod").
enum class VerseLayout { Poetic = 0, Regular = 1 };

/// The seven values as stored; strings stay strings so a field shows what was saved.
struct PoetrySettings {
    static constexpr const char* Section = "QuvelSetting";

    int how = 3;
    int mod = 0;
    int showN = 0;
    int justify = 1;
    std::string n = "4";
    std::string tab1 = "3";
    std::string tab2 = "15";

    static PoetrySettings Read(const platform::SettingsStore& store);
    /// Writes all seven, in the order "How", "Mod", "Justify", "ShowN", "n", "tab1", "tab2".
    void Write(platform::SettingsStore& store) const;

    LineChoice Choice() const;
    VerseLayout Layout() const { return mod == 1 ? VerseLayout::Regular : VerseLayout::Poetic; }
};

/// The number field: a negative number becomes 1, one above `count` becomes `count`; 0 stays 0.
int ClampPoemNumber(int number, int count);
/// The n field counts whole couplets: an odd value becomes the next higher one.
int EvenLineCount(int n);
/// Tab1 and Tab2: 0 to 30 spaces.
int ClampTab(int tab);

} // namespace extras
