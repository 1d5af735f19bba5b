// Stream lines of a vector field on a grid (stream, stmval): Runge-Kutta of order 4
// along the field's direction in plot coordinates, with step doubling for the step
// control, and arrow heads along the lines.
#include <algorithm>
#include <cmath>
#include <new>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

constexpr double kTolerance = 0.01;      // plot units between one step and two half steps
constexpr double kGrowBelow = 0.0005;    // the step doubles back below this difference
constexpr int kMaxHalvings = 6;          // the step is at least 1/64 of stmval("STEP")
constexpr double kStagnation = 1e-12;    // speed below this fraction of the largest
constexpr long kMaxOccupancy = 4000000;  // squares of the distance test at most

// Index of the interval of a monotonic grid that holds v, or -1.
int interval(const double* g, int n, double v) {
    const bool up = g[n - 1] > g[0];
    if (up ? (v < g[0] || v > g[n - 1]) : (v > g[0] || v < g[n - 1])) return -1;
    int lo = 0, hi = n - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if ((g[mid] <= v) == up)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

class StreamTracer {
  public:
    StreamTracer(PlotState& s, const double* xv, const double* yv, int nx, int ny, const double* xp,
                 const double* yp)
        : s_(s), xv_(xv), yv_(yv), nx_(nx), ny_(ny), xp_(xp), yp_(yp), map_(plot_mapping(s)) {
        const ScalingRecord& r = s.axes->rec;
        xa_ = r.xa, ya_ = r.ya, xf_ = r.x_factor, yf_ = r.y_factor;
        px_ = r.x_origin, py_ = r.y_origin;
        const long count = static_cast<long>(nx) * ny;
        for (long k = 0; k < count; ++k) {
            const double v = std::hypot(xv[k] * xf_, yv[k] * yf_);
            if (std::isfinite(v)) top_speed_ = std::max(top_speed_, v);
        }
        const FieldState& f = *s.fields;
        cell_ = f.stream_distance;
        const AxisState& ax = *s.axes;
        left_ = ax.pos_x, top_ = ax.pos_y - ax.len_y + 1;
        for (;;) {
            cols_ = static_cast<long>(ax.len_x / cell_) + 1;
            rows_ = static_cast<long>(ax.len_y / cell_) + 1;
            if (cols_ * rows_ <= kMaxOccupancy) break;
            cell_ *= 2.0;
        }
    }

    bool ready() {
        try {
            s_.fields->work.cells.assign(static_cast<size_t>(cols_ * rows_), 0);
        } catch (const std::bad_alloc&) {
            warn(s_, warning::not_enough_memory);
            return false;
        }
        return top_speed_ > 0.0;
    }

    // Traces and draws the line through a seed (user coordinates), backwards from the
    // seed first and then forwards; id from 1.
    void line(double xs, double ys, int id) {
        const double x = map_.x(xs), y = map_.y(ys);
        double ux, uy;
        if (!direction(x, y, ux, uy)) return;
        const long start_square = square(x, y);
        if (start_square < 0 || crowded(start_square, id)) return;
        std::vector<double>& lx = s_.fields->work.plot_x;
        std::vector<double>& ly = s_.fields->work.plot_y;
        lx.assign(1, x);
        ly.assign(1, y);
        claim(start_square, id);
        double travelled = 0.0;
        const bool closed = walk(id, -1.0, x, y, travelled);
        std::reverse(lx.begin(), lx.end());
        std::reverse(ly.begin(), ly.end());
        if (!closed) walk(id, 1.0, lx.front(), ly.front(), travelled);
        draw(id);
    }

  private:
    // Walks from the last point of the line along the field (sign 1) or against it
    // (sign -1), appending points, until a stop rule holds. True when the line closed
    // on the point (x0, y0).
    bool walk(int id, double sign, double x0, double y0, double& travelled) {
        std::vector<double>& lx = s_.fields->work.plot_x;
        std::vector<double>& ly = s_.fields->work.plot_y;
        const FieldState& f = *s_.fields;
        const double h0 = f.stream_step;
        double h = h0, x = lx.back(), y = ly.back(), walked = 0.0;
        while (travelled < f.stream_length) {
            double nx = x, ny = y;
            int halvings = 0;
            bool stepped = false;
            for (;;) {
                double fx, fy, hx, hy, qx, qy;
                const bool ok = rk4(x, y, sign * h, fx, fy) && rk4(x, y, sign * h / 2.0, hx, hy) &&
                                rk4(hx, hy, sign * h / 2.0, qx, qy);
                if (!ok) break;  // the step leaves the grid or meets a stagnation point
                const double err = std::hypot(fx - qx, fy - qy);
                if (err > kTolerance && halvings < kMaxHalvings) {
                    h /= 2.0;
                    ++halvings;
                    continue;
                }
                nx = qx;
                ny = qy;
                stepped = true;
                if (err < kGrowBelow && h < h0) h = std::min(h0, 2.0 * h);
                break;
            }
            if (!stepped) return false;
            const double d = std::hypot(nx - x, ny - y);
            travelled += d;
            walked += d;
            x = nx;
            y = ny;
            // Closing on its start: a loop ends where it began.
            if (walked > 4.0 * cell_ && std::hypot(x - x0, y - y0) < h0) {
                lx.push_back(x0);
                ly.push_back(y0);
                return true;
            }
            const long sq = square(x, y);
            if (sq < 0 || crowded(sq, id)) return false;
            claim(sq, id);
            lx.push_back(x);
            ly.push_back(y);
        }
        return false;
    }

    // The unit direction of the field at a plot point; false outside the grid, at NaN
    // and at a stagnation point.
    bool direction(double x, double y, double& ux, double& uy) const {
        const double xu = xa_ + (x - px_) / xf_, yu = ya_ + (py_ - y) / yf_;
        const int i = interval(xp_, nx_, xu), j = interval(yp_, ny_, yu);
        if (i < 0 || j < 0) return false;
        const double t = (xu - xp_[i]) / (xp_[i + 1] - xp_[i]);
        const double u = (yu - yp_[j]) / (yp_[j + 1] - yp_[j]);
        auto bilinear = [&](const double* m) {
            const double* a = m + static_cast<long>(i) * ny_ + j;
            const double* b = a + ny_;
            return (1 - t) * ((1 - u) * a[0] + u * a[1]) + t * ((1 - u) * b[0] + u * b[1]);
        };
        const double vx = bilinear(xv_) * xf_, vy = -bilinear(yv_) * yf_;
        const double speed = std::hypot(vx, vy);
        if (!std::isfinite(speed) || speed < kStagnation * top_speed_ || speed == 0.0) return false;
        ux = vx / speed;
        uy = vy / speed;
        return true;
    }

    bool rk4(double x, double y, double h, double& rx, double& ry) const {
        double k1x, k1y, k2x, k2y, k3x, k3y, k4x, k4y;
        if (!direction(x, y, k1x, k1y)) return false;
        if (!direction(x + h / 2 * k1x, y + h / 2 * k1y, k2x, k2y)) return false;
        if (!direction(x + h / 2 * k2x, y + h / 2 * k2y, k3x, k3y)) return false;
        if (!direction(x + h * k3x, y + h * k3y, k4x, k4y)) return false;
        rx = x + h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
        ry = y + h / 6 * (k1y + 2 * k2y + 2 * k3y + k4y);
        return true;
    }

    long square(double x, double y) const {
        const double c = std::floor((x - left_) / cell_), r = std::floor((y - top_) / cell_);
        if (!(c >= 0 && r >= 0 && c < cols_ && r < rows_)) return -1;
        return static_cast<long>(r) * cols_ + static_cast<long>(c);
    }
    // True when another line crossed the square or one of its eight neighbours.
    bool crowded(long sq, int id) const {
        const long r = sq / cols_, c = sq % cols_;
        for (long dr = -1; dr <= 1; ++dr) {
            for (long dc = -1; dc <= 1; ++dc) {
                const long rr = r + dr, cc = c + dc;
                if (rr < 0 || cc < 0 || rr >= rows_ || cc >= cols_) continue;
                const int owner = s_.fields->work.cells[rr * cols_ + cc];
                if (owner != 0 && owner != id) return true;
            }
        }
        return false;
    }
    void claim(long sq, int id) { s_.fields->work.cells[sq] = id; }

    void draw(int) {
        const std::vector<double>& lx = s_.fields->work.plot_x;
        const std::vector<double>& ly = s_.fields->work.plot_y;
        const int n = static_cast<int>(lx.size());
        if (n < 2) return;
        offset_move_to(s_, lx[0], ly[0]);
        for (int k = 1; k < n; ++k) offset_draw_to(s_, lx[k], ly[k]);
        // Arrow heads at half the spacing and then every spacing.
        const double spacing = s_.fields->stream_arrows;
        double next = spacing / 2.0, walked = 0.0;
        for (int k = 1; k < n; ++k) {
            const double d = std::hypot(lx[k] - lx[k - 1], ly[k] - ly[k - 1]);
            if (d <= 0.0) continue;
            walked += d;
            if (walked < next) continue;
            draw_arrow_head(s_, lx[k], ly[k], (lx[k] - lx[k - 1]) / d, (ly[k] - ly[k - 1]) / d,
                            s_.fields->head_length, 1);
            while (next <= walked) next += spacing;
        }
        flush_polyline(s_);
    }

    PlotState& s_;
    const double *xv_, *yv_;
    int nx_, ny_;
    const double *xp_, *yp_;
    PlotMapping map_;
    double xa_ = 0, ya_ = 0, xf_ = 1, yf_ = 1, px_ = 0, py_ = 0;
    double top_speed_ = 0.0;
    double cell_ = 16.0, left_ = 0.0, top_ = 0.0;
    long cols_ = 1, rows_ = 1;
};

}  // namespace

}  // namespace gvx

using namespace gvx;

void Gravox::stream(const double* xv, const double* yv, int nx, int ny, const double* xp,
                    const double* yp, const double* xs, const double* ys, int n) {
    if (refused("stream", 2, 3)) return;
    PlotState& s = state();
    if (refuses_three_d(s) || refuses_grid(s, xp, nx, yp, ny, xv, 2, true)) return;
    if (!yv || !xs || !ys) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, n, 1, -1) != 0) return;
    if (s.axes->rec.x_log || s.axes->rec.y_log) {
        warn(s, warning::linear_only);
        return;
    }
    StreamTracer tracer(s, xv, yv, nx, ny, xp, yp);
    if (!tracer.ready()) return;
    for (int k = 0; k < n; ++k) tracer.line(xs[k], ys[k], k + 1);
}

void Gravox::stmval(double value, const char* option) {
    if (refused("stmval", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "STEP+LENG+DIST+ARRO", 4, option);
    if (index == 0) return;
    if (!(value > 0.0) || !std::isfinite(value) || value > 1e6) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    FieldState& f = *s.fields;
    double* target[4] = {&f.stream_step, &f.stream_length, &f.stream_distance, &f.stream_arrows};
    *target[index - 1] = value;
}
