// Settings of the axis system: position, size, type, scaling, which axes are drawn,
// frame, background, clipping margin, origin shift, automatic scaling and centring.
#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"

using namespace gvx;

namespace {

// Axis lengths above this would leave the range of page coordinates.
constexpr int kMaxAxisLength = 1000000;
// Frame thickness and origin shifts are bounded so that no coordinate overflows.
constexpr int kMaxFrame = 10000;
constexpr int kMaxShift = 1000000;

// A colour attribute: -1 (no colour of its own) or a colour value.
bool colour_refused(PlotState& s, int colour) {
    return check_range(s, colour, -1, -2) != 0;
}

// A point given in page coordinates (bottom origin converted) that must lie on the page
// after the origin offset; otherwise warning 2 with the offending value. Returns the
// point's y from the top, or false when refused.
bool page_point(PlotState& s, int x, int y, int& top_y) {
    const long long yy = s.page.origin == 1 ? static_cast<long long>(s.page.height) - y : y;
    const long long xs = static_cast<long long>(x) + s.prims->origin_x;
    const long long ys = yy + s.prims->origin_y;
    if (xs < 0 || xs > s.page.width) {
        warn_int(s, warning::incorrect_parameter, x);
        return false;
    }
    if (ys < 0 || ys > s.page.height) {
        warn_int(s, warning::incorrect_parameter, y);
        return false;
    }
    top_y = static_cast<int>(yy);
    return true;
}

}  // namespace

void Gravox::axspos(int x, int y) {
    if (refused("axspos", 1, 1)) return;
    PlotState& s = state();
    int top_y = 0;
    if (!page_point(s, x, y, top_y)) return;
    s.axes->pos_x = x;
    s.axes->pos_y = top_y;
    s.axes->origin_point_set = false;
}

void Gravox::axsorg(int x, int y) {
    if (refused("axsorg", 1, 1)) return;
    PlotState& s = state();
    int top_y = 0;
    if (!page_point(s, x, y, top_y)) return;
    s.axes->origin_point_x = x;
    s.axes->origin_point_y = top_y;
    s.axes->origin_point_set = true;
}

void Gravox::axslen(int nx, int ny) {
    if (refused("axslen", 1, 1)) return;
    PlotState& s = state();
    if (check_range(s, nx, 2, kMaxAxisLength) != 0) return;
    if (check_range(s, ny, 2, kMaxAxisLength) != 0) return;
    s.axes->len_x = nx;
    s.axes->len_y = ny;
}

void Gravox::axstyp(const char* type) {
    if (refused("axstyp", 1, 1)) return;
    PlotState& s = state();
    int index = match_keyword(s, "RECT+CROS", 2, type);
    if (index == 0) return;
    s.axes->crossed = index == 2;
}

void Gravox::axsscl(const char* mode, const char* axes) {
    if (refused("axsscl", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "LIN +LOG ", 2, mode);
    if (index == 0) return;
    const int letters = axis_letters(axes);
    for (int i = 0; i < 3; ++i)
        if (letters & (1 << i)) s.axes->axis[i].logarithmic = index == 2;
}

void Gravox::setgrf(const char* lower_x, const char* left_y, const char* upper_x,
                    const char* right_y) {
    if (refused("setgrf", 1, 1)) return;
    PlotState& s = state();
    const char* given[4] = {lower_x, left_y, upper_x, right_y};
    int levels[4];
    for (int i = 0; i < 4; ++i) {
        levels[i] = match_keyword(s, "NONE+LINE+TICK+LABE+NAME", 5, given[i]);
        if (levels[i] == 0) return;
    }
    for (int i = 0; i < 4; ++i) s.axes->parts[i] = static_cast<AxisParts>(levels[i] - 1);
}

void Gravox::ax2grf() {
    if (refused("ax2grf", 1, 3)) return;
    state().axes->two_axes = true;
}

void Gravox::nograf() {
    if (refused("nograf", 1, 3)) return;
    state().axes->no_axes = true;
}

void Gravox::noline(const char* axes) {
    if (refused("noline", 1, 3)) return;
    PlotState& s = state();
    const int letters = axis_letters(axes);
    for (int i = 0; i < 3; ++i)
        if (letters & (1 << i)) s.axes->axis[i].axis_line = false;
}

void Gravox::frame(int thickness) {
    if (refused("frame", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, thickness, -kMaxFrame, kMaxFrame) != 0) return;
    s.axes->frame_thickness = thickness;
}

void Gravox::frmclr(int colour) {
    if (refused("frmclr", 1, 3)) return;
    PlotState& s = state();
    if (colour_refused(s, colour)) return;
    // The primitives draw every rectangular frame in this colour.
    s.prims->frame_colour = colour;
}

void Gravox::axsbgd(int colour) {
    if (refused("axsbgd", 1, 3)) return;
    PlotState& s = state();
    if (colour_refused(s, colour)) return;
    s.axes->background = colour;
}

void Gravox::grace(int margin) {
    if (refused("grace", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, margin, -kMaxShift, kMaxShift) != 0) return;
    s.axes->grace = margin;
}

void Gravox::nochek() {
    if (refused("nochek", 1, 3)) return;
    // The switch that the curve routines test before reporting points outside the scaling.
    state().frame.check_on = false;
}

void Gravox::origin(int x, int y) {
    if (refused("origin", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, x, -kMaxShift, kMaxShift) != 0) return;
    if (check_range(s, y, -kMaxShift, kMaxShift) != 0) return;
    // The shift is the origin offset that the offset primitives and the text add.
    flush_polyline(s);
    s.prims->origin_x = x;
    s.prims->origin_y = y;
}

void Gravox::neglog(double value) {
    if (refused("neglog", 1, 3)) return;
    PlotState& s = state();
    if (!(value > 0.0) || !std::isfinite(value)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.axes->neglog_on = true;
    s.axes->neglog_value = value;
}

void Gravox::center() {
    if (refused("center", 1, 1)) return;
    state().axes->centre_request = true;
}

void Gravox::setscl(const double* data, int n, const char* axes) {
    if (refused("setscl", 1, 1)) return;
    PlotState& s = state();
    if (!data || n < 1) {
        warn_int(s, warning::incorrect_parameter, n);
        return;
    }
    bool any = false;
    double lo = 0.0, hi = 0.0;
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(data[i])) continue;
        if (!any || data[i] < lo) lo = data[i];
        if (!any || data[i] > hi) hi = data[i];
        any = true;
    }
    if (!any) {
        warn_int(s, warning::incorrect_parameter, n);
        return;
    }
    const int letters = axis_letters(axes);
    for (int i = 0; i < 3; ++i) {
        if (!(letters & (1 << i))) continue;
        AxisSettings& a = s.axes->axis[i];
        a.auto_scale = true;
        a.data_min = lo;
        a.data_max = hi;
    }
}
