#include "gravox/devices/raster_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/devices/canvas_helpers.h"

namespace gvx::testing {
namespace {

// ---------------------------------------------------------------- creation

TEST(CanvasCreate, DefaultSizeFollowsThePageShape) {
    RasterCanvas canvas;
    int w = 0, h = 0;
    ASSERT_EQ(canvas.create(2969, 2099, w, h, false, 2, false), CanvasStatus::ok);
    EXPECT_EQ(w, 853);
    EXPECT_EQ(h, 603);
    EXPECT_EQ(canvas.row_bytes(), 853);
    EXPECT_FALSE(canvas.true_colour());
    ASSERT_EQ(canvas.create(2099, 2969, w, h, false, 2, false), CanvasStatus::ok);
    EXPECT_EQ(w, 603);
    EXPECT_EQ(h, 853);
    // A square page is not wider than high.
    ASSERT_EQ(canvas.create(1000, 1000, w, h, false, 0, true), CanvasStatus::ok);
    EXPECT_EQ(w, 603);
    EXPECT_EQ(h, 853);
    EXPECT_EQ(canvas.row_bytes(), 4 * 603);
}

TEST(CanvasCreate, ClearsForBothModes) {
    RasterCanvas canvas;
    int w = 853, h = 603;
    // Indexed, reversed: all bytes 0 (index 0 is white in the reversed palette).
    ASSERT_EQ(canvas.create(2969, 2099, w, h, false, 2, false), CanvasStatus::ok);
    EXPECT_TRUE(drawn_pixels(canvas).empty());
    // True colour, reversed: white with a fourth byte of 0.
    w = 40, h = 30;
    ASSERT_EQ(canvas.create(2969, 2099, w, h, true, 2, true), CanvasStatus::ok);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(rgba_at(canvas, x, y), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    // True colour, normal: every byte 0.
    ASSERT_EQ(canvas.create(2969, 2099, w, h, true, 0, true), CanvasStatus::ok);
    for (std::size_t i = 0; i < canvas.pixel_bytes(); ++i) ASSERT_EQ(canvas.pixels()[i], 0);
}

TEST(CanvasCreate, ResetsTheClipRectangleAndKeepsClippingAndSmoothing) {
    RasterCanvas canvas;
    EXPECT_FALSE(canvas.clipping());
    EXPECT_FALSE(canvas.smoothing());
    EXPECT_EQ(canvas.alpha(), 255);
    make_canvas(canvas, 50, 40, true);
    EXPECT_EQ(canvas.option(canvas_option::clip_x1, 5), CanvasStatus::ok);
    EXPECT_EQ(canvas.option(canvas_option::clip_y2, 7), CanvasStatus::ok);
    EXPECT_EQ(canvas.option(canvas_option::clipping, 0), CanvasStatus::ok);
    EXPECT_EQ(canvas.option(canvas_option::smoothing, 1), CanvasStatus::ok);
    canvas.free();
    make_canvas(canvas, 60, 20, true);
    EXPECT_EQ(canvas.clip_x1(), 0);
    EXPECT_EQ(canvas.clip_y1(), 0);
    EXPECT_EQ(canvas.clip_x2(), 59);
    EXPECT_EQ(canvas.clip_y2(), 19);
    EXPECT_TRUE(canvas.clipping());
    EXPECT_TRUE(canvas.smoothing());
}

TEST(CanvasCreate, RefusesBadSizesAndKeepsThePreviousImage) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 10);
    canvas.set_colour(7);
    canvas.line(0, 0, 19, 0);
    for (auto [w, h] : {std::pair{0, 10}, {10, -1}, {RasterCanvas::kMaxSide + 1, 10}}) {
        int ww = w, hh = h;
        EXPECT_EQ(canvas.create(2969, 2099, ww, hh, true, 0, false), CanvasStatus::bad_argument);
        EXPECT_EQ(ww, w);
        EXPECT_EQ(hh, h);
    }
    EXPECT_EQ(canvas.width(), 20);
    EXPECT_EQ(drawn_pixels(canvas).size(), 20u);
}

// ---------------------------------------------------------------- palette and colour

TEST(CanvasPalette, LoadsNineSixteenOrAllEntriesByKind) {
    RasterCanvas canvas;
    ColourTable grey = grey_table();
    ColourTable marked{};
    marked.fill(0x123456);
    ASSERT_TRUE(canvas.load_palette(3, grey.data(), 256));
    ASSERT_TRUE(canvas.load_palette(0, marked.data(), 9));
    EXPECT_EQ(canvas.palette_kind(), 0);
    EXPECT_EQ(canvas.palette_red(8), 0x12);
    EXPECT_EQ(canvas.palette_green(8), 0x34);
    EXPECT_EQ(canvas.palette_blue(8), 0x56);
    EXPECT_EQ(canvas.palette_red(9), 9);  // untouched grey entry
    ASSERT_TRUE(canvas.load_palette(7, marked.data(), 16));
    EXPECT_EQ(canvas.palette_red(15), 0x12);
    EXPECT_EQ(canvas.palette_red(16), 16);
    ASSERT_TRUE(canvas.load_palette(8, marked.data(), 256));
    EXPECT_EQ(canvas.palette_red(255), 0x12);
    // Unknown kinds and short tables change nothing.
    EXPECT_FALSE(canvas.load_palette(9, grey.data(), 256));
    EXPECT_FALSE(canvas.load_palette(-1, grey.data(), 256));
    EXPECT_FALSE(canvas.load_palette(1, grey.data(), 255));
    EXPECT_FALSE(canvas.load_palette(1, nullptr, 256));
    EXPECT_EQ(canvas.palette_kind(), 8);
    EXPECT_EQ(canvas.palette_red(200), 0x12);
}

TEST(CanvasPalette, BlackAndWhiteOnTheReversedRainbow) {
    RasterCanvas canvas;
    make_canvas(canvas, 4, 4);
    EXPECT_EQ(canvas.nearest_index(0, 0, 0), 255);
    EXPECT_EQ(canvas.nearest_index(255, 255, 255), 0);
    canvas.set_colour(rgb(0, 0, 0));
    EXPECT_EQ(canvas.current_index(), 255);
    canvas.set_colour(rgb(255, 255, 255));
    EXPECT_EQ(canvas.current_index(), 0);
    // The pure colours of the table are found exactly.
    const ColourTable t = reversed_rainbow_table();
    canvas.set_colour(rgb(255, 0, 0));
    EXPECT_EQ(t[canvas.current_index()], 0xFF0000u);
    canvas.set_colour(rgb(0, 0, 255));
    EXPECT_EQ(t[canvas.current_index()], 0x0000FFu);
}

TEST(CanvasPalette, ShortcutsUseTheLastEntryOfTheKind) {
    RasterCanvas canvas;
    // Grey: entry 0 black, entry 255 white.
    make_canvas(canvas, 4, 4, false, 0, grey_table(), 3);
    EXPECT_EQ(canvas.nearest_index(0, 0, 0), 0);
    EXPECT_EQ(canvas.nearest_index(255, 255, 255), 255);
    // Small palette: white is entry 1, found by the search since entry 8 is magenta.
    ColourTable small = grey_table();
    const std::uint32_t entries[9] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                                      0xFFFF00, 0xFF8000, 0x00FFFF, 0xFF00FF};
    std::copy(std::begin(entries), std::end(entries), small.begin());
    ASSERT_TRUE(canvas.load_palette(0, small.data(), 256));
    EXPECT_EQ(canvas.nearest_index(255, 255, 255), 1);
    // Only entries 0 to 8 are searched: the grey 128 of entry 128 stays out of reach and
    // orange (255, 128, 0) is nearest.
    EXPECT_EQ(canvas.nearest_index(128, 128, 128), 6);
    // With the kind "VGA " entry 15 is the last one.
    ColourTable vga = grey_table();
    vga[0] = 0xFFFFFF;
    vga[15] = 0x000000;
    ASSERT_TRUE(canvas.load_palette(7, vga.data(), 256));
    EXPECT_EQ(canvas.nearest_index(0, 0, 0), 15);
}

