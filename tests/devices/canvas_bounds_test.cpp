// Randomized drawing with coordinates far outside the image. The canvas must never
// write outside its pixel memory (the sanitizer build of CI watches every access) and
// must draw inside the image exactly what the unbounded algorithms draw there.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "gravox/devices/raster_canvas.h"
#include "tests/devices/canvas_helpers.h"

namespace gvx::testing {
namespace {

struct Rect {
    int x1, y1, x2, y2;
    bool contains(std::int64_t x, std::int64_t y) const {
        return x >= x1 && x <= x2 && y >= y1 && y <= y2;
    }
};

// The Bresenham walk as the line rule states it, unbounded; keeps the pixels inside r.
void reference_walk(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                    const Rect& r, PixelSet& out) {
    const std::int64_t dx = std::llabs(x2 - x1), dy = std::llabs(y2 - y1);
    const std::int64_t sx = x2 >= x1 ? 1 : -1, sy = y2 >= y1 ? 1 : -1;
    std::int64_t x = x1, y = y1;
    if (dx > dy) {
        std::int64_t e = -(dx / 2);
        for (std::int64_t i = 0; i <= dx; ++i) {
            if (r.contains(x, y)) out.insert({static_cast<int>(x), static_cast<int>(y)});
            x += sx;
            e += dy;
            if (e > 0) {
                e -= dx;
                y += sy;
            }
        }
    } else {
        std::int64_t e = -(dy / 2);
        for (std::int64_t i = 0; i <= dy; ++i) {
            if (r.contains(x, y)) out.insert({static_cast<int>(x), static_cast<int>(y)});
            y += sy;
            e += dx;
            if (e > 0) {
                e -= dy;
                x += sx;
            }
        }
    }
}

PixelSet reference_line(int x1, int y1, int x2, int y2, bool clipping, const Rect& clip,
                        const Rect& image) {
    const Rect r = clipping ? Rect{std::max(clip.x1, image.x1), std::max(clip.y1, image.y1),
                                   std::min(clip.x2, image.x2), std::min(clip.y2, image.y2)}
                            : image;
    PixelSet out;
    if (!clipping) {
        reference_walk(x1, y1, x2, y2, r, out);
        return out;
    }
    const bool x_major = std::llabs(std::int64_t{x2} - x1) > std::llabs(std::int64_t{y2} - y1);
    if (x_major ? x1 <= x2 : y1 <= y2)
        reference_walk(x1, y1, x2, y2, r, out);
    else
        reference_walk(x2, y2, x1, y1, r, out);
    return out;
}

// The scanline fill as the polygon rule states it, with unbounded crossings.
PixelSet reference_polygon(const std::vector<double>& x, const std::vector<double>& y,
                           const Rect& clip) {
    PixelSet out;
    const int n = static_cast<int>(x.size());
    const double ymin = *std::min_element(y.begin(), y.end());
    const double ymax = *std::max_element(y.begin(), y.end());
    const auto first = static_cast<std::int64_t>(std::trunc(ymin + 0.5));
    const auto last = static_cast<std::int64_t>(std::trunc(ymax + 0.5));
    for (std::int64_t row = std::max<std::int64_t>(first, clip.y1);
         row <= std::min<std::int64_t>(last, clip.y2); ++row) {
        std::vector<std::int64_t> cross;
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            const double yy = static_cast<double>(row);
            if (!((y[i] < yy && yy <= y[j]) || (y[j] < yy && yy <= y[i]))) continue;
            double cx = std::fabs(y[i] - y[j]) < 0.01
                            ? x[i] + 0.5
                            : x[i] + (x[j] - x[i]) * (yy - y[i]) / (y[j] - y[i]) + 0.5;
            cross.push_back(static_cast<std::int64_t>(std::trunc(cx)));
        }
        std::sort(cross.begin(), cross.end());
        for (std::size_t p = 0; p + 1 < cross.size(); p += 2)
            for (std::int64_t c = std::max<std::int64_t>(cross[p], clip.x1);
                 c <= std::min<std::int64_t>(cross[p + 1], clip.x2); ++c)
                out.insert({static_cast<int>(c), static_cast<int>(row)});
    }
    return out;
}

std::vector<std::uint8_t> snapshot(const RasterCanvas& c) {
    return {c.pixels(), c.pixels() + c.pixel_bytes()};
}

// Integers that stress the arithmetic: the extremes, near the image, and random ones.
int wild_int(std::mt19937& rng, int size) {
    static const int special[] = {INT_MIN, INT_MIN + 1, -1000000000, -65536,  -1,   0,
                                  1,       1000000000,  INT_MAX - 1, INT_MAX, 65536};
    std::uniform_int_distribution<int> pick(0, 5);
    switch (pick(rng)) {
        case 0:
            return special[std::uniform_int_distribution<int>(0, 10)(rng)];
        case 1:
            return std::uniform_int_distribution<int>(-2, size + 2)(rng);
        case 2:
            return std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(rng);
        default:
            return std::uniform_int_distribution<int>(-3 * size, 4 * size)(rng);
    }
}

double wild_double(std::mt19937& rng, int size) {
    static const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::max(),
                                     -std::numeric_limits<double>::max(),
                                     1e300,
                                     -1e300,
                                     4294967296.0,
                                     -2147483649.0,
                                     std::numeric_limits<double>::denorm_min()};
    std::uniform_int_distribution<int> pick(0, 9);
    const int p = pick(rng);
    if (p == 0) return special[std::uniform_int_distribution<int>(0, 9)(rng)];
    if (p == 1) return std::uniform_real_distribution<double>(-1e12, 1e12)(rng);
    return std::uniform_real_distribution<double>(-2.0 * size, 3.0 * size)(rng);
}

