// The four figures of the program: the plotting script around the model runs.
#pragma once

#include "gravox/gravox.h"

namespace cosmology {

// The axis scaling and legend of one figure.
struct Figure {
    double x_start, x_end, x_first, x_step;  // graf values of the time axis
    double y_start, y_end, y_first, y_step;  // graf values of the scale-factor axis
    int legend_lines;
    int legend_x, legend_y;  // upper left corner of the legend on the page
};

inline constexpr int kFigureCount = 4;

inline constexpr Figure kFigures[kFigureCount] = {
    {-15, 10, -15, 5, 0, 2.78, 0, 0.5, 5, 1000, 650},
    {-80, 10, -80, 10, 0, 2.2707, 0, 0.5, 4, 1000, 650},
    {-10, 55, -10, 10, 0, 2, 0, 0.5, 2, 1000, 1350},
    {-15, 10, -15, 10, 0, 2, 0, 0.5, 2, 800, 550},
};

// Draws the four figures, one PNG file each, running every model of a figure into it.
// The plotting object, the legend buffer and the legend-line counter are the
// program's own; the script only uses them. Another output format keyword of metafl
// may be given to write the same figures in that format, and only the first count
// figures may be drawn (only their models are run). A coarsening above 1 runs every
// model with a step that many times longer: the same figures with that many times
// fewer points per curve, for tests that read the figures in slow readers.
void draw_figures(Gravox& plot, char (&legend_buffer)[256], int& legend_line,
                  const char* format = "PNG", int count = kFigureCount, int coarsening = 1);

}  // namespace cosmology
