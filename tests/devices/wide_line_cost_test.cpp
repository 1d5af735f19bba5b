// Wide lines: up to a few rings the width is drawn as rings; a wider line keeps its
// outermost ring and fills the inside, so that its cost no longer grows with the width
// (a width of 32000 over many ticks took minutes) while the picture stays the same.
#include <fstream>
#include <iterator>
#include <sstream>

#include "gravox/devices/primitives_internal.h"
#include "tests/core/frame_fixture.h"
#include "tests/devices/canvas_helpers.h"
#include "tests/support/png_decode.h"

namespace gvx::testing {
namespace {

using WideLineCost = FrameTest;

struct Line {
    int n;
    double x[4], y[4];
};

// An open polyline with a corner, a closed triangle and a lone segment.
const Line kCorner{3, {500.0, 1500.0, 1500.0}, {1000.0, 1000.0, 1500.0}};
const Line kTriangle{4, {900.0, 1900.0, 1400.0, 900.0}, {1500.0, 1500.0, 700.0, 1500.0}};
const Line kSegment{2, {700.0, 2200.0}, {600.0, 1400.0}};

void buffer(PlotState& s, const Line& line) {
    move_to(s, line.x[0], line.y[0]);
    for (int i = 1; i < line.n; ++i) draw_to(s, line.x[i], line.y[i]);
}

// Device draws of one line at a width with round caps and joins, on a device that
// cannot fill (the inside becomes horizontal lines).
int draws_at_width(Gravox& g, int width, const Line& line = kCorner) {
    ::testing::internal::CaptureStdout();
    g.metafl("SVG");
    g.gvxini();
    g.lncap("ROUND");
    g.lnjoin("ROUND");
    g.linwid(width);
    gvx::state_of(g).frame.vector_count = 0;
    buffer(gvx::state_of(g), line);
    flush_polyline(gvx::state_of(g));
    const int draws = gvx::state_of(g).frame.vector_count;
    g.gvxfin();
    ::testing::internal::GetCapturedStdout();
    return draws;
}

TEST_F(WideLineCost, WorkIsBoundedByTheWindowNotTheWidth) {
    const int narrow = draws_at_width(g_, 3000), wide = draws_at_width(g_, 32000);
    EXPECT_GT(narrow, 1000);  // the inside is drawn
    // The page is 2100 units high: about 1500 lines a piece, whatever the width.
    EXPECT_LE(wide, narrow * 11 / 10) << narrow << " draws at 3000, " << wide << " at 32000";
    EXPECT_LT(wide, 20000);
    // A width below the limit keeps its rings: each adds its outline.
    EXPECT_GT(draws_at_width(g_, 24), 3 * draws_at_width(g_, 6));
}

TEST_F(WideLineCost, RingsAroundTheWholeWindowAreLeftOut) {
    // A short segment in the middle of the page: rings beyond the page corners' distance
    // cannot be seen, so the wide line costs no more than one a little wider than the page.
    const Line tick{2, {1485.0, 1485.0}, {1000.0, 1100.0}};
    const int page_wide = draws_at_width(g_, 4000, tick), widest = draws_at_width(g_, 32000, tick);
    EXPECT_LE(widest, page_wide + 10) << page_wide << " draws at 4000, " << widest << " at 32000";
}

// The dark pixels of one line drawn on a PNG page by a widening method.
PixelSet dark_pixels(Gravox& g, const Line& line, int width, const char* cap, const char* join,
                     Widening how, bool clipped = false) {
    ::testing::internal::CaptureStdout();
    g.metafl("PNG");
    g.scrmod("REVERSE");
    g.filmod("DELETE");
    g.gvxini();
    g.lncap(cap);
    g.lnjoin(join);
    g.linwid(width);
    if (clipped) g.clpwin(1000, 800, 800, 500);
    PlotState& s = gvx::state_of(g);
    buffer(s, line);
    draw_width_rings(s, how);
    s.prims->polyline_count = 0;
    g.gvxfin();
    ::testing::internal::GetCapturedStdout();
    std::ifstream in("gravox.png", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const DecodedPng png = decode_png(bytes);
    PixelSet dark;
    EXPECT_TRUE(png.ok) << png.error;
    if (!png.ok) return dark;
    // Inside the page border; palette index 0 is the black ink of a reversed page.
    for (std::uint32_t y = 1; y + 1 < png.height; ++y)
        for (std::uint32_t x = 1; x + 1 < png.width; ++x)
            if (png.palette[png.at(x, y)][0] < 128) dark.insert({int(x), int(y)});
    return dark;
}

class WideLinePixels : public ::testing::Test {
  protected:
    WideLinePixels() : cwd_(dir_.path()) {}
    TempDir dir_;
    WorkingDir cwd_;
    Gravox g_;
};

TEST_F(WideLinePixels, FilledLineLooksLikeItsRings) {
    struct Case {
        const Line* line;
        int width;
        const char* cap;
        const char* join;
    };
    const Case cases[] = {{&kCorner, 60, "ROUND", "SHARP"},    {&kCorner, 200, "LONG", "TRUNC"},
                          {&kCorner, 150, "CUT", "ROUND"},     {&kTriangle, 90, "CUT", "SHARP"},
                          {&kTriangle, 300, "ROUND", "TRUNC"}, {&kSegment, 400, "ROUND", "SHARP"},
                          {&kSegment, 120, "LONG", "SHARP"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "width " << c.width << " " << c.cap << " " << c.join);
        const PixelSet rings = dark_pixels(g_, *c.line, c.width, c.cap, c.join, Widening::rings);
        const PixelSet filled = dark_pixels(g_, *c.line, c.width, c.cap, c.join, Widening::filled);
        ASSERT_GT(rings.size(), 1000u);
        // The rings cover the width with lines 1.5 units apart, which leaves holes where
        // they meet at an angle; the filled line has exactly these holes closed.
        std::size_t lost = 0, gained = 0, outside = 0;
        for (const Pixel& p : rings) lost += !filled.count(p);
        for (const Pixel& p : filled) {
            if (rings.count(p)) continue;
            ++gained;
            const auto left = rings.lower_bound({p.first, -1}), right = rings.upper_bound(p);
            const bool in_column = left != rings.end() && left->first == p.first &&
                                   left->second < p.second && right != rings.end() &&
                                   right->first == p.first;
            if (!in_column) ++outside;
        }
        EXPECT_LE(lost, rings.size() / 1000) << lost << " of " << rings.size() << " lost";
        EXPECT_LE(gained, rings.size() / 20) << gained << " of " << rings.size() << " gained";
        EXPECT_LE(outside, rings.size() / 1000) << outside << " of " << gained << " gained outside";
    }
}

TEST_F(WideLinePixels, FillingKeepsToTheClippingWindow) {
    // clpwin(1000, 800, 800, 500) is pixels 287..517 by 230..373 at 0.287 pixels a unit.
    const PixelSet filled =
        dark_pixels(g_, kSegment, 2000, "ROUND", "SHARP", Widening::filled, true);
    const PixelSet rings = dark_pixels(g_, kSegment, 2000, "ROUND", "SHARP", Widening::rings, true);
    ASSERT_GT(filled.size(), 20000u);
    for (const Pixel& p : filled) {
        EXPECT_TRUE(p.first >= 286 && p.first <= 518 && p.second >= 229 && p.second <= 374)
            << p.first << "," << p.second;
        if (::testing::Test::HasFailure()) break;
    }
    // The line covers the whole window: the filled window lacks at most its last row and
    // column of pixels, where the rings' clipped ends round outwards.
    EXPECT_GE(filled.size(), rings.size() * 98 / 100);
}

}  // namespace
}  // namespace gvx::testing
