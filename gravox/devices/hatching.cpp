// Hatching: the lines of the shading patterns, computed in plot coordinates and cut to
// the polygon here, so that raster and vector devices draw the same lines.
#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "gravox/devices/primitives_internal.h"

namespace gvx {
namespace {

// Angle, strokes, density and crossing of the predefined codes 0 to 17 (0 and 16 hatch
// nothing: empty and solid).
constexpr HatchPattern kPredefined[kPredefinedPatterns] = {
    {0, 1, 0, false}, {0, 1, 4, false},  {45, 1, 4, false}, {90, 1, 4, false},  {135, 1, 4, false},
    {0, 1, 7, false}, {45, 1, 7, false}, {90, 1, 7, false}, {135, 1, 7, false}, {0, 1, 4, true},
    {45, 1, 4, true}, {0, 1, 7, true},   {45, 1, 7, true},  {45, 1, 9, false},  {135, 1, 9, false},
    {0, 1, 9, true},  {0, 1, 0, false},  {45, 1, 9, true},
};

// Most hatch lines one pass may draw: a guard against absurd spacings.
constexpr double kMaxHatchLines = 1.0e6;

}  // namespace

bool hatch_pattern(int code, HatchPattern& out) {
    if (code >= 0 && code < kPredefinedPatterns) {
        if (code == kEmptyFill || code == kSolidFill) return false;
        out = kPredefined[code];
        return true;
    }
    if (code < kFirstCustomPattern || code > kLastCustomPattern) return false;
    HatchPattern h;
    h.angle = code / 1000;
    h.strokes = code / 100 % 10;
    h.density = code / 10 % 10;
    h.crossed = code % 10 == 1;
    if (h.strokes < 1 || code % 10 > 1) return false;
    out = h;
    return true;
}

int custom_pattern_code(int angle, int strokes, int density, int cross) {
    if (angle < 0 || angle > 179 || strokes < 1 || strokes > 9 || density < 0 || density > 9 ||
        cross < 0 || cross > 1)
        return -1;
    return angle * 1000 + strokes * 100 + density * 10 + cross;
}

double hatch_spacing(const PlotState& s, int density) {
    const double scale = s.frame.unit_scale > 0.0 ? s.frame.unit_scale : 1.0;
    return 6.0 * (10 - std::clamp(density, 0, 9)) / scale;
}

int crossing_angle(int angle) {
    return (angle + 90) % 180;
}

bool hatch_polygon(PlotState& s, const double* x, const double* y, int n, double dx, double dy,
                   double angle, double spacing, int strokes) {
    if (!x || !y || n < 3 || !(spacing > 0.0) || !std::isfinite(spacing)) return true;
    const double rad = angle * std::numbers::pi / 180.0;
    // Direction of the lines (counter-clockwise on the page, whose y axis points down)
    // and the unit normal that numbers them.
    const double ux = std::cos(rad), uy = -std::sin(rad);
    const double nx = std::sin(rad), ny = std::cos(rad);
    double tmin = INFINITY, tmax = -INFINITY;
    for (int i = 0; i < n; ++i) {
        const double px = x[i] + dx, py = y[i] + dy;
        if (!std::isfinite(px) || !std::isfinite(py)) return true;
        const double t = nx * px + ny * py;
        tmin = std::min(tmin, t);
        tmax = std::max(tmax, t);
    }
    if ((tmax - tmin) / spacing > kMaxHatchLines) return true;
    std::vector<double>& crossings = s.prims->hatch_crossings;
    try {
        if (static_cast<int>(crossings.size()) < n) crossings.resize(n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    strokes = std::clamp(strokes, 1, 9);
    const double stroke_step = std::min(1.0, spacing / (strokes + 1));
    const long first = static_cast<long>(std::ceil(tmin / spacing));
    const long last = static_cast<long>(std::floor(tmax / spacing));
    for (long k = first; k <= last; ++k) {
        for (int j = 0; j < strokes; ++j) {
            const double t = k * spacing + j * stroke_step;
            int count = 0;
            for (int i = 0; i < n; ++i) {
                const int e = i + 1 == n ? 0 : i + 1;
                const double ax = x[i] + dx, ay = y[i] + dy;
                const double bx = x[e] + dx, by = y[e] + dy;
                const double ta = nx * ax + ny * ay, tb = nx * bx + ny * by;
                // Half-open test: a vertex on the line counts for one of its edges only.
                if ((ta <= t) == (tb <= t)) continue;
                const double f = (t - ta) / (tb - ta);
                const double cx = ax + f * (bx - ax), cy = ay + f * (by - ay);
                crossings[count++] = ux * cx + uy * cy;
            }
            std::sort(crossings.begin(), crossings.begin() + count);
            for (int c = 0; c + 1 < count; c += 2) {
                const double w1 = crossings[c], w2 = crossings[c + 1];
                if (w2 - w1 <= 0.0) continue;
                move_to(s, t * nx + w1 * ux, t * ny + w1 * uy);
                draw_to(s, t * nx + w2 * ux, t * ny + w2 * uy);
            }
        }
    }
    flush_polyline(s);
    return true;
}

}  // namespace gvx