TEST(CanvasBounds, LinesMatchTheUnboundedWalkInsideTheImage) {
    std::mt19937 rng(20240611);
    const int w = 61, h = 47;
    const Rect image{0, 0, w - 1, h - 1};
    RasterCanvas canvas;
    for (int trial = 0; trial < 3000; ++trial) {
        make_canvas(canvas, w, h);
        const bool clipping = trial % 2 == 1;
        canvas.option(canvas_option::clipping, clipping ? 0 : 1);
        Rect clip{std::uniform_int_distribution<int>(-5, w / 2)(rng),
                  std::uniform_int_distribution<int>(-5, h / 2)(rng),
                  std::uniform_int_distribution<int>(w / 3, w + 5)(rng),
                  std::uniform_int_distribution<int>(h / 3, h + 5)(rng)};
        canvas.option(canvas_option::clip_x1, clip.x1);
        canvas.option(canvas_option::clip_y1, clip.y1);
        canvas.option(canvas_option::clip_x2, clip.x2);
        canvas.option(canvas_option::clip_y2, clip.y2);
        canvas.set_colour(1);
        // End points up to a few hundred image widths away, so that most walks start far
        // outside and must be resumed where they enter.
        const int reach = trial % 3 == 0 ? 20000 : 3 * w;
        std::uniform_int_distribution<int> coord(-reach, reach);
        const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        canvas.line(x1, y1, x2, y2);
        ASSERT_EQ(drawn_pixels(canvas), reference_line(x1, y1, x2, y2, clipping, clip, image))
            << "line (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ") clipping " << clipping;
    }
}

TEST(CanvasBounds, SmoothedLinesMatchTheRuleInsideTheImage) {
    std::mt19937 rng(7);
    const int w = 40, h = 30;
    for (int trial = 0; trial < 500; ++trial) {
        RasterCanvas canvas;
        make_canvas(canvas, w, h, true, 2);
        canvas.option(canvas_option::smoothing, 1);
        const std::uint8_t colour[3] = {static_cast<std::uint8_t>(rng() & 0xFF), 30, 200};
        canvas.set_colour(rgb(colour[0], colour[1], colour[2]));
        std::uniform_int_distribution<int> coord(-60, 100);
        int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        const std::int64_t dx = x2 - x1, dy = y2 - y1;
        if (dx == 0 || dy == 0 || std::llabs(dx) == std::llabs(dy)) continue;
        const bool x_major = std::llabs(dy) < std::llabs(dx);
        // Start of the walk: the end with the smaller major coordinate, inside the image.
        if ((x_major ? std::min(x1, x2) : std::min(y1, y2)) < 0) continue;
        canvas.line(x1, y1, x2, y2);

        std::vector<std::uint8_t> expected(static_cast<std::size_t>(w) * h * 4);
        for (std::size_t i = 0; i < expected.size(); i += 4)
            expected[i] = expected[i + 1] = expected[i + 2] = 255;
        auto set = [&](std::int64_t x, std::int64_t y) {
            if (x < 0 || x >= w || y < 0 || y >= h) return;
            std::uint8_t* p = &expected[(y * w + x) * 4];
            std::copy(colour, colour + 3, p);
            p[3] = 255;
        };
        auto blend = [&](std::int64_t x, std::int64_t y, double f) {
            if (x < 0 || x >= w || y < 0 || y >= h) return;
            std::uint8_t* p = &expected[(y * w + x) * 4];
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(std::floor(p[c] + f * (colour[c] - p[c]) + 0.5));
            p[3] = 255;
        };
        set(x1, y1);
        set(x2, y2);
        std::int64_t a0 = x_major ? x1 : y1, b0 = x_major ? y1 : x1;
        std::int64_t a1 = x_major ? x2 : y2, b1 = x_major ? y2 : x2;
        if (a1 < a0) std::swap(a0, a1), std::swap(b0, b1);
        const double slope = static_cast<double>(b1 - b0) / static_cast<double>(a1 - a0);
        double b = static_cast<double>(b0);
        for (std::int64_t a = a0 + 1; a < a1; ++a) {
            b += slope;
            const double v = std::floor(b), f = b - v;
            const auto iv = static_cast<std::int64_t>(v);
            if (x_major) {
                blend(a, iv + 1, f);
                blend(a, iv, 1 - f);
            } else {
                blend(iv + 1, a, f);
                blend(iv, a, 1 - f);
            }
        }
        ASSERT_EQ(snapshot(canvas), expected)
            << "line (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
    }
}

