// A line plot: one axis system with named axes and two curves in colour, written to
// the PNG file line_plot.png in the working directory.
#include <cmath>

#include <gravox/gravox.h>

int main() {
    // The data stay in the caller's arrays; the library draws straight from them.
    static double x[200], sine[200], cosine[200];
    for (int i = 0; i < 200; ++i) {
        x[i] = i * 360.0 / 199;
        sine[i] = std::sin(x[i] * 3.14159265358979 / 180.0);
        cosine[i] = std::cos(x[i] * 3.14159265358979 / 180.0);
    }

    Gravox g;
    g.metafl("PNG");            // level 0: choose the output format ...
    g.setfil("line_plot.png");  // ... and the file name
    g.scrmod("REVERS");         // black on a white page
    g.gvxini();                 // open the plot: level 1

    g.pagera();  // a border around the page
    g.complx();  // the serif vector font
    g.name("Angle (degrees)", "X");
    g.name("Amplitude", "Y");
    g.ticks(3, "XY");  // three tick intervals between labels
    // x from 0 to 360, labels from 0 every 90; y from -1 to 1, labels every 0.5.
    g.graf(0.0, 360.0, 0.0, 90.0, -1.0, 1.0, -1.0, 0.5);  // level 2 from here on

    g.color("RED");
    g.curve(x, sine, 200);
    g.color("BLUE");
    g.lintyp(2);  // dashed
    g.curve(x, cosine, 200);

    g.gvxfin();  // write the file and print the closing protocol: level 0 again
}
