// Two axis systems on one page: each is placed with axspos (its lower left corner)
// and sized with axslen before graf, and closed with endgrf before the next one.
// Written to two_systems.png.
#include <cmath>

#include <gravox/gravox.h>

int main() {
    static double t[400], position[400], speed[400];
    for (int i = 0; i < 400; ++i) {
        t[i] = i * 0.05;
        position[i] = std::exp(-0.15 * t[i]) * std::cos(2.0 * t[i]);
        speed[i] =
            -std::exp(-0.15 * t[i]) * (0.15 * std::cos(2.0 * t[i]) + 2.0 * std::sin(2.0 * t[i]));
    }

    Gravox g;
    g.metafl("PNG");
    g.setfil("two_systems.png");
    g.scrmod("REVERS");
    g.gvxini();
    g.complx();
    g.pagera();

    // The upper system. Page positions are plot units from the upper left corner.
    g.axspos(450, 900);
    g.axslen(2200, 650);
    g.name("Position", "Y");
    g.graf(0.0, 20.0, 0.0, 5.0, -1.0, 1.0, -1.0, 0.5);
    g.color("RED");
    g.curve(t, position, 400);
    g.color("FORE");
    g.endgrf();  // back to level 1: the next system may be placed

    // The lower system.
    g.axspos(450, 1800);
    g.axslen(2200, 650);
    g.name("Time (s)", "X");
    g.name("Speed", "Y");
    g.graf(0.0, 20.0, 0.0, 5.0, -2.5, 2.5, -2.5, 1.0);
    g.color("BLUE");
    g.curve(t, speed, 400);
    g.gvxfin();
}
