// Thick lines drawn in software: outlines ("rings") of the polyline widened on both
// sides, 1.5 plot units apart, so that the width is filled with lines.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/devices/primitives_internal.h"

namespace gvx {
namespace {

constexpr int kMaxArcPoints = 250;

struct Point {
    double x, y;
};

// The distinct vertices of a polyline and the directions of its segments.
struct Polyline {
    Point v[kPolylineCapacity];
    double cos_a[kPolylineCapacity];  // direction of segment j, from v[j] to v[j + 1]
    double sin_a[kPolylineCapacity];
    double angle[kPolylineCapacity];
    int n = 0;
    bool closed = false;
};

// Direction of a segment in page coordinates; a segment whose x difference is at most
// 1e-6 is taken as vertical, pointing by the sign of its y difference.
double direction(double dx, double dy) {
    if (std::fabs(dx) <= 1e-6) return dy >= 0.0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
    return std::atan2(dy, dx);
}

class RingWriter {
  public:
    RingWriter(PlotState& s, const Polyline& line, double h)
        : s_(s), line_(line), h_(h), path_(s) {}

    void draw() {
        if (line_.closed)
            draw_closed();
        else
            draw_open();
    }

  private:
    // Normal of segment j (to its left on the page as the y axis points down: rotated
    // +90 degrees in page coordinates).
    Point offset(int vertex, int segment, double side) const {
        const Point& p = line_.v[vertex];
        return {p.x - side * h_ * line_.sin_a[segment], p.y + side * h_ * line_.cos_a[segment]};
    }
    // Along segment j by d.
    Point along(Point p, int segment, double d) const {
        return {p.x + d * line_.cos_a[segment], p.y + d * line_.sin_a[segment]};
    }

    void emit(Point p) {
        if (first_) {
            path_.start(p.x, p.y);
            first_ = false;
        } else {
            path_.to(p.x, p.y);
        }
    }
    // The next point starts a new path (with a move).
    void new_path() { first_ = true; }

