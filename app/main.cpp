// cosmology: the expansion histories of thirteen model runs, reported on standard
// output, then a pause for a key press.
#include "app/expansion.h"
#include "app/pause.h"

int main() {
    // The figure script goes here: it opens each figure before its runs, passes a
    // receiver for the curves to plot_model and closes the figure after its last run.
    for (const cosmology::ModelRun& run : cosmology::kModelRuns) cosmology::plot_model(run.model);
    cosmology::pause_for_key();
    return 0;
}
