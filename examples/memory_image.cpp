// Drawing into memory: the output format "VIRT" keeps the picture in memory and
// writes no file, for programs that use the image themselves or only want the
// drawing's side results, such as the sizes of legends and texts.
#include <cstdio>

#include <gravox/gravox.h>

int main() {
    static const double x[] = {0.0, 1.0, 2.0, 3.0, 4.0};
    static const double y[] = {1.0, 3.0, 2.0, 5.0, 4.0};

    Gravox g;
    g.metafl("VIRT");    // a raster image held in memory
    g.winsiz(800, 600);  // its size in pixels
    g.gvxini();
    g.graf(0.0, 4.0, 0.0, 1.0, 0.0, 6.0, 0.0, 1.0);
    g.curve(x, y, 5);
    // Page positions of data points are known while the axis system is open.
    std::printf("The point (3, 5) lies at plot position (%d, %d)\n", g.nxposn(3.0), g.nyposn(5.0));
    std::printf("The text \"Gravox\" is %d plot units wide\n", g.nlmess("Gravox"));
    g.gvxfin();
}
