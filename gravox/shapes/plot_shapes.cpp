// Shapes in plot coordinates.
#include <algorithm>
#include <new>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/shapes/shapes.h"

using namespace gvx;

void Gravox::rectan(int x, int y, int width, int height) {
    if (refused("rectan", 1, 3)) return;
    PlotState& s = state();
    if (width < 1 || height < 1) {
        warn_int(s, warning::incorrect_parameter, std::min(width, height));
        return;
    }
    double px[4], py[4];
    const int n = rounded_rectangle_points(x, y, width - 1, height - 1, 0.0, px, py);
    draw_shape(s, px, py, n);
}

void Gravox::rndrec(int x, int y, int width, int height, int radius) {
    if (refused("rndrec", 1, 3)) return;
    PlotState& s = state();
    if (width < 1 || height < 1 || radius < 0) {
        warn_int(s, warning::incorrect_parameter, std::min({width, height, radius}));
        return;
    }
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = rounded_rectangle_points(x, y, width - 1, height - 1, radius, px, py);
    draw_shape(s, px, py, n);
}

void Gravox::circle(int xm, int ym, int radius) {
    if (refused("circle", 1, 3)) return;
    PlotState& s = state();
    if (radius < 1) {
        warn_int(s, warning::incorrect_parameter, radius);
        return;
    }
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(xm, ym, 0, 0, radius, radius, 0.0, 0.0, 360.0, px, py);
    draw_shape(s, px, py, n - 1);  // the last vertex repeats the first
}

void Gravox::ellips(int xm, int ym, int a, int b) {
    if (refused("ellips", 1, 3)) return;
    PlotState& s = state();
    if (a < 1 || b < 1) {
        warn_int(s, warning::incorrect_parameter, std::min(a, b));
        return;
    }
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(xm, ym, 0, 0, a, b, 0.0, 0.0, 360.0, px, py);
    draw_shape(s, px, py, n - 1);
}

namespace gvx {

bool reserve_shape_work(PlotState& s, bool arrays, int n) {
    if (!arrays || n < 3) {
        warn_int(s, warning::incorrect_parameter, n);
        return false;
    }
    ShapeState& sh = *s.shapes;
    try {
        if (static_cast<int>(sh.work_x.size()) < n) {
            sh.work_x.resize(n);
            sh.work_y.resize(n);
        }
    } catch (const std::bad_alloc&) {
        warn(s, warning::not_enough_memory);
        return false;
    }
    return true;
}

bool sector_refused(PlotState& s, double r1, double r2, double alpha, double beta) {
    if (!(r2 > 0.0) || r1 < 0.0) {
        warn(s, warning::incorrect_parameter);
        return true;
    }
    if (r1 > r2) {
        warn(s, warning::radii);
        return true;
    }
    if (!(alpha < beta)) {
        warn(s, warning::angles);
        return true;
    }
    return false;
}

}  // namespace gvx

void Gravox::pie(int xm, int ym, int r1, int r2, double alpha, double beta) {
    if (refused("pie", 1, 3)) return;
    PlotState& s = state();
    if (sector_refused(s, r1, r2, alpha, beta)) return;
    beta = std::min(beta, alpha + 360.0);
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(xm, ym, r1, r1, r2, r2, 0.0, alpha, beta, px, py);
    draw_shape(s, px, py, n);
}

void Gravox::arcell(int xm, int ym, int a, int b, double alpha, double beta, double theta) {
    if (refused("arcell", 1, 3)) return;
    PlotState& s = state();
    if (a < 1 || b < 1) {
        warn_int(s, warning::incorrect_parameter, std::min(a, b));
        return;
    }
    if (sector_refused(s, 0.0, 1.0, alpha, beta)) return;
    beta = std::min(beta, alpha + 360.0);
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(xm, ym, 0, 0, a, b, theta, alpha, beta, px, py);
    draw_shape(s, px, py, n);
}

void Gravox::areaf(const int* x, const int* y, int n) {
    if (refused("areaf", 1, 3)) return;
    PlotState& s = state();
    if (!reserve_shape_work(s, x && y, n)) return;
    ShapeState& sh = *s.shapes;
    for (int i = 0; i < n; ++i) {
        sh.work_x[i] = x[i];
        sh.work_y[i] = y[i];
    }
    draw_shape(s, sh.work_x.data(), sh.work_y.data(), n);
}

void Gravox::line(int x1, int y1, int x2, int y2) {
    if (refused("line", 1, 3)) return;
    PlotState& s = state();
    offset_move_to(s, x1, y1);
    offset_draw_to(s, x2, y2);
    flush_polyline(s);
}

void Gravox::vector(int x1, int y1, int x2, int y2, int code) {
    if (refused("vector", 1, 3)) return;
    PlotState& s = state();
    if (!draw_arrow(s, x1, y1, x2, y2, code)) warn_int(s, warning::incorrect_parameter, code);
}

void Gravox::point(int x, int y, int width, int height) {
    if (refused("point", 1, 3)) return;
    PlotState& s = state();
    if (width < 1 || height < 1) {
        warn_int(s, warning::incorrect_parameter, std::min(width, height));
        return;
    }
    draw_point(s, x, y, width, height);
}
