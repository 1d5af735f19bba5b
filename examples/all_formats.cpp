// The same plot in every output format this library writes: raster images (PNG, GIF,
// BMP, PPM, TIFF and the bitmap dump IMAG), vector documents (SVG, IPE, PostScript,
// EPS, PDF), metafiles (the library's own GKSL, which gvxconv converts into any other
// format, CGM and WMF), HPGL plotter commands and applet source. One Gravox object draws
// them one after the other; each file is named by setfil.
#include <cmath>

#include <gravox/gravox.h>

namespace {

struct Output {
    const char* format;  // the keyword of metafl
    const char* file;    // the file written
};

constexpr Output kOutputs[] = {
    {"PNG", "all_formats.png"},   {"GIF", "all_formats.gif"},  {"BMP", "all_formats.bmp"},
    {"PPM", "all_formats.ppm"},   {"TIFF", "all_formats.tif"}, {"IMAG", "all_formats.img"},
    {"SVG", "all_formats.svg"},   {"IPE", "all_formats.ipe"},  {"HPGL", "all_formats.hpg"},
    {"JAVA", "all_formats.java"}, {"PS", "all_formats.ps"},    {"EPS", "all_formats.eps"},
    {"PDF", "all_formats.pdf"},   {"GKSL", "all_formats.met"}, {"CGM", "all_formats.cgm"},
    {"WMF", "all_formats.wmf"},
};

}  // namespace

int main() {
    static double x[120], y[120];
    for (int i = 0; i < 120; ++i) {
        x[i] = i * 0.1;
        y[i] = std::sin(x[i]) * std::exp(-0.1 * x[i]);
    }

    Gravox g;
    for (const Output& out : kOutputs) {
        g.metafl(out.format);  // settings of level 0 may be changed between plots
        g.setfil(out.file);
        g.scrmod("REVERS");
        g.gvxini();
        g.complx();
        g.pagera();
        g.name("x", "X");
        g.name("Damped sine", "Y");
        g.graf(0.0, 12.0, 0.0, 2.0, -1.0, 1.0, -1.0, 0.5);
        g.color("RED");
        g.curve(x, y, 120);
        g.gvxfin();
    }
}
