// Drawing primitives: the polyline buffer, clipping, the device dispatch and colours.
#include <climits>
#include <cmath>

#include "gravox/core/colour_table.h"
#include "gravox/devices/primitives_internal.h"

namespace gvx {

DeviceCapabilities device_capabilities(const PlotState& s) {
    return s.device ? s.device->capabilities() : DeviceCapabilities{};
}

void reset_primitives(PlotState& s) {
    PrimitiveState& p = *s.prims;
    p.polyline_count = 0;
    p.flushing = false;
    p.clip_window = {0, 0, s.page.width, s.page.height};
    p.circle_clip = false;
    p.clip_centre_x = p.clip_centre_y = p.clip_radius = 0.0;
    p.origin_x = p.origin_y = 0;
    p.last_x = p.last_y = 0.0;
    p.pen_x = p.pen_y = 0.0;
    p.line_width = 1;
    p.line_cap = LineCap::extended;
    p.line_join = LineJoin::truncated;
    p.miter_limit = 2.0;
    const int solid = 1;
    set_line_pattern(s, &solid, 1);
    p.dash_colour_count = 0;
    p.dash_colour_index = 1;
    p.line_offset = 0.0;
    p.offset_move_pending = false;
    p.projection_on = false;
    p.affine_on = false;
    const double identity[6] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0};
    for (int i = 0; i < 6; ++i) p.affine[i] = identity[i];
    p.line_handler = nullptr;
    p.device_fill = true;  // hwmode "SHAD" holds for one plot; "LINE" is kept
    p.fill_pattern = kSolidFill;
    p.frame_colour = kCurrentColour;
    p.axis_kind = 0;
    p.axis_drops_outer_segments = false;
    // The current colour is left to the palette load of the colour layer, which
    // runs in the same reset and makes the foreground colour current.
}

// --- Device dispatch ------------------------------------------------------------------

void device_plot(PlotState& s, double x, double y, int code) {
    PrimitiveState& p = *s.prims;
    if (code == 2) {
        if (p.line_handler) {
            // The three-dimensional line modes take the segment instead of the device.
            p.line_handler(s, p.pen_x, p.pen_y, x, y);
        } else {
            if (s.frame.vector_count < INT_MAX) ++s.frame.vector_count;
            if (s.device) s.device->draw(x, y);
        }
    } else if (s.device) {
        s.device->move(x, y);
    }
    p.pen_x = x;
    p.pen_y = y;
}

namespace {

// The first n vertices to the device as one polyline: a move to the first and a draw
// to each further one, each draw counted as a vector.
void device_polyline(PlotState& s, const double* x, const double* y, int n) {
    FrameState& f = s.frame;
    const long long count = static_cast<long long>(f.vector_count) + (n - 1);
    if (f.vector_count < INT_MAX)
        f.vector_count = count < INT_MAX ? static_cast<int>(count) : INT_MAX;
    if (s.device) s.device->polyline(x, y, n);
    s.prims->pen_x = x[n - 1];
    s.prims->pen_y = y[n - 1];
}

void window_polyline(PlotState& s, const double* x, const double* y, int n);

}  // namespace

// --- Polyline buffer ------------------------------------------------------------------

void move_to(PlotState& s, double x, double y) {
    PrimitiveState& p = *s.prims;
    transform_vertex(s, p, x, y);
    flush_polyline(s);
    p.polyline_x[0] = x;
    p.polyline_y[0] = y;
    p.polyline_count = 1;
}

void continue_full_polyline(PlotState& s) {
    // A full buffer goes to the device and the polyline continues from its last
    // vertex, so the device sees one seamless line in pieces of 100 vertices.
    PrimitiveState& p = *s.prims;
    const int n = p.polyline_count;
    if (n < 1) return;
    const double lx = p.polyline_x[n - 1], ly = p.polyline_y[n - 1];
    flush_polyline(s);
    p.polyline_x[0] = lx;
    p.polyline_y[0] = ly;
    p.polyline_count = 1;
}

