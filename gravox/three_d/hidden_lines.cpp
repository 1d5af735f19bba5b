// Mesh surfaces with hidden lines: surmat, surfce and surfun, and the colours of the two
// sides (surclr). The method is described in docs/three_d.md: the cells of the surface
// are rasterised into a depth buffer that remembers the nearest cell of every raster
// cell, then every mesh edge is walked in small steps and drawn where it lies on the
// nearest surface.
#include <climits>
#include <cmath>
#include <new>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/three_d/three_d_internal.h"

namespace gvx {

namespace {

constexpr int kNoMemory = 53;  // "Not enough memory"

// Box coordinate of grid line k of n along an axis: the user value through the scaling,
// or equal spacing over the box on the index grid.
double grid_box(const BoxAxis& a, const double* v, int k, int n) {
    if (!v) return n > 1 ? -a.half + 2.0 * a.half * k / (n - 1) : 0.0;
    return a.to_box(v[k]);
}

// The raster of the depth buffer over the picture of the surface.
struct DepthRaster {
    double x0 = 0.0, y0 = 0.0, h = 1.0;  // plot position of cell (0, 0)'s corner, cell size
    int width = 0, height = 0;
    RasterVertex at(const Projected& p) const {
        return {(p.x - x0) / h - 0.5, (p.y - y0) / h - 0.5, p.depth};
    }
};

bool cell_corners(const ThreeDState& t, int ny, int i, int j, const Projected* v[4]) {
    const Projected* base = t.work.vertices.data();
    v[0] = base + static_cast<long>(i) * ny + j;
    v[1] = v[0] + ny;
    v[2] = v[1] + 1;
    v[3] = v[0] + 1;
    for (int k = 0; k < 4; ++k)
        if (std::isnan(v[k]->depth)) return false;
    return true;
}

// Which side of each cell faces the eye: 1 for the top (the side towards +z of the box).
void cell_sides(PlotState& s, const SurfaceGrid& g) {
    ThreeDState& t = *s.three_d;
    const int cx = g.nx - 1, cy = g.ny - 1;
    const BoxAxis* a = t.axis;
    for (int i = 0; i < cx; ++i) {
        const double xa = grid_box(a[0], g.x, i, g.nx), xb = grid_box(a[0], g.x, i + 1, g.nx);
        for (int j = 0; j < cy; ++j) {
            const double ya = grid_box(a[1], g.y, j, g.ny), yb = grid_box(a[1], g.y, j + 1, g.ny);
            const long k = static_cast<long>(i) * g.ny + j;
            const double z00 = a[2].to_box(g.z[k]), z10 = a[2].to_box(g.z[k + g.ny]);
            const double z01 = a[2].to_box(g.z[k + 1]), z11 = a[2].to_box(g.z[k + g.ny + 1]);
            // Normal of the cell from its diagonals, turned to +z for a flat cell.
            const Vec3 d1{xb - xa, yb - ya, z11 - z00}, d2{xa - xb, yb - ya, z01 - z10};
            Vec3 n = cross(d1, d2);
            if ((xb - xa) * (yb - ya) < 0.0) n = -1.0 * n;
            const Vec3 centre{(xa + xb) / 2, (ya + yb) / 2, (z00 + z10 + z01 + z11) / 4};
            t.work.side[static_cast<long>(i) * cy + j] = dot(n, t.cam.eye - centre) >= 0.0 ? 1 : 0;
        }
    }
}

// The visibility of one point of a mesh edge whose cells are c1 and c2 (-1: none):
// -1 hidden, else the side (0 bottom, 1 top) that shows there.
class EdgeTest {
  public:
    EdgeTest(const ThreeDState& t, const DepthRaster& r, double tolerance)
        : t_(t), r_(r), tolerance_(tolerance) {}

