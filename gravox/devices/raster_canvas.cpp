#include "gravox/devices/raster_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "gravox/core/files.h"

namespace gvx {

namespace {

using i64 = std::int64_t;

bool is_explicit(std::int32_t colour) {
    return (colour >> 24) == 1;
}

// Pixel writers: one per pixel layout of the drawing target. Callers guarantee that
// every coordinate handed to them lies inside the image.
struct IndexWriter {
    std::uint8_t* base;
    std::size_t stride;
    std::uint8_t index;

    void pixel(i64 x, i64 y) const {
        base[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] = index;
    }
    void span(i64 y, i64 x1, i64 x2) const {
        std::memset(base + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x1),
                    index, static_cast<std::size_t>(x2 - x1 + 1));
    }
};

// Indexed overlay: the index goes to the overlay, the alpha value to the coverage bytes.
struct CoverageWriter {
    std::uint8_t* base;
    std::uint8_t* coverage;
    std::size_t stride;
    std::uint8_t index;
    std::uint8_t alpha;

    void pixel(i64 x, i64 y) const {
        std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x);
        base[at] = index;
        coverage[at] = alpha;
    }
    void span(i64 y, i64 x1, i64 x2) const {
        std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x1);
        std::size_t n = static_cast<std::size_t>(x2 - x1 + 1);
        std::memset(base + at, index, n);
        std::memset(coverage + at, alpha, n);
    }
};

struct RgbaWriter {
    std::uint8_t* base;
    std::size_t stride;
    std::uint8_t bytes[4];

    void pixel(i64 x, i64 y) const {
        std::memcpy(base + static_cast<std::size_t>(y) * stride + 4 * static_cast<std::size_t>(x),
                    bytes, 4);
    }
    void span(i64 y, i64 x1, i64 x2) const {
        std::uint8_t* p =
            base + static_cast<std::size_t>(y) * stride + 4 * static_cast<std::size_t>(x1);
        for (i64 x = x1; x <= x2; ++x, p += 4) std::memcpy(p, bytes, 4);
    }
};

// ceil(t / d) for d > 0.
__int128 ceil_div(__int128 t, __int128 d) {
    return t >= 0 ? (t + d - 1) / d : -((-t) / d);
}

// The Bresenham walk from (xs, ys) to (xe, ye), writing only the pixels inside the
// rectangle lo..hi. The walk is the plain integer one; when its start lies outside the
// rectangle the walk state is computed directly at the first step that can reach it, so
// that far-away end points cost nothing and the pixels drawn are those of the full walk.
template <class W>
void walk(const W& w, i64 xs, i64 ys, i64 xe, i64 ye, i64 xlo, i64 ylo, i64 xhi, i64 yhi) {
    const i64 dx = xe >= xs ? xe - xs : xs - xe;
    const i64 dy = ye >= ys ? ye - ys : ys - ye;
    const i64 sx = xe >= xs ? 1 : -1;
    const i64 sy = ye >= ys ? 1 : -1;
    // Major axis a, minor axis b.
    const bool x_major = dx > dy;
    const i64 da = x_major ? dx : dy, db = x_major ? dy : dx;
    const i64 sa = x_major ? sx : sy, sb = x_major ? sy : sx;
    const i64 as = x_major ? xs : ys, bs = x_major ? ys : xs;
    const i64 alo = x_major ? xlo : ylo, ahi = x_major ? xhi : yhi;
    const i64 blo = x_major ? ylo : xlo, bhi = x_major ? yhi : xhi;

    // Steps k = 0..da put the major coordinate at as + k*sa; keep those inside alo..ahi.
    i64 klo = sa > 0 ? alo - as : as - ahi;
    i64 khi = sa > 0 ? ahi - as : as - alo;
    klo = std::max<i64>(klo, 0);
    khi = std::min<i64>(khi, da);
    if (klo > khi) return;

    const i64 e0 = -(da / 2);
    i64 a = as + klo * sa;
    i64 b = bs;
    i64 e = e0;
    if (klo > 0) {
        // After k steps the error has absorbed k*db and been reduced by da at each minor
        // step, staying in (-da, 0]: the number of minor steps is ceil((e0 + k*db) / da).
        __int128 t = static_cast<__int128>(e0) + static_cast<__int128>(klo) * db;
        __int128 c = ceil_div(t, da);
        b = bs + static_cast<i64>(c) * sb;
        e = static_cast<i64>(t - c * da);
    }
    for (i64 k = klo; k <= khi; ++k) {
        if (b >= blo && b <= bhi) {
            if (x_major)
                w.pixel(a, b);
            else
                w.pixel(b, a);
        } else if (sb > 0 ? b > bhi : b < blo) {
            break;  // the minor coordinate only moves further away
        }
        a += sa;
        e += db;
        if (e > 0) {
            e -= da;
            b += sb;
        }
    }
}

