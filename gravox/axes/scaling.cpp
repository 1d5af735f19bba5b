// graf: the scaling test, the scaling record, the clipping window and the drawing of
// the axis system; the user-to-plot mapping; endgrf, nxposn and nyposn.
#include <algorithm>
#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/colour_table.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

constexpr double kTiny = 1e-35;

void sorted_range(bool logarithmic, double a, double e, double range[2]) {
    double lo = std::min(a, e), hi = std::max(a, e);
    if (logarithmic) {
        lo = std::pow(10.0, lo);
        hi = std::pow(10.0, hi);
    }
    range[0] = lo;
    range[1] = hi;
}

// The parts of the record that follow from the axis position.
void fill_positions(PlotState& s) {
    AxisState& ax = *s.axes;
    ScalingRecord& r = ax.rec;
    const long long px = ax.pos_x, py = ax.pos_y;
    r.x_origin = static_cast<double>(px);
    r.y_origin = static_cast<double>(py);
    r.right_end = static_cast<int>(px + ax.len_x - 1);
    r.top_end = static_cast<int>(py - ax.len_y + 1);
    const double ox = s.prims->origin_x, oy = s.prims->origin_y;
    r.centre_x = px + ox + ax.len_x / 2.0;
    r.centre_y = py + oy - ax.len_y / 2.0;
    r.radius = std::min(ax.len_x, ax.len_y) / 2.0 + ax.grace;

    // The clipping window: the axis rectangle widened by the margin, on the page.
    const long long m = ax.grace;
    long long left = px + s.prims->origin_x - m;
    long long top = py + s.prims->origin_y - m - ax.len_y + 1;
    long long right = px + s.prims->origin_x + m + ax.len_x - 1;
    long long bottom = py + s.prims->origin_y + m;
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, static_cast<long long>(s.page.width));
    bottom = std::min(bottom, static_cast<long long>(s.page.height));
    r.clip = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
              static_cast<int>(bottom)};
}

AxisGeometry axis_geometry(const ScalingRecord& r, bool x_axis, const AxisState& ax) {
    AxisGeometry g;
    g.x_axis = x_axis;
    g.begin = x_axis ? r.xa : r.ya;
    g.end = x_axis ? r.xe : r.ye;
    g.first = x_axis ? r.x_first : r.y_first;
    g.step = x_axis ? r.x_step : r.y_step;
    g.length = x_axis ? ax.len_x : ax.len_y;
    g.logarithmic = x_axis ? r.x_log : r.y_log;
    g.crossed = ax.kind == AxisKind::crossed;
    return g;
}

// The four axes as graf draws them, in the order 1, 4, 3, 2.
struct AxisPlan {
    AxisGeometry geometry;
    AxisLetter letter;
    AxisParts parts;
};

int axis_plan(const PlotState& s, AxisPlan plan[4]) {
    const AxisState& ax = *s.axes;
    const ScalingRecord& r = ax.rec;
    const int px = ax.pos_x, py = ax.pos_y;
    const bool crossed = ax.kind == AxisKind::crossed;
    int n = 0;
    AxisGeometry lower = axis_geometry(r, true, ax);
    lower.side = 0;
    lower.start_x = px;
    lower.start_y = crossed ? ax.origin_point_y : py;
    plan[n++] = {lower, axis_x, ax.parts[0]};
    AxisGeometry left = axis_geometry(r, false, ax);
    left.side = 1;
    left.start_x = crossed ? ax.origin_point_x : px;
    left.start_y = py;
    plan[n++] = {left, axis_y, ax.parts[1]};
    if (crossed || ax.two_axes) return n;
    AxisGeometry upper = axis_geometry(r, true, ax);
    upper.side = 1;
    upper.start_x = px;
    upper.start_y = py - ax.len_y + 1;
    plan[n++] = {upper, axis_x, ax.parts[2]};
    AxisGeometry right = axis_geometry(r, false, ax);
    right.side = 0;
    right.start_x = px + ax.len_x - 1;
    right.start_y = py;
    plan[n++] = {right, axis_y, ax.parts[3]};
    return n;
}

