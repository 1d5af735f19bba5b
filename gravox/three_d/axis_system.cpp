// The three-dimensional axis system: box size, viewpoint, focus and up direction, the
// perspective projection, graf3d with its axes, box3d, grid3d and pos3pt.
#include <algorithm>
#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/record_reset.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/fields/fields.h"
#include "gravox/gravox.h"
#include "gravox/three_d/three_d_internal.h"

namespace gvx {

namespace {

constexpr double kPi = 3.14159265358979323846;

double half(const PlotState& s, int k) {
    return s.three_d->len[k] / 2.0;
}

Vec3 corner(const PlotState& s, int k) {
    return {(k & 1 ? 1 : -1) * half(s, 0), (k & 2 ? 1 : -1) * half(s, 1),
            (k & 4 ? 1 : -1) * half(s, 2)};
}

// One three-dimensional segment in box coordinates.
void line3(PlotState& s, Vec3 a, Vec3 b) {
    const Projected p = project(s.three_d->cam, a), q = project(s.three_d->cam, b);
    move_to(s, p.x, p.y);
    draw_to(s, q.x, q.y);
}

double sign_of(double v) {
    return v > 0.0 ? 1.0 : -1.0;
}

// Draws one axis of the box from a to b (box coordinates, values va and vb at its ends)
// with ticks and labels lying in the plane of the axis and the outward direction n.
void draw_box_axis(PlotState& s, AxisLetter letter, Vec3 a, Vec3 b, Vec3 n) {
    ThreeDState& t = *s.three_d;
    const BoxAxis& ax = t.axis[letter];
    double va = ax.a, vb = ax.e, first = ax.first, step = ax.step;
    const bool along_page_x = letter != axis_z;
    Projected pa = project(t.cam, a), pb = project(t.cam, b);
    // x and y axes run from left to right on the page, the z axis upwards.
    const bool swap = along_page_x ? pb.x < pa.x : pb.y > pa.y;
    if (swap) {
        std::swap(a, b);
        std::swap(va, vb);
        std::swap(pa, pb);
        // The same labels counted from the other end.
        const double n = std::floor((ax.e - ax.first) / ax.step + 1e-9);
        if (n >= 0.0 && n < kMaxAxisMarks) first = ax.first + n * ax.step;
        step = -ax.step;
    }
    const double plot_length = std::hypot(pb.x - pa.x, pb.y - pa.y);
    if (!(plot_length >= 2.0) || plot_length > kPlotLimit) return;  // seen end-on
    const int length = static_cast<int>(plot_length);
    const Vec3 along = (1.0 / (length - 1)) * (b - a);
    const double k = std::sqrt(dot(along, along));
    HookPlane& pl = t.plane;
    pl.origin = a;
    Vec3 across = k * n;
    int side = 0;
    // The plane must not appear mirrored on the page, or the labels read backwards.
    const auto mirrored = [&](Vec3 ex, Vec3 ey) {
        const Projected o = project(t.cam, a), px = project(t.cam, a + ex),
                        py = project(t.cam, a + ey);
        return (px.x - o.x) * (py.y - o.y) - (px.y - o.y) * (py.x - o.x) < 0.0;
    };
    if (along_page_x) {
        pl.ex = along;
        if (mirrored(along, across)) {
            across = -1.0 * across;
            side = 1;
        }
        pl.ey = across;
    } else {
        pl.ey = -1.0 * along;
        if (mirrored(across, pl.ey)) {
            across = -1.0 * across;
            side = 1;
        }
        pl.ex = across;
    }
    AxisGeometry g;
    g.x_axis = along_page_x;
    g.begin = va;
    g.end = vb;
    g.first = first;
    g.step = step;
    g.length = length;
    g.side = side;
    g.start_x = 0;
    g.start_y = 0;
    g.logarithmic = ax.logarithmic;
    flush_polyline(s);
    PrimitiveState& p = *s.prims;
    p.projection = plane_projection;
    p.projection_on = true;
    draw_axis(s, g, letter, AxisParts::name, false);
    flush_polyline(s);
    p.projection_on = false;
}

void draw_axes(PlotState& s) {
    const ThreeDState& t = *s.three_d;
    const double hx = half(s, 0), hy = half(s, 1), hz = half(s, 2);
    const Vec3 e = t.cam.eye;
    // x and y axes on the lower edges of the faces turned towards the eye.
    const double sx = sign_of(e.x), sy = sign_of(e.y);
    draw_box_axis(s, axis_x, {-hx, sy * hy, -hz}, {hx, sy * hy, -hz}, {0.0, sy, 0.0});
    draw_box_axis(s, axis_y, {sx * hx, -hy, -hz}, {sx * hx, hy, -hz}, {sx, 0.0, 0.0});
    // The z axis on the vertical edge that appears leftmost, its labels to the left.
    int best = 0;
    double best_x = 0.0;
    for (int k = 0; k < 4; ++k) {
        const double x = project(t.cam, corner(s, k)).x;
        if (k == 0 || x < best_x) {
            best = k;
            best_x = x;
        }
    }
    const Vec3 low = corner(s, best), high = corner(s, best + 4);
    const Vec3 nx{sign_of(low.x), 0.0, 0.0}, ny{0.0, sign_of(low.y), 0.0};
    const double dx = project(t.cam, low + nx).x, dy = project(t.cam, low + ny).x;
    draw_box_axis(s, axis_z, low, high, dx < dy ? nx : ny);
}

bool set_box_axis(PlotState& s, AxisLetter letter, double a, double e, double first, double step) {
    if (s.axes->axis[letter].auto_scale) auto_scale_axis(s, letter, a, e, first, step);
    if (scaling_fails(s, a, e, first, step)) return false;
    BoxAxis& b = s.three_d->axis[letter];
    b = {a, e, first, step, half(s, letter), s.axes->axis[letter].logarithmic};
    return true;
}

// Grid lines of one family on the face where coordinate `fixed` is at `level`: lines of
// constant `var` (at the label positions divided by n) spanning coordinate `span`.
void face_grid(PlotState& s, int var, int span, int fixed, double level, int n) {
    const BoxAxis& ax = s.three_d->axis[var];
    const double step = ax.step / n;
    const double lo = std::min(ax.a, ax.e), hi = std::max(ax.a, ax.e);
    const double count = std::floor((hi - lo) / std::fabs(step) + 1e-9);
    if (!(count < kMaxAxisMarks)) return;
    const double begin =
        ax.first - std::ceil((ax.first - lo) / std::fabs(step) - 1e-9) * std::fabs(step);
    for (int k = 0; k <= static_cast<int>(count) + 1; ++k) {
        const double v = begin + k * std::fabs(step);
        if (v < lo - 1e-9 * (hi - lo) || v > hi + 1e-9 * (hi - lo)) continue;
        double a[3], b[3];
        a[var] = b[var] = -ax.half + (v - ax.a) / (ax.e - ax.a) * 2.0 * ax.half;
        a[fixed] = b[fixed] = level;
        a[span] = -half(s, span);
        b[span] = half(s, span);
        line3(s, {a[0], a[1], a[2]}, {b[0], b[1], b[2]});
    }
}

}  // namespace

Vec3 resolve_point(const PlotState& s, const GivenPoint& p, Vec3 centre, double auto_distance) {
    switch (p.mode) {
        case PointMode::user:
            return user_to_box(s, p.v.x, p.v.y, p.v.z);
        case PointMode::angles: {
            const double az = p.v.x * kPi / 180.0, el = p.v.y * kPi / 180.0;
            const double d = p.v.z > 0.0 ? p.v.z : auto_distance;
            return centre +
                   d * Vec3{std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), std::sin(el)};
        }
        case PointMode::absolute:
            break;
    }
    return p.v;
}

