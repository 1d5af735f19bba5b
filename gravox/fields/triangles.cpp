// Triangulated fields: colouring a triangulated surface over the colour axis system
// (crvtri) and the Delaunay triangulation of scattered points (triang).
#include <algorithm>
#include <cmath>
#include <vector>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/curves/colour.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

// A corner of a band polygon: plot coordinates and the position on the colour scale.
struct Corner {
    double x, y, t;
};

// Largest corner count of a triangle cut by two parallel lines, with room to spare.
constexpr int kBandCorners = 8;

// The point where the edge between a and b reaches the position `level`, computed from
// the end with the lower position so that both triangles of a shared edge find the
// same point.
Corner crossing(const Corner& a, const Corner& b, double level) {
    const Corner& lo = a.t < b.t ? a : b;
    const Corner& hi = a.t < b.t ? b : a;
    const double u = (level - lo.t) / (hi.t - lo.t);
    return {lo.x + u * (hi.x - lo.x), lo.y + u * (hi.y - lo.y), level};
}

// Keeps the part of a convex polygon with t >= level (above) or t <= level (below).
int clip(const Corner* in, int n, double level, bool above, Corner* out) {
    const auto inside = [&](const Corner& c) { return above ? c.t >= level : c.t <= level; };
    int m = 0;
    for (int k = 0; k < n; ++k) {
        const Corner& a = in[k];
        const Corner& b = in[(k + 1) % n];
        if (inside(a)) out[m++] = a;
        if (inside(a) != inside(b)) out[m++] = crossing(a, b, level);
    }
    return m;
}

double twice_area(const Corner* c, int n) {
    double a = 0.0;
    for (int k = 0; k < n; ++k) {
        const Corner& p = c[k];
        const Corner& q = c[(k + 1) % n];
        a += p.x * q.y - q.x * p.y;
    }
    return a;
}

// Fills a triangle band by band: band k of the N colours covers the positions k / N to
// (k + 1) / N, band -1 those below 0 (under colour) and band N those above 1 (over).
class TrianglePainter {
  public:
    explicit TrianglePainter(PlotState& s)
        : s_(s), count_(s.colours->colour_range_last - s.colours->colour_range_first + 1) {}

    void paint(const Corner (&corner)[3]) {
        double lo = corner[0].t, hi = corner[0].t;
        for (const Corner& c : corner) {
            lo = std::min(lo, c.t);
            hi = std::max(hi, c.t);
        }
        const int last = band_of(hi);
        for (int k = band_of(lo); k <= last; ++k) {
            Corner a[kBandCorners], b[kBandCorners];
            int n = 3;
            std::copy(corner, corner + 3, a);
            if (k >= 0)
                n = clip(a, n, static_cast<double>(k) / count_, true, b);
            else
                std::copy(a, a + n, b);
            if (k < count_)
                n = clip(b, n, k + 1 == count_ ? 1.0 : (k + 1.0) / count_, false, a);
            else
                std::copy(b, b + n, a);
            if (n < 3 || std::fabs(twice_area(a, n)) < 1e-9) continue;
            const int colour = parameter_colour(s_, (k + 0.5) / count_);
            if (colour < 0) continue;
            if (colour != s_.colours->current_colour) set_device_colour(s_, colour);
            double x[kBandCorners], y[kBandCorners];
            for (int i = 0; i < n; ++i) {
                x[i] = a[i].x;
                y[i] = a[i].y;
            }
            fill_polygon(s_, x, y, n);
        }
    }

  private:
    int band_of(double t) const {
        if (t < 0.0) return -1;
        if (t > 1.0) return count_;
        return std::min(static_cast<int>(t * count_), count_ - 1);
    }

    PlotState& s_;
    const int count_;
};

// --- Delaunay triangulation by incremental insertion ----------------------------------

struct Triangle {
    int a, b, c;        // counter-clockwise corners
    double cx, cy, r2;  // circumscribed circle
    bool dead;
};

struct Edge {
    int a, b;
};

class Delaunay {
  public:
    Delaunay(const double* x, const double* y, int n) : n_(n), px_(n + 3), py_(n + 3) {
        double xmin = x[0], xmax = x[0], ymin = y[0], ymax = y[0];
        for (int k = 1; k < n; ++k) {
            xmin = std::min(xmin, x[k]);
            xmax = std::max(xmax, x[k]);
            ymin = std::min(ymin, y[k]);
            ymax = std::max(ymax, y[k]);
        }
        const double cx = (xmin + xmax) / 2, cy = (ymin + ymax) / 2;
        double size = std::max(xmax - xmin, ymax - ymin);
        if (!(size > 0.0)) size = 1.0;
        for (int k = 0; k < n; ++k) {
            px_[k] = (x[k] - cx) / size;
            py_[k] = (y[k] - cy) / size;
        }
        // A triangle far around the unit square holds every point.
        constexpr double kFar = 1e4;
        px_[n] = -kFar, py_[n] = -kFar;
        px_[n + 1] = kFar, py_[n + 1] = -kFar;
        px_[n + 2] = 0.0, py_[n + 2] = kFar;
        add(n, n + 1, n + 2);
        for (int k = 0; k < n; ++k) insert(k);
    }