TEST(CanvasPalette, SearchDirectionDependsOnBlueAndTiesGoToTheFirstMet) {
    RasterCanvas canvas;
    ColourTable t{};
    t.fill(0x808080);
    t[0] = 0xFFFFFF;
    t[10] = 0x640000;  // (100, 0, 0)
    t[20] = 0x640000;
    t[30] = 0x640002;  // (100, 0, 2)
    t[40] = 0x640002;
    make_canvas(canvas, 4, 4, false, 0, t, 1);
    // Blue 0: the search runs downwards and stops at the first exact match.
    EXPECT_EQ(canvas.nearest_index(100, 0, 0), 20);
    // Blue 1: upwards; entries 10, 20, 30 and 40 are all at distance 1, 10 is met first.
    EXPECT_EQ(canvas.nearest_index(100, 0, 1), 10);
    EXPECT_EQ(canvas.nearest_index(100, 0, 2), 30);
    // Distance 1 from the entries 10 and 20 only; downwards 20 is met first.
    EXPECT_EQ(canvas.nearest_index(101, 0, 0), 20);
}

TEST(CanvasColour, IndexedCanvasReloadsTheComponentsFromThePalette) {
    RasterCanvas canvas;
    make_canvas(canvas, 4, 4);
    const ColourTable t = reversed_rainbow_table();
    canvas.set_colour(rgb(250, 3, 1));
    const int i = canvas.current_index();
    EXPECT_EQ(canvas.current_red(), (t[i] >> 16) & 0xFF);
    EXPECT_EQ(canvas.current_green(), (t[i] >> 8) & 0xFF);
    EXPECT_EQ(canvas.current_blue(), t[i] & 0xFF);
    // Indices wrap modulo 256; negative values are refused.
    canvas.set_colour(256 + 77);
    EXPECT_EQ(canvas.current_index(), 77);
    EXPECT_FALSE(canvas.set_colour(-5));
    EXPECT_EQ(canvas.current_index(), 77);
    // A true-colour canvas keeps the explicit bytes.
    make_canvas(canvas, 4, 4, true);
    canvas.set_colour(rgb(250, 3, 1));
    EXPECT_EQ(canvas.current_red(), 250);
    EXPECT_EQ(canvas.current_green(), 3);
    EXPECT_EQ(canvas.current_blue(), 1);
}

