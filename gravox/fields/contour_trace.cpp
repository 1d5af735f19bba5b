// Marching squares: the crossings of one level on the grid edges, joined cell by cell
// into polylines; and the checks of grids that the field routines share.
#include <cmath>
#include <new>

#include "gravox/core/state.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"

namespace gvx {

namespace {

// Edge marks: no crossing, a crossing not yet traced, a traced crossing.
constexpr std::uint8_t kNoCrossing = 0, kOpen = 1, kTraced = 2;

// Sides of a cell: bottom (y[j]), right (x[i+1]), top (y[j+1]), left (x[i]).
enum Side { bottom = 0, right = 1, top = 2, left = 3 };

bool crosses(double a, double b, double level) {
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    return (a >= level) != (b >= level);
}

class Tracer {
  public:
    Tracer(PlotState& s, const FieldGrid& g, double level, ContourSink& sink)
        : s_(s), g_(g), level_(level), sink_(sink) {
        h_count_ = static_cast<long>(g.nx - 1) * g.ny;
        v_count_ = static_cast<long>(g.nx) * (g.ny - 1);
    }

    void run() {
        std::vector<std::uint8_t>& marks = s_.fields->work.marks;
        try {
            marks.assign(static_cast<size_t>(h_count_ + v_count_), kNoCrossing);
        } catch (const std::bad_alloc&) {
            warn(s_, warning::not_enough_memory);
            return;
        }
        mark_crossings(marks.data());
        // Lines that end at the border of the grid or of its valid cells first, then
        // the closed ones.
        for (long e = 0; e < h_count_ + v_count_; ++e) {
            if (marks[e] != kOpen) continue;
            int ci, cj, side;
            if (!inner_cell(e, ci, cj, side)) continue;
            int oi, oj, oside;
            if (outer_cell(e, oi, oj, oside)) continue;
            trace(e, ci, cj, side);
        }
        for (long e = 0; e < h_count_ + v_count_; ++e) {
            if (marks[e] != kOpen) continue;
            int ci, cj, side;
            if (inner_cell(e, ci, cj, side)) trace(e, ci, cj, side);
        }
    }

  private:
    void mark_crossings(std::uint8_t* marks) const {
        const int nx = g_.nx, ny = g_.ny;
        for (int i = 0; i + 1 < nx; ++i) {
            const double* a = g_.z + static_cast<long>(i) * ny;
            const double* b = a + ny;
            std::uint8_t* m = marks + static_cast<long>(i) * ny;
            for (int j = 0; j < ny; ++j) m[j] = crosses(a[j], b[j], level_) ? kOpen : kNoCrossing;
        }
        for (int i = 0; i < nx; ++i) {
            const double* a = g_.z + static_cast<long>(i) * ny;
            std::uint8_t* m = marks + h_count_ + static_cast<long>(i) * (ny - 1);
            for (int j = 0; j + 1 < ny; ++j)
                m[j] = crosses(a[j], a[j + 1], level_) ? kOpen : kNoCrossing;
        }
    }

    bool valid_cell(int i, int j) const {
        if (i < 0 || j < 0 || i >= g_.nx - 1 || j >= g_.ny - 1) return false;
        return std::isfinite(g_.at(i, j)) && std::isfinite(g_.at(i + 1, j)) &&
               std::isfinite(g_.at(i + 1, j + 1)) && std::isfinite(g_.at(i, j + 1));
    }

    // The two cells of an edge: the first one (above a horizontal edge, right of a
    // vertical one) and the second one (below, left), with the side they share.
    void edge_cells(long e, int& ai, int& aj, int& aside, int& bi, int& bj, int& bside) const {
        if (e < h_count_) {
            const int i = static_cast<int>(e / g_.ny), j = static_cast<int>(e % g_.ny);
            ai = i, aj = j, aside = bottom;
            bi = i, bj = j - 1, bside = top;
        } else {
            const long v = e - h_count_;
            const int i = static_cast<int>(v / (g_.ny - 1)), j = static_cast<int>(v % (g_.ny - 1));
            ai = i, aj = j, aside = left;
            bi = i - 1, bj = j, bside = right;
        }
    }
    // A valid cell of the edge (the first one when both are valid).
    bool inner_cell(long e, int& i, int& j, int& side) const {
        int ai, aj, as, bi, bj, bs;
        edge_cells(e, ai, aj, as, bi, bj, bs);
        if (valid_cell(ai, aj)) {
            i = ai, j = aj, side = as;
            return true;
        }
        if (valid_cell(bi, bj)) {
            i = bi, j = bj, side = bs;
            return true;
        }
        return false;
    }
    // True when the other cell of the edge (beside the inner one) is valid too.
    bool outer_cell(long e, int& i, int& j, int& side) const {
        int ai, aj, as, bi, bj, bs;
        edge_cells(e, ai, aj, as, bi, bj, bs);
        i = bi, j = bj, side = bs;
        return valid_cell(ai, aj) && valid_cell(bi, bj);
    }