    int side(RasterVertex p, int c1, int c2) const {
        const int col = static_cast<int>(std::floor(p.x + 0.5));
        const int row = static_cast<int>(std::floor(p.y + 0.5));
        if (col < 0 || row < 0 || col >= r_.width || row >= r_.height) return own(c1, c2);
        const long k = static_cast<long>(row) * r_.width + col;
        const int found = t_.work.cell[k];
        if (found >= 0 && (found == c1 || found == c2)) return t_.work.side[found];
        if (found < 0 || p.depth <= t_.work.depth[k] + tolerance_) return own(c1, c2);
        // Next to the edge's own cells the raster may have taken a neighbour.
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
                const int c = col + dc, r = row + dr;
                if (c < 0 || r < 0 || c >= r_.width || r >= r_.height) continue;
                const int n = t_.work.cell[static_cast<long>(r) * r_.width + c];
                if (n >= 0 && (n == c1 || n == c2)) return t_.work.side[n];
            }
        return -1;
    }

  private:
    int own(int c1, int c2) const { return t_.work.side[c1 >= 0 ? c1 : c2]; }

    const ThreeDState& t_;
    const DepthRaster& r_;
    double tolerance_;
};

// Draws the visible pieces of mesh edges in the colours of their sides.
class EdgeDrawer {
  public:
    EdgeDrawer(PlotState& s, const EdgeTest& test, const DepthRaster& r)
        : s_(s), test_(test), r_(r), colour_(s.colours->current_colour) {
        const ThreeDState& t = *s.three_d;
        side_colour_[0] = t.bottom_colour < 0 ? colour_ : t.bottom_colour;
        side_colour_[1] = t.top_colour < 0 ? colour_ : t.top_colour;
    }
    ~EdgeDrawer() {
        flush_polyline(s_);
        if (s_.colours->current_colour != colour_) set_device_colour(s_, colour_);
    }

    void edge(const Projected& a, const Projected& b, int c1, int c2) {
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const int steps = static_cast<int>(std::min(1e6, std::ceil(2.0 * length / r_.h))) + 1;
        const RasterVertex ra = r_.at(a), rb = r_.at(b);
        int state = -2;  // side of the current piece, -1 hidden
        double px = a.x, py = a.y;
        for (int k = 0; k <= steps; ++k) {
            const double f = static_cast<double>(k) / steps;
            const RasterVertex p{ra.x + f * (rb.x - ra.x), ra.y + f * (rb.y - ra.y),
                                 ra.depth + f * (rb.depth - ra.depth)};
            const int side = test_.side(p, c1, c2);
            const double x = a.x + f * (b.x - a.x), y = a.y + f * (b.y - a.y);
            if (side != state) {
                // The piece changes half way between the two samples.
                const double mx = k == 0 ? x : (px + x) / 2, my = k == 0 ? y : (py + y) / 2;
                if (state >= 0) to(mx, my);
                if (side >= 0) start(mx, my, side);
                state = side;
            }
            px = x;
            py = y;
        }
        if (state >= 0) to(b.x, b.y);
    }

  private:
    void start(double x, double y, int side) {
        const int colour = side_colour_[side];
        if (s_.colours->current_colour != colour) set_device_colour(s_, colour);
        if (!(pen_ && x == last_x_ && y == last_y_)) offset_move_to(s_, x, y);
        pen_ = true;
    }
    void to(double x, double y) {
        offset_draw_to(s_, x, y);
        last_x_ = x;
        last_y_ = y;
    }

    PlotState& s_;
    const EdgeTest& test_;
    const DepthRaster& r_;
    int colour_;
    int side_colour_[2];
    bool pen_ = false;
    double last_x_ = 0.0, last_y_ = 0.0;
};

}  // namespace

bool refuses_system(PlotState& s) {
    if (three_d_open(s)) return false;
    warn(s, warning::no_3d_system);
    return true;
}

bool refuses_surface(PlotState& s, const double* z, int nx, int ny) {
    if (refuses_system(s)) return true;
    if (!z || nx < 2 || ny < 2 || nx > INT_MAX / ny) {
        warn_int(s, warning::incorrect_parameter, nx < 2 ? nx : ny);
        return true;
    }
    return false;
}

