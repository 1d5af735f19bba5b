// Pieces shared by the source files of the three-dimensional subsystem.
#pragma once

#include <algorithm>
#include <cmath>

#include "gravox/three_d/three_d.h"

namespace gvx {

// A point as given (view3d, vfoc3d, litpos) in box coordinates; angles are taken about
// `centre`, and a distance of 0 means auto_distance.
Vec3 resolve_point(const PlotState& s, const GivenPoint& p, Vec3 centre, double auto_distance);

inline Vec3 unit(Vec3 v) {
    const double n = std::sqrt(dot(v, v));
    return n > 0.0 ? (1.0 / n) * v : Vec3{};
}

// The colour value of an explicit red, green and blue.
inline int explicit_colour(int red, int green, int blue) {
    return 0x01000000 + blue * 65536 + green * 256 + red;
}

// Refusals of the surface routines: 361 outside a three-dimensional axis system, 2 for
// a null matrix or fewer than 2 by 2 points, 362 for grid values that are not strictly
// monotonic (or a null grid array, warning 2).
bool refuses_system(PlotState& s);
bool refuses_surface(PlotState& s, const double* z, int nx, int ny);
bool refuses_grid(PlotState& s, const double* v, int n);

// Raster cells (or pixels) that the triangles of one surface may cover together, counted
// by their bounding boxes. Only surfaces whose cells overlap many times over on the page
// (huge values pinned to the edges of the plot coordinates) come near it; they are
// refused with warning 52 instead of taking minutes.
inline constexpr double kMaxRasterWork = 256.0 * 1024 * 1024;

// A vertex in raster units (pixel centres at whole numbers) with its depth.
struct RasterVertex {
    double x, y, depth;
};

// Visits the raster cells of a triangle whose centres lie inside it (or on its edges),
// limited to columns 0 to width - 1 and rows 0 to height - 1, with the depth
// interpolated linearly over the triangle: visit(column, row, depth).
template <typename Visit>
void raster_triangle(RasterVertex a, RasterVertex b, RasterVertex c, int width, int height,
                     Visit&& visit) {
    const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (!(std::fabs(area) > 1e-12)) return;  // degenerate or NaN
    const double x0 = std::max(0.0, std::ceil(std::min({a.x, b.x, c.x})));
    const double x1 = std::min(width - 1.0, std::floor(std::max({a.x, b.x, c.x})));
    const double y0 = std::max(0.0, std::ceil(std::min({a.y, b.y, c.y})));
    const double y1 = std::min(height - 1.0, std::floor(std::max({a.y, b.y, c.y})));
    if (x0 > x1 || y0 > y1) return;
    const double inv = 1.0 / area;
    const double eps = 1e-9;
    for (int row = static_cast<int>(y0); row <= static_cast<int>(y1); ++row) {
        for (int col = static_cast<int>(x0); col <= static_cast<int>(x1); ++col) {
            // Barycentric weights of the cell centre.
            const double wa = ((b.x - col) * (c.y - row) - (b.y - row) * (c.x - col)) * inv;
            const double wb = ((c.x - col) * (a.y - row) - (c.y - row) * (a.x - col)) * inv;
            const double wc = 1.0 - wa - wb;
            if (wa < -eps || wb < -eps || wc < -eps) continue;
            visit(col, row, wa * a.depth + wb * b.depth + wc * c.depth);
        }
    }
}

// The area of a triangle's bounding box within a raster of width by height cells.
inline double raster_work(RasterVertex a, RasterVertex b, RasterVertex c, int width, int height) {
    const double w = std::min(width - 1.0, std::max({a.x, b.x, c.x})) -
                     std::max(0.0, std::min({a.x, b.x, c.x})) + 1.0;
    const double h = std::min(height - 1.0, std::max({a.y, b.y, c.y})) -
                     std::max(0.0, std::min({a.y, b.y, c.y})) + 1.0;
    return w > 0.0 && h > 0.0 ? w * h : 0.0;
}

// True when the cells of the projected grid (s.three_d->work.vertices, nx by ny), mapped into
// a raster by to_raster(Projected) -> RasterVertex, stay within kMaxRasterWork.
template <typename Map>
bool raster_work_fits(const ThreeDState& t, int nx, int ny, int width, int height, Map to_raster) {
    double work = 0.0;
    for (int i = 0; i + 1 < nx; ++i)
        for (int j = 0; j + 1 < ny; ++j) {
            const long k = static_cast<long>(i) * ny + j;
            const Projected &p = t.work.vertices[k], &q = t.work.vertices[k + ny + 1];
            if (std::isnan(p.depth) || std::isnan(q.depth)) continue;
            const RasterVertex a = to_raster(p), c = to_raster(q);
            const RasterVertex b = to_raster(t.work.vertices[k + ny]),
                               d = to_raster(t.work.vertices[k + 1]);
            work += raster_work(a, b, c, width, height) + raster_work(a, c, d, width, height);
            if (work > kMaxRasterWork) return false;
        }
    return true;
}

}  // namespace gvx
