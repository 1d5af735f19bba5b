// Conversion to integer pixels shared by the pixel devices.
#include "gravox/devices/device.h"

#include <new>

#include "gravox/core/state.h"

namespace gvx {

void Device::polyline(const double* x, const double* y, int n) {
    if (n < 1) return;
    move(x[0], y[0]);
    for (int i = 1; i < n; ++i) draw(x[i], y[i]);
}

void Device::fill_boxes(const PlotBox* boxes, int n, int colour) {
    for (int k = 0; k < n; ++k)
        fill_box(boxes[k].x1, boxes[k].y1, boxes[k].x2, boxes[k].y2, colour);
}

DeviceCapabilities PixelDevice::capabilities() const {
    DeviceCapabilities caps;
    caps.fills_polygons = true;
    caps.pixels = true;
    caps.keeps_palette = true;
    return caps;
}

PixelMapping PixelDevice::pixel_mapping() const {
    const PageState& p = state_.page;
    return {p.device_scale, p.orientation == PageOrientation::portrait, p.width};
}

void PixelDevice::to_pixel(double x, double y, int& px, int& py) const {
    pixel_mapping().to_pixel(x, y, px, py);
}

void PixelDevice::move(double x, double y) {
    to_pixel(x, y, pen_x_, pen_y_);
}

void PixelDevice::draw(double x, double y) {
    int px, py;
    to_pixel(x, y, px, py);
    line(pen_x_, pen_y_, px, py);
    pen_x_ = px;
    pen_y_ = py;
}

Warning PixelDevice::fill_polygon(const double* x, const double* y, int n) {
    if (n <= 0) return warning::none;
    if (n > poly_capacity_) {
        poly_x_.reset(new (std::nothrow) double[n]);
        poly_y_.reset(new (std::nothrow) double[n]);
        if (!poly_x_ || !poly_y_) {
            poly_x_.reset();
            poly_y_.reset();
            poly_capacity_ = 0;
            return warning::not_enough_memory;
        }
        poly_capacity_ = n;
    }
    const PixelMapping map = pixel_mapping();
    for (int i = 0; i < n; ++i) map.to_real(x[i], y[i], poly_x_[i], poly_y_[i]);
    return pixel_polygon(poly_x_.get(), poly_y_.get(), n);
}

void PixelDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    int px1, py1, px2, py2;
    to_pixel(x1, y1, px1, py1);
    to_pixel(x2, y2, px2, py2);
    if (px1 > px2) std::swap(px1, px2);
    if (py1 > py2) std::swap(py1, py2);
    pixel_box(px1, py1, px2, py2, colour);
}

void PixelDevice::point(double x, double y, int colour) {
    int px, py;
    to_pixel(x, y, px, py);
    pixel_point(px, py, colour);
}

}  // namespace gvx
