// Draws one picture per family of the fields routines, for the gallery and a look by
// eye: a heat map with its colour bar, labelled contour lines, filled contours under
// their lines, a vector field coloured by magnitude, stream lines, and scattered points
// triangulated and coloured.
// Usage: fieldsheet [folder] [format]   (writes fields_*.png, or another format's
// files, in the folder)
#include <cmath>
#include <string>
#include <vector>

#include "gravox/gravox.h"
#include "tools/sheet_output.h"

namespace {

constexpr int kN = 61;

// Two bumps and a dip over [-2, 2] x [-1.5, 1.5].
double landscape(double x, double y) {
    return std::exp(-((x - 0.8) * (x - 0.8) + (y - 0.4) * (y - 0.4)) * 1.5) -
           0.7 * std::exp(-((x + 0.9) * (x + 0.9) + (y + 0.3) * (y + 0.3)) * 2.0) +
           0.4 * std::exp(-((x + 0.2) * (x + 0.2) + (y - 1.0) * (y - 1.0)) * 4.0);
}

struct Grid {
    std::vector<double> x, y, z;
    Grid() : x(kN), y(kN), z(kN * kN) {
        for (int i = 0; i < kN; ++i) x[i] = -2.0 + 4.0 * i / (kN - 1);
        for (int j = 0; j < kN; ++j) y[j] = -1.5 + 3.0 * j / (kN - 1);
        for (int i = 0; i < kN; ++i)
            for (int j = 0; j < kN; ++j) z[i * kN + j] = landscape(x[i], y[j]);
    }
};

void open(Gravox& g, const std::string& file, const char* title) {
    g.setfil(file.c_str());
    g.gvxini();
    g.complx();
    g.height(32);
    g.axspos(400, 1800);
    g.axslen(1800, 1350);
    g.name("x", "X");
    g.name("y", "Y");
    g.messag(title, 400, 150);
}

void colour_axes(Gravox& g) {
    g.name("z", "Z");
    g.graf3(-2, 2, -2, 1, -1.5, 1.5, -1.5, 0.5, -0.8, 1.0, -0.8, 0.2);
}

void heat_map(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "crvmat: heat map with its colour bar");
    colour_axes(g);
    g.crvmat(d.z.data(), kN, kN, 2, 2);
    g.gvxfin();
}

void contour_lines(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "contur: labelled contour lines");
    g.graf(-2, 2, -2, 1, -1.5, 1.5, -1.5, 0.5);
    g.labels("FLOAT", "CON");
    g.labdif(1, "CON");
    g.height(24);
    for (int k = -3; k <= 4; ++k) {
        const double level = 0.2 * k;
        if (k < 0)
            g.lintyp(2);
        else
            g.lintyp(0);
        g.color(k < 0 ? "BLUE" : k == 0 ? "FORE" : "RED");
        g.contur(d.x.data(), kN, d.y.data(), kN, d.z.data(), level);
    }
    g.gvxfin();
}

void filled_contours(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "conshd: filled contours under their lines");
    colour_axes(g);
    double levels[9];
    for (int k = 0; k < 9; ++k) levels[k] = -0.8 + 0.2 * k;
    g.conshd(d.x.data(), kN, d.y.data(), kN, d.z.data(), levels, 9);
    g.labels("NONE", "CON");
    g.color("FORE");
    for (double level : levels) g.contur(d.x.data(), kN, d.y.data(), kN, d.z.data(), level);
    g.gvxfin();
}

// The gradient of the landscape by central differences on the grid.
void gradient(const Grid& d, int step, std::vector<double>& gx, std::vector<double>& gy,
              std::vector<double>& vx, std::vector<double>& vy) {
    const int n = (kN - 1) / step + 1;
    gx.resize(n);
    gy.resize(n);
    vx.resize(n * n);
    vy.resize(n * n);
    const double h = 1e-4;
    for (int i = 0; i < n; ++i) gx[i] = d.x[i * step];
    for (int j = 0; j < n; ++j) gy[j] = d.y[j * step];
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            vx[i * n + j] = (landscape(gx[i] + h, gy[j]) - landscape(gx[i] - h, gy[j])) / (2 * h);
            vy[i * n + j] = (landscape(gx[i], gy[j] + h) - landscape(gx[i], gy[j] - h)) / (2 * h);
        }
    }
}