// ---------------------------------------------------------------- lines

TEST(CanvasLine, OnePixelAndTheTextbookSlope) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 10);
    canvas.set_colour(9);
    canvas.line(5, 5, 5, 5);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{5, 5}}));
    canvas.erase();
    canvas.line(0, 0, 4, 2);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(canvas.pixels()[2 * 20 + 4], 9);
}

TEST(CanvasLine, HorizontalAndVerticalLinesDoNotDependOnDirection) {
    RasterCanvas a, b;
    for (bool clipping : {false, true}) {
        make_canvas(a, 30, 20);
        make_canvas(b, 30, 20);
        for (RasterCanvas* c : {&a, &b}) {
            c->option(canvas_option::clipping, clipping ? 0 : 1);
            c->set_colour(3);
        }
        a.line(2, 4, 25, 4);
        b.line(25, 4, 2, 4);
        a.line(7, 1, 7, 18);
        b.line(7, 18, 7, 1);
        EXPECT_EQ(drawn_pixels(a), drawn_pixels(b));
        EXPECT_EQ(drawn_pixels(a).size(), 24u + 18u - 1u);
    }
}

TEST(CanvasLine, PlainLinesWalkFromTheFirstPointClippedOnesFromTheSmallerEnd) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 10);
    canvas.set_colour(1);
    // Plain: from (4, 1) towards (0, 0); the walk steps down a row after two pixels.
    canvas.line(4, 1, 0, 0);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{4, 1}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    // Clipped: the same line is walked from (0, 0), the end with the smaller x.
    canvas.erase();
    canvas.option(canvas_option::clipping, 0);
    canvas.line(4, 1, 0, 0);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}));
    // Steep lines: the major coordinate is y.
    canvas.erase();
    canvas.line(1, 4, 0, 0);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}}));
    canvas.erase();
    canvas.option(canvas_option::clipping, 1);
    canvas.line(1, 4, 0, 0);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{1, 4}, {1, 3}, {1, 2}, {0, 1}, {0, 0}}));
}

TEST(CanvasLine, FortyFiveDegreesTakesTheSteepBranch) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 10);
    canvas.set_colour(1);
    canvas.line(6, 0, 0, 6);
    PixelSet expected;
    for (int i = 0; i <= 6; ++i) expected.insert({6 - i, i});
    EXPECT_EQ(drawn_pixels(canvas), expected);
}

TEST(CanvasLine, TrueColourPixelsCarryAlpha) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 5, true, 2);
    canvas.set_colour(rgb(10, 20, 30));
    EXPECT_EQ(canvas.option(canvas_option::alpha, 77), CanvasStatus::ok);
    canvas.line(1, 1, 8, 1);
    EXPECT_EQ(rgba_at(canvas, 4, 1), (std::array<std::uint8_t, 4>{10, 20, 30, 77}));
    EXPECT_EQ(rgba_at(canvas, 4, 2), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    EXPECT_EQ(canvas.option(canvas_option::reset_alpha, 0), CanvasStatus::ok);
    canvas.line(1, 2, 8, 2);
    EXPECT_EQ(rgba_at(canvas, 4, 2)[3], 255);
}