TEST(CanvasBounds, PolygonsMatchTheUnboundedScanlinesInsideTheClipRectangle) {
    std::mt19937 rng(99);
    const int w = 50, h = 40;
    RasterCanvas canvas;
    for (int trial = 0; trial < 1500; ++trial) {
        make_canvas(canvas, w, h);
        const Rect clip{std::uniform_int_distribution<int>(0, w / 2)(rng),
                        std::uniform_int_distribution<int>(0, h / 2)(rng),
                        std::uniform_int_distribution<int>(w / 2, w - 1)(rng),
                        std::uniform_int_distribution<int>(h / 2, h - 1)(rng)};
        canvas.option(canvas_option::clip_x1, clip.x1);
        canvas.option(canvas_option::clip_y1, clip.y1);
        canvas.option(canvas_option::clip_x2, clip.x2);
        canvas.option(canvas_option::clip_y2, clip.y2);
        canvas.set_colour(1);
        const int n = std::uniform_int_distribution<int>(1, 12)(rng);
        const double reach = trial % 2 ? 4.0 * w : 1e6;
        std::uniform_real_distribution<double> coord(-reach, reach);
        std::vector<double> x(n), y(n);
        for (int i = 0; i < n; ++i) {
            // Some vertices on whole and half pixels, where the rounding rules bite.
            x[i] = trial % 5 == 0 ? std::round(coord(rng) * 2) / 2 : coord(rng);
            y[i] = trial % 5 == 0 ? std::round(coord(rng) * 2) / 2 : coord(rng);
        }
        EXPECT_FALSE(canvas.polygon(x.data(), y.data(), n));
        ASSERT_EQ(drawn_pixels(canvas), reference_polygon(x, y, clip)) << "trial " << trial;
    }
}

// Checks that nothing outside the rectangle where drawing may happen has changed.
void expect_unchanged_outside(const RasterCanvas& canvas, const std::vector<std::uint8_t>& before,
                              const Rect& r) {
    const int bpp = canvas.true_colour() ? 4 : 1;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            if (r.contains(x, y)) continue;
            const std::size_t at = static_cast<std::size_t>(y) * canvas.row_bytes() + x * bpp;
            for (int c = 0; c < bpp; ++c)
                ASSERT_EQ(canvas.pixels()[at + c], before[at + c]) << x << "," << y;
        }
}

TEST(CanvasBounds, WildCoordinatesNeverReachOutsideTheClipRectangle) {
    std::mt19937 rng(1234);
    RasterCanvas canvas;
    for (int trial = 0; trial < 400; ++trial) {
        const bool true_colour = trial % 2 == 0;
        const int w = std::uniform_int_distribution<int>(1, 70)(rng);
        const int h = std::uniform_int_distribution<int>(1, 50)(rng);
        make_canvas(canvas, w, h, true_colour, trial % 3 == 0 ? 2 : 0);
        canvas.option(canvas_option::smoothing, trial % 4 < 2 ? 1 : 0);
        canvas.option(canvas_option::clipping, 0);
        // Clip rectangles that may reach past the image or be empty.
        const Rect clip{wild_int(rng, w), wild_int(rng, h), wild_int(rng, w), wild_int(rng, h)};
        canvas.option(canvas_option::clip_x1, clip.x1);
        canvas.option(canvas_option::clip_y1, clip.y1);
        canvas.option(canvas_option::clip_x2, clip.x2);
        canvas.option(canvas_option::clip_y2, clip.y2);
        const bool overlay = trial % 7 == 0;
        if (overlay) {
            ASSERT_EQ(canvas.begin_overlay(), CanvasStatus::ok);
        }
        const auto before = snapshot(canvas);
        for (int k = 0; k < 60; ++k) {
            canvas.set_colour(std::uniform_int_distribution<int>(0, 1)(rng)
                                  ? rgb(rng() & 0xFF, rng() & 0xFF, rng() & 0xFF)
                                  : static_cast<int>(rng() & 0xFF));
            canvas.line(wild_int(rng, w), wild_int(rng, h), wild_int(rng, w), wild_int(rng, h));
            canvas.box(wild_int(rng, w), wild_int(rng, h), wild_int(rng, w), wild_int(rng, h),
                       static_cast<int>(rng() & 0xFF));
            canvas.point(wild_int(rng, w), wild_int(rng, h), rgb(1, 2, 3));
            double x[8], y[8];
            const int n = std::uniform_int_distribution<int>(1, 8)(rng);
            for (int i = 0; i < n; ++i) {
                x[i] = wild_double(rng, w);
                y[i] = wild_double(rng, h);
            }
            canvas.polygon(x, y, n);
        }
        if (overlay) {
            ASSERT_EQ(canvas.end_overlay(), CanvasStatus::ok);
        }
        // Polygons, points and smoothed lines always keep to the clip rectangle; with
        // clipping on, lines and boxes do too.
        expect_unchanged_outside(canvas, before, clip);
    }
}