// floor(old + weight*(colour - old) + 0.5); with the weight in 0..1 the value lies in
// 0.5..255.5, where truncation is the floor.
std::uint8_t blend_byte(std::uint8_t old, std::uint8_t colour, double weight) {
    const double v = old + weight * (colour - old) + 0.5;
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v), 0, 255));
}

// round(old + a*(new - old)) with a = alpha/255, in integers.
std::uint8_t mix(int old, int colour, int alpha) {
    return static_cast<std::uint8_t>((old * (255 - alpha) + colour * alpha + 127) / 255);
}

}  // namespace

CanvasStatus RasterCanvas::create(int page_width, int page_height, int& width, int& height,
                                  bool size_given, int background_mode, bool true_colour) {
    int w = width, h = height;
    if (!size_given) {
        w = page_height < page_width ? kDefaultImageWidth : kDefaultImageHeight;
        h = page_height < page_width ? kDefaultImageHeight : kDefaultImageWidth;
    } else if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
        return CanvasStatus::bad_argument;
    }
    const int row_bytes = w * (true_colour ? 4 : 1);
    const std::size_t n = static_cast<std::size_t>(row_bytes) * static_cast<std::size_t>(h);
    std::unique_ptr<std::uint8_t[]> memory(new (std::nothrow) std::uint8_t[n]);
    if (!memory) return CanvasStatus::no_memory;

    overlay_.reset();
    coverage_.reset();
    pixels_ = std::move(memory);
    width_ = w;
    height_ = h;
    row_bytes_ = row_bytes;
    true_colour_ = true_colour;
    background_mode_ = background_mode;
    clear_pixels();
    clip_x1_ = 0;
    clip_y1_ = 0;
    clip_x2_ = w - 1;
    clip_y2_ = h - 1;
    draw_target_ = pixels_.get();
    tracking_ = 0;
    dirty_x1_ = dirty_y1_ = 0;
    dirty_x2_ = dirty_y2_ = -1;
    width = w;
    height = h;
    return CanvasStatus::ok;
}

void RasterCanvas::clear_pixels() {
    if (true_colour_ && is_reverse_mode(background_mode_)) {
        // White with a fourth byte of 0.
        const std::uint8_t white[4] = {255, 255, 255, 0};
        std::uint8_t* p = pixels_.get();
        const std::size_t n = static_cast<std::size_t>(width_) * height_;
        for (std::size_t i = 0; i < n; ++i, p += 4) std::memcpy(p, white, 4);
    } else {
        std::memset(pixels_.get(), 0, pixel_bytes());
    }
}

bool RasterCanvas::set_colour(std::int32_t colour) {
    if (colour < 0) return false;
    if (is_explicit(colour)) {
        current_red_ = static_cast<std::uint8_t>(colour & 0xFF);
        current_green_ = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
        current_blue_ = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
        if (!true_colour_) {
            current_index_ = nearest_index(current_red_, current_green_, current_blue_);
            current_red_ = palette_red_[current_index_];
            current_green_ = palette_green_[current_index_];
            current_blue_ = palette_blue_[current_index_];
        }
    } else {
        current_index_ = colour & 0xFF;
        current_red_ = palette_red_[current_index_];
        current_green_ = palette_green_[current_index_];
        current_blue_ = palette_blue_[current_index_];
    }
    return true;
}