// ---------------------------------------------------------------- clipping

TEST(CanvasClip, ClipRectangleCutsBoxesAndLinesOnlyWithClippingOn) {
    RasterCanvas canvas;
    make_canvas(canvas, 40, 30);
    canvas.option(canvas_option::clip_x1, 10);
    canvas.option(canvas_option::clip_y1, 5);
    canvas.option(canvas_option::clip_x2, 20);
    canvas.option(canvas_option::clip_y2, 15);
    canvas.set_colour(4);

    // Clipping off: nothing is cut.
    canvas.box(0, 0, 39, 2, 4);
    canvas.line(0, 20, 39, 20);
    EXPECT_EQ(drawn_pixels(canvas).size(), 40u * 3 + 40u);

    canvas.erase();
    ASSERT_EQ(canvas.option(canvas_option::clipping, 0), CanvasStatus::ok);
    canvas.box(0, 0, 39, 29, 4);
    PixelSet expected;
    for (int y = 5; y <= 15; ++y)
        for (int x = 10; x <= 20; ++x) expected.insert({x, y});
    EXPECT_EQ(drawn_pixels(canvas), expected);

    canvas.erase();
    canvas.line(0, 10, 39, 10);  // horizontal, cut
    canvas.line(15, 0, 15, 29);  // vertical, cut
    canvas.line(0, 0, 29, 29);   // diagonal, cut pixel by pixel
    canvas.line(0, 2, 39, 2);    // horizontal above the rectangle: nothing
    expected.clear();
    for (int x = 10; x <= 20; ++x) expected.insert({x, 10});
    for (int y = 5; y <= 15; ++y) expected.insert({15, y});
    for (int i = 10; i <= 15; ++i) expected.insert({i, i});
    EXPECT_EQ(drawn_pixels(canvas), expected);
}

TEST(CanvasClip, PointsAreAlwaysCut) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 20);
    canvas.option(canvas_option::clip_x1, 5);
    canvas.option(canvas_option::clip_y1, 5);
    canvas.option(canvas_option::clip_x2, 10);
    canvas.option(canvas_option::clip_y2, 10);
    ASSERT_FALSE(canvas.clipping());
    canvas.point(4, 7, 3);
    canvas.point(11, 7, 3);
    canvas.point(7, 4, 3);
    canvas.point(7, 11, 3);
    canvas.point(5, 10, 3);
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{5, 10}}));
    EXPECT_EQ(canvas.pixels()[10 * 20 + 5], 3);
}

TEST(CanvasClip, ClippingOptionValuesAreInverted) {
    RasterCanvas canvas;
    EXPECT_EQ(canvas.option(canvas_option::clipping, 0), CanvasStatus::ok);
    EXPECT_TRUE(canvas.clipping());
    EXPECT_EQ(canvas.option(canvas_option::clipping, 1), CanvasStatus::ok);
    EXPECT_FALSE(canvas.clipping());
    EXPECT_EQ(canvas.option(canvas_option::clipping, 2), CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.option(canvas_option::smoothing, 5), CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.option(canvas_option::alpha, 256), CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.option(canvas_option::alpha, -1), CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.option(15, 0), CanvasStatus::bad_argument);
    EXPECT_FALSE(canvas.clipping());
    EXPECT_FALSE(canvas.smoothing());
    EXPECT_EQ(canvas.alpha(), 255);
}

// ---------------------------------------------------------------- boxes

TEST(CanvasBox, ColourIsResolvedWithoutChangingTheDrawingColour) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 10);
    canvas.set_colour(17);
    canvas.box(2, 3, 2, 3, rgb(0, 0, 0));  // one pixel, explicit black -> index 255
    EXPECT_EQ(drawn_pixels(canvas), (PixelSet{{2, 3}}));
    EXPECT_EQ(canvas.pixels()[3 * 10 + 2], 255);
    EXPECT_EQ(canvas.current_index(), 17);
    // Corners in the wrong order make an empty box.
    canvas.box(5, 5, 4, 6, 3);
    EXPECT_EQ(drawn_pixels(canvas).size(), 1u);

    make_canvas(canvas, 10, 10, true);
    canvas.box(0, 0, 9, 9, 255);  // an index on a true-colour canvas: its palette bytes
    EXPECT_EQ(rgba_at(canvas, 9, 9), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
    canvas.box(1, 1, 1, 1, rgb(1, 2, 3));
    EXPECT_EQ(rgba_at(canvas, 1, 1), (std::array<std::uint8_t, 4>{1, 2, 3, 255}));
}

