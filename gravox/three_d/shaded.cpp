// Shaded surfaces: surshd fills every cell with the colour of its z value on the z
// axis (or with its lit colour), zbfini and zbffin bracket drawing into a z-buffer on
// pixel devices, and surmsh adds the mesh. Without a z-buffer (vector devices, or no
// zbfini) the cells are drawn from back to front, so nearer cells paint over farther.
#include <cmath>
#include <new>
#include <numeric>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/devices/primitives.h"
#include "gravox/fields/fields.h"
#include "gravox/gravox.h"
#include "gravox/three_d/three_d_internal.h"

namespace gvx {

namespace {

// The colour of cell (i, j): the mean of its corners on the z axis, or lit with the
// colours of surclr or the colour that was current when the surface began.
int cell_colour(const PlotState& s, const SurfaceGrid& g, int i, int j, const Projected* v[4],
                int current) {
    const ThreeDState& t = *s.three_d;
    const long k = static_cast<long>(i) * g.ny + j;
    const double z[4] = {g.z[k], g.z[k + g.ny], g.z[k + g.ny + 1], g.z[k + 1]};
    if (!t.light.on) {
        const BoxAxis& a = t.axis[2];
        const ColourScale scale{a.a, a.e, a.first, a.step, a.logarithmic};
        // The mean on the axis as drawn: of the exponents on a logarithmic axis.
        double mean = 0.0;
        for (double v : z) mean += a.logarithmic ? std::log10(v) : v;
        mean /= 4.0;
        return scale_colour(s, scale, a.logarithmic ? std::pow(10.0, mean) : mean);
    }
    // The cell in box coordinates, from the eye back through its projection: the
    // normal from the diagonals of the four corners in space.
    Vec3 p[4];
    for (int c = 0; c < 4; ++c) {
        const double d = v[c]->depth;
        const Camera& cam = t.cam;
        const double sx = (v[c]->x - cam.cx) / cam.scale, sy = (cam.cy - v[c]->y) / cam.scale;
        p[c] = cam.eye + d * (cam.w + sx * cam.r + sy * cam.u);
    }
    Vec3 n = cross(p[2] - p[0], p[3] - p[1]);
    const int side = t.work.side[static_cast<long>(i) * (g.ny - 1) + j];
    const int base = side ? t.top_colour : t.bottom_colour;
    const Vec3 centre = 0.25 * (p[0] + p[1] + p[2] + p[3]);
    return lit_colour(s, base < 0 ? current : base, n, centre);
}

// The z-buffer path: cells and mesh rasterised into the pixels of the device.
void zbuffer_surface(PlotState& s, PixelDevice& device, const SurfaceGrid& g) {
    ThreeDState& t = *s.three_d;
    const PixelMapping m = device.pixel_mapping();
    const int w = t.zb_width, h = t.zb_height;
    // The clipping window in pixels.
    double cx1, cy1, cx2, cy2;
    const ClipWindow& cw = s.prims->clip_window;
    m.to_real(cw.xmin, cw.ymin, cx1, cy1);
    m.to_real(cw.xmax, cw.ymax, cx2, cy2);
    const double lx = std::min(cx1, cx2) - 0.5, hx = std::max(cx1, cx2) + 0.5;
    const double ly = std::min(cy1, cy2) - 0.5, hy = std::max(cy1, cy2) + 0.5;
    const auto pixel = [&](const Projected& p) {
        RasterVertex r{0.0, 0.0, p.depth};
        m.to_real(p.x, p.y, r.x, r.y);
        return r;
    };
    if (!raster_work_fits(t, g.nx, g.ny, w, h, pixel)) {
        warn(s, warning::hiddenline_overflow);
        return;
    }
    float* zb = t.zbuffer.data();
    const int cy = g.ny - 1;
    for (int i = 0; i < g.nx - 1; ++i) {
        for (int j = 0; j < cy; ++j) {
            const Projected* v[4];
            bool ok = true;
            for (int c = 0; c < 4; ++c) {
                v[c] =
                    &t.work
                         .vertices[static_cast<long>(i + (c == 1 || c == 2)) * g.ny + j + (c >= 2)];
                ok = ok && !std::isnan(v[c]->depth);
            }
            if (!ok) continue;
            const int colour = cell_colour(s, g, i, j, v, s.colours->current_colour);
            if (colour < 0) continue;
            const RasterVertex a = pixel(*v[0]), b = pixel(*v[1]), c = pixel(*v[2]),
                               d = pixel(*v[3]);
            const auto paint = [&](int col, int row, double depth) {
                if (col < lx || col > hx || row < ly || row > hy) return;
                float& z = zb[static_cast<long>(row) * w + col];
                if (depth > z) return;
                z = static_cast<float>(depth);
                device.pixel_point(col, row, colour);
            };
            raster_triangle(a, b, c, w, h, paint);
            raster_triangle(a, c, d, w, h, paint);
        }
    }
    if (!t.mesh) return;
    // Mesh lines pixel by pixel where they are not behind the surface around them.
    double dmin = HUGE_VAL, dmax = -HUGE_VAL;
    for (const Projected& p : t.work.vertices)
        if (!std::isnan(p.depth)) dmin = std::min(dmin, p.depth), dmax = std::max(dmax, p.depth);
    const double tolerance = 2e-3 * (dmax - dmin) + 1e-9;
    const int colour = s.colours->current_colour;
    const auto line = [&](const Projected& p, const Projected& q) {
        if (std::isnan(p.depth) || std::isnan(q.depth)) return;
        const RasterVertex a = pixel(p), b = pixel(q);
        const int steps =
            static_cast<int>(
                std::min(1e6, std::ceil(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))))) +
            1;
        for (int k = 0; k <= steps; ++k) {
            const double f = static_cast<double>(k) / steps;
            const int col = static_cast<int>(std::floor(a.x + f * (b.x - a.x) + 0.5));
            const int row = static_cast<int>(std::floor(a.y + f * (b.y - a.y) + 0.5));
            if (col < 0 || row < 0 || col >= w || row >= h || col < lx || col > hx || row < ly ||
                row > hy)
                continue;
            const double depth = a.depth + f * (b.depth - a.depth);
            float nearest = -HUGE_VALF;  // the farthest surface around the pixel
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const int c = col + dc, r = row + dr;
                    if (c >= 0 && r >= 0 && c < w && r < h)
                        nearest = std::max(nearest, zb[static_cast<long>(r) * w + c]);
                }
            if (depth <= nearest + tolerance) device.pixel_point(col, row, colour);
        }
    };
    const Projected* v = t.work.vertices.data();
    for (int i = 0; i < g.nx; ++i)
        for (int j = 0; j < g.ny; ++j) {
            const long k = static_cast<long>(i) * g.ny + j;
            if (i + 1 < g.nx) line(v[k], v[k + g.ny]);
            if (j + 1 < g.ny) line(v[k], v[k + 1]);
        }
}

