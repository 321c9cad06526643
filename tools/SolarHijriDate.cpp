#include "tools/SolarHijriDate.h"

namespace tools {

namespace {

constexpr int EpochYear = 1379;   // its 1 Farvardin is 20 March 2000
constexpr int CycleYears = 33;    // the leap rule repeats every 33 years, 8 of them leap
constexpr long CycleDays = 33L * 365 + 8;

long FloorDiv(long a, long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

int SolarHijriYearLength(int year) { return IsSolarHijriLeapYear(year) ? 366 : 365; }

} // namespace

bool IsSolarHijriLeapYear(int year)
{
    const long r = (8L * year + 29) % 33;
    return (r < 0 ? r + 33 : r) < 8;
}

int SolarHijriMonthLength(int year, int month)
{
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return IsSolarHijriLeapYear(year) ? 30 : 29;
}

bool IsGregorianLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

long DaysFromCivil(int year, int month, int day)
{
    // Counted in 400-year eras that start on 1 March, so the leap day ends each year.
    const long y = static_cast<long>(year) - (month <= 2 ? 1 : 0);
    const long era = FloorDiv(y, 400);
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153L * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void GregorianToSolarHijri(int& month, int& day, int& year)
{
    long days = DaysFromCivil(year, month, day) - DaysFromCivil(2000, 3, 20);
    const long cycles = FloorDiv(days, CycleDays);
    int jy = EpochYear + static_cast<int>(cycles * CycleYears);
    days -= cycles * CycleDays;
    while (days >= SolarHijriYearLength(jy)) {
        days -= SolarHijriYearLength(jy);
        ++jy;
    }
    int jm = 1;
    while (days >= SolarHijriMonthLength(jy, jm)) {
        days -= SolarHijriMonthLength(jy, jm);
        ++jm;
    }
    year = jy;
    month = jm;
    day = static_cast<int>(days) + 1;
}

} // namespace tools