// ---------------------------------------------------------------- smoothing

TEST(CanvasSmoothing, BlendsTheTwoNeighboursOfAShallowLine) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 5, true, 0);
    canvas.option(canvas_option::smoothing, 1);
    canvas.set_colour(rgb(200, 100, 0));
    canvas.line(0, 0, 4, 1);
    using Px = std::array<std::uint8_t, 4>;
    EXPECT_EQ(rgba_at(canvas, 0, 0), (Px{200, 100, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 4, 1), (Px{200, 100, 0, 255}));
    // y = 0.25, 0.5, 0.75: the pixel below gets the fraction, the pixel on the row the rest.
    EXPECT_EQ(rgba_at(canvas, 1, 0), (Px{150, 75, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 1, 1), (Px{50, 25, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 2, 0), (Px{100, 50, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 2, 1), (Px{100, 50, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 3, 0), (Px{50, 25, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 3, 1), (Px{150, 75, 0, 255}));
    EXPECT_EQ(rgba_at(canvas, 1, 2), (Px{0, 0, 0, 0}));

    // The same line from the other end gives the same picture; steep lines swap roles.
    RasterCanvas other;
    make_canvas(other, 10, 5, true, 0);
    other.option(canvas_option::smoothing, 1);
    other.set_colour(rgb(200, 100, 0));
    other.line(4, 1, 0, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(canvas.pixels(), canvas.pixels() + canvas.pixel_bytes()),
              std::vector<std::uint8_t>(other.pixels(), other.pixels() + other.pixel_bytes()));
    make_canvas(other, 5, 10, true, 0);
    other.set_colour(rgb(200, 100, 0));
    other.line(1, 4, 0, 0);
    EXPECT_EQ(rgba_at(other, 0, 1), (Px{150, 75, 0, 255}));
    EXPECT_EQ(rgba_at(other, 1, 1), (Px{50, 25, 0, 255}));
}

TEST(CanvasSmoothing, NeverForStraightOrDiagonalLinesNorOnIndexedCanvases) {
    auto picture = [](bool smooth, bool true_colour, int x1, int y1, int x2, int y2) {
        RasterCanvas canvas;
        make_canvas(canvas, 20, 20, true_colour, 2);
        canvas.option(canvas_option::smoothing, smooth ? 1 : 0);
        canvas.set_colour(rgb(255, 0, 0));
        canvas.line(x1, y1, x2, y2);
        return std::vector<std::uint8_t>(canvas.pixels(), canvas.pixels() + canvas.pixel_bytes());
    };
    const int lines[][4] = {{1, 3, 17, 3}, {4, 1, 4, 15}, {2, 2, 12, 12}, {15, 1, 1, 15}};
    for (const auto& l : lines)
        EXPECT_EQ(picture(true, true, l[0], l[1], l[2], l[3]),
                  picture(false, true, l[0], l[1], l[2], l[3]));
    EXPECT_EQ(picture(true, false, 0, 0, 17, 5), picture(false, false, 0, 0, 17, 5));
    EXPECT_NE(picture(true, true, 0, 0, 17, 5), picture(false, true, 0, 0, 17, 5));
}

TEST(CanvasSmoothing, LinesAboveTheImageBlendWithWeightsBetweenZeroAndOne) {
    // From (0, -1) to (8, 0) the line runs between rows -1 and 0; row 0 gets the
    // fraction below it and row 1 stays untouched.
    RasterCanvas canvas;
    make_canvas(canvas, 10, 4, true, 2);
    canvas.option(canvas_option::smoothing, 1);
    canvas.set_colour(rgb(0, 0, 0));
    canvas.line(0, -1, 8, 0);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(rgba_at(canvas, x, 1)[0], 255) << "x " << x;
    // x = 4: y = -0.5, row 0 half covered.
    EXPECT_EQ(rgba_at(canvas, 4, 0)[0], 128);
    // x = 2: y = -0.75, a quarter.
    EXPECT_EQ(rgba_at(canvas, 2, 0)[0], 191);
    EXPECT_EQ(rgba_at(canvas, 8, 0)[0], 0);
}

TEST(CanvasSmoothing, PixelsAreTestedAgainstTheClipRectangle) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 20, true, 0);
    canvas.option(canvas_option::smoothing, 1);
    canvas.option(canvas_option::clip_x1, 5);
    canvas.option(canvas_option::clip_x2, 9);
    canvas.set_colour(rgb(255, 255, 255));
    canvas.line(0, 3, 15, 6);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (x < 5 || x > 9) {
                ASSERT_EQ(rgba_at(canvas, x, y)[3], 0) << x << "," << y;
            }
    EXPECT_GT(rgba_at(canvas, 7, 4)[0] + rgba_at(canvas, 7, 5)[0], 0);
}

// ---------------------------------------------------------------- polygons

TEST(CanvasPolygon, TriangleFillsRowsOneToTen) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 20);
    canvas.set_colour(5);
    const double x[] = {0, 10, 0}, y[] = {0, 0, 10};
    EXPECT_FALSE(canvas.polygon(x, y, 3));
    PixelSet expected;
    for (int row = 1; row <= 10; ++row)
        for (int col = 0; col <= 10 - row; ++col) expected.insert({col, row});
    EXPECT_EQ(drawn_pixels(canvas), expected);
}

TEST(CanvasPolygon, EvenOddRuleLeavesTheHoleOpen) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 20);
    canvas.set_colour(5);
    // An outer square and an inner one traced as one path, joined along x = 2..5 at y = 2.
    const double x[] = {2, 17, 17, 2, 2, 5, 5, 14, 14, 5, 5};
    const double y[] = {2, 2, 17, 17, 2, 2, 5, 5, 14, 14, 2};
    canvas.polygon(x, y, 11);
    const PixelSet drawn = drawn_pixels(canvas);
    EXPECT_TRUE(drawn.count({3, 10}));
    EXPECT_TRUE(drawn.count({16, 10}));
    EXPECT_FALSE(drawn.count({10, 10}));
    EXPECT_FALSE(drawn.count({1, 10}));
}