TEST(CanvasBounds, FarLinesStayOnTheIdealLine) {
    // Lines whose ends lie billions of pixels apart: every pixel drawn lies within half a
    // pixel of the exact line, one per column (or row) of the major direction.
    std::mt19937 rng(555);
    const int w = 64, h = 48;
    RasterCanvas canvas;
    for (int trial = 0; trial < 400; ++trial) {
        make_canvas(canvas, w, h);
        canvas.option(canvas_option::clipping, trial % 2 ? 0 : 1);
        canvas.set_colour(1);
        std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
        std::uniform_int_distribution<int> near(-w, 2 * w);
        // Aim through the image: pick a point inside and extend in a random direction.
        const int px = near(rng) / 2 + w / 4, py = near(rng) / 2 + h / 4;
        const int x1 = any(rng), y1 = any(rng);
        const long double t = (static_cast<long double>(px) - x1);
        const long double u = (static_cast<long double>(py) - y1);
        const long double scale = trial % 3 == 0 ? 1.0L : 0.5L;
        const auto clamp_int = [](long double v) {
            return static_cast<int>(std::clamp<long double>(std::round(v), INT_MIN, INT_MAX));
        };
        const int x2 = clamp_int(px + t * scale), y2 = clamp_int(py + u * scale);
        canvas.line(x1, y1, x2, y2);
        const PixelSet drawn = drawn_pixels(canvas);
        const long double dx = static_cast<long double>(x2) - x1;
        const long double dy = static_cast<long double>(y2) - y1;
        const bool x_major = std::fabs(dx) > std::fabs(dy);
        std::set<int> majors;
        for (auto [x, y] : drawn) {
            const long double off = x_major
                                        ? y - (y1 + (x - static_cast<long double>(x1)) * dy / dx)
                                        : x - (x1 + (y - static_cast<long double>(y1)) * dx / dy);
            ASSERT_LE(std::fabs(off), 0.5L + 1e-6L) << "pixel " << x << "," << y << " of (" << x1
                                                    << "," << y1 << ")-(" << x2 << "," << y2 << ")";
            ASSERT_TRUE(majors.insert(x_major ? x : y).second);
        }
    }
}

TEST(CanvasBounds, ReadsRefuseEveryBlockOutsideTheImage) {
    std::mt19937 rng(42);
    RasterCanvas canvas;
    make_canvas(canvas, 33, 21, true, 2);
    std::vector<std::uint8_t> dest(33 * 21 * 3 + 64);
    for (int trial = 0; trial < 5000; ++trial) {
        const int x0 = wild_int(rng, 33), y0 = wild_int(rng, 21);
        const int w = wild_int(rng, 33), h = wild_int(rng, 21);
        const bool want_rgb = trial % 2 == 0;
        const bool inside = x0 >= 0 && y0 >= 0 && w > 0 && h > 0 && std::int64_t{x0} + w <= 33 &&
                            std::int64_t{y0} + h <= 21;
        std::fill(dest.begin(), dest.end(), 0xCD);
        const std::size_t room = static_cast<std::size_t>(rng() % dest.size());
        const CanvasStatus s = canvas.read(x0, y0, w, h, want_rgb, dest.data(), room);
        const std::size_t need = inside ? static_cast<std::size_t>(w) * h * (want_rgb ? 3 : 1) : 0;
        if (inside && need <= room) {
            ASSERT_EQ(s, CanvasStatus::ok);
            for (std::size_t i = need; i < dest.size(); ++i) ASSERT_EQ(dest[i], 0xCD);
        } else {
            ASSERT_EQ(s, CanvasStatus::bad_argument);
            for (std::uint8_t b : dest) ASSERT_EQ(b, 0xCD);
        }
    }
}

}  // namespace
}  // namespace gvx::testing
