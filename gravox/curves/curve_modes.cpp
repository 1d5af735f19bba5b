// One pass of a curve by its drawing mode: lines, steps, stairs, stems, bars, filled bars
// and the two spline modes.
//
// Every point is mapped from user to plot coordinates once per pass and handed to the
// offset primitives, which apply the line offset of the pass and the dash pattern and
// buffer the polyline. Nothing here copies the caller's data; the spline modes alone
// allocate their (small) work arrays.
#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/curve.h"

namespace gvx {

namespace {

// Maps user points and hands them to the offset primitives.
class Pen {
  public:
    Pen(PlotState& s, const AxisView& axes)
        : s_(s), polar_(axes.polar), mapping_(plot_mapping(s)) {}

    void map(double x, double y, double& px, double& py) const {
        if (polar_) {
            polar_point(s_, x, y, px, py);
        } else {
            px = mapping_.x(x);
            py = mapping_.y(y);
        }
    }
    void move(double x, double y) {
        double px, py;
        map(x, y, px, py);
        offset_move_to(s_, px, py);
    }
    void draw(double x, double y) {
        double px, py;
        map(x, y, px, py);
        offset_draw_to(s_, px, py);
    }
    // Points already in plot units.
    void move_plot(double px, double py) { offset_move_to(s_, px, py); }
    void draw_plot(double px, double py) { offset_draw_to(s_, px, py); }

  private:
    PlotState& s_;
    bool polar_;
    // The scaling does not change while a curve is drawn.
    const PlotMapping mapping_;
};

// Which points count and which steps are gaps.
class PointRules {
  public:
    PointRules(const CurveState& c, const double* x, const double* y)
        : x_(x),
          y_(y),
          nan_mode_(c.nan_mode),
          gap_x_((c.gap_mode & kGapX) != 0),
          gap_y_((c.gap_mode & kGapY) != 0),
          dx_(c.gap_x),
          dy_(c.gap_y) {}

    bool valid(int i) const { return !nan_mode_ || (!std::isnan(x_[i]) && !std::isnan(y_[i])); }
    // The step from point i - 1 to point i is moved instead of drawn.
    bool gap(int i) const {
        return (gap_x_ && std::fabs(x_[i] - x_[i - 1]) > dx_) ||
               (gap_y_ && std::fabs(y_[i] - y_[i - 1]) > dy_);
    }
    bool plain() const { return !nan_mode_ && !gap_x_ && !gap_y_; }