void vectors(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "vecmat: gradient arrows coloured by magnitude");
    g.name("|grad z|", "Z");
    g.graf3(-2, 2, -2, 1, -1.5, 1.5, -1.5, 0.5, 0.0, 2.0, 0.0, 0.5);
    std::vector<double> gx, gy, vx, vy;
    gradient(d, 4, gx, gy, vx, vy);
    g.vecopt(0.12, "SCALE");
    g.vecopt(1, "COLOR");
    g.vecopt(16, "LENGTH");
    g.vecmat(vx.data(), vy.data(), static_cast<int>(gx.size()), static_cast<int>(gy.size()),
             gx.data(), gy.data(), 2);
    g.gvxfin();
}

void stream_lines(Gravox& g, const Grid& d, const std::string& file) {
    open(g, file, "stream: lines of a swirl around the gradient");
    g.graf(-2, 2, -2, 1, -1.5, 1.5, -1.5, 0.5);
    std::vector<double> gx, gy, vx, vy;
    gradient(d, 1, gx, gy, vx, vy);
    // Turn the gradient by 90 degrees and add a gentle drift: lines along the contours.
    for (size_t k = 0; k < vx.size(); ++k) {
        const double a = vx[k], b = vy[k];
        vx[k] = -b + 0.15;
        vy[k] = a;
    }
    std::vector<double> xs, ys;
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 7; ++j) {
            xs.push_back(-1.8 + 0.45 * i);
            ys.push_back(-1.35 + 0.45 * j);
        }
    g.color("BLUE");
    g.stmval(30, "DISTANCE");
    g.stream(vx.data(), vy.data(), kN, kN, gx.data(), gy.data(), xs.data(), ys.data(),
             static_cast<int>(xs.size()));
    g.gvxfin();
}

// The landscape at scattered points (a fixed pseudo-random sequence), triangulated and
// coloured, with the triangles' edges over the colours.
void triangles(Gravox& g, const std::string& file) {
    constexpr int kPoints = 400;
    std::vector<double> x(kPoints + 4), y(kPoints + 4), z(kPoints + 4);
    unsigned long v = 2024;
    const auto next = [&] {
        v = v * 6364136223846793005ul + 1442695040888963407ul;
        return static_cast<double>(v >> 11) / 9007199254740992.0;
    };
    const double corners[4][2] = {{-2, -1.5}, {2, -1.5}, {2, 1.5}, {-2, 1.5}};
    for (int k = 0; k < kPoints + 4; ++k) {
        x[k] = k < 4 ? corners[k][0] : -2.0 + 4.0 * next();
        y[k] = k < 4 ? corners[k][1] : -1.5 + 3.0 * next();
        z[k] = landscape(x[k], y[k]);
    }
    const int room = 2 * (kPoints + 4);
    std::vector<int> i1(room), i2(room), i3(room);
    open(g, file, "triang and crvtri: scattered points, triangulated and coloured");
    colour_axes(g);
    const int n = g.triang(x.data(), y.data(), kPoints + 4, i1.data(), i2.data(), i3.data(), room);
    g.crvtri(x.data(), y.data(), z.data(), kPoints + 4, i1.data(), i2.data(), i3.data(), n);
    g.color("FORE");
    for (int k = 0; k < n; ++k) {
        const double tx[4] = {x[i1[k]], x[i2[k]], x[i3[k]], x[i1[k]]};
        const double ty[4] = {y[i1[k]], y[i2[k]], y[i3[k]], y[i1[k]]};
        g.curve(tx, ty, 4);
    }
    g.gvxfin();
}

}  // namespace

int main(int argc, char** argv) {
    Gravox g;
    const SheetOutput out = start_sheet(g, argc, argv);
    const std::string& folder = out.folder;
    const std::string& ext = out.ext;
    const Grid d;
    heat_map(g, d, folder + "fields_colour." + ext);
    contour_lines(g, d, folder + "fields_contour." + ext);
    filled_contours(g, d, folder + "fields_filled." + ext);
    vectors(g, d, folder + "fields_vectors." + ext);
    stream_lines(g, d, folder + "fields_stream." + ext);
    triangles(g, folder + "fields_triangles." + ext);
    return 0;
}