    // The triangles without a corner of the outer triangle.
    template <typename F>
    void each(F f) const {
        for (const Triangle& t : tri_)
            if (!t.dead && t.a < n_ && t.b < n_ && t.c < n_) f(t);
    }

  private:
    void add(int a, int b, int c) {
        const double ax = px_[a], ay = py_[a];
        const double bx = px_[b] - ax, by = py_[b] - ay;
        const double cx = px_[c] - ax, cy = py_[c] - ay;
        const double d = 2.0 * (bx * cy - by * cx);
        const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
        const double ux = (cy * b2 - by * c2) / d, uy = (bx * c2 - cx * b2) / d;
        tri_.push_back({a, b, c, ax + ux, ay + uy, ux * ux + uy * uy, false});
    }

    // Removes the triangles whose circle holds the point strictly inside (a tiny
    // margin keeps the corners of a square, which share one circle, as they are) and
    // joins the point to the edges of the hole.
    void insert(int p) {
        const double x = px_[p], y = py_[p];
        edges_.clear();
        for (Triangle& t : tri_) {
            if (t.dead) continue;
            const double dx = x - t.cx, dy = y - t.cy;
            if (dx * dx + dy * dy >= t.r2 * (1.0 - 1e-12)) continue;
            t.dead = true;
            edges_.push_back({t.a, t.b});
            edges_.push_back({t.b, t.c});
            edges_.push_back({t.c, t.a});
        }
        // An edge shared by two removed triangles appears once each way.
        for (const Edge& e : edges_) {
            bool shared = false;
            for (const Edge& f : edges_) shared = shared || (f.a == e.b && f.b == e.a);
            if (!shared) add(e.a, e.b, p);
        }
        // Dropping the removed triangles now and then keeps the scans short.
        if (++inserted_ % 64 == 0)
            tri_.erase(
                std::remove_if(tri_.begin(), tri_.end(), [](const Triangle& t) { return t.dead; }),
                tri_.end());
    }

    int n_;
    std::vector<double> px_, py_;
    std::vector<Triangle> tri_;
    std::vector<Edge> edges_;
    int inserted_ = 0;
};

}  // namespace

}  // namespace gvx

using namespace gvx;

void Gravox::crvtri(const double* x, const double* y, const double* z, int n, const int* i1,
                    const int* i2, const int* i3, int ntri) {
    if (refused("crvtri", 3, 3)) return;
    PlotState& s = state();
    if (refuses_colour_axis(s)) return;
    if (!x || !y || !z || !i1 || !i2 || !i3) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, n, 3, -1) != 0 || check_range(s, ntri, 1, -1) != 0) return;
    for (int k = 0; k < ntri; ++k) {
        if (i1[k] < 0 || i1[k] >= n || i2[k] < 0 || i2[k] >= n || i3[k] < 0 || i3[k] >= n) {
            warn(s, warning::bad_triangle_index);
            return;
        }
    }
    const int colour = s.colours->current_colour;
    const PlotMapping m = plot_mapping(s);
    TrianglePainter painter(s);
    for (int k = 0; k < ntri; ++k) {
        const int index[3] = {i1[k], i2[k], i3[k]};
        Corner corner[3];
        bool usable = true;
        for (int c = 0; c < 3; ++c) {
            const int i = index[c];
            corner[c] = {m.x(x[i]), m.y(y[i]), scale_parameter(s.fields->scale, z[i])};
            usable = usable && std::isfinite(corner[c].x) && std::isfinite(corner[c].y) &&
                     std::isfinite(corner[c].t);
        }
        if (usable) painter.paint(corner);
    }
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

int Gravox::triang(const double* x, const double* y, int n, int* i1, int* i2, int* i3, int nmax) {
    if (refused("triang", 0, 3)) return 0;
    PlotState& s = state();
    if (!x || !y || !i1 || !i2 || !i3) {
        warn(s, warning::incorrect_parameter);
        return 0;
    }
    if (check_range(s, n, 3, -1) != 0 || check_range(s, nmax, 1, -1) != 0) return 0;
    for (int k = 0; k < n; ++k) {
        if (!std::isfinite(x[k]) || !std::isfinite(y[k])) {
            warn(s, warning::incorrect_parameter);
            return 0;
        }
    }
    const Delaunay d(x, y, n);
    int count = 0;
    d.each([&](const Triangle&) { ++count; });
    if (count > nmax) {
        warn(s, warning::triangle_space);
        return 0;
    }
    int k = 0;
    d.each([&](const Triangle& t) {
        i1[k] = t.a;
        i2[k] = t.b;
        i3[k] = t.c;
        ++k;
    });
    return count;
}
