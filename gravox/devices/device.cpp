// Conversion to integer pixels shared by the pixel devices.
#include "gravox/devices/device.h"

#include <climits>
#include <cmath>
#include <new>

#include "gravox/core/state.h"

namespace gvx {

int truncate_coordinate(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

DeviceCapabilities PixelDevice::capabilities() const {
    DeviceCapabilities caps;
    caps.fills_polygons = true;
    caps.pixels = true;
    caps.keeps_palette = true;
    return caps;
}

void PixelDevice::to_pixel_real(double x, double y, double& px, double& py) const {
    const PageState& p = state_.page;
    const double s = p.device_scale;
    if (p.orientation == PageOrientation::portrait) {
        px = s * y;
        py = s * (p.width - x);
    } else {
        px = s * x;
        py = s * y;
    }
}

void PixelDevice::to_pixel(double x, double y, int& px, int& py) const {
    double rx, ry;
    to_pixel_real(x, y, rx, ry);
    px = truncate_coordinate(rx + 0.5);
    py = truncate_coordinate(ry + 0.5);
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

int PixelDevice::fill_polygon(const double* x, const double* y, int n) {
    if (n <= 0) return 0;
    if (n > poly_capacity_) {
        poly_x_.reset(new (std::nothrow) double[n]);
        poly_y_.reset(new (std::nothrow) double[n]);
        if (!poly_x_ || !poly_y_) {
            poly_x_.reset();
            poly_y_.reset();
            poly_capacity_ = 0;
            return 53;
        }
        poly_capacity_ = n;
    }
    for (int i = 0; i < n; ++i) to_pixel_real(x[i], y[i], poly_x_[i], poly_y_[i]);
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