// The painter's path: cells sorted by the depth of their centres, farthest first.
void painted_surface(PlotState& s, const SurfaceGrid& g) {
    ThreeDState& t = *s.three_d;
    const int cy = g.ny - 1;
    const long cells = static_cast<long>(g.nx - 1) * cy;
    try {
        t.work.order.resize(cells);
        t.work.order_depth.resize(cells);
    } catch (const std::bad_alloc&) {
        warn(s, warning::hiddenline_overflow);
        return;
    }
    long count = 0;
    for (long c = 0; c < cells; ++c) {
        const int i = static_cast<int>(c / cy), j = static_cast<int>(c % cy);
        const long k = static_cast<long>(i) * g.ny + j;
        const double d = t.work.vertices[k].depth + t.work.vertices[k + g.ny].depth +
                         t.work.vertices[k + g.ny + 1].depth + t.work.vertices[k + 1].depth;
        if (std::isnan(d)) continue;
        t.work.order[count] = static_cast<std::int32_t>(c);
        t.work.order_depth[c] = static_cast<float>(d);
        ++count;
    }
    std::stable_sort(t.work.order.begin(), t.work.order.begin() + count,
                     [&](std::int32_t a, std::int32_t b) {
                         return t.work.order_depth[a] > t.work.order_depth[b];
                     });
    PrimitiveState& p = *s.prims;
    const int colour = s.colours->current_colour, pattern = p.fill_pattern;
    p.fill_pattern = kSolidFill;
    for (long n = 0; n < count; ++n) {
        const int c = t.work.order[n];
        const int i = c / cy, j = c % cy;
        const Projected* v[4];
        double x[5], y[5];
        for (int q = 0; q < 4; ++q) {
            v[q] =
                &t.work.vertices[static_cast<long>(i + (q == 1 || q == 2)) * g.ny + j + (q >= 2)];
            x[q] = v[q]->x;
            y[q] = v[q]->y;
        }
        x[4] = x[0];
        y[4] = y[0];
        const int fill = cell_colour(s, g, i, j, v, colour);
        if (fill >= 0) {
            if (s.colours->current_colour != fill) set_device_colour(s, fill);
            fill_polygon(s, x, y, 4);
        }
        if (t.mesh) {
            if (s.colours->current_colour != colour) set_device_colour(s, colour);
            move_to(s, x[0], y[0]);
            for (int q = 1; q < 5; ++q) draw_to(s, x[q], y[q]);
            flush_polyline(s);
        }
    }
    p.fill_pattern = pattern;
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

PixelDevice* zbuffer_device(PlotState& s) {
    if (!s.three_d->zbuffer_on) return nullptr;
    return dynamic_cast<PixelDevice*>(s.device.get());
}

}  // namespace