bool RasterCanvas::load_palette(int kind, const std::uint32_t* table, int count) {
    if (kind < 0 || kind > static_cast<int>(PaletteKind::temperature) || !table) return false;
    const int n = kind == static_cast<int>(PaletteKind::small) ? 9
                  : kind == static_cast<int>(PaletteKind::vga) ? 16
                                                               : 256;
    if (count < n) return false;
    palette_kind_ = kind;
    for (int i = 0; i < n; ++i) {
        palette_red_[i] = static_cast<std::uint8_t>((table[i] >> 16) & 0xFF);
        palette_green_[i] = static_cast<std::uint8_t>((table[i] >> 8) & 0xFF);
        palette_blue_[i] = static_cast<std::uint8_t>(table[i] & 0xFF);
    }
    return true;
}

int RasterCanvas::nearest_index(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    const int last = palette_kind_ == static_cast<int>(PaletteKind::small) ? 8
                     : palette_kind_ == static_cast<int>(PaletteKind::vga) ? 15
                                                                           : 255;
    return nearest_entry(Rgb{red, green, blue}, last, [&](int i) {
        return Rgb{palette_red_[i], palette_green_[i], palette_blue_[i]};
    });
}

RasterCanvas::Rect RasterCanvas::clip_rect() const {
    return {std::max(clip_x1_, 0), std::max(clip_y1_, 0), std::min(clip_x2_, width_ - 1),
            std::min(clip_y2_, height_ - 1)};
}

RasterCanvas::Resolved RasterCanvas::resolve(std::int32_t colour) const {
    Resolved r{};
    if (is_explicit(colour)) {
        r.red = static_cast<std::uint8_t>(colour & 0xFF);
        r.green = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
        r.blue = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
        if (!true_colour_)
            r.index = static_cast<std::uint8_t>(nearest_index(r.red, r.green, r.blue));
    } else {
        r.index = static_cast<std::uint8_t>(colour & 0xFF);
        r.red = palette_red_[r.index];
        r.green = palette_green_[r.index];
        r.blue = palette_blue_[r.index];
    }
    return r;
}

RasterCanvas::Resolved RasterCanvas::current() const {
    return {static_cast<std::uint8_t>(current_index_), current_red_, current_green_, current_blue_};
}

template <class F>
void RasterCanvas::with_writer(const Resolved& colour, F&& f) {
    const std::size_t stride = static_cast<std::size_t>(row_bytes_);
    if (true_colour_) {
        f(RgbaWriter{draw_target_, stride, {colour.red, colour.green, colour.blue, alpha_}});
    } else if (tracking_ == 2 && coverage_) {
        f(CoverageWriter{draw_target_, coverage_.get(), stride, colour.index, alpha_});
    } else {
        f(IndexWriter{draw_target_, stride, colour.index});
    }
}

void RasterCanvas::touch(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom) {
    if (tracking_ != 2) return;
    const int x1 = static_cast<int>(std::max<i64>(left, 0));
    const int y1 = static_cast<int>(std::max<i64>(top, 0));
    const int x2 = static_cast<int>(std::min<i64>(right, width_ - 1));
    const int y2 = static_cast<int>(std::min<i64>(bottom, height_ - 1));
    if (x1 > x2 || y1 > y2) return;
    if (dirty_x1_ > dirty_x2_ || dirty_y1_ > dirty_y2_) {
        dirty_x1_ = x1;
        dirty_y1_ = y1;
        dirty_x2_ = x2;
        dirty_y2_ = y2;
        return;
    }
    dirty_x1_ = std::min(dirty_x1_, x1);
    dirty_y1_ = std::min(dirty_y1_, y1);
    dirty_x2_ = std::max(dirty_x2_, x2);
    dirty_y2_ = std::max(dirty_y2_, y2);
}

