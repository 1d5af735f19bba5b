// The raster image devices (codes 601 to 700): drawing goes into the raster canvas,
// and closing the plot hands the canvas to the image writer of the format.
#pragma once

#include <memory>

#include "gravox/devices/device.h"
#include "gravox/devices/image_writers.h"
#include "gravox/devices/png_writer.h"
#include "gravox/devices/raster_canvas.h"

namespace gvx {

// Settings and the canvas of the raster devices, kept in the state record. The
// canvas lives as long as the library object; its pixels only while a plot is open.
struct RasterState {
    RasterCanvas canvas;
    PngSettings png;    // image format ("IND", "RGB", "BIL"), transparency, image block
    GifSettings gif;    // gifmod
    TiffSettings tiff;  // tifmod
};

// Writes the canvas in one image format; returns warning::none or the failure.
using ImageWriter = Warning (*)(PlotState& s, Sink& file);

class RasterDevice final : public PixelDevice {
  public:
    RasterDevice(PlotState& s, int code, ImageWriter writer);

    Warning open(Sink* file) override;
    Warning close() override;
    void move(double x, double y) override;
    void polyline(const double* x, const double* y, int n) override;
    void colour(int value) override;
    void palette(const std::uint32_t* table, int kind) override;
    void erase() override;

    void line(int x1, int y1, int x2, int y2) override;
    void pixel_box(int x1, int y1, int x2, int y2, int colour) override;
    void pixel_point(int x, int y, int colour) override;
    Warning pixel_polygon(const double* x, const double* y, int n) override;

  private:
    RasterCanvas& canvas();
    // A zero-length line onto the pixel that the previous line ended on changes nothing.
    bool repeats_end(int x1, int y1, int x2, int y2) const {
        return end_drawn_ && x1 == x2 && y1 == y2 && x2 == end_x_ && y2 == end_y_;
    }
    int code_;
    // End pixel of the last line of the current polyline: a curve of many points
    // per pixel need not draw that pixel again while nothing else has touched it.
    bool end_drawn_ = false;
    int end_x_ = 0, end_y_ = 0;
    ImageWriter writer_;  // null for "VIRT", which keeps the picture in memory only
    Sink* file_ = nullptr;
};

// The image writers of the raster outputs, one per file format.
Warning write_tiff_file(PlotState& s, Sink& file);
Warning write_dump_file(PlotState& s, Sink& file);  // the bitmap dump "IMAG"
Warning write_png_file(PlotState& s, Sink& file);
Warning write_ppm_file(PlotState& s, Sink& file);
Warning write_bmp_file(PlotState& s, Sink& file);
Warning write_gif_file(PlotState& s, Sink& file);

// The raster device that hands its canvas to Writer when the plot closes (null: the
// picture stays in memory). The factory of the raster rows of the output catalogue.
template <ImageWriter Writer>
std::unique_ptr<Device> make_raster_device(PlotState& s, int code) {
    return std::make_unique<RasterDevice>(s, code, Writer);
}

}  // namespace gvx