TEST(CanvasPolygon, MoreThanNinetyNineCrossingsOverflow) {
    // A comb of t teeth crosses the rows through its teeth 2*t times.
    auto comb = [](int teeth, std::vector<double>& x, std::vector<double>& y) {
        x.clear();
        y.clear();
        for (int i = 0; i < teeth; ++i) {
            x.insert(x.end(), {4.0 * i, 4.0 * i + 2, 4.0 * i + 2, 4.0 * i + 4});
            y.insert(y.end(), {20, 20, 5, 5});
        }
        x.insert(x.end(), {4.0 * teeth, 0});
        y.insert(y.end(), {0, 0});
    };
    std::vector<double> x, y;
    RasterCanvas canvas;
    make_canvas(canvas, 210, 30);
    canvas.set_colour(5);
    comb(49, x, y);  // 98 crossings on the rows of the teeth
    EXPECT_FALSE(canvas.polygon(x.data(), y.data(), static_cast<int>(x.size())));
    comb(50, x, y);  // 100
    EXPECT_TRUE(canvas.polygon(x.data(), y.data(), static_cast<int>(x.size())));
    // Rows above the teeth have two crossings and no overflow of their own.
    canvas.erase();
    const double bx[] = {0, 50, 50, 0}, by[] = {0, 0, 4, 4};
    EXPECT_FALSE(canvas.polygon(bx, by, 4));
}

TEST(CanvasPolygon, RowsAndSpansAreCutToTheClipRectangle) {
    RasterCanvas canvas;
    make_canvas(canvas, 30, 30);
    canvas.option(canvas_option::clip_x1, 5);
    canvas.option(canvas_option::clip_y1, 6);
    canvas.option(canvas_option::clip_x2, 12);
    canvas.option(canvas_option::clip_y2, 9);
    canvas.set_colour(5);
    const double x[] = {-100, 100, 100, -100}, y[] = {-50, -50, 80, 80};
    canvas.polygon(x, y, 4);
    PixelSet expected;
    for (int row = 6; row <= 9; ++row)
        for (int col = 5; col <= 12; ++col) expected.insert({col, row});
    EXPECT_EQ(drawn_pixels(canvas), expected);
}

TEST(CanvasPolygon, NonFiniteVerticesDrawNothing) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 10);
    canvas.set_colour(5);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double x1[] = {0, 9, nan}, y1[] = {0, 9, 9};
    const double x2[] = {0, 9, 0}, y2[] = {0, 9, -inf};
    EXPECT_FALSE(canvas.polygon(x1, y1, 3));
    EXPECT_FALSE(canvas.polygon(x2, y2, 3));
    EXPECT_FALSE(canvas.polygon(nullptr, y2, 3));
    EXPECT_TRUE(drawn_pixels(canvas).empty());
}