bool refuses_grid(PlotState& s, const double* v, int n) {
    if (!v) {
        warn_int(s, warning::incorrect_parameter, n);
        return true;
    }
    for (int k = 1; k < n; ++k) {
        if ((v[k] - v[k - 1]) * (v[1] - v[0]) > 0.0) continue;
        warn(s, warning::bad_3d_grid);
        return true;
    }
    return false;
}

bool project_grid(PlotState& s, const SurfaceGrid& g) {
    ThreeDState& t = *s.three_d;
    const long count = static_cast<long>(g.nx) * g.ny;
    const long cells = static_cast<long>(g.nx - 1) * (g.ny - 1);
    try {
        t.work.vertices.resize(count);
        t.work.side.resize(cells);
    } catch (const std::bad_alloc&) {
        warn(s, kNoMemory);
        return false;
    }
    const BoxAxis* a = t.axis;
    for (int i = 0; i < g.nx; ++i) {
        const double x = grid_box(a[0], g.x, i, g.nx);
        for (int j = 0; j < g.ny; ++j) {
            const long k = static_cast<long>(i) * g.ny + j;
            const Vec3 p{x, grid_box(a[1], g.y, j, g.ny), a[2].to_box(g.z[k])};
            if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) {
                t.work.vertices[k] = project(t.cam, p);
            } else {
                t.work.vertices[k] = {0.0, 0.0, NAN};
            }
        }
    }
    cell_sides(s, g);
    return true;
}

void draw_hidden_mesh(PlotState& s, const SurfaceGrid& g, int ix, int iy) {
    if (!project_grid(s, g)) return;
    ThreeDState& t = *s.three_d;
    // The raster covers the picture of the surface within the clipping window.
    double xmin = HUGE_VAL, xmax = -HUGE_VAL, ymin = HUGE_VAL, ymax = -HUGE_VAL;
    double dmin = HUGE_VAL, dmax = -HUGE_VAL;
    for (const Projected& p : t.work.vertices) {
        if (std::isnan(p.depth)) continue;
        xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
        dmin = std::min(dmin, p.depth), dmax = std::max(dmax, p.depth);
    }
    if (xmin > xmax) return;  // no point to draw
    const ClipWindow& w = s.prims->clip_window;
    xmin = std::max(xmin, w.xmin - 2.0), xmax = std::min(xmax, w.xmax + 2.0);
    ymin = std::max(ymin, w.ymin - 2.0), ymax = std::min(ymax, w.ymax + 2.0);
    if (xmin > xmax || ymin > ymax) return;  // all off the page
    DepthRaster r;
    const double area = (xmax - xmin + 1.0) * (ymax - ymin + 1.0);
    r.h = std::max(1.0, std::sqrt(area / static_cast<double>(kMaxHiddenLineCells)) * 1.01);
    r.x0 = xmin - r.h;
    r.y0 = ymin - r.h;
    r.width = static_cast<int>((xmax - xmin) / r.h) + 3;
    r.height = static_cast<int>((ymax - ymin) / r.h) + 3;
    const long size = static_cast<long>(r.width) * r.height;
    try {
        t.work.depth.assign(size, HUGE_VALF);
        t.work.cell.assign(size, -1);
    } catch (const std::bad_alloc&) {
        warn(s, warning::hiddenline_overflow);
        return;
    }
    if (!raster_work_fits(t, g.nx, g.ny, r.width, r.height,
                          [&](const Projected& p) { return r.at(p); })) {
        warn(s, warning::hiddenline_overflow);
        return;
    }
    const int cy = g.ny - 1;
    for (int i = 0; i < g.nx - 1; ++i) {
        for (int j = 0; j < cy; ++j) {
            const Projected* v[4];
            if (!cell_corners(t, g.ny, i, j, v)) continue;
            const int id = i * cy + j;
            const RasterVertex a = r.at(*v[0]), b = r.at(*v[1]), c = r.at(*v[2]), d = r.at(*v[3]);
            const auto keep = [&](int col, int row, double depth) {
                const long k = static_cast<long>(row) * r.width + col;
                if (depth < t.work.depth[k]) {
                    t.work.depth[k] = static_cast<float>(depth);
                    t.work.cell[k] = id;
                }
            };
            raster_triangle(a, b, c, r.width, r.height, keep);
            raster_triangle(a, c, d, r.width, r.height, keep);
        }
    }
    const EdgeTest test(t, r, 1e-4 * (dmax - dmin) + 1e-9);
    EdgeDrawer draw(s, test, r);
    const int cx = g.nx - 1;
    const auto cell_id = [&](int i, int j) {
        return i < 0 || j < 0 || i >= cx || j >= cy ? -1 : i * cy + j;
    };
    const Projected* v = t.work.vertices.data();
    // Lines along x (j fixed), then along y (i fixed): every ix-th and iy-th and the last.
    for (int j = 0; j < g.ny; ++j) {
        if (j % iy != 0 && j != cy) continue;
        for (int i = 0; i < cx; ++i) {
            const Projected &a = v[static_cast<long>(i) * g.ny + j],
                            &b = v[static_cast<long>(i + 1) * g.ny + j];
            if (std::isnan(a.depth) || std::isnan(b.depth)) continue;
            draw.edge(a, b, cell_id(i, j - 1), cell_id(i, j));
        }
    }
    for (int i = 0; i < g.nx; ++i) {
        if (i % ix != 0 && i != cx) continue;
        for (int j = 0; j < cy; ++j) {
            const Projected &a = v[static_cast<long>(i) * g.ny + j],
                            &b = v[static_cast<long>(i) * g.ny + j + 1];
            if (std::isnan(a.depth) || std::isnan(b.depth)) continue;
            draw.edge(a, b, cell_id(i - 1, j), cell_id(i, j));
        }
    }
}

}  // namespace gvx