// Places the axis system so that it sits in the middle of the page with everything
// that its axes draw beyond the axis lines: ticks, labels and names.
void centre_on_page(PlotState& s) {
    AxisState& ax = *s.axes;
    AxisPlan plan[4];
    const int n = axis_plan(s, plan);
    AxisExtent e[4];  // lower, left, upper, right
    for (int i = 0; i < n; ++i)
        e[i] = draw_axis(s, plan[i].geometry, plan[i].letter, plan[i].parts, true);
    // Beyond each side: the outward reach of the axis there, or labels of the crossing
    // axes that hang over their ends.
    const long long left_side = std::max({e[1].outward, e[0].before, e[2].before});
    const long long right_side = std::max({e[3].outward, e[0].after, e[2].after});
    const long long top_side = std::max({e[2].outward, e[1].after, e[3].after});
    const long long bottom_side = std::max({e[0].outward, e[1].before, e[3].before});
    const long long width = left_side + ax.len_x + right_side;
    const long long height = top_side + ax.len_y + bottom_side;
    long long left = (s.page.width + 1 - width) / 2 + left_side;
    long long top = (s.page.height + 1 - height) / 2 + top_side;
    long long px = std::clamp(left, 0LL, static_cast<long long>(s.page.width));
    long long py = std::clamp(top + ax.len_y - 1, 0LL, static_cast<long long>(s.page.height));
    ax.pos_x = static_cast<int>(px);
    ax.pos_y = static_cast<int>(py);
}

}  // namespace

bool scaling_fails(PlotState& s, double a, double e, double o, double step,
                   bool report_when_refused) {
    if (!std::isfinite(a) || !std::isfinite(e) || !std::isfinite(o) || !std::isfinite(step) ||
        !std::isfinite(e - a)) {
        // No mapping can be built from values beyond the number range.
        warn(s, warning::incorrect_parameter);
        return true;
    }
    bool fails = false;
    const bool equal = std::fabs(e - a) < kTiny;
    if (equal) {
        warn(s, warning::equal_scaling_ends);
        fails = true;
    }
    if (std::fabs(step) < kTiny) {
        warn(s, warning::zero_step);
        fails = true;
    }
    if (fails && !report_when_refused) return true;
    // An axis whose end is not above its begin counts as descending (equal ends too).
    if (e > a) {
        if (o < a || o > e) warn(s, warning::start_label_outside);
        if (step < 0) warn(s, warning::step_sign);
    } else {
        if (o > a || o < e) warn(s, warning::start_label_outside);
        if (step > 0) warn(s, warning::step_sign);
    }
    return fails;
}

PlotMapping plot_mapping(const PlotState& s) {
    const ScalingRecord& r = s.axes->rec;
    PlotMapping m;
    m.xa = r.xa;
    m.x_factor = r.x_factor;
    m.x_origin = r.x_origin;
    m.ya = r.ya;
    m.y_factor = r.y_factor;
    m.y_origin = r.y_origin;
    m.x_log = r.x_log;
    m.y_log = r.y_log;
    m.neglog_on = s.axes->neglog_on;
    m.neglog_value = s.axes->neglog_value;
    return m;
}

double x_to_plot(const PlotState& s, double x) {
    return plot_mapping(s).x(x);
}

double y_to_plot(const PlotState& s, double y) {
    return plot_mapping(s).y(y);
}

bool out_of_scaling(const PlotState& s, double x, double y) {
    const ScalingRecord& r = s.axes->rec;
    if (x < r.x_range[0] || x > r.x_range[1]) return true;
    if (s.axes->polar) return false;
    return y < r.y_range[0] || y > r.y_range[1];
}

ClipWindow axis_rectangle(const PlotState& s) {
    const AxisState& ax = *s.axes;
    return {ax.pos_x, ax.pos_y - ax.len_y + 1, ax.pos_x + ax.len_x - 1, ax.pos_y};
}

int axis_letters(const char* axes) {
    int letters = 0;
    if (!axes) return 0;
    for (int i = 0; i < 3 && axes[i] != '\0'; ++i) {
        switch (axes[i]) {
            case 'x':
            case 'X':
                letters |= 1;
                break;
            case 'y':
            case 'Y':
                letters |= 2;
                break;
            case 'z':
            case 'Z':
                letters |= 4;
                break;
            default:
                break;
        }
    }
    return letters;
}

void end_axis_system(PlotState& s) {
    s.axes->kind = AxisKind::none;
    s.axes->polar = false;
    s.prims->axis_kind = 0;
    s.frame.level = 1;
}

void reset_axes(PlotState& s) {
    AxisState& ax = *s.axes;
    const bool outward = ax.tick_outward;
    const int day = ax.base_day, month = ax.base_month, year = ax.base_year;
    ax = AxisState{};
    ax.tick_outward = outward;
    ax.base_day = day;
    ax.base_month = month;
    ax.base_year = year;
    ax.pos_x = s.page.axis_pos_x;
    ax.pos_y = s.page.axis_pos_y;
    ax.len_x = std::max(s.page.axis_len_x, 2);
    ax.len_y = std::max(s.page.axis_len_y, 2);
}

}  // namespace gvx

