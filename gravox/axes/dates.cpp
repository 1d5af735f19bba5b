// Calendar arithmetic, month and weekday names, and the date routines `basdat`,
// `incdat` and `nwkday`.
#include "gravox/axes/dates.h"

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

long long floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

long long days_from_civil(int year, int month, int day) {
    // Months outside 1 to 12 carry into the year first.
    long long y = year + floor_div(month - 1, 12);
    long long m = month - 1 - 12 * floor_div(month - 1, 12) + 1;  // 1..12
    // Count from 1 March so that the leap day ends the year.
    y -= m <= 2 ? 1 : 0;
    const long long era = floor_div(y, 400);
    const long long yoe = y - era * 400;                          // 0..399
    const long long mp = (m + 9) % 12;                            // March = 0
    const long long doy = (153 * mp + 2) / 5;                     // days before the month
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;  // day of the era
    return era * 146097 + doe - 719468 + (day - 1);
}

CivilDate civil_from_days(long long days) {
    const long long z = days + 719468;
    const long long era = floor_div(z, 146097);
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yoe + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int weekday_from_days(long long days) {
    // 1 January 1970 was a Thursday (4).
    long long w = (days + 3) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

long long base_day_number(const PlotState& s) {
    return days_from_civil(s.axes->base_year, s.axes->base_month, s.axes->base_day);
}

namespace {

// Month and weekday names. Accented letters are Latin-1 bytes: \xE4 a-umlaut,
// \xE1 a-acute, \xE9 e-acute.
constexpr const char* kMonths[3][12] = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre",
     "octubre", "noviembre", "diciembre"}};
constexpr const char* kShortMonths[3][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"}};
constexpr const char* kWeekdays[3][7] = {
    {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
    {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"},
    {"lunes", "martes", "mi\xE9rcoles", "jueves", "viernes",
     "s\xE1"
     "bado",
     "domingo"}};
constexpr const char* kShortWeekdays[3][7] = {{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
                                              {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
                                              {"lun", "mar", "mi\xE9", "jue", "vie",
                                               "s\xE1"
                                               "b",
                                               "dom"}};

int language_index(Language language) {
    int i = static_cast<int>(language) - 1;
    return i < 0 || i > 2 ? 0 : i;
}

}  // namespace

const char* month_name(Language language, int month, bool abbreviated) {
    if (month < 1 || month > 12) return "";
    int l = language_index(language);
    return abbreviated ? kShortMonths[l][month - 1] : kMonths[l][month - 1];
}

const char* weekday_name(Language language, int weekday, bool abbreviated) {
    if (weekday < 1 || weekday > 7) return "";
    int l = language_index(language);
    return abbreviated ? kShortWeekdays[l][weekday - 1] : kWeekdays[l][weekday - 1];
}

}  // namespace gvx

using namespace gvx;

void Gravox::basdat(int day, int month, int year) {
    if (refused("basdat", 0, 3)) return;
    PlotState& s = state();
    if (check_date(s, day, month, year) != 0) return;
    s.axes->base_day = day;
    s.axes->base_month = month;
    s.axes->base_year = year;
}

int Gravox::incdat(int day, int month, int year) {
    if (refused("incdat", 0, 3)) return 0;
    PlotState& s = state();
    if (check_date(s, day, month, year) != 0) return 0;
    long long days = days_from_civil(year, month, day) - base_day_number(s);
    if (days > 2147483647LL) days = 2147483647LL;
    if (days < -2147483647LL) days = -2147483647LL;
    return static_cast<int>(days);
}

int Gravox::nwkday(int day, int month, int year) {
    if (refused("nwkday", 0, 3)) return 0;
    PlotState& s = state();
    if (check_date(s, day, month, year) != 0) return 0;
    return weekday_from_days(days_from_civil(year, month, day));
}
