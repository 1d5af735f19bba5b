// A date axis: x values are days counted from a base date (basdat), and the labels
// of type "DATE" show them as calendar dates. Written to date_axis.png.
#include <cmath>

#include <gravox/gravox.h>

int main() {
    Gravox g;
    g.basdat(1, 1, 2026);  // day 0 of the x axis (allowed before gvxini)
    // A daily temperature over one year, day numbers from incdat.
    static double day[365], temperature[365];
    const int first = g.incdat(1, 1, 2026);
    for (int i = 0; i < 365; ++i) {
        day[i] = first + i;
        temperature[i] = 10.0 - 9.0 * std::cos(2.0 * 3.14159265358979 * (i - 15) / 365.0) +
                         1.5 * std::sin(2.0 * 3.14159265358979 * i / 30.0);
    }

    g.metafl("PNG");
    g.setfil("date_axis.png");
    g.scrmod("REVERS");
    g.gvxini();
    g.complx();
    g.labels("DATE", "X");  // x labels are dates
    g.ticks(1, "X");
    g.name("2026", "X");
    g.name("Temperature (C)", "Y");
    // A label every 61 days from 1 January; y from -5 to 25.
    g.graf(first, first + 365.0, first, 61.0, -5.0, 25.0, -5.0, 5.0);
    g.color("BLUE");
    g.curve(day, temperature, 365);
    g.gvxfin();
}