void draw_to(PlotState& s, double x, double y) {
    PrimitiveState& p = *s.prims;
    transform_vertex(s, p, x, y);
    const int n = p.polyline_count;
    if (n == 2) {
        // A lone dot (a move and a draw to the same point) is replaced by the new vertex.
        if (p.polyline_x[0] == p.polyline_x[1] && p.polyline_y[0] == p.polyline_y[1])
            p.polyline_count = 1;
    } else if (n > 2) {
        if (x == p.polyline_x[n - 1] && y == p.polyline_y[n - 1]) p.polyline_count = n - 1;
    }
    append_vertex(s, p, x, y);
}

void flush_polyline(PlotState& s) {
    PrimitiveState& p = *s.prims;
    const int n = p.polyline_count;
    if (n <= 0) {
        p.polyline_count = 0;
        return;
    }
    p.flushing = true;
    if (p.circle_clip || p.line_handler) {
        ClippedPath path(s);
        path.start(p.polyline_x[0], p.polyline_y[0]);
        for (int i = 1; i < n; ++i) path.to(p.polyline_x[i], p.polyline_y[i]);
    } else {
        window_polyline(s, p.polyline_x, p.polyline_y, n);
    }
    if (p.line_width > 1) draw_width_rings(s);
    p.polyline_count = 0;
    p.flushing = false;
}

// --- Clipping -------------------------------------------------------------------------

bool inside_clip(const PlotState& s, double x, double y) {
    const PrimitiveState& p = *s.prims;
    if (p.circle_clip) return std::hypot(x - p.clip_centre_x, y - p.clip_centre_y) <= p.clip_radius;
    return inside_window(p.clip_window, x, y);
}