void draw_shaded_surface(PlotState& s, const SurfaceGrid& g) {
    if (!project_grid(s, g)) return;
    flush_polyline(s);
    if (PixelDevice* device = zbuffer_device(s)) {
        zbuffer_surface(s, *device, g);
    } else {
        painted_surface(s, g);
    }
}

}  // namespace gvx

using namespace gvx;

void Gravox::zbfini() {
    if (refused("zbfini", 1, 3)) return;
    PlotState& s = state();
    ThreeDState& t = *s.three_d;
    auto* device = dynamic_cast<PixelDevice*>(s.device.get());
    if (!device) return;  // vector devices draw back to front
    // The pixels of the page: its far corner, turned as the device turns it.
    const PixelMapping m = device->pixel_mapping();
    double px, py, qx, qy;
    m.to_real(s.page.width, s.page.height, px, py);
    m.to_real(0, 0, qx, qy);
    const double w = std::floor(std::max(px, qx) + 0.5) + 1,
                 h = std::floor(std::max(py, qy) + 0.5) + 1;
    if (!(w * h <= static_cast<double>(kMaxZBufferPixels))) {
        warn(s, warning::hiddenline_overflow);
        return;
    }
    try {
        t.zbuffer.assign(static_cast<size_t>(w * h), HUGE_VALF);
    } catch (const std::bad_alloc&) {
        warn(s, warning::hiddenline_overflow);
        return;
    }
    t.zb_width = static_cast<int>(w);
    t.zb_height = static_cast<int>(h);
    t.zbuffer_on = true;
}

void Gravox::zbffin() {
    if (refused("zbffin", 1, 3)) return;
    ThreeDState& t = *state().three_d;
    t.zbuffer_on = false;
    std::vector<float>().swap(t.zbuffer);
    t.zb_width = t.zb_height = 0;
}

void Gravox::surshd(const double* x, int nx, const double* y, int ny, const double* z) {
    if (refused("surshd", 3, 3)) return;
    PlotState& s = state();
    if (refuses_surface(s, z, nx, ny) || refuses_grid(s, x, nx) || refuses_grid(s, y, ny)) return;
    draw_shaded_surface(s, {x, nx, y, ny, z});
}

void Gravox::surmsh(const char* mode) {
    if (refused("surmsh", 1, 3)) return;
    PlotState& s = state();
    const int m = match_keyword(s, "ON  +OFF ", 2, mode);
    if (m != 0) s.three_d->mesh = m == 1;
}
