/** @file SolarHijriDate.h
 ** The arithmetic Solar Hijri calendar with its 33-year leap rule, and the way from Gregorian dates. **/
#pragma once

namespace tools {

/// A Solar Hijri year is a leap year (Esfand has 30 days) when (8 y + 29) mod 33 < 8.
bool IsSolarHijriLeapYear(int year);
/// Days of a Solar Hijri month 1..12: 31 for the first six, 30 for the next five, 29 or 30 last.
int SolarHijriMonthLength(int year, int month);
bool IsGregorianLeapYear(int year);

/// Converts a Gregorian date, given as month, day and year, into the Solar Hijri month, day and
/// year in the same three variables. Counts days from 1 Farvardin 1379 = 20 March 2000, so any
/// date of the proleptic Gregorian calendar converts.
void GregorianToSolarHijri(int& month, int& day, int& year);

/// Days from 1 January 1970 of a proleptic Gregorian date.
long DaysFromCivil(int year, int month, int day);

} // namespace tools