    long side_edge(int i, int j, int side) const {
        switch (side) {
            case bottom:
                return static_cast<long>(i) * g_.ny + j;
            case top:
                return static_cast<long>(i) * g_.ny + j + 1;
            case left:
                return h_count_ + static_cast<long>(i) * (g_.ny - 1) + j;
            default:
                return h_count_ + static_cast<long>(i + 1) * (g_.ny - 1) + j;
        }
    }

    // The side through which the line leaves cell (i, j) after entering by `side`.
    int exit_side(int i, int j, int side) const {
        const double c[4] = {g_.at(i, j), g_.at(i + 1, j), g_.at(i + 1, j + 1), g_.at(i, j + 1)};
        bool cross[4];
        int count = 0;
        for (int k = 0; k < 4; ++k) {
            cross[k] = (c[k] >= level_) != (c[(k + 1) % 4] >= level_);
            count += cross[k];
        }
        if (count == 4) {
            // Saddle: the lines cut off the two corners whose side differs from the
            // centre's, taken as the mean of the corners.
            const bool centre = (c[0] + c[1] + c[2] + c[3]) / 4.0 >= level_;
            static constexpr int cut_first[4] = {left, top, right, bottom};   // cuts c0, c2
            static constexpr int cut_second[4] = {right, bottom, left, top};  // cuts c1, c3
            return ((c[0] >= level_) != centre) ? cut_first[side] : cut_second[side];
        }
        for (int k = 0; k < 4; ++k)
            if (cross[k] && k != side) return k;
        return side;
    }

    void crossing_point(long e, double& x, double& y) const {
        int i, j, i2, j2;
        if (e < h_count_) {
            i = static_cast<int>(e / g_.ny), j = static_cast<int>(e % g_.ny);
            i2 = i + 1, j2 = j;
        } else {
            const long v = e - h_count_;
            i = static_cast<int>(v / (g_.ny - 1)), j = static_cast<int>(v % (g_.ny - 1));
            i2 = i, j2 = j + 1;
        }
        const double a = g_.at(i, j), b = g_.at(i2, j2);
        const double t = (level_ - a) / (b - a);
        x = g_.x[i] + t * (g_.x[i2] - g_.x[i]);
        y = g_.y[j] + t * (g_.y[j2] - g_.y[j]);
    }

    void add(long e) {
        double x, y;
        crossing_point(e, x, y);
        s_.fields->work.line_x.push_back(x);
        s_.fields->work.line_y.push_back(y);
    }

    void trace(long start, int i, int j, int side) {
        std::vector<double>& lx = s_.fields->work.line_x;
        std::vector<double>& ly = s_.fields->work.line_y;
        std::uint8_t* marks = s_.fields->work.marks.data();
        lx.clear();
        ly.clear();
        add(start);
        marks[start] = kTraced;
        bool closed = false;
        for (;;) {
            const int out = exit_side(i, j, side);
            const long e = side_edge(i, j, out);
            if (marks[e] == kTraced) {
                closed = e == start;
                if (closed) add(e);
                break;
            }
            marks[e] = kTraced;
            add(e);
            static constexpr int di[4] = {0, 1, 0, -1}, dj[4] = {-1, 0, 1, 0};
            i += di[out];
            j += dj[out];
            side = (out + 2) % 4;
            if (!valid_cell(i, j)) break;
        }
        sink_.line(lx.data(), ly.data(), static_cast<int>(lx.size()), closed);
    }

    PlotState& s_;
    const FieldGrid& g_;
    double level_;
    ContourSink& sink_;
    long h_count_ = 0, v_count_ = 0;
};

}  // namespace

long count_intersections(const FieldGrid& g, double level) {
    long n = 0;
    for (int i = 0; i < g.nx; ++i) {
        const double* a = g.z + static_cast<long>(i) * g.ny;
        for (int j = 0; j < g.ny; ++j) {
            if (j + 1 < g.ny) n += crosses(a[j], a[j + 1], level);
            if (i + 1 < g.nx) n += crosses(a[j], a[j + g.ny], level);
        }
    }
    return n;
}

void trace_contour(PlotState& s, const FieldGrid& g, double level, ContourSink& sink) {
    if (g.nx < 2 || g.ny < 2 || !std::isfinite(level)) return;
    Tracer(s, g, level, sink).run();
}

bool monotonic(const double* v, int n) {
    if (!v || n < 1) return false;
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(v[k])) return false;
    if (n < 2) return true;
    const bool up = v[1] > v[0];
    for (int k = 1; k < n; ++k)
        if (up ? !(v[k] > v[k - 1]) : !(v[k] < v[k - 1])) return false;
    return true;
}

bool refuses_three_d(PlotState& s) {
    if (s.frame.level != 3 || s.fields->axis != FieldAxis::three_d) return false;
    warn(s, warning::confused_3d);
    return true;
}

bool refuses_grid(PlotState& s, const double* x, int nx, const double* y, int ny, const double* z,
                  int least, bool ordered) {
    if (!x || !y || !z) {
        warn(s, warning::incorrect_parameter);
        return true;
    }
    if (check_range(s, nx, least, -1) != 0 || check_range(s, ny, least, -1) != 0) return true;
    if (ordered && (!monotonic(x, nx) || !monotonic(y, ny))) {
        warn(s, warning::no_grid);
        return true;
    }
    return false;
}

}  // namespace gvx
