// Legends in each corner: legend(buffer, ncor) places a legend in a corner of the
// page (ncor 1 to 4: lower left, lower right, upper right, upper left) or of the axis
// system (5 to 8, in the same order). Written to legend_corners.png.
#include <cmath>

#include <gravox/gravox.h>

int main() {
    static double x[100], y1[100], y2[100];
    for (int i = 0; i < 100; ++i) {
        x[i] = i / 99.0;
        y1[i] = x[i] * x[i];
        y2[i] = std::sqrt(x[i]);
    }

    Gravox g;
    g.metafl("PNG");
    g.setfil("legend_corners.png");
    g.scrmod("REVERS");
    g.gvxini();
    g.complx();
    g.pagera();
    g.axspos(700, 1600);
    g.axslen(1600, 1100);
    g.graf(0.0, 1.0, 0.0, 0.2, 0.0, 1.0, 0.0, 0.2);

    // The legend text lives in the caller's buffer: 2 lines of up to 20 characters.
    // A character array carries its size, so a buffer too small is refused.
    char buffer[2 * 20];
    g.legini(buffer, 2, 20);
    g.leglin(buffer, "x squared", 1);
    g.leglin(buffer, "root of x", 2);

    // Curves drawn while the legend is set up give its line styles and colours.
    g.chncrv("BOTH");  // each curve gets the next colour and line type
    g.curve(x, y1, 100);
    g.curve(x, y2, 100);

    g.height(25);  // smaller legend text
    for (int corner = 1; corner <= 8; ++corner) {
        char title[16] = "Corner ";
        title[7] = static_cast<char>('0' + corner);
        title[8] = '\0';
        g.legtit(title);
        g.legend(buffer, corner);
    }
    g.gvxfin();
}