double BoxAxis::to_box(double v) const {
    if (logarithmic) v = v > 0.0 ? std::log10(v) : NAN;
    return -half + (v - a) / (e - a) * 2.0 * half;
}

void reset_three_d(PlotState& s) {
    reset_keeping_work(*s.three_d, &ThreeDState::work);
}

bool three_d_open(const PlotState& s) {
    return s.frame.level == 3 && s.fields->axis == FieldAxis::three_d;
}

Projected project(const Camera& c, Vec3 p) {
    const Vec3 d = p - c.eye;
    const double depth = dot(d, c.w);
    // Points at or behind the eye lie infinitely far out; the clipping drops them.
    const double inv = depth > 1e-12 ? 1.0 / depth : 1e12;
    auto limit = [](double v) { return std::clamp(v, -kPlotLimit, kPlotLimit); };
    return {limit(c.cx + c.scale * dot(d, c.r) * inv), limit(c.cy - c.scale * dot(d, c.u) * inv),
            depth};
}

Vec3 user_to_box(const PlotState& s, double x, double y, double z) {
    const BoxAxis* a = s.three_d->axis;
    return {a[0].to_box(x), a[1].to_box(y), a[2].to_box(z)};
}

bool setup_camera(PlotState& s, bool centre_on_page) {
    ThreeDState& t = *s.three_d;
    const double diagonal =
        std::sqrt(t.len[0] * t.len[0] + t.len[1] * t.len[1] + t.len[2] * t.len[2]);
    const Vec3 focus = resolve_point(s, t.focus, {}, 0.0);
    const Vec3 eye = resolve_point(s, t.view, focus, 2.5 * diagonal);
    Camera c;
    c.eye = eye;
    c.w = unit(focus - eye);
    const bool inside = std::fabs(eye.x) <= half(s, 0) && std::fabs(eye.y) <= half(s, 1) &&
                        std::fabs(eye.z) <= half(s, 2);
    if (inside || dot(c.w, c.w) == 0.0 || !std::isfinite(dot(eye, eye))) return false;
    Vec3 right = cross(c.w, t.up);
    if (dot(right, right) < 1e-18 * dot(t.up, t.up)) right = cross(c.w, {0.0, 1.0, 0.0});
    c.r = unit(right);
    c.u = cross(c.r, c.w);
    double xmin = HUGE_VAL, xmax = -HUGE_VAL, ymin = HUGE_VAL, ymax = -HUGE_VAL;
    for (int k = 0; k < 8; ++k) {
        const Vec3 d = corner(s, k) - eye;
        const double depth = dot(d, c.w);
        if (!(depth > 1e-9 * diagonal)) return false;  // part of the box behind the eye
        const double x = dot(d, c.r) / depth, y = -dot(d, c.u) / depth;
        xmin = std::min(xmin, x);
        xmax = std::max(xmax, x);
        ymin = std::min(ymin, y);
        ymax = std::max(ymax, y);
    }
    const AxisState& ax = *s.axes;
    const double w = std::max(xmax - xmin, 1e-12), h = std::max(ymax - ymin, 1e-12);
    c.scale = std::min((ax.len_x - 1) / w, (ax.len_y - 1) / h);
    double mx = ax.pos_x + (ax.len_x - 1) / 2.0, my = ax.pos_y - (ax.len_y - 1) / 2.0;
    if (centre_on_page) {
        mx = s.page.width / 2.0;
        my = s.page.height / 2.0;
    }
    c.cx = mx - c.scale * (xmin + xmax) / 2.0;
    c.cy = my - c.scale * (ymin + ymax) / 2.0;
    t.cam = c;
    return true;
}