// ---------------------------------------------------------------- erase, read, free

TEST(CanvasErase, ClearsToTheBackgroundOfTheMode) {
    RasterCanvas canvas;
    make_canvas(canvas, 8, 8, true, 2);
    canvas.set_colour(rgb(1, 2, 3));
    canvas.box(0, 0, 7, 7, rgb(1, 2, 3));
    canvas.erase();
    EXPECT_EQ(rgba_at(canvas, 3, 3), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    make_canvas(canvas, 8, 8, false, 2);
    canvas.box(0, 0, 7, 7, 9);
    canvas.erase();
    EXPECT_TRUE(drawn_pixels(canvas).empty());
}

TEST(CanvasRead, IndexedAndRgbBlocks) {
    RasterCanvas canvas;
    make_canvas(canvas, 12, 8);
    const ColourTable t = reversed_rainbow_table();
    canvas.point(3, 2, 200);
    canvas.point(4, 2, 255);
    std::vector<std::uint8_t> out(3 * 4 * 2);
    ASSERT_EQ(canvas.read(2, 2, 4, 2, true, out.data(), out.size()), CanvasStatus::ok);
    EXPECT_EQ(out[0], (t[0] >> 16) & 0xFF);  // (2, 2): index 0, white
    EXPECT_EQ(out[3], (t[200] >> 16) & 0xFF);
    EXPECT_EQ(out[4], (t[200] >> 8) & 0xFF);
    EXPECT_EQ(out[5], t[200] & 0xFF);
    EXPECT_EQ(out[6], 0);  // (4, 2): index 255, black
    ASSERT_EQ(canvas.read(2, 2, 4, 2, false, out.data(), 8), CanvasStatus::ok);
    EXPECT_EQ((std::vector<std::uint8_t>(out.begin(), out.begin() + 8)),
              (std::vector<std::uint8_t>{0, 200, 255, 0, 0, 0, 0, 0}));

    // A true-colour canvas gives its bytes, or the nearest palette entries.
    make_canvas(canvas, 12, 8, true, 2);
    canvas.point(1, 1, rgb(0, 0, 0));
    canvas.point(2, 1, rgb(255, 0, 0));
    ASSERT_EQ(canvas.read(0, 1, 3, 1, true, out.data(), 9), CanvasStatus::ok);
    EXPECT_EQ((std::vector<std::uint8_t>(out.begin(), out.begin() + 9)),
              (std::vector<std::uint8_t>{255, 255, 255, 0, 0, 0, 255, 0, 0}));
    ASSERT_EQ(canvas.read(0, 1, 3, 1, false, out.data(), 3), CanvasStatus::ok);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 255);
    EXPECT_EQ(t[out[2]], 0xFF0000u);
}

TEST(CanvasRead, RefusesBlocksOutsideTheImageOrTooLargeForTheDestination) {
    RasterCanvas canvas;
    std::vector<std::uint8_t> out(64, 0xAB);
    EXPECT_EQ(canvas.read(0, 0, 1, 1, false, out.data(), out.size()), CanvasStatus::no_image);
    make_canvas(canvas, 8, 8);
    const int blocks[][4] = {{-1, 0, 2, 2},         {0, -1, 2, 2},
                             {7, 0, 2, 1},          {0, 7, 1, 2},
                             {0, 0, 0, 1},          {0, 0, 1, 0},
                             {0, 0, 9, 1},          {2147483647, 0, 1, 1},
                             {1, 1, 2147483647, 1}, {0, 0, -2147483647 - 1, 1}};
    for (const auto& b : blocks)
        EXPECT_EQ(canvas.read(b[0], b[1], b[2], b[3], true, out.data(), out.size()),
                  CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.read(0, 0, 8, 8, false, out.data(), 63), CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.read(0, 0, 5, 5, true, out.data(), 64), CanvasStatus::bad_argument);
    EXPECT_EQ(canvas.read(0, 0, 1, 1, true, nullptr, 64), CanvasStatus::bad_argument);
    for (std::uint8_t b : out) ASSERT_EQ(b, 0xAB);
    EXPECT_EQ(canvas.read(0, 0, 8, 8, false, out.data(), 64), CanvasStatus::ok);
}

