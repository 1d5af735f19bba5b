// curvesheet: a PNG sheet of everything curves and legends draw: the eight curve modes,
// the eight line types, the 23 marker symbols, and a legend of curves with cycled
// colours, a thick line, symbols and a dash pattern.
//
// Usage: curvesheet [FILE]   (default "curvesheet.png")
#include <cmath>
#include <cstdio>
#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

constexpr int kPoints = 10;

// A small axis system with its lower left corner at (x, y) and a caption above it.
void panel(Gravox& g, int x, int y, int width, int height, const char* caption) {
    g.axspos(x, y);
    g.axslen(width, height);
    g.graf(-1.0, 10.0, 0.0, 2.0, 0.0, 6.0, 0.0, 2.0);
    g.height(28);
    g.messag(caption, x, y - height - 45);
    g.height(20);
}

void mode_panels(Gravox& g) {
    const char* modes[8] = {"LINE", "STEP", "STAI", "STEM", "BARS", "FBAR", "SPLI", "PSPL"};
    const char* colours[8] = {"RED", "BLUE", "GREEN", "MAGENTA", "ORANGE", "CYAN", "RED", "BLUE"};
    double x[kPoints], y[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        x[i] = i;
        y[i] = 3.0 + 1.8 * std::sin(i * 0.8);
    }
    // A loop for the parametric spline.
    double px[kPoints], py[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        const double a = i * 2.0 * 3.141592653589793 / (kPoints - 1);
        px[i] = 4.5 + 3.5 * std::cos(a) + 1.0 * std::cos(2 * a);
        py[i] = 3.0 + 2.0 * std::sin(a);
    }
    for (int k = 0; k < 8; ++k) {
        const int col = k % 4, row = k / 4;
        panel(g, 170 + col * 700, 560 + row * 600, 560, 380, modes[k]);
        g.polcrv(modes[k]);
        g.color(colours[k]);
        if (k == 7)
            g.curve(px, py, kPoints);
        else
            g.curve(x, y, kPoints);
        // The data points themselves, for comparison with the interpolations.
        g.color("FORE");
        g.polcrv("LINE");
        g.incmrk(-1);
        g.hsymbl(14);
        g.marker(20);
        g.curve(k == 7 ? px : x, k == 7 ? py : y, kPoints);
        g.incmrk(0);
        g.hsymbl(36);
        g.endgrf();
    }
}

void line_types(Gravox& g) {
    g.height(28);
    g.messag("Line types 0 to 7", 170, 1270);
    g.height(24);
    for (int t = 0; t < 8; ++t) {
        const int y = 1350 + t * 45;
        g.lintyp(t);
        g.linwid(3);
        // One segment through the patterned primitives.
        gvx::draw_segment(gvx::state_of(g), 260, y, 1240, y);
        gvx::flush_polyline(gvx::state_of(g));
        g.linwid(1);
        g.lintyp(0);
        g.number(t, -1, 190, y - 12);
    }
}

void symbols(Gravox& g) {
    g.height(28);
    g.messag("Symbols 0 to 22", 170, 1740);
    g.height(22);
    g.hsymbl(44);
    for (int n = 0; n < 23; ++n) {
        const int x = 210 + (n % 12) * 90, y = 1840 + (n / 12) * 130;
        g.symbol(n, x, y);
        g.number(n, -1, x - 12, y + 34);
    }
    g.hsymbl(36);
}

void legend_panel(Gravox& g) {
    static char buffer[256];
    g.axspos(1580, 2000);
    g.axslen(1240, 640);
    g.graf(0.0, 10.0, 0.0, 2.0, 0.0, 6.0, 0.0, 1.0);
    g.height(28);
    g.messag("Legend of cycled curves", 1580, 1310);
    g.height(24);
    g.legini(buffer, 5, 40);
    g.legtit("Legend");
    g.chncrv("BOTH");
    double x[kPoints], y[kPoints];
    const char* labels[5] = {"Cycle 1", "Cycle 2, thick", "Cycle 3 with symbols",
                             "Cycle 4, symbols only", "Own dash pattern"};
    for (int c = 0; c < 5; ++c) {
        for (int i = 0; i < kPoints; ++i) {
            x[i] = i * 10.0 / (kPoints - 1);
            y[i] = 0.6 + c * 0.8 + 0.4 * std::sin(i * 0.7 + c);
        }
        g.leglin(buffer, labels[c], c + 1);
        if (c == 1) g.thkcrv(5);
        if (c == 2) {
            g.incmrk(2);
            g.marker(4);
        }
        if (c == 3) g.incmrk(-1);
        if (c == 4) {
            g.chncrv("NONE");
            g.color("ORANGE");
            const int dashes[4] = {40, 10, 5, 10};
            g.myline(dashes, 4);
        }
        g.curve(x, y, kPoints);
        g.thkcrv(1);
        g.incmrk(0);
    }
    g.color("FORE");
    g.legend(buffer, 6);  // lower right inside the axis system
    g.endgrf();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : "curvesheet.png";
    Gravox g;
    g.metafl("PNG");
    g.scrmod("REVERS");
    g.filmod("DELETE");
    g.setfil(file.c_str());
    g.winsiz(2400, 1700);  // large enough to see dashes and symbols
    g.gvxini();
    if (gvx::state_of(g).frame.level == 0) {
        std::fprintf(stderr, "curvesheet: the PNG output could not be opened\n");
        return 1;
    }
    g.complx();
    g.height(20);
    mode_panels(g);
    line_types(g);
    symbols(g);
    legend_panel(g);
    g.gvxfin();
    return 0;
}