void RasterCanvas::line(int x1, int y1, int x2, int y2) {
    if (!draw_target_) return;
    const i64 adx = std::abs(static_cast<i64>(x2) - x1);
    const i64 ady = std::abs(static_cast<i64>(y2) - y1);
    if (smoothing_ && true_colour_ && x1 != x2 && y1 != y2 && adx != ady) {
        smooth_line(x1, y1, x2, y2);
        return;
    }
    const Rect r = line_rect();
    if (r.empty()) return;
    const int bx1 = std::max(std::min(x1, x2), r.x1), bx2 = std::min(std::max(x1, x2), r.x2);
    const int by1 = std::max(std::min(y1, y2), r.y1), by2 = std::min(std::max(y1, y2), r.y2);
    if (bx1 > bx2 || by1 > by2) return;  // the line's box misses the rectangle
    touch(bx1, by1, bx2, by2);

    with_writer(current(), [&](const auto& w) {
        if (y1 == y2) {
            w.span(y1, bx1, bx2);
        } else if (x1 == x2) {
            for (int y = by1; y <= by2; ++y) w.pixel(x1, y);
        } else if (clipping_) {
            // From the end with the smaller major coordinate.
            const bool from_first = adx > ady ? x1 <= x2 : y1 <= y2;
            if (from_first)
                walk(w, x1, y1, x2, y2, r.x1, r.y1, r.x2, r.y2);
            else
                walk(w, x2, y2, x1, y1, r.x1, r.y1, r.x2, r.y2);
        } else {
            walk(w, x1, y1, x2, y2, r.x1, r.y1, r.x2, r.y2);
        }
    });
}

void RasterCanvas::blend_pixel(i64 x, i64 y, double weight, const Rect& r) {
    if (x < r.x1 || x > r.x2 || y < r.y1 || y > r.y2) return;
    std::uint8_t* p = draw_target_ + static_cast<std::size_t>(y) * row_bytes_ + 4 * x;
    if (tracking_ == 2) {
        // On the overlay the weight becomes coverage: the colour is kept whole and the
        // fourth byte carries alpha times the weight, so the blend at the end of
        // transparent drawing smooths the edge against the picture below.
        p[0] = current_red_;
        p[1] = current_green_;
        p[2] = current_blue_;
        const auto a = static_cast<std::uint8_t>(
            std::clamp(std::floor(alpha_ * std::clamp(weight, 0.0, 1.0) + 0.5), 0.0, 255.0));
        p[3] = std::max(p[3], a);
        return;
    }
    p[0] = blend_byte(p[0], current_red_, weight);
    p[1] = blend_byte(p[1], current_green_, weight);
    p[2] = blend_byte(p[2], current_blue_, weight);
    p[3] = alpha_;
}

