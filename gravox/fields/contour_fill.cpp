// Filled contours: the bands between successive levels, filled cell by cell with the
// colours of the colour axis (conshd, shdmod).
#include <algorithm>
#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/curves/colour.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

// A triangle cut by two levels has at most five vertices; one spare.
constexpr int kMaxPiece = 6;
// Twice the area (square plot units) below which a piece is not sent.
constexpr double kNoArea = 1e-9;

struct Vertex {
    double x, y, z;
};

// Keeps the part of a convex polygon where sign * (z - level) >= 0.
int clip_piece(const Vertex* in, int n, double level, double sign, Vertex* out) {
    int m = 0;
    for (int k = 0; k < n; ++k) {
        const Vertex& a = in[k];
        const Vertex& b = in[(k + 1) % n];
        const double fa = sign * (a.z - level), fb = sign * (b.z - level);
        if (fa >= 0.0) out[m++] = a;
        if ((fa >= 0.0) != (fb >= 0.0)) {
            const double t = fa / (fa - fb);
            out[m++] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), level};
        }
        if (m >= kMaxPiece - 1) break;
    }
    return m;
}

class BandPainter {
  public:
    BandPainter(PlotState& s, const FieldGrid& g, const double* levels, int nlev)
        : s_(s), g_(g), levels_(levels), nlev_(nlev), map_(plot_mapping(s)) {
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        const long count = static_cast<long>(g.nx) * g.ny;
        for (long k = 0; k < count; ++k) {
            if (!std::isfinite(g.z[k])) continue;
            lo = std::min(lo, g.z[k]);
            hi = std::max(hi, g.z[k]);
        }
        zmin_ = lo;
        zmax_ = hi;
    }

    void run(bool merge) {
        for (int j = 0; j + 1 < g_.ny; ++j) {
            const double top = map_.y(g_.y[j + 1]), bottom = map_.y(g_.y[j]);
            int run_band = -1, run_start = 0;
            for (int i = 0; i + 1 < g_.nx; ++i) {
                const double c[4] = {g_.at(i, j), g_.at(i + 1, j), g_.at(i + 1, j + 1),
                                     g_.at(i, j + 1)};
                const bool valid = std::isfinite(c[0]) && std::isfinite(c[1]) &&
                                   std::isfinite(c[2]) && std::isfinite(c[3]);
                int b = -1;
                if (valid) {
                    b = band(c[0]);
                    for (int k = 1; k < 4 && b >= 0; ++k)
                        if (band(c[k]) != b) b = -1;
                }
                if (merge && b >= 0 && b == run_band) continue;
                if (run_band >= 0) rectangle(run_start, i, top, bottom, run_band);
                run_band = -1;
                if (!valid) continue;
                if (b >= 0) {
                    if (merge) {
                        run_band = b;
                        run_start = i;
                    } else {
                        rectangle(i, i + 1, top, bottom, b);
                    }
                    continue;
                }
                split_cell(i, j, c);
            }
            if (run_band >= 0) rectangle(run_start, g_.nx - 1, top, bottom, run_band);
        }
    }

  private:
    int band(double z) const {
        return static_cast<int>(std::upper_bound(levels_, levels_ + nlev_, z) - levels_);
    }

    int band_colour(int b) const {
        double mid;
        if (b == 0)
            mid = (zmin_ + levels_[0]) / 2.0;
        else if (b == nlev_)
            mid = (zmax_ + levels_[nlev_ - 1]) / 2.0;
        else
            mid = (levels_[b - 1] + levels_[b]) / 2.0;
        return scale_colour(s_, s_.fields->scale, mid);
    }

    void fill(const double* x, const double* y, int n, int b) {
        const int colour = band_colour(b);
        if (colour < 0) return;
        if (colour != s_.colours->current_colour) set_device_colour(s_, colour);
        fill_polygon(s_, x, y, n);
    }

    void rectangle(int i0, int i1, double top, double bottom, int b) {
        const double left = map_.x(g_.x[i0]), right = map_.x(g_.x[i1]);
        const double x[4] = {left, right, right, left}, y[4] = {bottom, bottom, top, top};
        fill(x, y, 4, b);
    }

    // Four triangles about the centre, each cut into its bands.
    void split_cell(int i, int j, const double c[4]) {
        const Vertex corner[4] = {{map_.x(g_.x[i]), map_.y(g_.y[j]), c[0]},
                                  {map_.x(g_.x[i + 1]), map_.y(g_.y[j]), c[1]},
                                  {map_.x(g_.x[i + 1]), map_.y(g_.y[j + 1]), c[2]},
                                  {map_.x(g_.x[i]), map_.y(g_.y[j + 1]), c[3]}};
        const Vertex centre{(corner[0].x + corner[1].x) / 2.0, (corner[0].y + corner[3].y) / 2.0,
                            (c[0] + c[1] + c[2] + c[3]) / 4.0};
        for (int k = 0; k < 4; ++k) {
            const Vertex tri[3] = {corner[k], corner[(k + 1) % 4], centre};
            int lo = band(tri[0].z), hi = lo;
            for (int m = 1; m < 3; ++m) {
                lo = std::min(lo, band(tri[m].z));
                hi = std::max(hi, band(tri[m].z));
            }
            for (int b = lo; b <= hi; ++b) {
                Vertex a[kMaxPiece], d[kMaxPiece];
                int n = 3;
                std::copy(tri, tri + 3, a);
                if (b > 0) {
                    n = clip_piece(a, n, levels_[b - 1], 1.0, d);
                    std::copy(d, d + n, a);
                }
                if (b < nlev_ && n >= 3) {
                    n = clip_piece(a, n, levels_[b], -1.0, d);
                    std::copy(d, d + n, a);
                }
                if (n < 3) continue;
                double px[kMaxPiece], py[kMaxPiece], area = 0.0;
                for (int m = 0; m < n; ++m) {
                    px[m] = a[m].x;
                    py[m] = a[m].y;
                    area += a[m].x * a[(m + 1) % n].y - a[(m + 1) % n].x * a[m].y;
                }
                // A vertex on a level leaves a piece without area in the next band.
                if (std::fabs(area) > kNoArea) fill(px, py, n, b);
            }
        }
    }

    PlotState& s_;
    const FieldGrid& g_;
    const double* levels_;
    int nlev_;
    PlotMapping map_;
    double zmin_ = 0.0, zmax_ = 0.0;
};

}  // namespace

}  // namespace gvx

using namespace gvx;

void Gravox::conshd(const double* x, int nx, const double* y, int ny, const double* z,
                    const double* levels, int nlev) {
    if (refused("conshd", 3, 3)) return;
    PlotState& s = state();
    if (refuses_colour_axis(s) || refuses_grid(s, x, nx, y, ny, z, 2, true)) return;
    if (!levels) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, nlev, 1, -1) != 0) return;
    for (int k = 0; k < nlev; ++k) {
        if (!std::isfinite(levels[k]) || (k > 0 && !(levels[k] > levels[k - 1]))) {
            warn(s, warning::bad_levels);
            return;
        }
    }
    const int colour = s.colours->current_colour;
    BandPainter(s, FieldGrid{x, nx, y, ny, z}, levels, nlev)
        .run(s.fields->fill == ContourFill::polygons);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

void Gravox::shdmod(const char* mode, const char* item) {
    if (refused("shdmod", 1, 3)) return;
    PlotState& s = state();
    if (match_keyword(s, "CONT", 1, item) == 0) return;
    const int index = match_keyword(s, "CELL+POLY", 2, mode);
    if (index != 0) s.fields->fill = static_cast<ContourFill>(index);
}
