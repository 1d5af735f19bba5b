// Draws the pictures of the three-dimensional routines, for the gallery and a look by
// eye: a mesh surface with hidden lines, a lit shaded surface drawn through the
// z-buffer, and a curve in space.
// Usage: threedsheet [folder] [format]   (writes three_d_*.png, or another format's
// files, in the folder)
#include <cmath>
#include <string>
#include <vector>

#include "gravox/gravox.h"
#include "tools/sheet_output.h"

namespace {

constexpr int kN = 41;

// An explicit colour value from red, green and blue fractions.
int rgb(double r, double g, double b) {
    const auto byte = [](double v) { return static_cast<int>(v * 255.0 + 0.5); };
    return 0x01000000 + byte(b) * 65536 + byte(g) * 256 + byte(r);
}

// A bump with a ring of ripples around it over [-3, 3] x [-3, 3].
double hill(double x, double y) {
    const double r = std::sqrt(x * x + y * y);
    return std::exp(-r * r / 2.0) * 1.2 + 0.25 * std::cos(2.5 * r) * std::exp(-r / 3.0);
}

struct Grid {
    std::vector<double> x, y, z;
    Grid() : x(kN), y(kN), z(kN * kN) {
        for (int i = 0; i < kN; ++i) x[i] = y[i] = -3.0 + 6.0 * i / (kN - 1);
        for (int i = 0; i < kN; ++i)
            for (int j = 0; j < kN; ++j) z[i * kN + j] = hill(x[i], y[j]);
    }
};

void open(Gravox& g, const std::string& file, const char* title) {
    g.setfil(file.c_str());
    g.gvxini();
    g.complx();
    g.height(32);
    g.axspos(500, 1900);
    g.axslen(1900, 1600);
    g.name("X", "X");
    g.name("Y", "Y");
    g.name("Z", "Z");
    g.messag(title, 400, 120);
    g.axis3d(2.0, 2.0, 1.4);
}

void axes(Gravox& g) {
    // z labels from 0: a label at -0.5 would meet the y axis's last label at their corner.
    g.graf3d(-3, 3, -3, 1, -3, 3, -3, 1, -0.5, 1.5, 0.0, 0.5);
}

void mesh(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "surfce: mesh with hidden lines, surclr for the two sides");
    g.view3d(-50, 25, 0, "ANGL");
    axes(g);
    g.grid3d(1, 1, "BACK");
    g.surclr(rgb(1.0, 0.85, 0.2), rgb(0.3, 0.6, 1.0));
    g.surfce(d.x.data(), kN, d.y.data(), kN, d.z.data());
    g.gvxfin();
}

void shaded(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "surshd: lit surface in a z-buffer with its mesh");
    g.view3d(-120, 35, 0, "ANGL");
    axes(g);
    g.zbfini();
    g.light("ON");
    g.litpos(-60, 50, 0, "ANGL");
    g.surclr(rgb(0.9, 0.45, 0.2), rgb(0.4, 0.4, 0.9));
    g.surmsh("ON");
    g.setrgb(0.25, 0.12, 0.05);
    g.surshd(d.x.data(), kN, d.y.data(), kN, d.z.data());
    g.zbffin();
    g.color("FORE");
    g.box3d();
    g.gvxfin();
}

void curve(Gravox& g, const std::string& file) {
    open(g, file, "curv3d: a helix with symbols and stems");
    g.view3d(-35, 20, 0, "ANGL");
    axes(g);
    g.grid3d(1, 1, "ALL");
    constexpr int n = 300;
    std::vector<double> x(n), y(n), z(n);
    for (int k = 0; k < n; ++k) {
        const double t = 6.0 * 3.14159265358979 * k / (n - 1);
        x[k] = 2.5 * std::cos(t) * (1 - 0.4 * k / n);
        y[k] = 2.5 * std::sin(t) * (1 - 0.4 * k / n);
        z[k] = -0.4 + 1.8 * k / (n - 1);
    }
    g.color("RED");
    g.curv3d(x.data(), y.data(), z.data(), n);
    // Every 20th point on a stem from the floor, with a symbol.
    std::vector<double> sx, sy, sz;
    for (int k = 0; k < n; k += 20) sx.push_back(x[k]), sy.push_back(y[k]), sz.push_back(z[k]);
    g.color("CYAN");
    g.polcrv("STEM");
    g.incmrk(1);
    g.marker(21);
    g.hsymbl(24);
    g.curv3d(sx.data(), sy.data(), sz.data(), static_cast<int>(sx.size()));
    g.gvxfin();
}

}  // namespace

int main(int argc, char** argv) {
    Gravox g;
    const SheetOutput out = start_sheet(g, argc, argv);
    const std::string& folder = out.folder;
    const std::string& ext = out.ext;
    if (out.format == "PNG") g.imgfmt("RGB");
    const Grid d;
    mesh(g, d, folder + "three_d_mesh." + ext);
    shaded(g, d, folder + "three_d_shaded." + ext);
    curve(g, folder + "three_d_curve." + ext);
    return 0;
}