void RasterCanvas::smooth_line(int x1, int y1, int x2, int y2) {
    const Rect r = clip_rect();
    if (r.empty()) return;
    // The blended pixel pairs reach one pixel beyond the end points across the line.
    touch(static_cast<i64>(std::min(x1, x2)) - 1, static_cast<i64>(std::min(y1, y2)) - 1,
          static_cast<i64>(std::max(x1, x2)) + 1, static_cast<i64>(std::max(y1, y2)) + 1);
    with_writer(current(), [&](const auto& w) {
        if (x1 >= r.x1 && x1 <= r.x2 && y1 >= r.y1 && y1 <= r.y2) w.pixel(x1, y1);
        if (x2 >= r.x1 && x2 <= r.x2 && y2 >= r.y1 && y2 <= r.y2) w.pixel(x2, y2);
    });
    const i64 dx = static_cast<i64>(x2) - x1, dy = static_cast<i64>(y2) - y1;
    const bool x_major = std::abs(dy) < std::abs(dx);
    // Major coordinate a, minor b; start at the end with the smaller major coordinate.
    i64 a0 = x_major ? x1 : y1, b0 = x_major ? y1 : x1;
    i64 a1 = x_major ? x2 : y2, b1 = x_major ? y2 : x2;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const double slope = static_cast<double>(b1 - b0) / static_cast<double>(a1 - a0);
    const i64 alo = x_major ? r.x1 : r.y1, ahi = x_major ? r.x2 : r.y2;
    i64 a = a0 + 1;
    double b = static_cast<double>(b0) + slope;
    if (a0 < 0 && a < alo) {
        // The start lies far outside the image: begin at the first column that can show.
        a = alo;
        b = static_cast<double>(b0) + slope * static_cast<double>(a - a0);
    }
    const i64 last = std::min(a1 - 1, ahi);
    // Minor coordinates outside this range cannot show; checked before any conversion.
    const double bmin = (x_major ? r.y1 : r.x1) - 1.0, bmax = (x_major ? r.y2 : r.x2) + 1.0;
    for (; a <= last; ++a, b += slope) {
        if (a < alo || b < bmin || b > bmax) continue;
        // The lower pixel of the pair is the one at floor(b), so that the two weights
        // stay in 0..1 also above or left of the image.
        i64 iv = static_cast<i64>(b);
        if (static_cast<double>(iv) > b) --iv;  // floor
        const double f = b - static_cast<double>(iv);
        if (x_major) {
            blend_pixel(a, iv + 1, f, r);
            blend_pixel(a, iv, 1.0 - f, r);
        } else {
            blend_pixel(iv + 1, a, f, r);
            blend_pixel(iv, a, 1.0 - f, r);
        }
    }
}

void RasterCanvas::box(int x1, int y1, int x2, int y2, std::int32_t colour) {
    if (!draw_target_ || colour < 0) return;
    const Rect r = line_rect();
    const int bx1 = std::max(x1, r.x1), bx2 = std::min(x2, r.x2);
    const int by1 = std::max(y1, r.y1), by2 = std::min(y2, r.y2);
    if (bx1 > bx2 || by1 > by2) return;
    touch(bx1, by1, bx2, by2);
    with_writer(resolve(colour), [&](const auto& w) {
        for (int y = by1; y <= by2; ++y) w.span(y, bx1, bx2);
    });
}

void RasterCanvas::point(int x, int y, std::int32_t colour) {
    if (!draw_target_ || colour < 0) return;
    const Rect r = clip_rect();
    if (x < r.x1 || x > r.x2 || y < r.y1 || y > r.y2) return;
    touch(x, y, x, y);
    with_writer(resolve(colour), [&](const auto& w) { w.pixel(x, y); });
}

