// Thick lines drawn in software: outlines ("rings") of the polyline widened on both
// sides, 1.5 plot units apart, so that the width is filled with lines. A wider line keeps
// only its outermost ring and fills what lies inside it (one piece for every segment,
// joint and cap, clipped to the window), so that its cost no longer grows with the width.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/devices/primitives_internal.h"

namespace gvx {
namespace {

constexpr int kMaxArcPoints = 250;
// Rings drawn one by one up to this many; a wider line is filled (by the device, or by
// horizontal lines where it cannot fill).
constexpr int kMostRings = 8;
// Most vertices of one filled piece: a cap (its arc and two ends) clipped by a window.
constexpr int kMostPieceVertices = kMaxArcPoints + 2 + 8;

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

// The points of a half circle of radius h around c from the normal direction `from`
// turning by -pi, the ends left out: a point every 2.5 plot units, at most
// kMaxArcPoints, so that the rings of a width w cost time linear in w (a half circle of
// a ring beyond a radius of about 200 plot units is a polygon of that many corners).
// Returns their number (none below three).
int arc_points(Point c, double h, double from, Point out[kMaxArcPoints]) {
    const int m = std::min(kMaxArcPoints, static_cast<int>(h * std::numbers::pi / 2.5));
    if (m < 3) return 0;
    const double step = std::numbers::pi / (m + 1);
    for (int k = 1; k <= m; ++k) {
        const double t = from - k * step;
        out[k - 1] = {c.x + h * std::cos(t), c.y + h * std::sin(t)};
    }
    return m;
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

    // Fills what this ring encloses, piece by piece, each clipped to the clipping window:
    // a quadrilateral for every segment (an open line's ends lengthened for extended
    // caps), the wedge at every joint on each side between the segments' ends and the
    // joint's points, and the half circles of round caps.
    void fill() {
        const int last_seg = line_.n - 2;
        const bool open = !line_.closed;
        const LineCap cap = s_.prims->line_cap;
        const double extend = open && cap == LineCap::extended ? h_ : 0.0;
        Point piece[kMaxArcPoints + 2];
        for (int j = 0; j <= last_seg; ++j) {
            const double back = j == 0 ? extend : 0.0, ahead = j == last_seg ? extend : 0.0;
            piece[0] = along(offset(j, j, 1), j, -back);
            piece[1] = along(offset(j + 1, j, 1), j, ahead);
            piece[2] = along(offset(j + 1, j, -1), j, ahead);
            piece[3] = along(offset(j, j, -1), j, -back);
            fill_piece(piece, 4);
        }
        for (int i = open ? 1 : 0; i <= last_seg; ++i) {
            const int a = i == 0 ? last_seg : i - 1;
            for (double side : {1.0, -1.0}) {
                Point points[2];
                const int n = joint_points(i, a, i, side, true, points);
                int k = 0;
                piece[k++] = line_.v[i];
                if (n == 1) piece[k++] = offset(i, a, side);
                for (int m = 0; m < n; ++m) piece[k++] = points[m];
                if (n == 1) piece[k++] = offset(i, i, side);
                fill_piece(piece, k);
            }
        }
        if (!open || cap != LineCap::round) return;
        const int last = line_.n - 1;
        piece[0] = offset(last, last_seg, 1);
        int k = 1 + arc_points(line_.v[last], h_, line_.angle[last_seg] + std::numbers::pi / 2,
                               piece + 1);
        piece[k++] = offset(last, last_seg, -1);
        fill_piece(piece, k);
        piece[0] = offset(0, 0, -1);
        k = 1 + arc_points(line_.v[0], h_, line_.angle[0] - std::numbers::pi / 2, piece + 1);
        piece[k++] = offset(0, 0, 1);
        fill_piece(piece, k);
    }

    // Whether this ring of a single segment lies wholly outside the clipping window:
    // the window's corners all inside the outline (a rectangle, lengthened for extended
    // caps, or the rectangle with half circles for round caps), which is convex.
    bool surrounds_window() const {
        if (line_.n != 2 || line_.closed) return false;
        const ClipWindow& w = s_.prims->clip_window;
        const double length = std::hypot(line_.v[1].x - line_.v[0].x, line_.v[1].y - line_.v[0].y);
        const LineCap cap = s_.prims->line_cap;
        const double extend = cap == LineCap::extended ? h_ : 0.0;
        for (double cx : {double(w.xmin), double(w.xmax)}) {
            for (double cy : {double(w.ymin), double(w.ymax)}) {
                const double dx = cx - line_.v[0].x, dy = cy - line_.v[0].y;
                const double t = dx * line_.cos_a[0] + dy * line_.sin_a[0];
                const double d = -dx * line_.sin_a[0] + dy * line_.cos_a[0];
                bool inside;
                if (cap == LineCap::round) {
                    const double u = std::clamp(t, 0.0, length);
                    inside = std::hypot(t - u, d) < h_ - 1.0;
                } else {
                    inside =
                        t > -extend + 1.0 && t < length + extend - 1.0 && std::fabs(d) < h_ - 1.0;
                }
                if (!inside) return false;
            }
        }
        return true;
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
        const PrimitiveState& p = *s_.prims;
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

    // Half circle around vertex c from the normal direction `from` turning by -pi.
    void arc(int c, double from) {
        Point points[kMaxArcPoints];
        const int m = arc_points(line_.v[c], h_, from, points);
        for (int k = 0; k < m; ++k) emit(points[k]);
    }

    // A convex piece of the filled width, clipped to the clipping window edge by edge,
    // to the device.
    void fill_piece(const Point* piece, int n) {
        const ClipWindow& w = s_.prims->clip_window;
        Point a[kMostPieceVertices], b[kMostPieceVertices];
        std::copy(piece, piece + n, a);
        // Each edge of the window keeps the side where coordinate `axis` times `sign` is
        // at most `limit`.
        const struct {
            bool x_axis;
            double sign, limit;
        } edges[4] = {{true, -1.0, -double(w.xmin)},
                      {true, 1.0, double(w.xmax)},
                      {false, -1.0, -double(w.ymin)},
                      {false, 1.0, double(w.ymax)}};
        for (const auto& e : edges) {
            int m = 0;
            for (int i = 0; i < n && m + 2 <= kMostPieceVertices; ++i) {
                const Point p = a[i], q = a[i + 1 < n ? i + 1 : 0];
                const double dp = e.sign * (e.x_axis ? p.x : p.y) - e.limit;
                const double dq = e.sign * (e.x_axis ? q.x : q.y) - e.limit;
                if (dp <= 0.0) b[m++] = p;
                if ((dp < 0.0 && dq > 0.0) || (dp > 0.0 && dq < 0.0)) {
                    const double t = dp / (dp - dq);
                    b[m++] = {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
                }
            }
            n = m;
            if (n < 3) return;
            std::copy(b, b + n, a);
        }
        if (!device_capabilities(s_).fills_polygons) {
            hatch_piece(a, n);
            return;
        }
        double x[kMostPieceVertices], y[kMostPieceVertices];
        for (int i = 0; i < n; ++i) {
            x[i] = a[i].x;
            y[i] = a[i].y;
        }
        if (const Warning failure = s_.device->fill_polygon(x, y, n)) warn(s_, failure);
    }

    // A device that cannot fill gets horizontal lines across the (convex) piece, as
    // close as those of a filled box: as many as the window's height allows at most.
    void hatch_piece(const Point* a, int n) {
        const double step = 1.4 / s_.frame.unit_scale;
        double ymin = a[0].y, ymax = a[0].y;
        for (int i = 1; i < n; ++i) {
            ymin = std::min(ymin, a[i].y);
            ymax = std::max(ymax, a[i].y);
        }
        for (double k = std::ceil(ymin / step); k * step <= ymax; k += 1.0) {
            const double y = k * step;
            double lo = INFINITY, hi = -INFINITY;
            for (int i = 0; i < n; ++i) {
                const Point p = a[i], q = a[i + 1 < n ? i + 1 : 0];
                if ((p.y <= y) == (q.y <= y)) continue;
                const double x = p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
            if (!(lo < hi)) continue;
            device_plot(s_, lo, y, 1);
            device_plot(s_, hi, y, 2);
        }
    }

    void draw_open() {
        const int last = line_.n - 1, last_seg = line_.n - 2;
        const LineCap cap = s_.prims->line_cap;
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

void draw_width_rings(PlotState& s, Widening how) {
    const PrimitiveState& p = *s.prims;
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
    const bool fills = s.device && !p.circle_clip && !p.line_handler;
    if (how == Widening::filled || (how == Widening::automatic && rings > kMostRings && fills)) {
        RingWriter outer(s, line, w / 2.0 / unit);
        outer.fill();
        outer.draw();
        return;
    }
    // Rings grow outwards: once one lies around the whole window, so do all wider ones.
    for (int j = 1; j <= rings; ++j) {
        const double h = (j == rings ? w / 2.0 : 1.5 * j) / unit;
        RingWriter ring(s, line, h);
        if (!p.circle_clip && ring.surrounds_window()) break;
        ring.draw();
    }
}

}  // namespace gvx