  private:
    const double* x_;
    const double* y_;
    bool nan_mode_, gap_x_, gap_y_;
    double dx_, dy_;
};

void draw_lines(Pen& pen, const PointRules& rules, const double* x, const double* y, int n) {
    if (rules.plain()) {
        // The common case: one unbroken polyline straight from the caller's arrays.
        pen.move(x[0], y[0]);
        for (int i = 1; i < n; ++i) pen.draw(x[i], y[i]);
        return;
    }
    bool pen_up = true;
    if (rules.valid(0)) {
        pen.move(x[0], y[0]);
        pen_up = false;
    }
    for (int i = 1; i < n; ++i) {
        if (!rules.valid(i)) {
            pen_up = true;
        } else if (pen_up || rules.gap(i)) {
            pen.move(x[i], y[i]);
            pen_up = false;
        } else {
            pen.draw(x[i], y[i]);
        }
    }
}

// Half the distance of two x values, 0 when either is NaN.
double half_step(double a, double b) {
    const double m = (b - a) / 2.0;
    return std::isnan(m) ? 0.0 : m;
}

void draw_steps(Pen& pen, const PointRules& rules, const double* x, const double* y, int n) {
    double m = n > 1 ? half_step(x[0], x[1]) : 0.0;
    bool pen_up = true;
    if (rules.valid(0)) {
        pen.move(x[0] - m, y[0]);
        pen.draw(x[0], y[0]);
        pen_up = false;
    }
    bool last_gap = false;
    for (int i = 1; i < n; ++i) {
        last_gap = false;
        if (!rules.valid(i)) {
            pen_up = true;
            continue;
        }
        m = half_step(x[i - 1], x[i]);
        if (pen_up) {
            pen.move(x[i], y[i]);
            pen_up = false;
        } else if (rules.gap(i)) {
            pen.move(x[i], y[i]);
            last_gap = true;
        } else {
            pen.draw(x[i - 1] + m, y[i - 1]);
            pen.draw(x[i - 1] + m, y[i]);
            pen.draw(x[i], y[i]);
        }
    }
    if (rules.valid(n - 1) && !last_gap) pen.draw(x[n - 1] + m, y[n - 1]);
}

void draw_stairs(Pen& pen, const PointRules& rules, const double* x, const double* y, int n) {
    bool pen_up = true;
    if (rules.valid(0)) {
        pen.move(x[0], y[0]);
        pen_up = false;
    }
    for (int i = 1; i < n; ++i) {
        if (!rules.valid(i)) {
            pen_up = true;
        } else if (pen_up || rules.gap(i)) {
            pen.move(x[i], y[i]);
            pen_up = false;
        } else {
            pen.draw(x[i], y[i - 1]);
            pen.draw(x[i], y[i]);
        }
    }
}

void draw_stems(PlotState& s, Pen& pen, const AxisView& axes, const PointRules& rules,
                const double* x, const double* y, int n) {
    for (int i = 0; i < n; ++i) {
        if (!rules.valid(i)) continue;
        if (axes.polar) {
            pen.move_plot(axes.centre_x - s.prims->origin_x, axes.centre_y - s.prims->origin_y);
        } else {
            pen.move(x[i], 0.0);
        }
        pen.draw(x[i], y[i]);
    }
}

void draw_bars(PlotState& s, Pen& pen, const AxisView& axes, const PointRules& rules,
               const double* x, const double* y, int n, bool filled) {
    const CurveState& c = *s.curves;
    const bool relative = c.bar_width > 0.0;
    const int saved_pattern = s.prims->fill_pattern;
    double qx[4], qy[4];
    if (axes.polar) {
        double m = relative ? (n > 1 ? half_step(y[0], y[1]) * c.bar_width : 0.0)
                            : std::fabs(c.bar_width) / 2.0 * std::numbers::pi / 180.0;
        const double cx = axes.centre_x - s.prims->origin_x;
        const double cy = axes.centre_y - s.prims->origin_y;
        for (int i = 0; i < n; ++i) {
            if (!rules.valid(i)) continue;
            qx[0] = cx;
            qy[0] = cy;
            pen.map(x[i], y[i] + m, qx[1], qy[1]);
            pen.map(x[i], y[i] - m, qx[2], qy[2]);
            pen.move_plot(qx[0], qy[0]);
            pen.draw_plot(qx[1], qy[1]);
            pen.draw_plot(qx[2], qy[2]);
            pen.draw_plot(qx[0], qy[0]);
            if (filled) {
                s.prims->fill_pattern = kSolidFill;
                fill_polygon(s, qx, qy, 3);
            }
        }
        s.prims->fill_pattern = saved_pattern;
        return;
    }
    const double m = relative ? (n > 1 ? half_step(x[0], x[1]) * c.bar_width : 0.0)
                              : std::fabs(c.bar_width) / 2.0;
    for (int i = 0; i < n; ++i) {
        if (!rules.valid(i)) continue;
        if (relative) {
            pen.map(x[i] - m, axes.y_low, qx[0], qy[0]);
            pen.map(x[i] - m, y[i], qx[1], qy[1]);
            pen.map(x[i] + m, y[i], qx[2], qy[2]);
            pen.map(x[i] + m, axes.y_low, qx[3], qy[3]);
        } else {
            const double px = plot_x(s, x[i]);
            const double py = plot_y(s, y[i]);
            const double base = axes.bottom;
            qx[0] = qx[1] = px - m;
            qx[2] = qx[3] = px + m;
            qy[0] = qy[3] = base;
            qy[1] = qy[2] = py;
        }
        pen.move_plot(qx[0], qy[0]);
        for (int k = 1; k < 4; ++k) pen.draw_plot(qx[k], qy[k]);
        if (filled) {
            s.prims->fill_pattern = kSolidFill;
            fill_polygon(s, qx, qy, 4);
        }
    }
    s.prims->fill_pattern = saved_pattern;
}

// --- Splines --------------------------------------------------------------------------------
//
// An interpolating B-spline of degree p (the spline order of splmod) through m points
// with parameters t[0] < ... < t[m-1]: clamped knots (p + 1 at each end) and the inner
// knots placed by averaging p successive parameters, so that the collocation matrix is
// banded with at most p entries on each side of the diagonal. The system is solved by
// elimination within the band; B-spline collocation matrices need no pivoting.

class BSpline {
  public:
    // Work arrays for m points of degree p; false when memory is short.
    bool reserve(int m, int p, int series) {
        try {
            t_.assign(m, 0.0);
            knots_.assign(m + p + 1, 0.0);
            band_.assign(static_cast<std::size_t>(m) * (2 * p + 1), 0.0);
            coef_.assign(static_cast<std::size_t>(m) * series, 0.0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        m_ = stride_ = m;
        p_ = p;
        series_ = series;
        return true;
    }
    // Uses the first m points of the reserved ones.
    void use(int m) { m_ = m; }
    double& parameter(int i) { return t_[i]; }
    double& value(int series, int i) {
        return coef_[static_cast<std::size_t>(series) * stride_ + i];
    }
    double first() const { return t_[0]; }
    double last() const { return t_[m_ - 1]; }

    // Knots, collocation matrix and the solution of every series. False when singular.
    bool fit() {
        for (int i = 1; i < m_; ++i)
            if (!(t_[i] > t_[i - 1])) return false;
        for (int i = 0; i <= p_; ++i) {
            knots_[i] = t_[0];
            knots_[m_ + i] = t_[m_ - 1];
        }
        for (int j = 1; j < m_ - p_; ++j) {
            double sum = 0.0;
            for (int i = j; i < j + p_; ++i) sum += t_[i];
            knots_[j + p_] = sum / p_;
        }
        const int width = 2 * p_ + 1;
        double basis[11];
        for (int i = 0; i < m_; ++i) {
            const int span = find_span(t_[i]);
            basis_functions(span, t_[i], basis);
            for (int k = 0; k <= p_; ++k) {
                const int column = span - p_ + k;
                const int offset = column - i + p_;
                if (offset < 0 || offset >= width) {
                    if (basis[k] != 0.0) return false;
                    continue;
                }
                band_[static_cast<std::size_t>(i) * width + offset] = basis[k];
            }
        }
        return solve();
    }

    // Value of a series at parameter u.
    double evaluate(int series, double u) const {
        const int span = find_span(u);
        double basis[11];
        basis_functions(span, u, basis);
        double sum = 0.0;
        const double* c = &coef_[static_cast<std::size_t>(series) * stride_];
        for (int k = 0; k <= p_; ++k) sum += basis[k] * c[span - p_ + k];
        return sum;
    }

  private:
    int find_span(double u) const {
        if (u >= knots_[m_]) return m_ - 1;
        if (u <= knots_[p_]) return p_;
        int low = p_, high = m_;
        int mid = (low + high) / 2;
        while (u < knots_[mid] || u >= knots_[mid + 1]) {
            if (u < knots_[mid])
                high = mid;
            else
                low = mid;
            mid = (low + high) / 2;
        }
        return mid;
    }
    // The p + 1 non-zero basis functions at u in the given span (Cox-de Boor).
    void basis_functions(int span, double u, double* n) const {
        double left[11], right[11];
        n[0] = 1.0;
        for (int j = 1; j <= p_; ++j) {
            left[j] = u - knots_[span + 1 - j];
            right[j] = knots_[span + j] - u;
            double saved = 0.0;
            for (int r = 0; r < j; ++r) {
                const double denominator = right[r + 1] + left[j - r];
                const double term = denominator != 0.0 ? n[r] / denominator : 0.0;
                n[r] = saved + right[r + 1] * term;
                saved = left[j - r] * term;
            }
            n[j] = saved;
        }
    }
    bool solve() {
        const int width = 2 * p_ + 1;
        auto at = [&](int row, int column) -> double& {
            return band_[static_cast<std::size_t>(row) * width + (column - row + p_)];
        };
        for (int k = 0; k < m_; ++k) {
            const double pivot = at(k, k);
            if (!(std::fabs(pivot) > 1e-12)) return false;
            const int last_row = std::min(m_ - 1, k + p_);
            const int last_column = std::min(m_ - 1, k + p_);
            for (int i = k + 1; i <= last_row; ++i) {
                const double factor = at(i, k) / pivot;
                if (factor == 0.0) continue;
                for (int j = k; j <= last_column; ++j) at(i, j) -= factor * at(k, j);
                for (int s = 0; s < series_; ++s) value(s, i) -= factor * value(s, k);
            }
        }
        for (int k = m_ - 1; k >= 0; --k) {
            const int last_column = std::min(m_ - 1, k + p_);
            for (int s = 0; s < series_; ++s) {
                double sum = value(s, k);
                for (int j = k + 1; j <= last_column; ++j) sum -= at(k, j) * value(s, j);
                value(s, k) = sum / at(k, k);
            }
        }
        return true;
    }

    std::vector<double> t_, knots_, band_, coef_;
    int m_ = 0, stride_ = 0, p_ = 0, series_ = 1;
};

void draw_spline(PlotState& s, Pen& pen, const double* x, const double* y, int n) {
    const CurveState& c = *s.curves;
    const int p = c.spline_order;
    if (n < p + 1 || static_cast<long>(n) * (2 * p + 1) > kSplineWorkLimit) {
        warn_int(s, warning::spline_points, n);
        return;
    }
    const bool parametric = c.mode == CurveMode::parametric_spline;
    // Points with a NaN coordinate cannot be interpolated and are left out; so are
    // repeated points of a parametric spline, which add no chord length.
    int m = 0;
    for (int i = 0; i < n; ++i)
        if (!std::isnan(x[i]) && !std::isnan(y[i])) ++m;
    BSpline spline;
    if (!spline.reserve(m > 0 ? m : 1, p, parametric ? 2 : 1)) {
        warn(s, warning::not_enough_memory);
        return;
    }
    int k = 0;
    double last_px = 0.0, last_py = 0.0;
    for (int i = 0; i < n; ++i) {
        if (std::isnan(x[i]) || std::isnan(y[i])) continue;
        if (parametric) {
            double px, py;
            pen.map(x[i], y[i], px, py);
            if (k > 0) {
                const double chord = std::hypot(px - last_px, py - last_py);
                if (chord == 0.0) continue;
                spline.parameter(k) = spline.parameter(k - 1) + chord;
            }
            last_px = px;
            last_py = py;
            spline.value(0, k) = x[i];
            spline.value(1, k) = y[i];
        } else {
            spline.parameter(k) = x[i];
            spline.value(0, k) = y[i];
        }
        ++k;
    }
    if (k < p + 1) {
        warn_int(s, warning::spline_points, k);
        return;
    }
    spline.use(k);
    if (!spline.fit()) {
        warn(s, warning::singular_matrix);
        return;
    }
    const int points = c.spline_points;
    const double t0 = spline.first(), t1 = spline.last();
    for (int j = 0; j < points; ++j) {
        const double u = j == points - 1 ? t1 : t0 + (t1 - t0) * j / (points - 1);
        const double sx = parametric ? spline.evaluate(0, u) : u;
        const double sy = spline.evaluate(parametric ? 1 : 0, u);
        if (j == 0)
            pen.move(sx, sy);
        else
            pen.draw(sx, sy);
    }
}

}  // namespace

void draw_curve_pass(PlotState& s, const double* x, const double* y, int n) {
    if (n < 1) return;
    const CurveState& c = *s.curves;
    const AxisView axes = axis_view(s);
    Pen pen(s, axes);
    const PointRules rules(c, x, y);
    switch (c.mode) {
        case CurveMode::line:
            draw_lines(pen, rules, x, y, n);
            break;
        case CurveMode::step:
            draw_steps(pen, rules, x, y, n);
            break;
        case CurveMode::stairs:
            draw_stairs(pen, rules, x, y, n);
            break;
        case CurveMode::stem:
            draw_stems(s, pen, axes, rules, x, y, n);
            break;
        case CurveMode::bars:
            draw_bars(s, pen, axes, rules, x, y, n, false);
            break;
        case CurveMode::filled_bars:
            draw_bars(s, pen, axes, rules, x, y, n, true);
            break;
        case CurveMode::spline:
        case CurveMode::parametric_spline:
            draw_spline(s, pen, x, y, n);
            break;
    }
}

}  // namespace gvx