bool RasterCanvas::polygon(const double* x, const double* y, int n) {
    if (!draw_target_ || !x || !y || n < 1) return false;
    double ymin = y[0], ymax = y[0];
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return false;
        ymin = std::min(ymin, y[i]);
        ymax = std::max(ymax, y[i]);
    }
    const Rect r = clip_rect();
    if (r.empty()) return false;
    const double first = std::trunc(ymin + 0.5), last = std::trunc(ymax + 0.5);
    if (first > r.y2 || last < r.y1) return false;
    const int row1 = static_cast<int>(std::max(first, static_cast<double>(r.y1)));
    const int row2 = static_cast<int>(std::min(last, static_cast<double>(r.y2)));
    // Crossings beyond the clip columns only need to stay beyond them.
    const double left = r.x1 - 1.0, right = r.x2 + 1.0;

    bool overflow = false;
    int drawn_x1 = r.x2 + 1, drawn_x2 = r.x1 - 1;
    int crossings[kMaxCrossings];
    with_writer(current(), [&](const auto& w) {
        for (int row = row1; row <= row2; ++row) {
            const double yy = row;
            int count = 0;
            for (int i = 0; i < n; ++i) {
                const int j = i + 1 < n ? i + 1 : 0;
                const double yi = y[i], yj = y[j];
                if (!((yi < yy && yy <= yj) || (yj < yy && yy <= yi))) continue;
                double cx;
                if (std::fabs(yi - yj) < 0.01) {
                    cx = std::trunc(x[i] + 0.5);
                } else {
                    cx = std::trunc(x[i] + (x[j] - x[i]) * (yy - yi) / (yj - yi) + 0.5);
                    if (!std::isfinite(cx)) {
                        // Only vertices near the limits of double overflow here; the
                        // wider type holds every intermediate value.
                        const long double xi = x[i], xj = x[j];
                        cx = static_cast<double>(
                            std::trunc(xi +
                                       (xj - xi) * (yy - static_cast<long double>(yi)) /
                                           (static_cast<long double>(yj) - yi) +
                                       0.5L));
                    }
                }
                if (count == kMaxCrossings) {
                    overflow = true;
                    continue;
                }
                crossings[count++] = static_cast<int>(std::clamp(cx, left, right));
            }
            std::sort(crossings, crossings + count);
            for (int p = 0; p + 1 < count; p += 2) {
                const int a = std::max(crossings[p], r.x1);
                const int b = std::min(crossings[p + 1], r.x2);
                if (a > b) continue;
                w.span(row, a, b);
                drawn_x1 = std::min(drawn_x1, a);
                drawn_x2 = std::max(drawn_x2, b);
            }
        }
    });
    touch(drawn_x1, row1, drawn_x2, row2);
    return overflow;
}

void RasterCanvas::erase() {
    if (!pixels_) return;
    clear_pixels();
    if (overlay_) {
        // Transparent drawing done so far belonged to the erased picture.
        std::memset(overlay_.get(), 0, pixel_bytes());
        if (coverage_) std::memset(coverage_.get(), 0, pixel_bytes());
        dirty_x1_ = dirty_y1_ = 0;
        dirty_x2_ = dirty_y2_ = -1;
    }
}

CanvasStatus RasterCanvas::option(int code, int value) {
    switch (code) {
        case canvas_option::clip_x1:
            clip_x1_ = value;
            break;
        case canvas_option::clip_y1:
            clip_y1_ = value;
            break;
        case canvas_option::clip_x2:
            clip_x2_ = value;
            break;
        case canvas_option::clip_y2:
            clip_y2_ = value;
            break;
        case canvas_option::clipping:
            if (value != 0 && value != 1) return CanvasStatus::bad_argument;
            clipping_ = value == 0;
            break;
        case canvas_option::smoothing:
            if (value != 0 && value != 1) return CanvasStatus::bad_argument;
            smoothing_ = value == 1;
            break;
        case canvas_option::alpha:
            if (value < 0 || value > 255) return CanvasStatus::bad_argument;
            alpha_ = static_cast<std::uint8_t>(value);
            break;
        case canvas_option::reset_alpha:
            alpha_ = 255;
            break;
        default:
            return CanvasStatus::bad_argument;
    }
    return CanvasStatus::ok;
}

