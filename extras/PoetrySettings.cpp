#include "extras/PoetrySettings.h"

#include "platform/SettingsStore.h"

namespace extras {

PoetrySettings PoetrySettings::Read(const platform::SettingsStore& store)
{
    PoetrySettings s;
    s.how = store.ReadInt(Section, "How", s.how);
    s.mod = store.ReadInt(Section, "Mod", s.mod);
    s.showN = store.ReadInt(Section, "ShowN", s.showN);
    s.justify = store.ReadInt(Section, "Justify", s.justify);
    s.n = store.ReadString(Section, "n", s.n);
    s.tab1 = store.ReadString(Section, "tab1", s.tab1);
    s.tab2 = store.ReadString(Section, "tab2", s.tab2);
    return s;
}

void PoetrySettings::Write(platform::SettingsStore& store) const
{
    store.WriteInt(Section, "How", how);
    store.WriteInt(Section, "Mod", mod);
    store.WriteInt(Section, "Justify", justify);
    store.WriteInt(Section, "ShowN", showN);
    store.WriteString(Section, "n", n);
    store.WriteString(Section, "tab1", tab1);
    store.WriteString(Section, "tab2", tab2);
}

LineChoice PoetrySettings::Choice() const
{
    switch (how) {
    case 0: return LineChoice::All;
    case 1: return LineChoice::Last;
    case 2: return LineChoice::First;
    default: return LineChoice::Random;
    }
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