using namespace gvx;

void Gravox::graf(double xa, double xe, double x_first, double x_step, double ya, double ye,
                  double y_first, double y_step) {
    if (refused("graf", 1, 1)) return;
    open_axis_system(state(), xa, xe, x_first, x_step, ya, ye, y_first, y_step);
}

bool gvx::open_axis_system(PlotState& s, double xa, double xe, double x_first, double x_step,
                           double ya, double ye, double y_first, double y_step) {
    AxisState& ax = *s.axes;
    ax.polar = false;
    s.frame.level = 2;

    if (ax.axis[axis_x].auto_scale) auto_scale_axis(s, axis_x, xa, xe, x_first, x_step);
    if (ax.axis[axis_y].auto_scale) auto_scale_axis(s, axis_y, ya, ye, y_first, y_step);

    const bool x_fails = scaling_fails(s, xa, xe, x_first, x_step);
    const bool y_fails = scaling_fails(s, ya, ye, y_first, y_step);
    if (x_fails || y_fails) {
        s.frame.level = 1;
        return false;
    }
    const bool x_log = ax.axis[axis_x].logarithmic, y_log = ax.axis[axis_y].logarithmic;
    if (ax.crossed && (x_log || y_log)) {
        warn(s, warning::crossed_needs_linear);
        s.frame.level = 1;
        return false;
    }

    ScalingRecord& r = ax.rec;
    r = ScalingRecord{};
    r.xa = xa, r.xe = xe, r.x_first = x_first, r.x_step = x_step;
    r.ya = ya, r.ye = ye, r.y_first = y_first, r.y_step = y_step;
    r.x_log = x_log;
    r.y_log = y_log;
    r.x_factor = (ax.len_x - 1) / (xe - xa);
    r.y_factor = (ax.len_y - 1) / (ye - ya);
    sorted_range(x_log, xa, xe, r.x_range);
    sorted_range(y_log, ya, ye, r.y_range);
    fill_positions(s);

    if (ax.crossed) {
        const bool inside = r.x_range[0] - kTiny <= 0.0 && 0.0 <= r.x_range[1] + kTiny &&
                            r.y_range[0] - kTiny <= 0.0 && 0.0 <= r.y_range[1] + kTiny;
        if (!inside) {
            warn(s, warning::no_crossing_origin);
            s.frame.level = 1;
            return false;
        }
        if (ax.origin_point_set) {
            ax.pos_x = truncate_coordinate(ax.origin_point_x +
                                           std::trunc((ax.len_x - 1) * xa / (xe - xa)));
            ax.pos_y = truncate_coordinate(
                ax.origin_point_y + std::trunc(ax.len_y - (ax.len_y - 1) * ye / (ye - ya)) - 1);
            fill_positions(s);
        } else {
            ax.origin_point_x = round_coordinate(x_to_plot(s, 0.0));
            ax.origin_point_y = round_coordinate(y_to_plot(s, 0.0));
        }
    }
    ax.kind = ax.crossed ? AxisKind::crossed : AxisKind::rectangular;
    s.prims->axis_kind = static_cast<int>(ax.kind);

    if (ax.centre_request && !ax.crossed) {
        centre_on_page(s);
        ax.centre_request = false;
        fill_positions(s);
    }

    if (ax.no_axes) return true;

    const int px = ax.pos_x, py = ax.pos_y, nx = ax.len_x, ny = ax.len_y;
    if (ax.background >= 0) {
        const int colour = s.colours->current_colour;
        fill_box(s, px, py - ny + 1, px + nx - 1, py, ax.background);
        if (s.colours->current_colour != colour) set_device_colour(s, colour);
    }

    AxisPlan plan[4];
    const int n = axis_plan(s, plan);
    for (int i = 0; i < n; ++i)
        draw_axis(s, plan[i].geometry, plan[i].letter, plan[i].parts, false);

    if (ax.frame_thickness != 0 && ax.kind != AxisKind::crossed)
        draw_frame(s, px, py - ny + 1, nx, ny, ax.frame_thickness, 0.0);
    return true;
}

int Gravox::nxposn(double x) {
    if (refused("nxposn", 2, 3)) return 0;
    return truncate_coordinate(x_to_plot(state(), x) + 0.5);
}

int Gravox::nyposn(double y) {
    if (refused("nyposn", 2, 3)) return 0;
    PlotState& s = state();
    if (s.axes->polar) {
        warn(s, warning::not_for_polar);
        return 0;
    }
    const double v = y_to_plot(s, y) + 0.5;
    return truncate_coordinate(s.page.origin == 1 ? s.page.height - std::trunc(v) : v);
}