CanvasStatus RasterCanvas::read(int x0, int y0, int w, int h, bool want_rgb, std::uint8_t* dest,
                                std::size_t dest_size) const {
    if (!pixels_) return CanvasStatus::no_image;
    if (!dest || w < 1 || h < 1 || x0 < 0 || y0 < 0 || x0 > width_ - w || y0 > height_ - h)
        return CanvasStatus::bad_argument;
    const std::size_t b = want_rgb ? 3 : 1;
    if (dest_size / b / static_cast<std::size_t>(w) < static_cast<std::size_t>(h))
        return CanvasStatus::bad_argument;

    // The nearest entry of the last true-colour pixel, since neighbours mostly repeat.
    int last_rgb = -1, last_index = 0;
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* src = pixels_.get() + static_cast<std::size_t>(y0 + row) * row_bytes_ +
                                  static_cast<std::size_t>(x0) * (true_colour_ ? 4 : 1);
        std::uint8_t* out = dest + static_cast<std::size_t>(row) * w * b;
        if (!true_colour_ && !want_rgb) {
            std::memcpy(out, src, static_cast<std::size_t>(w));
        } else if (!true_colour_) {
            for (int i = 0; i < w; ++i, out += 3) {
                out[0] = palette_red_[src[i]];
                out[1] = palette_green_[src[i]];
                out[2] = palette_blue_[src[i]];
            }
        } else if (want_rgb) {
            for (int i = 0; i < w; ++i, src += 4, out += 3) std::memcpy(out, src, 3);
        } else {
            for (int i = 0; i < w; ++i, src += 4) {
                const int rgb = src[0] << 16 | src[1] << 8 | src[2];
                if (rgb != last_rgb) {
                    last_rgb = rgb;
                    last_index = nearest_index(src[0], src[1], src[2]);
                }
                out[i] = static_cast<std::uint8_t>(last_index);
            }
        }
    }
    return CanvasStatus::ok;
}

void RasterCanvas::free() {
    pixels_.reset();
    overlay_.reset();
    coverage_.reset();
    draw_target_ = nullptr;
    tracking_ = 0;
}

CanvasStatus RasterCanvas::begin_overlay() {
    if (!pixels_) return CanvasStatus::no_image;
    if (tracking_ == 2) return CanvasStatus::bad_argument;
    const std::size_t n = pixel_bytes();
    std::unique_ptr<std::uint8_t[]> overlay(new (std::nothrow) std::uint8_t[n]());
    std::unique_ptr<std::uint8_t[]> coverage;
    if (!overlay) return CanvasStatus::no_memory;
    if (!true_colour_) {
        coverage.reset(new (std::nothrow) std::uint8_t[n]());
        if (!coverage) return CanvasStatus::no_memory;
    }
    overlay_ = std::move(overlay);
    coverage_ = std::move(coverage);
    draw_target_ = overlay_.get();
    tracking_ = 2;
    dirty_x1_ = dirty_y1_ = 0;
    dirty_x2_ = dirty_y2_ = -1;
    return CanvasStatus::ok;
}

CanvasStatus RasterCanvas::end_overlay() {
    if (tracking_ != 2 || !overlay_) return CanvasStatus::bad_argument;
    for (int y = dirty_y1_; y <= dirty_y2_; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * row_bytes_;
        for (int x = dirty_x1_; x <= dirty_x2_; ++x) {
            if (true_colour_) {
                const std::uint8_t* o = overlay_.get() + row + 4 * static_cast<std::size_t>(x);
                std::uint8_t* p = pixels_.get() + row + 4 * static_cast<std::size_t>(x);
                const int a = o[3];
                if (a == 0) continue;
                for (int c = 0; c < 3; ++c) p[c] = mix(p[c], o[c], a);
                p[3] = static_cast<std::uint8_t>((a * 255 + p[3] * (255 - a) + 127) / 255);
            } else {
                const std::size_t at = row + static_cast<std::size_t>(x);
                const int a = coverage_[at];
                if (a == 0) continue;
                const int over = overlay_[at];
                if (a == 255) {
                    pixels_[at] = static_cast<std::uint8_t>(over);
                    continue;
                }
                const int under = pixels_[at];
                pixels_[at] = static_cast<std::uint8_t>(
                    nearest_index(mix(palette_red_[under], palette_red_[over], a),
                                  mix(palette_green_[under], palette_green_[over], a),
                                  mix(palette_blue_[under], palette_blue_[over], a)));
            }
        }
    }
    overlay_.reset();
    coverage_.reset();
    draw_target_ = pixels_.get();
    tracking_ = 0;
    return CanvasStatus::ok;
}

}  // namespace gvx