    // The points of the joint at vertex i between segment a (arriving) and segment b
    // (leaving) on one side (+1 or -1), in the order in which the outline passes them
    // (forward: from the first vertex towards the last). Returns their number, 1 or 2.
    int joint_points(int i, int a, int b, double side, bool forward, Point out[2]) const {
        const PrimitiveState& p = s_.prims;
        double turn = line_.angle[b] - line_.angle[a];
        while (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
        while (turn <= -std::numbers::pi) turn += 2 * std::numbers::pi;
        // phi, the angle between the segments, is pi - |turn|; sin(phi/2) = cos(turn/2).
        const double half_sine = std::cos(turn / 2);
        if (p.line_join == LineJoin::sharp && half_sine > 1e-12 &&
            1.0 / half_sine <= p.miter_limit) {
            // Intersection of the two offset lines: along the bisector of the normals.
            const double nax = -line_.sin_a[a], nay = line_.cos_a[a];
            const double nbx = -line_.sin_a[b], nby = line_.cos_a[b];
            const double k = side * h_ / (1.0 + nax * nbx + nay * nby);
            out[0] = {line_.v[i].x + k * (nax + nbx), line_.v[i].y + k * (nay + nby)};
            return 1;
        }
        // A bevel: the ends of the two offset segments are joined directly.
        out[0] = offset(i, forward ? a : b, side);
        out[1] = offset(i, forward ? b : a, side);
        return 2;
    }
    void joint(int i, int a, int b, double side, bool forward) {
        Point points[2];
        const int n = joint_points(i, a, b, side, forward, points);
        for (int k = 0; k < n; ++k) emit(points[k]);
    }

    // Half circle around vertex c from the normal direction `from` turning by -pi: a
    // point every 2.5 plot units, at most kMaxArcPoints, so that the rings of a width w
    // cost time linear in w (a half circle of a ring beyond a radius of about 200 plot
    // units is a polygon of that many corners).
    void arc(int c, double from) {
        const int m = std::min(kMaxArcPoints, static_cast<int>(h_ * std::numbers::pi / 2.5));
        if (m < 3) return;
        const double step = std::numbers::pi / (m + 1);
        for (int k = 1; k <= m; ++k) {
            const double t = from - k * step;
            emit({line_.v[c].x + h_ * std::cos(t), line_.v[c].y + h_ * std::sin(t)});
        }
    }

    void draw_open() {
        const int last = line_.n - 1, last_seg = line_.n - 2;
        const LineCap cap = s_.prims.line_cap;
        const double extend = cap == LineCap::extended ? h_ : 0.0;
        new_path();
        const Point start = along(offset(0, 0, 1), 0, -extend);
        emit(start);
        for (int i = 1; i < last; ++i) joint(i, i - 1, i, 1, true);
        emit(along(offset(last, last_seg, 1), last_seg, extend));
        if (cap == LineCap::round) arc(last, line_.angle[last_seg] + std::numbers::pi / 2);
        emit(along(offset(last, last_seg, -1), last_seg, extend));
        for (int i = last - 1; i >= 1; --i) joint(i, i - 1, i, -1, false);
        emit(along(offset(0, 0, -1), 0, -extend));
        if (cap == LineCap::round) arc(0, line_.angle[0] - std::numbers::pi / 2);
        emit(start);
    }

    // A closed polyline: one loop along each side, every vertex joined like an inner one.
    // Each loop starts at the last point of the joint at vertex 0 and ends with the
    // whole of that joint, so it closes on itself.
    void draw_closed() {
        const int last_seg = line_.n - 2;
        for (double side : {1.0, -1.0}) {
            const bool forward = side > 0;
            Point first[2];
            const int n = joint_points(0, last_seg, 0, side, forward, first);
            new_path();
            emit(first[n - 1]);
            if (forward)
                for (int i = 1; i <= last_seg; ++i) joint(i, i - 1, i, side, true);
            else
                for (int i = last_seg; i >= 1; --i) joint(i, i - 1, i, side, false);
            for (int k = 0; k < n; ++k) emit(first[k]);
        }
    }

    PlotState& s_;
    const Polyline& line_;
    double h_;
    ClippedPath path_;
    bool first_ = true;
};

}  // namespace

void draw_width_rings(PlotState& s) {
    const PrimitiveState& p = s.prims;
    const double unit = s.frame.unit_scale;
    const double wide = p.line_width * unit + 0.5;
    if (!(wide < 2147483647.0)) return;
    const int w = static_cast<int>(wide);
    if (w <= 1 || p.polyline_count < 2 || !(unit > 0.0)) return;

    // Repeated vertices would give segments without a direction; a polyline that is all
    // one point (a dot) is widened as a segment of length zero.
    Polyline line;
    for (int i = 0; i < p.polyline_count; ++i) {
        const Point v{p.polyline_x[i], p.polyline_y[i]};
        if (line.n > 0 && v.x == line.v[line.n - 1].x && v.y == line.v[line.n - 1].y) continue;
        line.v[line.n++] = v;
    }
    if (line.n == 1) line.v[line.n++] = line.v[0];
    for (int j = 0; j + 1 < line.n; ++j) {
        const double a = direction(line.v[j + 1].x - line.v[j].x, line.v[j + 1].y - line.v[j].y);
        line.angle[j] = a;
        line.cos_a[j] = std::cos(a);
        line.sin_a[j] = std::sin(a);
    }
    const Point& first = line.v[0];
    const Point& last = line.v[line.n - 1];
    line.closed =
        line.n >= 3 && std::fabs(last.x - first.x) <= 0.5 && std::fabs(last.y - first.y) <= 0.5;

    const int rings = (w + 1) / 3;
    for (int j = 1; j <= rings; ++j) {
        const double h = (j == rings ? w / 2.0 : 1.5 * j) / unit;
        RingWriter(s, line, h).draw();
    }
}

}  // namespace gvx
