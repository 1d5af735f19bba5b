// Logarithmic axes: both axes of the system are logarithmic, so the bounds and label
// steps given to graf are exponents of ten. Written to log_axes.png.
#include <cmath>

#include <gravox/gravox.h>

int main() {
    static double f[300], gain[300];
    for (int i = 0; i < 300; ++i) {
        f[i] = std::pow(10.0, -1.0 + 5.0 * i / 299);              // 0.1 to 10000
        gain[i] = 1000.0 / std::sqrt(1.0 + f[i] * f[i] / 100.0);  // a low-pass filter
    }

    Gravox g;
    g.metafl("PNG");
    g.setfil("log_axes.png");
    g.scrmod("REVERS");
    g.gvxini();
    g.complx();
    g.axsscl("LOG", "XY");  // logarithmic scaling on both axes ...
    g.labels("LOG", "XY");  // ... labelled as powers of ten
    g.labdif(-1, "XY");     // with whole exponents
    g.name("Frequency (Hz)", "X");
    g.name("Gain", "Y");
    // x from 10^-1 to 10^4, a label every power; y from 10^-1 to 10^4.
    g.graf(-1.0, 4.0, -1.0, 1.0, -1.0, 4.0, -1.0, 1.0);
    g.color("RED");
    g.linwid(5);  // a thicker line, in plot units
    g.curve(f, gain, 300);
    g.gvxfin();
}
