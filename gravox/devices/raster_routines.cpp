// Public routines of the raster images: image format, transparency, image block,
// erasing, clipping of the canvas and smoothed lines.
#include <algorithm>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/devices/raster_device.h"
#include "gravox/gravox.h"

using namespace gvx;

namespace {

// A plot drawing into the raster canvas: a raster image, or a screen window showing it.
bool raster_plot_open(const PlotState& s) {
    return s.device && s.device->capabilities().pixels && s.raster->canvas.has_image();
}

}  // namespace

void Gravox::imgfmt(const char* format) {
    if (refused("imgfmt", 0, 0)) return;
    int index = match_keyword(*state_, "IND +RGB +BIL ", 3, format);
    if (index != 0) state_->raster->png.format = static_cast<ImageFormat>(index - 1);
}

void Gravox::pngmod(const char* mode, const char* key) {
    if (refused("pngmod", 0, 0)) return;
    if (find_keyword("TRAN", 1, key) == 0) {
        warn_text(*state_, warning::incorrect_parameter, key ? key : "");
        return;
    }
    int index = match_keyword(*state_, "OFF +ON  ", 2, mode);
    if (index != 0) state_->raster->png.transparent = index == 2;
}

void Gravox::imgclp(int nx, int ny, int nw, int nh) {
    if (refused("imgclp", 1, 3)) return;
    PlotState& s = *state_;
    if (check_block(s, nx, ny, nw, nh)) return;
    // Compared without overflow: the block must lie inside the image.
    if (nw > s.page.device_w - nx || nh > s.page.device_h - ny) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.raster->png.clipped = true;
    s.raster->png.block = ImageBlock{nx, ny, nw, nh};
}

void Gravox::erase() {
    if (refused("erase", 1, 3)) return;
    flush_polyline(*state_);
    if (state_->device) state_->device->erase();
}

void Gravox::clpwin(int nx, int ny, int nw, int nh) {
    if (refused("clpwin", 1, 3)) return;
    PlotState& s = *state_;
    if (nw <= 0 || nh <= 0) {
        warn_int(s, warning::incorrect_parameter, std::min(nw, nh));
        return;
    }
    if (check_position(s, nx, ny)) return;
    flush_polyline(s);
    ClipWindow& w = s.prims->clip_window;
    w.xmin = nx;
    w.ymin = ny;
    w.xmax = nx + std::min(nw - 1, s.page.width - nx);
    w.ymax = ny + std::min(nh - 1, s.page.height - ny);
    if (!raster_plot_open(s)) return;
    // The canvas cuts its lines and boxes to the same window, in pixels.
    auto* pixels = static_cast<PixelDevice*>(s.device.get());
    int x1, y1, x2, y2;
    pixels->to_pixel(w.xmin, w.ymin, x1, y1);
    pixels->to_pixel(w.xmax, w.ymax, x2, y2);
    RasterCanvas& canvas = s.raster->canvas;
    canvas.option(canvas_option::clip_x1, std::min(x1, x2));
    canvas.option(canvas_option::clip_y1, std::min(y1, y2));
    canvas.option(canvas_option::clip_x2, std::max(x1, x2));
    canvas.option(canvas_option::clip_y2, std::max(y1, y2));
    canvas.option(canvas_option::clipping, 0);
}

void Gravox::clpbor(const char* mode) {
    if (refused("clpbor", 1, 3)) return;
    PlotState& s = *state_;
    int index = match_keyword(s, "PAGE+AXIS", 2, mode);
    if (index == 0) return;
    flush_polyline(s);
    if (index == 1) {
        s.prims->clip_window = ClipWindow{0, 0, s.page.width, s.page.height};
        if (raster_plot_open(s)) s.raster->canvas.option(canvas_option::clipping, 1);
        return;
    }
    // AXIS: clip the canvas to the current clipping window as well.
    const ClipWindow w = s.prims->clip_window;
    clpwin(w.xmin, w.ymin, w.xmax - w.xmin + 1, w.ymax - w.ymin + 1);
}

void Gravox::linmod(const char* mode, const char* key) {
    if (refused("linmod", 0, 3)) return;
    if (find_keyword("SMOO", 1, key) == 0) {
        warn_text(*state_, warning::incorrect_parameter, key ? key : "");
        return;
    }
    int index = match_keyword(*state_, "OFF +ON  ", 2, mode);
    if (index != 0) state_->raster->canvas.option(canvas_option::smoothing, index - 1);
}
