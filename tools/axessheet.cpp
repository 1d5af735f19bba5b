// Draws axis systems to PNG files for a look by eye: the cosmology program's first
// axis system, then a sheet of label types (logarithmic, exponent, time, map, date),
// and a crossed system with reversed ticks and axis colours.
// Usage: axessheet [folder]   (writes axes_1.png, axes_2.png and axes_3.png there)
#include <string>

#include "gravox/gravox.h"

namespace {

void first_figure(Gravox& g, const std::string& file) {
    g.setfil(file.c_str());
    g.gvxini();
    g.pagera();
    g.name("Time t (Gyr)", "X");
    g.name("Scale Factor a(t)", "Y");
    g.complx();
    g.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5);
    g.gvxfin();
}

// One small axis system at a place on the page.
void small_system(Gravox& g, int x, int y, const char* labels_x, const char* labels_y,
                  const char* title, double xa, double xe, double xor_, double xstep, double ya,
                  double ye, double yor, double ystep) {
    g.axspos(x, y);
    g.axslen(800, 450);
    g.labels(labels_x, "X");
    g.labels(labels_y, "Y");
    g.name(title, "X");
    g.name(labels_y, "Y");
    g.graf(xa, xe, xor_, xstep, ya, ye, yor, ystep);
    g.endgrf();
}

void label_sheet(Gravox& g, const std::string& file) {
    g.setfil(file.c_str());
    g.gvxini();
    g.pagera();
    g.complx();
    g.height(28);
    g.hname(30);

    g.axsscl("LOG", "XY");
    g.labdif(-1, "XY");
    small_system(g, 250, 700, "LOG", "FLOAT", "LOG labels", -1, 3, -1, 1, 0, 2, 0, 1);
    g.labels("CLOG", "X");
    g.labels("EXP", "Y");
    small_system(g, 1700, 700, "CLOG", "EXP", "CLOG labels", -2, 2, -2, 1, 0, 3, 0, 1);
    g.axsscl("LIN", "XY");
    g.labdif(1, "XY");

    g.labdif(-1, "X");
    g.labmod("TIME", "FULL", "X");
    small_system(g, 250, 1350, "TIME", "MAP", "TIME labels", 0, 36000, 0, 7200, -60, 60, -60, 30);
    g.basdat(1, 1, 2024);
    g.ticmod("MONTH", "X");
    g.labmod("MONTH", "SHORT", "X");
    g.labmod("YEAR", "NONE", "X");
    g.labmod("SEPA", "BLANK", "X");
    g.labmod("STEP", "QUARTER", "X");
    g.labmod("LANG", "GERMAN", "X");
    small_system(g, 1700, 1350, "DATE", "LMAP", "DATE labels (German)", 0, 366, 0, 91, -180, 180,
                 -180, 90);
    g.ticmod("NONE", "X");
    g.labdif(1, "X");

    g.labtyp("VERT", "XY");
    g.labdif(-2, "XY");
    small_system(g, 250, 1950, "FLOAT", "FEXP", "vertical labels", 0, 0.3, 0, 0.1, 0, 50000, 0,
                 10000);
    g.labtyp("HORI", "XY");
    g.labpos("SHIFT", "X");
    g.axends("NOFIRST", "Y");
    small_system(g, 1700, 1950, "FLOAT", "FLOAT", "shifted labels, no first", 0, 100, 0, 20, 0, 1,
                 0, 0.25);
    g.gvxfin();
}

void crossed(Gravox& g, const std::string& file) {
    g.setfil(file.c_str());
    g.gvxini();
    g.complx();
    g.axstyp("CROSS");
    g.ticpos("CENTER", "X");
    g.ticpos("REVERS", "Y");
    g.axclrs(50, "ALL", "X");
    g.axclrs(200, "LABELS", "Y");
    g.name("x", "X");
    g.name("y", "Y");
    g.graf(-3, 3, -3, 1, -2, 2, -2, 1);
    g.endgrf();
    g.gvxfin();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    Gravox g;
    g.metafl("PNG");
    g.filmod("DELETE");
    g.scrmod("REVERS");
    first_figure(g, folder + "axes_1.png");
    label_sheet(g, folder + "axes_2.png");
    crossed(g, folder + "axes_3.png");
    return 0;
}