TEST(CanvasFree, ReleasesThePixelsAndIgnoresDrawingUntilTheNextCreate) {
    RasterCanvas canvas;
    make_canvas(canvas, 8, 8);
    ASSERT_EQ(canvas.begin_overlay(), CanvasStatus::ok);
    canvas.free();
    EXPECT_FALSE(canvas.has_image());
    EXPECT_EQ(canvas.pixels(), nullptr);
    EXPECT_EQ(canvas.tracking(), 0);
    canvas.set_colour(3);
    canvas.line(0, 0, 7, 7);
    canvas.box(0, 0, 7, 7, 3);
    canvas.point(1, 1, 3);
    const double x[] = {0, 7, 0}, y[] = {0, 0, 7};
    EXPECT_FALSE(canvas.polygon(x, y, 3));
    canvas.erase();
    EXPECT_EQ(canvas.begin_overlay(), CanvasStatus::no_image);
    make_canvas(canvas, 8, 8);
    EXPECT_TRUE(drawn_pixels(canvas).empty());
}

// ---------------------------------------------------------------- transparent drawing

TEST(CanvasOverlay, TrueColourBlendsByTheFourthByte) {
    RasterCanvas canvas;
    make_canvas(canvas, 20, 10, true, 2);
    ASSERT_EQ(canvas.begin_overlay(), CanvasStatus::ok);
    EXPECT_EQ(canvas.tracking(), 2);
    canvas.option(canvas_option::alpha, 128);
    canvas.box(2, 3, 5, 4, rgb(255, 0, 0));
    canvas.set_colour(rgb(0, 0, 255));
    canvas.option(canvas_option::alpha, 255);
    canvas.line(10, 1, 10, 8);
    // Nothing reaches the image before the overlay ends.
    EXPECT_EQ(rgba_at(canvas, 3, 3), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    EXPECT_EQ(canvas.dirty_x1(), 2);
    EXPECT_EQ(canvas.dirty_y1(), 1);
    EXPECT_EQ(canvas.dirty_x2(), 10);
    EXPECT_EQ(canvas.dirty_y2(), 8);
    ASSERT_EQ(canvas.end_overlay(), CanvasStatus::ok);
    EXPECT_EQ(canvas.tracking(), 0);
    // Half red over white; the fourth byte becomes the overlay's alpha over 0.
    EXPECT_EQ(rgba_at(canvas, 3, 3), (std::array<std::uint8_t, 4>{255, 127, 127, 128}));
    EXPECT_EQ(rgba_at(canvas, 10, 5), (std::array<std::uint8_t, 4>{0, 0, 255, 255}));
    EXPECT_EQ(rgba_at(canvas, 7, 3), (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    // Drawing goes to the image again.
    canvas.point(0, 0, rgb(1, 1, 1));
    EXPECT_EQ(rgba_at(canvas, 0, 0)[0], 1);
    EXPECT_EQ(canvas.end_overlay(), CanvasStatus::bad_argument);
}

TEST(CanvasOverlay, IndexedOpaquePixelsKeepTheirIndexAndOthersMapToThePalette) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 10, false, 0, grey_table(), 3);
    canvas.box(0, 0, 9, 9, 200);
    ASSERT_EQ(canvas.begin_overlay(), CanvasStatus::ok);
    EXPECT_EQ(canvas.begin_overlay(), CanvasStatus::bad_argument);
    canvas.point(1, 1, 17);
    canvas.option(canvas_option::alpha, 51);  // a fifth
    canvas.point(2, 2, 0);
    canvas.option(canvas_option::alpha, 0);
    canvas.point(3, 3, 0);
    ASSERT_EQ(canvas.end_overlay(), CanvasStatus::ok);
    EXPECT_EQ(canvas.pixels()[1 * 10 + 1], 17);
    EXPECT_EQ(canvas.pixels()[2 * 10 + 2], 160);  // 200 * 4/5 on the grey ramp
    EXPECT_EQ(canvas.pixels()[3 * 10 + 3], 200);
    EXPECT_EQ(canvas.pixels()[5 * 10 + 5], 200);
}

TEST(CanvasOverlay, EraseDiscardsTheOverlay) {
    RasterCanvas canvas;
    make_canvas(canvas, 10, 10);
    ASSERT_EQ(canvas.begin_overlay(), CanvasStatus::ok);
    canvas.box(0, 0, 9, 9, 5);
    canvas.erase();
    ASSERT_EQ(canvas.end_overlay(), CanvasStatus::ok);
    EXPECT_TRUE(drawn_pixels(canvas).empty());
}

}  // namespace
}  // namespace gvx::testing