using namespace gvx;

void Gravox::surmat(const double* z, int nx, int ny, int ix, int iy) {
    if (refused("surmat", 3, 3)) return;
    PlotState& s = state();
    if (refuses_surface(s, z, nx, ny)) return;
    if (check_range(s, ix, 1, nx - 1) != 0 || check_range(s, iy, 1, ny - 1) != 0) return;
    draw_hidden_mesh(s, {nullptr, nx, nullptr, ny, z}, ix, iy);
}

void Gravox::surfce(const double* x, int nx, const double* y, int ny, const double* z) {
    if (refused("surfce", 3, 3)) return;
    PlotState& s = state();
    if (refuses_surface(s, z, nx, ny) || refuses_grid(s, x, nx) || refuses_grid(s, y, ny)) return;
    draw_hidden_mesh(s, {x, nx, y, ny, z}, 1, 1);
}

void Gravox::surfun(double (*f)(double x, double y), int nx, int ny) {
    if (refused("surfun", 3, 3)) return;
    PlotState& s = state();
    if (refuses_system(s)) return;
    if (!f || nx < 2 || ny < 2 || nx > 2000 || ny > 2000) {
        warn_int(s, warning::incorrect_parameter, nx < 2 || nx > 2000 ? nx : ny);
        return;
    }
    ThreeDState& t = *s.three_d;
    std::vector<double> x(nx), y(ny), z(static_cast<size_t>(nx) * ny);
    // Equal steps along the axes as drawn (in exponents on logarithmic axes).
    const auto value = [](const BoxAxis& a, int k, int n) {
        const double v = a.a + (a.e - a.a) * k / (n - 1);
        return a.logarithmic ? std::pow(10.0, v) : v;
    };
    for (int i = 0; i < nx; ++i) x[i] = value(t.axis[0], i, nx);
    for (int j = 0; j < ny; ++j) y[j] = value(t.axis[1], j, ny);
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) z[static_cast<size_t>(i) * ny + j] = f(x[i], y[j]);
    draw_hidden_mesh(s, {x.data(), nx, y.data(), ny, z.data()}, 1, 1);
}

void Gravox::surclr(int top, int bottom) {
    if (refused("surclr", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, top, -1, -2) != 0 || check_range(s, bottom, -1, -2) != 0) return;
    s.three_d->top_colour = top;
    s.three_d->bottom_colour = bottom;
}
