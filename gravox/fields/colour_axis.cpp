// Colour axis systems: graf3 with its colour bar, the stand-alone bar of zaxis, the
// colour range and the under and over colours, and the mapping of z onto colours.
#include <algorithm>
#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/record_reset.h"
#include "gravox/core/state.h"
#include "gravox/curves/colour.h"
#include "gravox/fields/fields.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

// Draws a colour bar with its lower left corner at (x, y), width w and length n (plot
// units), upwards from za to ze, and its z axis on the right.
void draw_colour_bar(PlotState& s, const ColourScale& scale, int x, int y, int w, int n) {
    const ColourState& c = *s.colours;
    const int first = c.colour_range_first, last = c.colour_range_last;
    const int count = last - first + 1;
    // The bar lies outside the axis rectangle: it is clipped to the page only.
    const ClipWindow saved = s.prims->clip_window;
    s.prims->clip_window = {0, 0, s.page.width, s.page.height};
    const int colour = c.current_colour;
    for (int k = 0; k < count; ++k) {
        const double lo = y - static_cast<double>(k) * (n - 1) / count;
        const double hi = y - static_cast<double>(k + 1) * (n - 1) / count;
        fill_box(s, x, lo, x + w - 1, hi, first + k);
    }
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
    draw_frame(s, x, y - n + 1, w, n, 1, 0.0);

    AxisGeometry g;
    g.x_axis = false;
    g.begin = scale.za;
    g.end = scale.ze;
    g.first = scale.first;
    g.step = scale.step;
    g.length = n;
    g.logarithmic = scale.logarithmic;
    g.side = 0;
    g.start_x = x + w - 1;
    g.start_y = y;
    draw_axis(s, g, axis_z, AxisParts::name, false);
    s.prims->clip_window = saved;
}

}  // namespace

void reset_fields(PlotState& s) {
    reset_keeping_work(*s.fields, &FieldState::work);
}

void end_field_axis(PlotState& s) {
    s.fields->axis = FieldAxis::none;
}

bool colour_axis_confused(PlotState& s) {
    if (s.fields->axis != FieldAxis::colour) return false;
    warn(s, warning::confused_3d);
    return true;
}

double scale_parameter(const ColourScale& scale, double z) {
    double v = z;
    if (scale.logarithmic) {
        if (std::isnan(z)) return z;
        if (!(z > 0.0)) return -HUGE_VAL;
        v = std::log10(z);
    }
    return (v - scale.za) / (scale.ze - scale.za);
}

int parameter_colour(const PlotState& s, double t) {
    if (std::isnan(t)) return -1;
    const ColourState& c = *s.colours;
    if (t < 0.0) return c.under_colour;
    if (t > 1.0) return c.over_colour;
    const int count = c.colour_range_last - c.colour_range_first + 1;
    const int k = std::min(static_cast<int>(t * count), count - 1);
    return c.colour_range_first + k;
}

int scale_colour(const PlotState& s, const ColourScale& scale, double z) {
    return parameter_colour(s, scale_parameter(scale, z));
}

}  // namespace gvx

using namespace gvx;

void Gravox::graf3(double xa, double xe, double x_first, double x_step, double ya, double ye,
                   double y_first, double y_step, double za, double ze, double z_first,
                   double z_step) {
    if (refused("graf3", 1, 3)) return;
    PlotState& s = state();
    // Inside a three-dimensional axis system (or on a plane of its box) graf3 is a
    // confusion of the two; elsewhere above level 1 the ordinary level warning.
    if (s.fields->axis == FieldAxis::three_d) {
        warn(s, warning::confused_3d);
        return;
    }
    if (s.frame.level != 1 && refused("graf3", 1, 1)) return;
    if (scaling_fails(s, za, ze, z_first, z_step, false)) return;
    if (!open_axis_system(s, xa, xe, x_first, x_step, ya, ye, y_first, y_step)) return;
    s.frame.level = 3;
    FieldState& f = *s.fields;
    f.axis = FieldAxis::colour;
    f.scale = {za, ze, z_first, z_step, s.axes->axis[axis_z].logarithmic};
    if (s.axes->no_axes) return;
    const AxisState& ax = *s.axes;
    draw_colour_bar(s, f.scale, ax.pos_x + ax.len_x - 1 + f.bar_distance, ax.pos_y, f.bar_width,
                    ax.len_y);
}

void Gravox::zaxis(double za, double ze, double z_first, double z_step, int length, int width,
                   int x, int y) {
    if (refused("zaxis", 1, 3)) return;
    PlotState& s = state();
    // Sizes and position stay within the plot coordinates that sums of them can reach.
    if (check_range(s, length, 2, kMaxPlotCoordinate) != 0 ||
        check_range(s, width, 1, kMaxPlotCoordinate) != 0 || check_position(s, x, y) != 0 ||
        check_block(s, x, y, width, length - 1) != 0)
        return;
    if (scaling_fails(s, za, ze, z_first, z_step, false)) return;
    const ColourScale scale{za, ze, z_first, z_step, s.axes->axis[axis_z].logarithmic};
    draw_colour_bar(s, scale, x, y, width, length);
}

void Gravox::colran(int first, int last) {
    if (refused("colran", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, first, 0, 254) != 0 || check_range(s, last, first + 1, 255) != 0) return;
    s.colours->colour_range_first = first;
    s.colours->colour_range_last = last;
}

void Gravox::clrovr(int under, int over) {
    if (refused("clrovr", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, under, -1, -2) != 0 || check_range(s, over, -1, -2) != 0) return;
    ColourState& c = *s.colours;
    c.under_colour = under < 0 ? c.colour_range_first : under;
    c.over_colour = over < 0 ? c.colour_range_last : over;
}
