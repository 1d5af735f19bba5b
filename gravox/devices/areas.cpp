// Filled polygons and boxes, single points and rectangular frames.
#include <algorithm>
#include <climits>
#include <cmath>
#include <new>
#include <numbers>
#include <utility>

#include "gravox/core/colour_table.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives_internal.h"

namespace gvx {
namespace {

// Fills a polygon. With `prepared` the vertices already carry the origin offset and the
// projection, and the device may fill them although a projection is on.
void fill_polygon_vertices(PlotState& s, const double* x, const double* y, int n, bool prepared) {
    if (!x || !y || n < 1) return;
    flush_polyline(s);
    PrimitiveState& p = *s.prims;
    const bool device_fills = s.device && device_capabilities(s).fills_polygons;
    if (device_fills && p.device_fill && p.fill_pattern == kSolidFill &&
        (prepared || !p.projection_on) && p.axis_kind < 30) {
        const double* vx = x;
        const double* vy = y;
        if (!prepared && (p.origin_x != 0 || p.origin_y != 0)) {
            try {
                p.work_x.resize(n);
                p.work_y.resize(n);
            } catch (const std::bad_alloc&) {
                warn(s, warning::not_enough_memory);
                return;
            }
            for (int i = 0; i < n; ++i) {
                p.work_x[i] = x[i] + p.origin_x;
                p.work_y[i] = y[i] + p.origin_y;
            }
            vx = p.work_x.data();
            vy = p.work_y.data();
        }
        if (const Warning failure = s.device->fill_polygon(vx, vy, n)) warn(s, failure);
        return;
    }
    const double dx = prepared ? 0.0 : p.origin_x, dy = prepared ? 0.0 : p.origin_y;
    if (p.fill_pattern == kSolidFill) {
        if (prepared) {
            move_to(s, x[0], y[0]);
            for (int i = 1; i < n; ++i) draw_to(s, x[i], y[i]);
            draw_to(s, x[0], y[0]);
        } else {
            draw_outline(s, x, y, n);
        }
        // A device that cannot fill gets horizontal lines as close as those of fill_box.
        const double step = 1.4 / (s.frame.unit_scale > 0.0 ? s.frame.unit_scale : 1.0);
        if (!hatch_polygon(s, x, y, n, dx, dy, 0.0, step, 1)) warn(s, warning::not_enough_memory);
        return;
    }
    HatchPattern h;
    if (!hatch_pattern(p.fill_pattern, h)) return;
    const double spacing = hatch_spacing(s, h.density);
    bool ok = hatch_polygon(s, x, y, n, dx, dy, h.angle, spacing, h.strokes);
    if (ok && h.crossed)
        ok = hatch_polygon(s, x, y, n, dx, dy, crossing_angle(h.angle), spacing, h.strokes);
    if (!ok) warn(s, warning::not_enough_memory);
}

// Orders the corners of a box and cuts it to the window; false when nothing is left.
bool clip_box(const ClipWindow& w, double& x1, double& y1, double& x2, double& y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x1 = std::max(x1, static_cast<double>(w.xmin));
    x2 = std::min(x2, static_cast<double>(w.xmax));
    y1 = std::max(y1, static_cast<double>(w.ymin));
    y2 = std::min(y2, static_cast<double>(w.ymax));
    return x1 <= x2 && y1 <= y2;
}

}  // namespace

void fill_polygon(PlotState& s, const double* x, const double* y, int n) {
    fill_polygon_vertices(s, x, y, n, false);
}

void fill_box(PlotState& s, double x1, double y1, double x2, double y2, int colour) {
    PrimitiveState& p = *s.prims;
    x1 += p.origin_x;
    x2 += p.origin_x;
    y1 += p.origin_y;
    y2 += p.origin_y;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    const int current = s.colours->current_colour;

    if (p.projection_on && p.projection) {
        double x[4] = {x1, x2, x2, x1}, y[4] = {y1, y1, y2, y2};
        for (int i = 0; i < 4; ++i) p.projection(s, x[i], y[i]);
        set_device_colour(s, colour);
        fill_polygon_vertices(s, x, y, 4, true);
        set_device_colour(s, current);
        return;
    }

    if (!clip_box(p.clip_window, x1, y1, x2, y2) || !s.device) return;

    const DeviceCapabilities caps = device_capabilities(s);
    if (caps.pixels || caps.fills_polygons) {
        flush_polyline(s);
        s.device->fill_box(x1, y1, x2, y2, colour);
        return;
    }
    // Devices that cannot fill: horizontal lines 1.4 units of a tenth of a millimetre
    // apart, the last one on the lower edge.
    const double step = 1.4 / s.frame.unit_scale;
    if (!(step > 0.0) || !std::isfinite(step)) return;
    set_device_colour(s, colour);
    const long lines = static_cast<long>((y2 - y1) / step);
    for (long k = 0; k <= lines; ++k) {
        const double y = y1 + k * step;
        if (y >= y2) break;
        device_plot(s, x1, y, 1);
        device_plot(s, x2, y, 2);
    }
    device_plot(s, x1, y2, 1);
    device_plot(s, x2, y2, 2);
    set_device_colour(s, current);
}

bool groups_boxes(const PlotState& s) {
    return s.device && !(s.prims->projection_on && s.prims->projection) &&
           device_capabilities(s).fills_box_sets;
}

void fill_box_set(PlotState& s, const PlotBox* boxes, int n, int colour) {
    if (!boxes || n < 1) return;
    if (!groups_boxes(s)) {
        for (int k = 0; k < n; ++k)
            fill_box(s, boxes[k].x1, boxes[k].y1, boxes[k].x2, boxes[k].y2, colour);
        return;
    }
    PrimitiveState& p = *s.prims;
    std::vector<PlotBox>& work = p.box_work;
    work.clear();
    for (int k = 0; k < n; ++k) {
        PlotBox b{boxes[k].x1 + p.origin_x, boxes[k].y1 + p.origin_y, boxes[k].x2 + p.origin_x,
                  boxes[k].y2 + p.origin_y};
        if (!std::isfinite(b.x1) || !std::isfinite(b.y1) || !std::isfinite(b.x2) ||
            !std::isfinite(b.y2) || !clip_box(p.clip_window, b.x1, b.y1, b.x2, b.y2))
            continue;
        work.push_back(b);
    }
    if (work.empty()) return;
    flush_polyline(s);
    s.device->fill_boxes(work.data(), static_cast<int>(work.size()), colour);
}

void plot_point(PlotState& s, double x, double y, int colour) {
    PrimitiveState& p = *s.prims;
    x += p.origin_x;
    y += p.origin_y;
    if (p.projection_on && p.projection) p.projection(s, x, y);
    if (!s.device || !inside_clip(s, x, y)) return;
    flush_polyline(s);  // keeps the order of drawing
    s.device->point(x, y, colour);
}

namespace {

// The fast frame of the pixel devices: whole pixel rectangles drawn as four lines each.
void pixel_frame(PlotState& s, PixelDevice& device, double x, double y, double width, double height,
                 int thickness) {
    const double scale = s.page.device_scale;
    const int t = std::abs(thickness);
    const int p =
        truncate_coordinate(scale * (x + t - 1) + 0.5) - truncate_coordinate(scale * x + 0.5) + 1;
    int ax, ay, bx, by;
    device.to_pixel(x, y, ax, ay);
    device.to_pixel(x + width - 1, y + height - 1, bx, by);
    if (ax > bx) std::swap(ax, bx);
    if (ay > by) std::swap(ay, by);
    for (int k = 0; k < p; ++k) {
        const int d = thickness > 0 ? k : -k;
        const int x1 = ax - d, y1 = ay - d, x2 = bx + d, y2 = by + d;
        device.line(x1, y1, x2, y1);
        device.line(x2, y1, x2, y2);
        device.line(x2, y2, x1, y2);
        device.line(x1, y2, x1, y1);
        s.frame.vector_count =
            s.frame.vector_count <= INT_MAX - 4 ? s.frame.vector_count + 4 : INT_MAX;
    }
}

}  // namespace

void draw_frame(PlotState& s, double x, double y, double width, double height, int thickness,
                double angle) {
    if (thickness == 0) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height) ||
        !std::isfinite(angle))
        return;
    PrimitiveState& p = *s.prims;
    const int current = s.colours->current_colour;
    if (p.frame_colour != kCurrentColour) set_device_colour(s, p.frame_colour);
    x += p.origin_x;
    y += p.origin_y;
    // Thickness in plot units; the magnitude is kept within int, whatever the caller gave.
    const int t = thickness == INT_MIN ? INT_MAX : std::abs(thickness);
    const ClipWindow& w = p.clip_window;
    const double grow = t - 1.0;

    PixelDevice* pixels = nullptr;
    if (s.device && device_capabilities(s).pixels)
        pixels = dynamic_cast<PixelDevice*>(s.device.get());
    if (pixels && std::fabs(angle) <= 0.001 && !p.projection_on && !p.affine_on &&
        x - grow >= w.xmin && x + width - 1 + grow <= w.xmax && y - grow >= w.ymin &&
        y + height - 1 + grow <= w.ymax) {
        flush_polyline(s);
        pixel_frame(s, *pixels, x, y, width, height, thickness);
    } else {
        const double count = std::floor(t * s.frame.unit_scale + 0.5);
        const int rectangles = count < 1.0 ? 1 : count > 1e6 ? 1000000 : static_cast<int>(count);
        const double rad = angle * std::numbers::pi / 180.0;
        const double ca = std::cos(rad), sa = std::sin(rad);
        const bool turned = std::fabs(angle) > 0.001;
        for (int r = 0; r < rectangles; ++r) {
            const double d = thickness < 0 ? -r : r;
            const double cx[4] = {-d, width - 1 + d, width - 1 + d, -d};
            const double cy[4] = {-d, -d, height - 1 + d, height - 1 + d};
            double px[4], py[4];
            for (int i = 0; i < 4; ++i) {
                // Counter-clockwise on the page, whose y axis points down.
                px[i] = x + (turned ? cx[i] * ca + cy[i] * sa : cx[i]);
                py[i] = y + (turned ? -cx[i] * sa + cy[i] * ca : cy[i]);
            }
            move_to(s, px[0], py[0]);
            for (int i = 1; i < 4; ++i) draw_to(s, px[i], py[i]);
            draw_to(s, px[0], py[0]);
        }
    }
    if (s.colours->current_colour != current) set_device_colour(s, current);
}

}  // namespace gvx
