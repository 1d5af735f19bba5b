// The outlines of the shapes as polygons, and the fill-and-outline drawing of a shape.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"
#include "gravox/shapes/shapes.h"

namespace gvx {

void draw_shape(PlotState& s, const double* x, const double* y, int n) {
    if (n < 2) return;
    if (n >= 3) fill_polygon(s, x, y, n);
    draw_outline(s, x, y, n);
    flush_polyline(s);
}

int arc_points(double xm, double ym, double a, double b, double theta, double alpha, double beta,
               double* x, double* y, int at) {
    const double span = beta - alpha;
    // About one vertex per 4 plot units of the larger radius' arc, 8 at the least.
    const double length = std::fabs(span) * std::numbers::pi / 180.0 * std::max(a, b);
    // Compared as doubles first: a huge or NaN length takes the most points.
    const double wanted = std::ceil(length / 4.0);
    const int steps =
        wanted < kArcPoints - 1 ? std::max(8, static_cast<int>(wanted)) : kArcPoints - 1;
    const double t = theta * std::numbers::pi / 180.0;
    const double ct = std::cos(t), st = std::sin(t);
    for (int k = 0; k <= steps; ++k) {
        const double phi = (alpha + span * k / steps) * std::numbers::pi / 180.0;
        const double ex = a * std::cos(phi), ey = b * std::sin(phi);
        // Counter-clockwise on the page, whose y axis points down.
        x[at] = xm + ex * ct - ey * st;
        y[at] = ym - (ex * st + ey * ct);
        ++at;
    }
    return at;
}

int sector_points(double xm, double ym, double a1, double b1, double a2, double b2, double theta,
                  double alpha, double beta, double* x, double* y) {
    int n = arc_points(xm, ym, a2, b2, theta, alpha, beta, x, y, 0);
    const bool full = std::fabs(beta - alpha) >= 360.0;
    if (a1 > 0.0 && b1 > 0.0) {
        n = arc_points(xm, ym, a1, b1, theta, beta, alpha, x, y, n);
    } else if (!full) {
        x[n] = xm;
        y[n] = ym;
        ++n;
    }
    return n;
}

int rounded_rectangle_points(double x, double y, double w, double h, double r, double* px,
                             double* py) {
    r = std::clamp(r, 0.0, std::min(std::fabs(w), std::fabs(h)) / 2.0);
    const double x1 = std::min(x, x + w), x2 = std::max(x, x + w);
    const double y1 = std::min(y, y + h), y2 = std::max(y, y + h);
    if (r <= 0.0) {
        const double cx[4] = {x1, x2, x2, x1}, cy[4] = {y1, y1, y2, y2};
        std::copy(cx, cx + 4, px);
        std::copy(cy, cy + 4, py);
        return 4;
    }
    // Corner arcs counter-clockwise: upper right, upper left, lower left, lower right.
    // A quarter arc has at most kArcPoints / 4 vertices here.
    const double centres[4][2] = {
        {x2 - r, y1 + r}, {x1 + r, y1 + r}, {x1 + r, y2 - r}, {x2 - r, y2 - r}};
    int n = 0;
    const double length = std::numbers::pi / 2.0 * r;
    const int steps = std::clamp(static_cast<int>(std::ceil(length / 4.0)), 2, kArcPoints / 4 - 1);
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k <= steps; ++k) {
            const double phi = (90.0 * c + 90.0 * k / steps) * std::numbers::pi / 180.0;
            px[n] = centres[c][0] + r * std::cos(phi);
            py[n] = centres[c][1] - r * std::sin(phi);
            ++n;
        }
    }
    return n;
}

void draw_point(PlotState& s, double x, double y, double w, double h) {
    const double px[4] = {x - w / 2.0, x + w / 2.0, x + w / 2.0, x - w / 2.0};
    const double py[4] = {y - h / 2.0, y - h / 2.0, y + h / 2.0, y + h / 2.0};
    const int pattern = s.prims->fill_pattern;
    s.prims->fill_pattern = kSolidFill;
    fill_polygon(s, px, py, 4);
    s.prims->fill_pattern = pattern;
}

}  // namespace gvx