namespace {

bool finite(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

void clip_to_window(PlotState& s, double x1, double y1, double x2, double y2) {
    const ClipWindow& w = s.prims->clip_window;
    const WindowBounds b(w);
    bool first_moved = false;
    // Each pass puts one end onto a boundary; four passes suffice, the rest is a
    // guard against rounding that keeps nudging an end across a boundary.
    for (int pass = 0; pass < 8; ++pass) {
        const int c1x = b.code_x(x1), c1y = b.code_y(y1);
        const int c2x = b.code_x(x2), c2y = b.code_y(y2);
        if (c1x == 2 && c1y == 2 && c2x == 2 && c2y == 2) {
            if (!finite(x1, y1, x2, y2)) return;
            if (first_moved) device_plot(s, x1, y1, 1);
            device_plot(s, x2, y2, 2);
            return;
        }
        if ((c1x == c2x && c1x != 2) || (c1y == c2y && c1y != 2)) return;
        const bool first = c1x != 2 || c1y != 2;
        const int cx = first ? c1x : c2x, cy = first ? c1y : c2y;
        double nx, ny;
        if (cx != 2) {
            nx = cx == 1 ? w.xmin : w.xmax;
            ny = std::fabs(x2 - x1) < 1e-35 ? (first ? y1 : y2)
                                            : y1 + (nx - x1) * (y2 - y1) / (x2 - x1);
        } else {
            ny = cy == 1 ? w.ymin : w.ymax;
            nx = std::fabs(y2 - y1) < 1e-35 ? (first ? x1 : x2)
                                            : x1 + (ny - y1) * (x2 - x1) / (y2 - y1);
        }
        if (first) {
            x1 = nx;
            y1 = ny;
            first_moved = true;
        } else {
            x2 = nx;
            y2 = ny;
        }
    }
}

double centre_distance(const PrimitiveState& p, double x, double y) {
    return std::hypot(x - p.clip_centre_x, y - p.clip_centre_y);
}

// The crossing of the circle between an inside and an outside point, by bisection.
void circle_crossing(const PrimitiveState& p, double ix, double iy, double ox, double oy,
                     double& cx, double& cy) {
    double mx = ix, my = iy;
    for (int k = 0; k < 20; ++k) {
        mx = 0.5 * (ix + ox);
        my = 0.5 * (iy + oy);
        const double d = centre_distance(p, mx, my);
        if (std::fabs(d - p.clip_radius) < 0.1) break;
        if (d <= p.clip_radius) {
            ix = mx;
            iy = my;
        } else {
            ox = mx;
            oy = my;
        }
    }
    cx = mx;
    cy = my;
}

void clip_to_circle(PlotState& s, double x1, double y1, double x2, double y2) {
    const PrimitiveState& p = *s.prims;
    const double r = p.clip_radius;
    const bool in1 = centre_distance(p, x1, y1) <= r;
    const bool in2 = centre_distance(p, x2, y2) <= r;
    if (in1 && in2) {
        device_plot(s, x2, y2, 2);
        return;
    }
    double cx, cy;
    if (in1) {
        circle_crossing(p, x1, y1, x2, y2, cx, cy);
        device_plot(s, cx, cy, 2);
        return;
    }
    if (in2) {
        circle_crossing(p, x2, y2, x1, y1, cx, cy);
        device_plot(s, cx, cy, 1);
        device_plot(s, x2, y2, 2);
        return;
    }
    // Both ends outside: the part between the two crossings, if the line cuts the circle
    // between its ends.
    const double dx = x2 - x1, dy = y2 - y1;
    if (std::fabs(dx) + std::fabs(dy) < 0.1) return;
    if (p.axis_kind >= 30 && p.axis_kind <= 39 && p.axis_drops_outer_segments) return;
    const double fx = x1 - p.clip_centre_x, fy = y1 - p.clip_centre_y;
    const double a = dx * dx + dy * dy;
    const double b = 2.0 * (fx * dx + fy * dy);
    const double c = fx * fx + fy * fy - r * r;
    const double disc = b * b - 4.0 * a * c;
    if (disc < 0.0) return;
    const double root = std::sqrt(disc);
    const double t1 = (-b - root) / (2.0 * a), t2 = (-b + root) / (2.0 * a);
    if (t1 < 0.0 || t2 > 1.0) return;
    device_plot(s, x1 + t1 * dx, y1 + t1 * dy, 1);
    device_plot(s, x1 + t2 * dx, y1 + t2 * dy, 2);
}

// A polyline through the clipping window. The vertices up to the first one outside
// reach the device as one polyline; from there on every segment is clipped. Each
// vertex's outcodes are worked out once, and a segment with both ends beyond the same
// edge is dropped at once, as the clipping would drop it.
void window_polyline(PlotState& s, const double* x, const double* y, int n) {
    const WindowBounds w(s.prims->clip_window);
    int inside = 0;
    while (inside < n && w.inside(x[inside], y[inside])) ++inside;
    if (inside > 0) device_polyline(s, x, y, inside);
    if (inside == n) return;
    const int first = inside > 0 ? inside - 1 : 0;
    int cx = w.code_x(x[first]), cy = w.code_y(y[first]);
    for (int i = first + 1; i < n; ++i) {
        const int nx = w.code_x(x[i]), ny = w.code_y(y[i]);
        const bool beyond_one_edge = (nx == cx && nx != 2) || (ny == cy && ny != 2);
        if (!beyond_one_edge) clip_segment(s, x[i - 1], y[i - 1], x[i], y[i]);
        cx = nx;
        cy = ny;
    }
}

}  // namespace

void clip_segment(PlotState& s, double x1, double y1, double x2, double y2) {
    // Segments with a coordinate that is not a number, or infinite, never reach a device.
    if (!finite(x1, y1, x2, y2)) return;
    if (s.prims->circle_clip)
        clip_to_circle(s, x1, y1, x2, y2);
    else
        clip_to_window(s, x1, y1, x2, y2);
}

// --- Colour ---------------------------------------------------------------------------

void set_device_colour(PlotState& s, int value) {
    if (value < 0) return;
    // A polyline never changes colour in the middle.
    if (!s.prims->flushing) flush_polyline(s);
    s.colours->current_colour = value;
    if (s.device) s.device->colour(value);
}

void load_device_palette(PlotState& s) {
    if (s.device && s.device->capabilities().keeps_palette)
        s.device->palette(s.colours->table, s.colours->palette_kind);
}

DeviceColour resolve_device_colour(const PlotState& s, int value) {
    DeviceColour out;
    if (value < 0) return out;
    const ColourState& c = *s.colours;
    if (is_explicit_colour(value)) {
        const Rgb rgb = explicit_components(value);
        out.red = rgb.red;
        out.green = rgb.green;
        out.blue = rgb.blue;
        out.index = s.page.colour_depth <= 8 ? nearest_table_index(c, rgb) : 0;
    } else {
        out.index = table_index(value);
        if (s.page.colour_depth > 8) {
            const Rgb rgb = entry_components(c.table[out.index]);
            out.red = rgb.red;
            out.green = rgb.green;
            out.blue = rgb.blue;
        }
    }
    return out;
}

}  // namespace gvx
