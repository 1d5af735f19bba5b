// Helpers shared by the files of the fields subsystem.
#pragma once

#include "gravox/fields/fields.h"

namespace gvx {

// At level 3: true (after warning 35) when the axis system is not a colour axis system.
bool refuses_colour_axis(PlotState& s);
// At levels 2 and 3: true (after warning 35) inside a three-dimensional axis system.
bool refuses_three_d(PlotState& s);
// Checks a grid and its matrix: arrays present (warning 2), sizes at least `least`
// (warning 2 with the size) and, with `ordered`, values strictly monotonic (warning
// 341). True when refused.
bool refuses_grid(PlotState& s, const double* x, int nx, const double* y, int ny, const double* z,
                  int least, bool ordered);

// The grid of a matrix spread over the axis system, in user values.
void axis_grid(PlotState& s, int nx, int ny, std::vector<double>& gx, std::vector<double>& gy);

// An arrow head with its tip at (x, y) pointing along the unit vector (ux, uy) in plot
// coordinates: kind 1 two lines, kind 2 a filled triangle in the current colour.
void draw_arrow_head(PlotState& s, double x, double y, double ux, double uy, double length,
                     int kind);

}  // namespace gvx
