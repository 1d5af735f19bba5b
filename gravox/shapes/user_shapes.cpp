// Shapes in user coordinates: the vertices are mapped through the current axis system
// and the drawing is clipped to it, as a curve is.
#include <algorithm>
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/curve.h"
#include "gravox/gravox.h"
#include "gravox/shapes/shapes.h"

using namespace gvx;

namespace {

// Opens the clipping of the axis system for the lifetime of the object.
class AxisClip {
  public:
    explicit AxisClip(PlotState& s) : s_(s) { open_curve_clipping(s_); }
    ~AxisClip() {
        flush_polyline(s_);
        close_curve_clipping(s_);
    }
    AxisClip(const AxisClip&) = delete;
    AxisClip& operator=(const AxisClip&) = delete;

  private:
    PlotState& s_;
};

// A length along x in user units as plot units, measured from x.
double x_length(const PlotState& s, double x, double length) {
    return std::fabs(plot_x(s, x + length) - plot_x(s, x));
}
double y_length(const PlotState& s, double y, double length) {
    return std::fabs(plot_y(s, y + length) - plot_y(s, y));
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// A rectangle of user coordinates from its upper left corner, corners rounded by a
// radius in x units.
void user_rectangle(PlotState& s, double x, double y, double width, double height, double radius) {
    if (!finite({x, y, width, height, radius}) || !(width > 0.0) || !(height > 0.0) ||
        radius < 0.0) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    const double x1 = plot_x(s, x), y1 = plot_y(s, y);
    const double x2 = plot_x(s, x + width), y2 = plot_y(s, y - height);
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n =
        rounded_rectangle_points(x1, y1, x2 - x1, y2 - y1, x_length(s, x, radius), px, py);
    AxisClip clip(s);
    draw_shape(s, px, py, n);
}

}  // namespace

void Gravox::rlrec(double x, double y, double width, double height) {
    if (refused("rlrec", 2, 3)) return;
    user_rectangle(state(), x, y, width, height, 0.0);
}

void Gravox::rlrnd(double x, double y, double width, double height, double radius) {
    if (refused("rlrnd", 2, 3)) return;
    user_rectangle(state(), x, y, width, height, radius);
}

void Gravox::rlcirc(double xm, double ym, double radius) {
    if (refused("rlcirc", 2, 3)) return;
    PlotState& s = state();
    if (!finite({xm, ym, radius}) || !(radius > 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    const double r = x_length(s, xm, radius);
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(plot_x(s, xm), plot_y(s, ym), 0, 0, r, r, 0.0, 0.0, 360.0, px, py);
    AxisClip clip(s);
    draw_shape(s, px, py, n - 1);
}

void Gravox::rlell(double xm, double ym, double a, double b) {
    if (refused("rlell", 2, 3)) return;
    PlotState& s = state();
    if (!finite({xm, ym, a, b}) || !(a > 0.0) || !(b > 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(plot_x(s, xm), plot_y(s, ym), 0, 0, x_length(s, xm, a),
                                y_length(s, ym, b), 0.0, 0.0, 360.0, px, py);
    AxisClip clip(s);
    draw_shape(s, px, py, n - 1);
}

void Gravox::rlpie(double xm, double ym, double r1, double r2, double alpha, double beta) {
    if (refused("rlpie", 2, 3)) return;
    PlotState& s = state();
    if (!finite({xm, ym, r1, r2, alpha, beta})) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (sector_refused(s, r1, r2, alpha, beta)) return;
    beta = std::min(beta, alpha + 360.0);
    const double p1 = x_length(s, xm, r1), p2 = x_length(s, xm, r2);
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n =
        sector_points(plot_x(s, xm), plot_y(s, ym), p1, p1, p2, p2, 0.0, alpha, beta, px, py);
    AxisClip clip(s);
    draw_shape(s, px, py, n);
}

void Gravox::rlarc(double xm, double ym, double a, double b, double alpha, double beta,
                   double theta) {
    if (refused("rlarc", 2, 3)) return;
    PlotState& s = state();
    if (!finite({xm, ym, a, b, alpha, beta, theta}) || !(a > 0.0) || !(b > 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (sector_refused(s, 0.0, 1.0, alpha, beta)) return;
    beta = std::min(beta, alpha + 360.0);
    double px[kShapeCapacity], py[kShapeCapacity];
    const int n = sector_points(plot_x(s, xm), plot_y(s, ym), 0, 0, x_length(s, xm, a),
                                y_length(s, ym, b), theta, alpha, beta, px, py);
    AxisClip clip(s);
    draw_shape(s, px, py, n);
}

void Gravox::rlarea(const double* x, const double* y, int n) {
    if (refused("rlarea", 2, 3)) return;
    PlotState& s = state();
    if (!reserve_shape_work(s, x && y, n)) return;
    ShapeState& sh = *s.shapes;
    for (int i = 0; i < n; ++i) {
        sh.work_x[i] = plot_x(s, x[i]);
        sh.work_y[i] = plot_y(s, y[i]);
    }
    AxisClip clip(s);
    draw_shape(s, sh.work_x.data(), sh.work_y.data(), n);
}

void Gravox::rline(double x1, double y1, double x2, double y2) {
    if (refused("rline", 2, 3)) return;
    PlotState& s = state();
    AxisClip clip(s);
    offset_move_to(s, plot_x(s, x1), plot_y(s, y1));
    offset_draw_to(s, plot_x(s, x2), plot_y(s, y2));
}

void Gravox::rlvec(double x1, double y1, double x2, double y2, int code) {
    if (refused("rlvec", 2, 3)) return;
    PlotState& s = state();
    AxisClip clip(s);
    if (!draw_arrow(s, plot_x(s, x1), plot_y(s, y1), plot_x(s, x2), plot_y(s, y2), code))
        warn_int(s, warning::incorrect_parameter, code);
}

void Gravox::rlpoin(double x, double y, int width, int height) {
    if (refused("rlpoin", 2, 3)) return;
    PlotState& s = state();
    if (width < 1 || height < 1) {
        warn_int(s, warning::incorrect_parameter, std::min(width, height));
        return;
    }
    AxisClip clip(s);
    draw_point(s, plot_x(s, x), plot_y(s, y), width, height);
}

void Gravox::rlsymb(int symbol, double x, double y) {
    if (refused("rlsymb", 2, 3)) return;
    PlotState& s = state();
    if (symbol < 0 || symbol >= kSymbolCount) {
        warn_int(s, warning::incorrect_parameter, symbol);
        return;
    }
    const double px = plot_x(s, x), py = plot_y(s, y);
    if (!std::isfinite(px) || !std::isfinite(py)) return;
    AxisClip clip(s);
    draw_symbol(s, symbol, s.curves->marker_size, static_cast<int>(std::lround(px)),
                static_cast<int>(std::lround(py)));
}
