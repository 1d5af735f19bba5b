// What curves and legends read of the current axis system, gathered in one place: the
// axis rectangle, the user ranges, the kind of scaling and the user-to-plot mapping.
#pragma once

#include "gravox/devices/primitives.h"

namespace gvx {

struct PlotState;

struct AxisView {
    // Axis rectangle in plot units: (left, top) to (right, bottom), edges included.
    int left = 0, top = 0, right = 0, bottom = 0;
    // The window curves are cut to: the inside of the rectangle, widened by the
    // clipping margin of the axis system.
    ClipWindow clip;
    // User ranges of the axes, the smaller value first (powers of ten on log axes).
    double x_low = 0.0, x_high = 0.0, y_low = 0.0, y_high = 0.0;
    bool log_x = false, log_y = false;
    bool neglog = false;  // non-positive values on log axes are mapped to a fixed value
    bool polar = false;   // x is the radius, y the angle in radians
    bool circle = false;  // curves are clipped to a circle around the centre
    double centre_x = 0.0, centre_y = 0.0, radius = 0.0;
};

AxisView axis_view(const PlotState& s);

// The user-to-plot mapping of the axis system (clamped to +-1,000,000).
double plot_x(const PlotState& s, double x);
double plot_y(const PlotState& s, double y);
// A point of a polar axis system (radius r, angle a in radians) in plot units.
void polar_point(const PlotState& s, double r, double a, double& px, double& py);

// Thickness of the axis-system frame (`frame`), used by the legend measures.
int frame_thickness(const PlotState& s);

}  // namespace gvx
