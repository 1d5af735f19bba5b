// What curves and legends read of the current axis system.
#include "gravox/curves/axis_view.h"

#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"

namespace gvx {

AxisView axis_view(const PlotState& s) {
    const AxisState& ax = *s.axes;
    const ScalingRecord& r = ax.rec;
    AxisView v;
    const ClipWindow rect = axis_rectangle(s);
    v.left = rect.xmin;
    v.top = rect.ymin;
    v.right = rect.xmax;
    v.bottom = rect.ymax;
    v.clip = r.clip;
    v.x_low = r.x_range[0];
    v.x_high = r.x_range[1];
    v.y_low = r.y_range[0];
    v.y_high = r.y_range[1];
    v.log_x = r.x_log;
    v.log_y = r.y_log;
    v.neglog = ax.neglog_on;
    v.polar = ax.polar;
    v.circle = ax.polar;
    v.centre_x = r.centre_x;
    v.centre_y = r.centre_y;
    v.radius = r.radius;
    return v;
}

double plot_x(const PlotState& s, double x) {
    return x_to_plot(s, x);
}

double plot_y(const PlotState& s, double y) {
    return y_to_plot(s, y);
}

void polar_point(const PlotState& s, double r, double a, double& px, double& py) {
    // The radius runs along the x scaling from the centre; angles count
    // counter-clockwise on the page, as y grows downwards.
    const ScalingRecord& rec = s.axes->rec;
    const double radius = (r - rec.xa) * rec.x_factor;
    px = rec.centre_x - s.prims->origin_x + radius * std::cos(a);
    py = rec.centre_y - s.prims->origin_y - radius * std::sin(a);
}

int frame_thickness(const PlotState& s) {
    return s.axes->frame_thickness;
}

}  // namespace gvx
