// The raster canvas: the in-memory image that the raster image devices draw into.
//
// A canvas is either indexed (one palette index per pixel) or true colour (four bytes
// per pixel: red, green, blue and a fourth byte, the alpha value of the drawing).
// Row 0 is at the top and every row directly follows the previous one. The drawing
// operations take integer pixel coordinates (polygons take real ones) and never write
// outside the pixel memory, whatever the coordinates: everything outside the image, and
// with clipping on everything outside the clip rectangle, is simply not drawn.
//
// The record itself lives as long as its owner; the pixel memory lives from `create`
// to `free` (one plot). Failures are reported as status values so that the caller can
// turn them into its numbered warnings; nothing here throws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "gravox/core/colour_value.h"
#include "gravox/core/page.h"

namespace gvx {

// Image formats of the raster devices ("IND", "RGB", "BIL"), shared by the image writers.
enum class ImageFormat { indexed = 0, rgb = 1, bilevel = 2 };

enum class CanvasStatus {
    ok,
    no_memory,     // the pixel or overlay memory could not be allocated
    bad_argument,  // a size, code, value or block that the canvas refuses; nothing changed
    no_image,      // there is no pixel memory (before `create` or after `free`)
};

// Option codes of `RasterCanvas::option`.
namespace canvas_option {
inline constexpr int clip_x1 = 11;
inline constexpr int clip_y1 = 12;
inline constexpr int clip_x2 = 13;
inline constexpr int clip_y2 = 14;
inline constexpr int alpha = 19;
inline constexpr int clipping = 33;  // value 0 turns clipping on, 1 turns it off
inline constexpr int smoothing = 34;
inline constexpr int reset_alpha = 99;
}  // namespace canvas_option

// Default image size of the raster devices (landscape pages; portrait ones swap it).
inline constexpr int kDefaultImageWidth = 853;
inline constexpr int kDefaultImageHeight = 603;

class RasterCanvas {
  public:
    RasterCanvas() = default;
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    // Allocates and clears the pixels. Without size_given the size is 853 x 603 when the
    // page is wider than high, else 603 x 853, and is returned in width and height; with
    // it, width and height are the size to use (each 1 to kMaxSide). The clip rectangle
    // becomes the whole image; clipping and smoothing keep their values. On failure
    // nothing changes (a previous image stays as it was).
    CanvasStatus create(int page_width, int page_height, int& width, int& height, bool size_given,
                        int background_mode, bool true_colour);

    // Makes a colour value the drawing colour: 0x01000000 + blue*65536 + green*256 + red
    // is an explicit colour, any other non-negative value a palette index modulo 256.
    // Negative values are refused (false) and change nothing.
    bool set_colour(std::int32_t colour);

    // Loads 9 entries for kind "SMAL", 16 for "VGA " and 256 otherwise from a colour table
    // of 0x00RRGGBB entries. The table must hold at least that many entries (count);
    // otherwise, or for an unknown kind, nothing changes and false is returned. Pixels
    // already drawn keep their indices.
    bool load_palette(int kind, const std::uint32_t* table, int count);

