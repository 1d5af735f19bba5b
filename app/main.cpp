// cosmology: the expansion histories of thirteen model runs of eleven cosmological
// models, reported on standard output and drawn into four PNG figures, then a pause
// for a key press.
#include "app/figures.h"
#include "app/pause.h"

namespace {

Gravox plot;              // the plotting library object
char legend_buffer[256];  // shared by legini, leglin and legend in every figure
int legend_line = 0;      // number of the next legend line of the open figure

}  // namespace

int main() {
    cosmology::draw_figures(plot, legend_buffer, legend_line);
    cosmology::pause_for_key();
    return 0;
}