void plane_projection(PlotState& s, double& x, double& y) {
    const HookPlane& p = s.three_d->plane;
    const Projected q = project(s.three_d->cam, p.origin + x * p.ex + y * p.ey);
    x = q.x;
    y = q.y;
}

}  // namespace gvx

using namespace gvx;

namespace {

// Reads a point mode keyword; 0 after warning 2.
int point_mode(PlotState& s, const char* mode) {
    return match_keyword(s, "ABS +USER+ANGL", 3, mode);
}

bool finite3(double x, double y, double z) {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

}  // namespace

void Gravox::axis3d(double xlen, double ylen, double zlen) {
    if (refused("axis3d", 1, 1)) return;
    PlotState& s = state();
    const double v[3] = {xlen, ylen, zlen};
    for (double l : v) {
        if (!(l > 0.0) || l > 1e6) {
            warn(s, warning::incorrect_parameter);
            return;
        }
    }
    for (int k = 0; k < 3; ++k) s.three_d->len[k] = v[k];
}

void Gravox::view3d(double x, double y, double z, const char* mode) {
    if (refused("view3d", 1, 1)) return;
    PlotState& s = state();
    const int m = point_mode(s, mode);
    if (m == 0) return;
    if (!finite3(x, y, z) || (m == 3 && z < 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (m == 1 && std::fabs(x) <= s.three_d->len[0] / 2 && std::fabs(y) <= s.three_d->len[1] / 2 &&
        std::fabs(z) <= s.three_d->len[2] / 2) {
        warn(s, warning::incorrect_viewpoint);
        return;
    }
    s.three_d->view = {static_cast<PointMode>(m), {x, y, z}};
}

void Gravox::vfoc3d(double x, double y, double z, const char* mode) {
    if (refused("vfoc3d", 1, 1)) return;
    PlotState& s = state();
    const int m = match_keyword(s, "ABS +USER", 2, mode);
    if (m == 0) return;
    if (!finite3(x, y, z)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.three_d->focus = {static_cast<PointMode>(m), {x, y, z}};
}

void Gravox::vup3d(double x, double y, double z) {
    if (refused("vup3d", 1, 1)) return;
    PlotState& s = state();
    if (!finite3(x, y, z) || (x == 0.0 && y == 0.0 && z == 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.three_d->up = {x, y, z};
}

void Gravox::graf3d(double xa, double xe, double x_first, double x_step, double ya, double ye,
                    double y_first, double y_step, double za, double ze, double z_first,
                    double z_step) {
    if (refused("graf3d", 1, 3)) return;
    PlotState& s = state();
    // Inside a colour axis system graf3d is a confusion of the two; elsewhere above
    // level 1 the ordinary level warning.
    if (colour_axis_confused(s) || (s.frame.level != 1 && refused("graf3d", 1, 1))) return;
    const bool x_ok = set_box_axis(s, axis_x, xa, xe, x_first, x_step);
    const bool y_ok = set_box_axis(s, axis_y, ya, ye, y_first, y_step);
    const bool z_ok = set_box_axis(s, axis_z, za, ze, z_first, z_step);
    if (!x_ok || !y_ok || !z_ok) return;
    AxisState& ax = *s.axes;
    if (!setup_camera(s, ax.centre_request)) {
        warn(s, warning::incorrect_viewpoint);
        return;
    }
    ax.centre_request = false;
    s.frame.level = 3;
    s.fields->axis = FieldAxis::three_d;
    // Everything in the box is projected: it is cut to the page only.
    s.prims->clip_window = {0, 0, s.page.width, s.page.height};
    if (ax.no_axes) return;
    draw_axes(s);
}

void Gravox::box3d() {
    if (refused("box3d", 3, 3)) return;
    PlotState& s = state();
    if (refuses_system(s)) return;
    for (int k = 0; k < 8; ++k)
        for (int bit = 1; bit < 8; bit <<= 1)
            if (!(k & bit)) line3(s, corner(s, k), corner(s, k | bit));
    flush_polyline(s);
}

void Gravox::grid3d(int nx, int ny, const char* faces) {
    if (refused("grid3d", 3, 3)) return;
    PlotState& s = state();
    if (refuses_system(s)) return;
    if (check_range(s, nx, 1, 100) != 0 || check_range(s, ny, 1, 100) != 0) return;
    const int which = match_keyword(s, "ALL +BACK+BOTT", 3, faces);
    if (which == 0) return;
    const Vec3 e = s.three_d->cam.eye;
    // The far faces: the floor (or the ceiling seen from below) and the two back walls.
    const double floor = -sign_of(e.z) * half(s, 2);
    const double wall_x = -sign_of(e.x) * half(s, 0), wall_y = -sign_of(e.y) * half(s, 1);
    const int nz = ny;
    if (which != 2) {  // the floor: lines of constant x and of constant y
        face_grid(s, 0, 1, 2, floor, nx);
        face_grid(s, 1, 0, 2, floor, ny);
    }
    if (which != 3) {  // the back walls: verticals and horizontals
        face_grid(s, 1, 2, 0, wall_x, ny);
        face_grid(s, 2, 1, 0, wall_x, nz);
        face_grid(s, 0, 2, 1, wall_y, nx);
        face_grid(s, 2, 0, 1, wall_y, nz);
    }
    flush_polyline(s);
}

void Gravox::pos3pt(double x, double y, double z, double& xp, double& yp) {
    if (refused("pos3pt", 3, 3)) return;
    PlotState& s = state();
    if (refuses_system(s)) return;
    const Projected p = project(s.three_d->cam, user_to_box(s, x, y, z));
    xp = p.x;
    yp = p.y;
}