    // Palette index nearest to an explicit colour, by the sum of the component distances.
    int nearest_index(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    // A one-pixel line in the drawing colour, both end pixels included.
    void line(int x1, int y1, int x2, int y2);
    // Fills the inclusive box x1..x2, y1..y2 with a colour value (the drawing colour stays).
    // Corners in the wrong order make an empty box.
    void box(int x1, int y1, int x2, int y2, std::int32_t colour);
    // Sets one pixel; pixels outside the clip rectangle are ignored even without clipping.
    void point(int x, int y, std::int32_t colour);
    // Fills a polygon of n vertices (real pixel coordinates) in the drawing colour by the
    // even-odd rule. Returns true when a scan line met more than kMaxCrossings edges (the
    // excess crossings are dropped). A polygon with a non-finite coordinate draws nothing.
    bool polygon(const double* x, const double* y, int n);
    // Clears the image to the background of the background mode given at creation.
    void erase();

    // Sets the clip rectangle (codes 11 to 14), clipping (33), smoothing (34), the alpha
    // value (19) or resets alpha to 255 (99). An unknown code or a value out of range
    // returns bad_argument and changes nothing.
    CanvasStatus option(int code, int value);

    // Copies the block of w x h pixels at (x0, y0) into dest, row after row: three bytes
    // red, green, blue per pixel with want_rgb, else one palette index per pixel. The
    // block must lie inside the image and dest must hold w*h*(3 or 1) bytes
    // (dest_size); otherwise nothing is written and bad_argument is returned.
    CanvasStatus read(int x0, int y0, int w, int h, bool want_rgb, std::uint8_t* dest,
                      std::size_t dest_size) const;

    // Releases the pixel memory and any overlay; the settings stay for the next `create`.
    void free();

    // Transparent drawing. begin_overlay sends all drawing into a cleared overlay of the
    // image's size and starts recording the touched rectangle; end_overlay blends the
    // overlay into the image and drawing goes to the image again.
    //
    // Blending: every overlay pixel carries the alpha value it was drawn with (the fourth
    // byte on a true-colour canvas, a separate coverage byte on an indexed one; 0 where
    // nothing was drawn). With a = alpha/255 each component becomes
    // round(old + a*(new - old)), and on a true-colour canvas the fourth byte becomes
    // round(a_new + a_old*(1 - a_new)) in bytes (the overlay lies over the image). On an
    // indexed canvas the blended colour is mapped to the nearest palette entry; a fully
    // opaque overlay pixel keeps its index exactly.
    CanvasStatus begin_overlay();
    CanvasStatus end_overlay();

    // Read access for the image writers and for tests.
    bool has_image() const { return pixels_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    int row_bytes() const { return row_bytes_; }
    bool true_colour() const { return true_colour_; }
    // The pixel memory: row_bytes()*height() bytes, or null without an image.
    const std::uint8_t* pixels() const { return pixels_.get(); }
    std::size_t pixel_bytes() const { return static_cast<std::size_t>(row_bytes_) * height_; }
    int palette_kind() const { return palette_kind_; }
    std::uint8_t palette_red(int i) const { return palette_red_[i & 0xFF]; }
    std::uint8_t palette_green(int i) const { return palette_green_[i & 0xFF]; }
    std::uint8_t palette_blue(int i) const { return palette_blue_[i & 0xFF]; }
    int current_index() const { return current_index_; }
    std::uint8_t current_red() const { return current_red_; }
    std::uint8_t current_green() const { return current_green_; }
    std::uint8_t current_blue() const { return current_blue_; }
    std::uint8_t alpha() const { return alpha_; }
    int clip_x1() const { return clip_x1_; }
    int clip_y1() const { return clip_y1_; }
    int clip_x2() const { return clip_x2_; }
    int clip_y2() const { return clip_y2_; }
    bool clipping() const { return clipping_; }
    bool smoothing() const { return smoothing_; }
    int background_mode() const { return background_mode_; }
    // 2 while transparent drawing is active, 0 otherwise.
    int tracking() const { return tracking_; }
    // The rectangle touched since begin_overlay (x1 > x2 while nothing was drawn).
    int dirty_x1() const { return dirty_x1_; }
    int dirty_y1() const { return dirty_y1_; }
    int dirty_x2() const { return dirty_x2_; }
    int dirty_y2() const { return dirty_y2_; }

    // Largest width or height of a canvas, and most crossings kept on one polygon row.
    static constexpr int kMaxSide = 1 << 15;
    static constexpr int kMaxCrossings = 99;

  private:
    // A rectangle of pixels, inclusive; empty when x1 > x2 or y1 > y2.
    struct Rect {
        int x1, y1, x2, y2;
        bool empty() const { return x1 > x2 || y1 > y2; }
    };
    // A colour resolved for this canvas: the index (indexed) or the bytes (true colour).
    struct Resolved {
        std::uint8_t index, red, green, blue;
    };

    Rect image_rect() const { return {0, 0, width_ - 1, height_ - 1}; }
    // The clip rectangle cut to the image.
    Rect clip_rect() const;
    // Where lines and boxes may write: the clip rectangle with clipping on, else the image.
    Rect line_rect() const { return clipping_ ? clip_rect() : image_rect(); }
    Resolved resolve(std::int32_t colour) const;
    Resolved current() const;
    void clear_pixels();
    // Adds a rectangle (cut to the image) to the dirty rectangle of transparent drawing.
    void touch(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);

    // Runs f with the pixel writer for the given colour and the current drawing target.
    template <class F>
    void with_writer(const Resolved& colour, F&& f);

    void smooth_line(int x1, int y1, int x2, int y2);
    void blend_pixel(std::int64_t x, std::int64_t y, double weight, const Rect& r);

    int width_ = 0;
    int height_ = 0;
    int row_bytes_ = 0;
    bool true_colour_ = false;
    std::unique_ptr<std::uint8_t[]> pixels_;
    // Transparent drawing: the overlay (same layout as the pixels) and, on an indexed
    // canvas, the coverage bytes (one per pixel, the alpha each pixel was drawn with).
    std::unique_ptr<std::uint8_t[]> overlay_;
    std::unique_ptr<std::uint8_t[]> coverage_;
    // The buffer that drawing writes to: pixels_ or, during transparent drawing, overlay_.
    std::uint8_t* draw_target_ = nullptr;
    std::array<std::uint8_t, 256> palette_red_{};
    std::array<std::uint8_t, 256> palette_green_{};
    std::array<std::uint8_t, 256> palette_blue_{};
    int palette_kind_ = 0;
    int current_index_ = 0;
    std::uint8_t current_red_ = 0;
    std::uint8_t current_green_ = 0;
    std::uint8_t current_blue_ = 0;
    std::uint8_t alpha_ = 255;
    int clip_x1_ = 0;
    int clip_y1_ = 0;
    int clip_x2_ = -1;
    int clip_y2_ = -1;
    bool clipping_ = false;
    bool smoothing_ = false;
    int background_mode_ = 0;
    int dirty_x1_ = 0;
    int dirty_y1_ = 0;
    int dirty_x2_ = -1;
    int dirty_y2_ = -1;
    int tracking_ = 0;
};

}  // namespace gvx
