// The offset primitives: origin offset, line patterns (dashes, with optional colours
// per dash) and lines shifted perpendicular to their direction.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "gravox/core/colour_table.h"
#include "gravox/devices/line_style.h"
#include "gravox/devices/primitives_internal.h"

namespace gvx {
namespace {

bool patterned(const PrimitiveState& p) {
    return p.dash_count > 1;
}

bool dash_colours_apply(const PrimitiveState& p) {
    return p.dash_colour_count > 0 && patterned(p);
}

// Makes the colour of the current dash colour element the current colour.
void set_dash_colour(PlotState& s) {
    const PrimitiveState& p = *s.prims;
    set_device_colour(s, p.dash_colours[p.dash_colour_index - 1]);
}

// Loads the length of the current pattern element.
void load_dash(PrimitiveState& p) {
    const int length = p.dash_lengths[p.dash_index - 1];
    // Lengths are at least 1 (set_line_pattern refuses others); the guard keeps the
    // walk finite whatever the state holds.
    p.dash_remaining = length >= 1 ? length : 1;
}

// Ends the current pattern element and starts the next one.
void next_dash(PrimitiveState& p) {
    if (!p.dash_pen_up && p.dash_colour_count > 0)
        p.dash_colour_index = p.dash_colour_index % p.dash_colour_count + 1;
    p.dash_pen_up = !p.dash_pen_up;
    p.dash_index = p.dash_index % p.dash_count + 1;
    load_dash(p);
}

// Moves (pen up) or draws (pen down) to a point of the walk. A move starts the next
// drawn element, so it first takes that element's colour.
void walk_to(PlotState& s, bool pen_up, double x, double y) {
    if (pen_up) {
        if (dash_colours_apply(*s.prims)) set_dash_colour(s);
        move_to(s, x, y);
    } else {
        draw_to(s, x, y);
    }
}

}  // namespace

void walk_segment(PlotState& s, double x, double y) {
    PrimitiveState& p = *s.prims;
    const double x0 = p.last_x, y0 = p.last_y;
    // Direction in the mathematical sense (y up); vertical for tiny x differences.
    const double dx = x - x0, dy_up = y0 - y;
    const double alpha = std::fabs(dx) <= 1e-6
                             ? (dy_up >= 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2)
                             : std::atan2(dy_up, dx);
    const double ca = std::cos(alpha), sa = std::sin(alpha);
    p.last_x = x;
    p.last_y = y;

    double xs = x0, ys = y0, xe = x, ye = y;
    if (p.line_offset != 0.0) {
        // d plot units to the left of the direction of travel as seen on the page.
        const double ox = -p.line_offset * sa, oy = -p.line_offset * ca;
        xs += ox;
        ys += oy;
        xe += ox;
        ye += oy;
        if (p.offset_move_pending) {
            if (dash_colours_apply(p)) set_dash_colour(s);
            move_to(s, xs, ys);
            p.offset_move_pending = false;
        } else if (p.dash_pen_up) {
            move_to(s, xs, ys);
        } else {
            draw_to(s, xs, ys);
        }
    }
    if (!patterned(p)) {
        draw_to(s, xe, ye);
        return;
    }

    double left = std::hypot(xe - xs, ye - ys);
    if (!std::isfinite(left)) return;
    double px = xs, py = ys;
    while (p.dash_remaining <= left) {
        px += p.dash_remaining * ca;
        py -= p.dash_remaining * sa;
        left -= p.dash_remaining;
        walk_to(s, p.dash_pen_up, px, py);
        next_dash(p);
    }
    // The rest of the segment with the current pen; an element that ended exactly at
    // the end leaves nothing to walk.
    if (left > 0.0 && !p.dash_pen_up) draw_to(s, xe, ye);
    p.dash_remaining -= left;
}

bool set_line_pattern(PlotState& s, const int* lengths, int count) {
    if (!lengths || count < 1 || count > kMaxDashes) return false;
    for (int i = 0; i < count; ++i)
        if (lengths[i] < 1) return false;
    PrimitiveState& p = *s.prims;
    for (int i = 0; i < count; ++i) p.dash_lengths[i] = lengths[i];
    p.dash_count = count;
    p.dash_pen_up = false;
    p.dash_index = 1;
    load_dash(p);
    p.dash_colour_index = 1;
    return true;
}

bool set_dash_colours(PlotState& s, const int* colours, int count) {
    if (count < 0 || count > kMaxDashColours || (count > 0 && !colours)) return false;
    for (int i = 0; i < count; ++i)
        if (colours[i] < 0) return false;
    PrimitiveState& p = *s.prims;
    for (int i = 0; i < count; ++i) p.dash_colours[i] = colours[i];
    p.dash_colour_count = count;
    p.dash_colour_index = 1;
    return true;
}

void offset_move_to(PlotState& s, double x, double y) {
    PrimitiveState& p = *s.prims;
    x += p.origin_x;
    y += p.origin_y;
    p.last_x = x;
    p.last_y = y;
    if (p.line_offset != 0.0) {
        // The shifted start depends on the direction of the first segment.
        p.offset_move_pending = true;
        return;
    }
    if (dash_colours_apply(p)) set_dash_colour(s);
    move_to(s, x, y);
}

void offset_draw_to(PlotState& s, double x, double y) {
    PrimitiveState& p = *s.prims;
    x += p.origin_x;
    y += p.origin_y;
    if (!patterned(p) && p.line_offset == 0.0) {
        p.last_x = x;
        p.last_y = y;
        transform_vertex(s, p, x, y);
        append_vertex(s, p, x, y);
        return;
    }
    walk_segment(s, x, y);
}

void draw_segment(PlotState& s, int x1, int y1, int x2, int y2) {
    const int colour = s.colours->current_colour;
    offset_move_to(s, x1, y1);
    offset_draw_to(s, x2, y2);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

void draw_outline(PlotState& s, const double* x, const double* y, int n) {
    if (!x || !y || n < 1) return;
    const int colour = s.colours->current_colour;
    offset_move_to(s, x[0], y[0]);
    for (int i = 1; i < n; ++i) offset_draw_to(s, x[i], y[i]);
    offset_draw_to(s, x[0], y[0]);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

}  // namespace gvx

namespace gvx {

LineStyle line_style(const PlotState& s) {
    const PrimitiveState& p = *s.prims;
    LineStyle style;
    std::copy(std::begin(p.dash_lengths), std::end(p.dash_lengths), style.dash_lengths);
    style.dash_count = p.dash_count;
    style.dash_pen_up = p.dash_pen_up;
    style.dash_index = p.dash_index;
    style.dash_remaining = p.dash_remaining;
    std::copy(std::begin(p.dash_colours), std::end(p.dash_colours), style.dash_colours);
    style.dash_colour_count = p.dash_colour_count;
    style.dash_colour_index = p.dash_colour_index;
    style.line_offset = p.line_offset;
    style.offset_move_pending = p.offset_move_pending;
    return style;
}

void restore_line_style(PlotState& s, const LineStyle& style) {
    PrimitiveState& p = *s.prims;
    std::copy(std::begin(style.dash_lengths), std::end(style.dash_lengths), p.dash_lengths);
    p.dash_count = style.dash_count >= 1 && style.dash_count <= kMaxDashes ? style.dash_count : 1;
    p.dash_pen_up = style.dash_pen_up;
    p.dash_index = style.dash_index >= 1 && style.dash_index <= p.dash_count ? style.dash_index : 1;
    p.dash_remaining = style.dash_remaining;
    std::copy(std::begin(style.dash_colours), std::end(style.dash_colours), p.dash_colours);
    p.dash_colour_count = style.dash_colour_count >= 0 && style.dash_colour_count <= kMaxDashColours
                              ? style.dash_colour_count
                              : 0;
    p.dash_colour_index = style.dash_colour_index;
    p.line_offset = style.line_offset;
    p.offset_move_pending = style.offset_move_pending;
}

void use_plain_line(PlotState& s) {
    PrimitiveState& p = *s.prims;
    p.dash_count = 1;
    restart_dash(s);
    p.dash_colour_count = 0;
    p.line_offset = 0.0;
    p.offset_move_pending = false;
}

void restart_dash(PlotState& s) {
    PrimitiveState& p = *s.prims;
    p.dash_pen_up = false;
    p.dash_index = 1;
    load_dash(p);
    p.dash_colour_index = 1;
}

void start_thickness_pass(PlotState& s, int j, double unit) {
    PrimitiveState& p = *s.prims;
    const int offset = j % 2 == 0 ? j / 2 : -(j / 2);  // 0, +1, -1, +2, -2, ...
    p.line_offset = offset / unit;
    p.offset_move_pending = false;
    restart_dash(s);
}

void end_thickness_passes(PlotState& s) {
    flush_polyline(s);
    s.prims->line_offset = 0.0;
    s.prims->offset_move_pending = false;
}

int line_width(const PlotState& s) {
    return s.prims->line_width;
}

int stored_line_width(const PlotState& s, int width) {
    const bool by_device =
        width > 1 && s.prims->device_width && device_capabilities(s).draws_wide_lines;
    return by_device ? -width : width;
}

void set_line_width(PlotState& s, int width) {
    if (s.prims->line_width == width) return;
    flush_polyline(s);
    s.prims->line_width = width;
}

}  // namespace gvx
