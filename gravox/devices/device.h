// The output device interface.
//
// Every output format is one class behind this interface, chosen from the device
// code when a plot is opened (see core/output_catalogue.h). The drawing primitives hand
// a device moves and draws that are already buffered, clipped, patterned and
// widened, in plot coordinates; each device converts them to its own units. A
// device states what it can do itself, and the primitives do the rest for it.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>

#include "gravox/core/warning_texts.h"

namespace gvx {

struct PlotState;
class Sink;

struct DeviceCapabilities {
    bool fills_polygons = false;    // fills a polygon itself (else it gets the outline)
    bool draws_wide_lines = false;  // widens lines itself (else the primitives draw rings)
    bool pixels = false;            // integer pixel device (raster images, screens, applet)
    bool keeps_palette = false;     // wants the colour table
    // Fills a box exactly, without covering its neighbours' edges, so that boxes that do
    // not overlap may be filled together in any order (fill_boxes).
    bool fills_box_sets = false;
};

// An axis-parallel box in plot coordinates, x1 <= x2 and y1 <= y2.
struct PlotBox {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

class Device {
  public:
    explicit Device(PlotState& state) : state_(state) {}
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    virtual DeviceCapabilities capabilities() const = 0;

    // Opening step after core has named and opened the plot file; file is null for
    // devices that write no file. Returns 0, or a warning number (emitted by the caller).
    virtual Warning open(Sink* file) = 0;
    // Writes what is still pending to the file. Returns 0, or the number of the
    // warning that closing gives (its custom text set for numbers above 100); the
    // device turns the status values of its writer into these numbers.
    virtual Warning close() = 0;

    // Pen movement in plot coordinates (already clipped).
    virtual void move(double x, double y) = 0;
    virtual void draw(double x, double y) = 0;
    // A connected polyline of n points (already clipped): a move to the first point
    // and a draw to each further one. A device that takes a whole polyline at once
    // overrides this; the others see the moves and draws one by one.
    virtual void polyline(const double* x, const double* y, int n);
    // The current colour changed (a colour value: index 0..255 or explicit RGB).
    virtual void colour(int value) = 0;
    // The colour table changed (256 entries 0x00RRGGBB) with its palette kind.
    virtual void palette(const std::uint32_t* /*table*/, int /*kind*/) {}
    // Fills a polygon in plot coordinates in the current colour. Returns 0 or a
    // warning number. Only called when capabilities().fills_polygons.
    virtual Warning fill_polygon(const double* /*x*/, const double* /*y*/, int /*n*/) {
        return warning::none;
    }
    // Fills an axis-parallel box (plot coordinates, already clipped) with a colour.
    virtual void fill_box(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/,
                          int /*colour*/) {}
    // Fills n boxes (plot coordinates, already clipped) that do not overlap with one
    // colour. Only called when capabilities().fills_box_sets; the default fills them one
    // by one.
    virtual void fill_boxes(const PlotBox* boxes, int n, int colour);
    // Sets one point (plot coordinates) to a colour.
    virtual void point(double /*x*/, double /*y*/, int /*colour*/) {}
    // Clears the picture to the background.
    virtual void erase() {}

  protected:
    PlotState& state_;
};

// Truncates a real coordinate toward zero into the int range: NaN gives 0 and
// values beyond the range are pinned to it, so no conversion is ever undefined.
inline int truncate_coordinate(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// v + 0.5 truncated as above: the nearest whole coordinate for v >= -0.5, the way the
// pixel devices round.
inline int round_coordinate(double v) {
    return truncate_coordinate(v + 0.5);
}

// The conversion of plot coordinates to pixels of one plot: the device scale, and the
// exchange of the axes on a turned page. Taken once for a polyline rather than read
// from the state record at every point.
struct PixelMapping {
    double scale = 1.0;
    bool portrait = false;
    int page_width = 0;

    // Without rounding, for polygon vertices.
    void to_real(double x, double y, double& px, double& py) const {
        if (portrait) {
            px = scale * y;
            py = scale * (page_width - x);
        } else {
            px = scale * x;
            py = scale * y;
        }
    }
    // Truncation of s*v + 0.5.
    void to_pixel(double x, double y, int& px, int& py) const {
        double rx, ry;
        to_real(x, y, rx, ry);
        px = round_coordinate(rx);
        py = round_coordinate(ry);
    }
};

// Base of the integer pixel devices: converts plot coordinates to pixels with the
// device scale (and the exchange of a turned page) and keeps the pen position.
class PixelDevice : public Device {
  public:
    using Device::Device;

    DeviceCapabilities capabilities() const override;
    void move(double x, double y) override;
    void draw(double x, double y) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;
    void point(double x, double y, int colour) override;

    // Plot coordinates to pixels: truncation of s*v + 0.5, exchanged for a turned page.
    void to_pixel(double x, double y, int& px, int& py) const;
    // The conversion that both use, as it stands for the open plot.
    PixelMapping pixel_mapping() const;

    int pen_x() const { return pen_x_; }
    int pen_y() const { return pen_y_; }

    // Pixel operations of the concrete device.
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void pixel_box(int x1, int y1, int x2, int y2, int colour) = 0;
    virtual void pixel_point(int x, int y, int colour) = 0;
    // Fills a polygon given in real pixel coordinates; returns 0 or a warning number.
    virtual Warning pixel_polygon(const double* x, const double* y, int n) = 0;

  protected:
    // Puts the pen at a pixel, for devices that walk a polyline themselves.
    void set_pen(int px, int py) {
        pen_x_ = px;
        pen_y_ = py;
    }

  private:
    int pen_x_ = 0, pen_y_ = 0;
    std::unique_ptr<double[]> poly_x_, poly_y_;  // reused conversion buffers
    int poly_capacity_ = 0;
};

}  // namespace gvx
