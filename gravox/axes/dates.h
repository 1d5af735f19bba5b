// Calendar arithmetic for date axes: day numbers of the proleptic Gregorian calendar,
// weekdays, and month and weekday names in English, German and Spanish.
#pragma once

namespace gvx {

struct PlotState;

struct CivilDate {
    int year = 1900, month = 1, day = 1;
};

// Days since 1 January 1970 of a date (months and days beyond their range roll over,
// so 31 April is 1 May).
long long days_from_civil(int year, int month, int day);
CivilDate civil_from_days(long long days);
// 1 Monday to 7 Sunday.
int weekday_from_days(long long days);

// Day number of the base date of basdat.
long long base_day_number(const PlotState& s);

enum class Language { english = 1, german = 2, spanish = 3 };

// Names with Latin-1 letters (the accented letters of German and Spanish); the label
// code converts them to the character coding of the text layer.
const char* month_name(Language language, int month, bool abbreviated);
const char* weekday_name(Language language, int weekday, bool abbreviated);

}  // namespace gvx
