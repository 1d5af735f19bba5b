// Vector fields: arrows at points (vecfld) and on a grid (vecmat), their options
// (vecopt), and the arrow heads that stream lines share.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/curves/colour.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"
#include "gravox/gravox.h"

namespace gvx {

void draw_arrow_head(PlotState& s, double x, double y, double ux, double uy, double length,
                     int kind) {
    const double a = s.fields->head_angle * std::numbers::pi / 180.0;
    const double ca = std::cos(a), sa = std::sin(a);
    // The two back corners: the reversed direction turned by +-a.
    const double bx = -ux, by = -uy;
    const double lx = x + length * (bx * ca - by * sa), ly = y + length * (bx * sa + by * ca);
    const double rx = x + length * (bx * ca + by * sa), ry = y + length * (-bx * sa + by * ca);
    if (kind == 2) {
        const double px[3] = {x, lx, rx}, py[3] = {y, ly, ry};
        fill_polygon(s, px, py, 3);
        return;
    }
    offset_move_to(s, lx, ly);
    offset_draw_to(s, x, y);
    offset_draw_to(s, rx, ry);
}

namespace {

// Arrows of n vectors; point(k, x, y, vx, vy) gives the k-th start and vector.
template <typename Point>
void draw_vectors(PlotState& s, long n, int arrow, Point point) {
    const FieldState& f = *s.fields;
    const PlotMapping m = plot_mapping(s);
    ColourScale scale = f.scale;
    if (f.vector_colours && f.axis != FieldAxis::colour) {
        // Without a colour axis the magnitudes span the colour range.
        double lo = HUGE_VAL, hi = 0.0;
        for (long k = 0; k < n; ++k) {
            double x, y, vx, vy;
            point(k, x, y, vx, vy);
            const double v = std::hypot(vx, vy);
            if (!std::isfinite(v)) continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        if (!(hi > lo)) hi = lo + 1.0;
        scale = {lo, hi, lo, hi - lo, false};
    }
    const int colour = s.colours->current_colour;
    for (long k = 0; k < n; ++k) {
        double x, y, vx, vy;
        point(k, x, y, vx, vy);
        const double x1 = m.x(x), y1 = m.y(y);
        const double x2 = m.x(x + f.vector_scale * vx), y2 = m.y(y + f.vector_scale * vy);
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
            continue;
        if (f.vector_colours) {
            const int c = scale_colour(s, scale, std::hypot(vx, vy));
            if (c >= 0 && c != s.colours->current_colour) set_device_colour(s, c);
        }
        offset_move_to(s, x1, y1);
        offset_draw_to(s, x2, y2);
        const double length = std::hypot(x2 - x1, y2 - y1);
        if (arrow != 0 && length > 0.0)
            draw_arrow_head(s, x2, y2, (x2 - x1) / length, (y2 - y1) / length,
                            std::min(f.head_length, length / 2.0), arrow);
    }
    flush_polyline(s);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

}  // namespace

}  // namespace gvx

using namespace gvx;

void Gravox::vecfld(const double* xv, const double* yv, const double* xp, const double* yp, int n,
                    int arrow) {
    if (refused("vecfld", 2, 3)) return;
    PlotState& s = state();
    if (refuses_three_d(s)) return;
    if (!xv || !yv || !xp || !yp) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, n, 1, -1) != 0 || check_range(s, arrow, 0, 2) != 0) return;
    draw_vectors(s, n, arrow, [&](long k, double& x, double& y, double& vx, double& vy) {
        x = xp[k];
        y = yp[k];
        vx = xv[k];
        vy = yv[k];
    });
}

void Gravox::vecmat(const double* xv, const double* yv, int nx, int ny, const double* xp,
                    const double* yp, int arrow) {
    if (refused("vecmat", 2, 3)) return;
    PlotState& s = state();
    if (refuses_three_d(s) || refuses_grid(s, xp, nx, yp, ny, xv, 1, false)) return;
    if (!yv) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, arrow, 0, 2) != 0) return;
    draw_vectors(s, static_cast<long>(nx) * ny, arrow,
                 [&](long k, double& x, double& y, double& vx, double& vy) {
                     x = xp[k / ny];
                     y = yp[k % ny];
                     vx = xv[k];
                     vy = yv[k];
                 });
}

void Gravox::vecopt(double value, const char* option) {
    if (refused("vecopt", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "SCAL+COLO+LENG+ANGL", 4, option);
    if (index == 0) return;
    FieldState& f = *s.fields;
    const bool good = std::isfinite(value) && (index == 1   ? value > 0.0
                                               : index == 2 ? (value == 0.0 || value == 1.0)
                                               : index == 3 ? (value >= 1.0 && value <= 1000.0)
                                                            : (value >= 1.0 && value <= 80.0));
    if (!good) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    switch (index) {
        case 1:
            f.vector_scale = value;
            break;
        case 2:
            f.vector_colours = value == 1.0;
            break;
        case 3:
            f.head_length = value;
            break;
        default:
            f.head_angle = value;
            break;
    }
}
