#include "gravox/devices/raster_device.h"

#include "gravox/core/colour_table.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"

namespace gvx {
namespace {

// The settings of the other image formats, taken from the plot state.
ImageSettings image_settings_of(const PlotState& s) {
    ImageSettings settings = image_settings(s.raster->png);
    settings.background_colour = s.colours->background_colour;
    settings.gif = s.raster->gif;
    settings.tiff = s.raster->tiff;
    return settings;
}

template <ImageStatus (*Write)(Sink&, const RasterCanvas&, const ImageSettings&,
                               const std::uint32_t*, int)>
Warning write_image(PlotState& s, Sink& file) {
    switch (Write(file, s.raster->canvas, image_settings_of(s), s.colours->table, 256)) {
        case ImageStatus::ok:
            return warning::none;
        case ImageStatus::no_memory:
            return warning::not_enough_memory;
        default:  // a refused write, or nothing that could be written
            return warning::file_error;
    }
}

}  // namespace

Warning write_png_file(PlotState& s, Sink& file) {
    switch (write_png(file, s.raster->canvas, s.raster->png, s.colours->table, 256)) {
        case PngStatus::ok:
            return warning::none;
        case PngStatus::file_error:
            return warning::file_error;
        case PngStatus::no_memory:
            return warning::not_enough_memory;
        default:
            return warning::zlib_error;
    }
}

Warning write_tiff_file(PlotState& s, Sink& file) {
    return write_image<write_tiff>(s, file);
}
Warning write_ppm_file(PlotState& s, Sink& file) {
    return write_image<write_ppm>(s, file);
}
Warning write_bmp_file(PlotState& s, Sink& file) {
    return write_image<write_bmp>(s, file);
}
Warning write_gif_file(PlotState& s, Sink& file) {
    return write_image<write_gif>(s, file);
}

// The bitmap dump counts its failures upwards.
Warning write_dump_file(PlotState& s, Sink& file) {
    switch (write_imag(file, s.raster->canvas, image_settings_of(s), s.colours->table, 256)) {
        case DumpStatus::ok:
            return warning::none;
        case DumpStatus::no_memory:
            return warning::not_enough_memory;
        default:
            return warning::file_error;
    }
}

RasterDevice::RasterDevice(PlotState& s, int code, ImageWriter writer)
    : PixelDevice(s), code_(code), writer_(writer) {}

RasterCanvas& RasterDevice::canvas() {
    return state_.raster->canvas;
}

Warning RasterDevice::open(Sink* file) {
    PlotState& s = state_;
    file_ = file;
    const bool true_colour =
        output_row(code_).colour_depth > 8 || s.raster->png.format == ImageFormat::rgb;
    if (true_colour) s.page.colour_depth = 24;
    int pw = s.page.width, ph = s.page.height;
    if (s.page.orientation == PageOrientation::portrait) std::swap(pw, ph);
    int width = s.page.device_w, height = s.page.device_h;
    CanvasStatus status =
        canvas().create(pw, ph, width, height, true, s.files.screen_mode_effective, true_colour);
    if (status != CanvasStatus::ok) return warning::not_enough_memory;
    canvas().option(canvas_option::reset_alpha, 0);
    s.raster->png.clipped = false;  // every plot starts with the whole image
    return warning::none;
}

Warning RasterDevice::close() {
    Warning failure = warning::none;
    if (writer_ && file_) failure = writer_(state_, *file_);
    canvas().free();
    return failure;
}

void RasterDevice::move(double x, double y) {
    end_drawn_ = false;
    PixelDevice::move(x, y);
}

// The whole polyline in one call: its points are converted with the mapping taken
// once, and its lines go straight to the canvas.
void RasterDevice::polyline(const double* x, const double* y, int n) {
    if (n < 1) return;
    const PixelMapping map = pixel_mapping();
    int px, py;
    map.to_pixel(x[0], y[0], px, py);
    end_drawn_ = false;
    for (int i = 1; i < n; ++i) {
        int qx, qy;
        map.to_pixel(x[i], y[i], qx, qy);
        // Most points of a long curve land on the pixel just drawn: tested here, before
        // any call.
        if (!repeats_end(px, py, qx, qy)) line(px, py, qx, qy);
        px = qx;
        py = qy;
    }
    set_pen(px, py);
}

void RasterDevice::colour(int value) {
    end_drawn_ = false;
    canvas().set_colour(value);
}

void RasterDevice::palette(const std::uint32_t* table, int kind) {
    end_drawn_ = false;
    canvas().load_palette(kind, table, 256);
}

void RasterDevice::erase() {
    end_drawn_ = false;
    canvas().erase();
}

void RasterDevice::line(int x1, int y1, int x2, int y2) {
    if (repeats_end(x1, y1, x2, y2)) return;
    canvas().line(x1, y1, x2, y2);
    end_drawn_ = true;
    end_x_ = x2;
    end_y_ = y2;
}

void RasterDevice::pixel_box(int x1, int y1, int x2, int y2, int colour) {
    end_drawn_ = false;
    canvas().box(x1, y1, x2, y2, colour);
}

void RasterDevice::pixel_point(int x, int y, int colour) {
    end_drawn_ = false;
    canvas().point(x, y, colour);
}

Warning RasterDevice::pixel_polygon(const double* x, const double* y, int n) {
    end_drawn_ = false;
    return canvas().polygon(x, y, n) ? warning::too_many_intersections : warning::none;
}

}  // namespace gvx
