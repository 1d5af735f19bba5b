// shapesheet: the pictures of the gallery page docs/gallery/shapes.md, one per family of
// the shape and chart routines: shading patterns, shapes, bar charts, pie charts, and
// error bars with a shaded band.
//
// Usage: shapesheet [DIRECTORY [FORMAT]]   (default "docs/gallery", "PNG")
// The clock is fixed, so the same build writes the same bytes; FORMAT "SVG" writes the
// same scenes as SVG files, "PDF" as PDF documents (the test compares the renderings).
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace {

// An explicit colour value of red, green and blue (0 to 255).
int rgb(int red, int green, int blue) {
    return 0x01000000 + blue * 65536 + green * 256 + red;
}

void caption(Gravox& g, const char* text, int x, int y) {
    g.height(30);
    g.messag(text, x, y);
    g.height(24);
}

void shading(Gravox& g) {
    caption(g, "shdpat 0 to 17 and mypat", 100, 60);
    for (int k = 0; k < 20; ++k) {
        const int col = k % 5, row = k / 5;
        const int x = 150 + col * 540, y = 160 + row * 480;
        if (k < 18)
            g.shdpat(k);
        else if (k == 18)
            g.mypat(30, 1, 6, 0);
        else
            g.mypat(60, 3, 3, 1);
        g.rectan(x, y, 380, 330);
        g.height(26);
        if (k < 18) {
            g.number(k, -1, x, y + 350);
        } else {
            g.messag(k == 18 ? "mypat(30,1,6,0)" : "mypat(60,3,3,1)", x, y + 350);
        }
    }
}

void shapes(Gravox& g) {
    caption(g, "Shapes in plot and user coordinates", 100, 60);
    g.color("RED");
    g.shdpat(16);
    g.rectan(150, 200, 400, 250);
    g.color("BLUE");
    g.shdpat(6);
    g.rndrec(700, 200, 400, 250, 60);
    g.color("GREEN");
    g.shdpat(11);
    g.circle(1450, 325, 140);
    g.color("MAGENTA");
    g.shdpat(2);
    g.ellips(2000, 325, 250, 120);
    g.color("ORANGE");
    g.shdpat(16);
    g.pie(400, 800, 0, 200, 30.0, 300.0);
    g.color("CYAN");
    g.shdpat(12);
    g.pie(900, 800, 100, 200, 0.0, 230.0);
    g.color("RED");
    g.shdpat(3);
    g.arcell(1450, 800, 250, 110, 20.0, 340.0, 30.0);
    g.color("FORE");
    const int px[6] = {1850, 2300, 2200, 2050, 1950, 1800};
    const int py[6] = {600, 650, 1000, 820, 1000, 900};
    g.shdpat(17);
    g.areaf(px, py, 6);
    g.shdpat(16);
    for (int k = 0; k < 4; ++k) g.vector(200 + k * 250, 1150, 350 + k * 250, 1350, 400 + k * 10);
    g.vector(1250, 1250, 1650, 1250, 422);
    for (int k = 0; k < 5; ++k) g.point(1850 + k * 80, 1250, 20 + k * 10, 20 + k * 10);
    // User coordinates on unequal axes: the circle stays round.
    g.axspos(300, 1950);
    g.axslen(2200, 450);
    g.graf(0.0, 20.0, 0.0, 2.0, 0.0, 5.0, 0.0, 1.0);
    g.color("BLUE");
    g.shdpat(5);
    g.rlcirc(3.0, 2.5, 1.5);
    g.color("RED");
    g.rlell(8.0, 2.5, 2.0, 2.0);
    g.color("GREEN");
    g.shdpat(16);
    g.rlpie(13.0, 2.5, 0.5, 1.8, 45.0, 315.0);
    g.color("FORE");
    g.rlvec(15.5, 1.0, 19.0, 4.0, 520);
    g.hsymbl(40);
    for (int k = 0; k < 4; ++k) g.rlsymb(k, 16.0 + k, 0.5);
    g.endgrf();
}

void bar_charts(Gravox& g) {
    caption(g, "Bar charts", 100, 60);
    const double x[5] = {1, 2, 3, 4, 5};
    const double low[5] = {0, 0, 0, 0, 0};
    const double a[5] = {3, 5, 2, 6, 4}, b[5] = {2, 4, 4, 3, 5};
    char buffer[2 * 12 + 1] = {};
    g.axspos(200, 1000);
    g.axslen(1100, 800);
    g.labdif(-1, "X");
    g.graf(0.0, 6.0, 0.0, 1.0, 0.0, 8.0, 0.0, 2.0);
    g.bargrp(2, 10);
    g.barwth(0.8);
    g.color("RED");
    g.shdpat(16);
    g.labels("SECO", "BARS");
    g.labdif(-1, "BARS");
    g.bars(x, low, a, 5);
    g.color("BLUE");
    g.shdpat(6);
    g.bars(x, low, b, 5);
    g.color("FORE");
    g.legini(buffer, 2, 12);
    g.leglin(buffer, "solid", 1);
    g.leglin(buffer, "hatched", 2);
    g.legend(buffer, 7);
    g.endgrf();

    g.labels("NONE", "BARS");
    g.bargrp(1, 0);
    g.axspos(1550, 1000);
    g.axslen(1100, 800);
    g.graf(0.0, 6.0, 0.0, 1.0, 0.0, 8.0, 0.0, 2.0);
    g.bartyp("3DVE");
    g.barops(40, 40.0);
    g.barclr(rgb(200, 60, 60), rgb(130, 30, 30), rgb(240, 150, 150));
    g.barbor(1);
    g.shdpat(16);
    g.barwth(0.5);
    g.bars(x, low, a, 5);
    g.endgrf();

    g.axspos(200, 1950);
    g.axslen(2450, 700);
    g.graf(0.0, 8.0, 0.0, 2.0, 0.0, 6.0, 0.0, 1.0);
    g.bartyp("HORI");
    g.barclr(-1, -1, -1);
    g.barbor(-1);
    g.color("GREEN");
    g.shdpat(10);
    g.labels("DELT", "BARS");
    g.labpos("OUTS", "BARS");
    g.bars(x, low, a, 5);
    g.color("FORE");
    g.endgrf();
}

void pie_charts(Gravox& g) {
    caption(g, "Pie charts", 100, 60);
    const double data[5] = {4, 2, 3, 1, 2.5};
    char buffer[5 * 10 + 1] = {};
    g.legini(buffer, 5, 10);
    const char* names[5] = {"North", "East", "South", "West", "Centre"};
    for (int i = 0; i < 5; ++i) g.leglin(buffer, names[i], i + 1);
    const int top[5] = {rgb(230, 90, 80), rgb(250, 190, 70), rgb(120, 200, 110), rgb(110, 160, 230),
                        rgb(200, 140, 220)};
    const int side[5] = {rgb(150, 50, 40), rgb(170, 120, 30), rgb(60, 130, 60), rgb(50, 90, 160),
                         rgb(130, 80, 150)};
    g.pieclr(top, side, 5);
    g.axspos(100, 1000);
    g.axslen(1300, 900);
    g.pielab("PERC", "INTE");
    g.piegrf(buffer, 5, data, 5);
    g.axspos(1450, 1000);
    g.axslen(1200, 900);
    g.pietyp("3D");
    g.pieopt(80, 40.0);
    g.pievec(1, 60);
    g.pielab("DATA", "EXTE");
    g.piegrf(buffer, 0, data, 5);
    g.pietyp("2D");
    g.axspos(700, 2000);
    g.axslen(1300, 850);
    g.chnpie("PATT");
    g.pieexp();
    g.pielab("BOTH", "EXTE");
    g.piegrf(buffer, 0, data, 4);
}

void error_bars(Gravox& g) {
    caption(g, "Error bars and a shaded band", 100, 60);
    constexpr int n = 12;
    double x[n], y[n], e1[n], e2[n], lo[n], hi[n];
    for (int i = 0; i < n; ++i) {
        x[i] = i + 0.5;
        y[i] = 3.0 + 2.0 * std::sin(i * 0.6);
        e1[i] = 0.3 + 0.05 * i;
        e2[i] = 0.5 + 0.03 * i;
        lo[i] = y[i] - 0.9;
        hi[i] = y[i] + 0.9;
    }
    g.axspos(250, 1000);
    g.axslen(2400, 850);
    g.graf(0.0, 12.0, 0.0, 2.0, 0.0, 6.0, 0.0, 1.0);
    g.color("CYAN");
    g.shdpat(16);
    g.shdcrv(x, lo, n, x, hi, n);
    g.color("FORE");
    g.errbmd("SYMB", "ON");
    g.marker(21);
    g.hsymbl(24);
    g.errbar(x, y, e1, e2, n);
    g.endgrf();
    g.axspos(250, 2000);
    g.axslen(2400, 850);
    g.graf(0.0, 12.0, 0.0, 2.0, 0.0, 6.0, 0.0, 1.0);
    g.color("BLUE");
    g.shdpat(13);
    g.shdcrv(x, lo, n, x, hi, n);
    g.color("RED");
    g.errbmd("DIRE", "HORI");
    g.errbmd("SYMB", "OFF");
    g.errbar(x, y, e1, e2, n);
    g.color("FORE");
    g.endgrf();
}

std::tm fixed_clock() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 0;
    t.tm_mday = 1;
    return t;
}

