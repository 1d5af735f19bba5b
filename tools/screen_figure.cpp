// screen_figure: shows the first figure of the cosmology program in a window on the
// X display. The window stays until a mouse button or the Return key is pressed in
// it. Without a display the library gives its warning and the program ends normally.
//
//     screen_figure [XWIN|XWI1..XWI8|XWND|CONS]
#include "app/figures.h"

namespace {

Gravox plot;
char legend_buffer[256];
int legend_line = 0;

}  // namespace

int main(int argc, char** argv) {
    const char* format = argc > 1 ? argv[1] : "XWIN";
    plot.wintit("Expansion histories (figure 1)");
    cosmology::draw_figures(plot, legend_buffer, legend_line, format, 1);
    return 0;
}
