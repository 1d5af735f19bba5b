// Curves in space: curv3d draws a polyline through points given in user coordinates,
// with the symbols of incmrk and the stems of polcrv("STEM") down to the floor.
#include <climits>
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/three_d/three_d_internal.h"

using namespace gvx;

namespace {

bool finite_point(Vec3 p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

int round_position(double v) {
    return pinned_measure(std::floor(v + 0.5));
}

}  // namespace

void Gravox::curv3d(const double* x, const double* y, const double* z, int n) {
    if (refused("curv3d", 3, 3)) return;
    PlotState& s = state();
    if (refuses_system(s)) return;
    if (!x || !y || !z || n < 1) {
        warn_int(s, warning::incorrect_parameter, n);
        return;
    }
    const CurveState& c = *s.curves;
    const Camera& cam = s.three_d->cam;
    const bool stems = c.mode == CurveMode::stem;
    // The line through the points; a NaN point (or one the scaling cannot map, such as
    // a value that is not positive on a logarithmic axis) breaks it.
    if (c.marker_step >= 0) {
        bool pen_down = false;
        for (int i = 0; i < n; ++i) {
            const Vec3 b = user_to_box(s, x[i], y[i], z[i]);
            if (!finite_point(b)) {
                if ((std::isnan(x[i]) || std::isnan(y[i]) || std::isnan(z[i])) &&
                    s.frame.nan_count < INT_MAX)
                    ++s.frame.nan_count;
                pen_down = false;
                continue;
            }
            const Projected p = project(cam, b);
            if (stems) {
                const Projected f = project(cam, {b.x, b.y, -s.three_d->axis[2].half});
                offset_move_to(s, f.x, f.y);
                offset_draw_to(s, p.x, p.y);
            } else if (pen_down) {
                offset_draw_to(s, p.x, p.y);
            } else {
                offset_move_to(s, p.x, p.y);
                pen_down = true;
            }
        }
        flush_polyline(s);
    }
    if (c.marker_step == 0) return;
    const int colour = s.colours->current_colour;
    if (c.marker_colour != kCurrentColour) set_device_colour(s, c.marker_colour);
    const long step = c.marker_step < 0 ? -static_cast<long>(c.marker_step) : c.marker_step;
    for (long i = 0; i < n; i += step) {
        const Vec3 b = user_to_box(s, x[i], y[i], z[i]);
        if (!finite_point(b)) continue;
        const Projected p = project(cam, b);
        draw_symbol(s, c.marker_symbol, c.marker_size, round_position(p.x), round_position(p.y));
    }
    flush_polyline(s);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}