bool draw(const std::string& file, const char* format, void (*scene)(Gravox&)) {
    Gravox g;
    gvx::state_of(g).frame.clock = fixed_clock;
    g.metafl(format);
    g.imgfmt("RGB");  // true colours in the PNG pictures
    g.scrmod("REVERS");
    g.filmod("DELETE");
    g.setfil(file.c_str());
    g.winsiz(1000, 707);
    g.gvxini();
    if (gvx::state_of(g).frame.level == 0) {
        std::fprintf(stderr, "shapesheet: %s could not be opened\n", file.c_str());
        return false;
    }
    g.errmod("PROTOCOL", "OFF");
    g.complx();
    scene(g);
    g.gvxfin();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string directory = argc > 1 ? argv[1] : "docs/gallery";
    const std::string format = argc > 2 ? argv[2] : "PNG";
    const std::string suffix = format == "SVG" ? ".svg" : format == "PDF" ? ".pdf" : ".png";
    struct Page {
        const char* name;
        void (*scene)(Gravox&);
    };
    const Page pages[] = {{"shading", shading},
                          {"shapes", shapes},
                          {"bars", bar_charts},
                          {"pies", pie_charts},
                          {"errorbars", error_bars}};
    for (const Page& p : pages)
        if (!draw(directory + "/" + p.name + suffix, format.c_str(), p.scene)) return 1;
    return 0;
}
