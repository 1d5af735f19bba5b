// The drawing primitives as a device sees them: buffering, clipping, patterns,
// offsets, thick lines, fills, frames, the vector count and the pixel conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/devices/line_style.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "tests/support/capture.h"
#include "tests/support/recording_device.h"

namespace gvx::testing {
namespace {

class PrimitivesTest : public ::testing::Test {
  protected:
    // Opens a plot on a recording device and forgets what gvxini itself sent.
    void open(RecordingOptions options = {}) {
        ::testing::internal::CaptureStdout();
        rec_ = open_recorded_plot(g_, options);
        ::testing::internal::GetCapturedStdout();
        ASSERT_EQ(s().frame.level, 1);
        rec_->clear();
        s().frame.vector_count = 0;
    }
    PlotState& s() { return gvx::state_of(g_); }
    // Runs fn and returns what it printed (warnings go to standard output).
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of(fn);
    }
    void polyline(std::initializer_list<std::pair<double, double>> points) {
        bool first = true;
        for (auto [x, y] : points) {
            if (first)
                move_to(s(), x, y);
            else
                draw_to(s(), x, y);
            first = false;
        }
        flush_polyline(s());
    }
    // Distinct y values of every move and draw.
    std::set<double> ordinates() const {
        std::set<double> ys;
        for (const DeviceCall& c : rec_->calls)
            if (c.kind == Call::move || c.kind == Call::draw) ys.insert(c.y1);
        return ys;
    }
    bool has_vertex(double x, double y, double tolerance = 1e-9) const {
        for (const DeviceCall& c : rec_->calls)
            if ((c.kind == Call::move || c.kind == Call::draw) &&
                std::fabs(c.x1 - x) <= tolerance && std::fabs(c.y1 - y) <= tolerance)
                return true;
        return false;
    }

    Gravox g_;
    std::shared_ptr<Recording> rec_;
};

void expect_point(const Recording::Point& p, double x, double y, double tolerance = 1e-9) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
}

// --- Polyline buffer ------------------------------------------------------------------

TEST_F(PrimitivesTest, LongPolylineArrivesInPiecesOfOneHundredSharingEndPoints) {
    open();
    move_to(s(), 10, 100);
    for (int i = 1; i < 250; ++i) draw_to(s(), 10 + 10 * i, 100 + (i % 7));
    flush_polyline(s());
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 100u);
    EXPECT_EQ(lines[1].size(), 100u);
    EXPECT_EQ(lines[2].size(), 52u);
    expect_point(lines[1].front(), lines[0].back().x, lines[0].back().y);
    expect_point(lines[2].front(), lines[1].back().x, lines[1].back().y);
    expect_point(lines[2].back(), 10 + 10 * 249, 100 + 249 % 7);
    EXPECT_EQ(s().frame.vector_count, 249);
}

TEST_F(PrimitivesTest, DotIsAZeroLengthDrawUntilAFurtherDrawReplacesIt) {
    open();
    polyline({{300, 300}, {300, 300}});
    ASSERT_EQ(rec_->calls.size(), 2u);
    EXPECT_EQ(rec_->calls[0].kind, Call::move);
    EXPECT_EQ(rec_->calls[1].kind, Call::draw);
    EXPECT_EQ(rec_->calls[1].x1, 300);
    EXPECT_EQ(s().frame.vector_count, 1);

    rec_->clear();
    polyline({{300, 300}, {300, 300}, {400, 350}});
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 2u);
    expect_point(lines[0][1], 400, 350);

    // From the third vertex on, a repeated vertex is stored once.
    rec_->clear();
    polyline({{100, 100}, {200, 100}, {200, 200}, {200, 200}, {300, 200}});
    EXPECT_EQ(rec_->polylines()[0].size(), 4u);
}

TEST_F(PrimitivesTest, ColourChangeAndFinishingThePlotFlushTheBuffer) {
    open();
    move_to(s(), 100, 100);
    draw_to(s(), 200, 100);
    EXPECT_TRUE(rec_->calls.empty());
    set_device_colour(s(), 5);
    ASSERT_EQ(rec_->calls.size(), 3u);
    EXPECT_EQ(rec_->calls[1].kind, Call::draw);
    EXPECT_EQ(rec_->calls[2].kind, Call::colour);
    EXPECT_EQ(rec_->calls[2].colour, 5);
    EXPECT_EQ(s().colours->current_colour, 5);

    // Not a colour: nothing happens.
    set_device_colour(s(), -3);
    EXPECT_EQ(s().colours->current_colour, 5);
    EXPECT_EQ(rec_->count(Call::colour), 1);

    move_to(s(), 100, 200);
    draw_to(s(), 200, 200);
    output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(rec_->closed, 1);
    EXPECT_EQ(rec_->count(Call::draw), 2);
}

// --- Clipping -------------------------------------------------------------------------

TEST_F(PrimitivesTest, SegmentsAreClippedToTheWindowWithItsTolerance) {
    open();
    s().prims->clip_window = {100, 100, 200, 200};

    polyline({{150, 150}, {250, 150}});  // leaves on the right
    auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    expect_point(lines[0][1], 200, 150);

    rec_->clear();
    polyline({{50, 150}, {150, 150}});  // enters from the left: a move to the edge first
    lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    expect_point(lines[0][0], 100, 150);
    expect_point(lines[0][1], 150, 150);

    rec_->clear();
    polyline({{150, 150}, {200.0005, 150.0009}});  // within 0.001: untouched
    EXPECT_EQ(rec_->calls.back().x1, 200.0005);
    rec_->clear();
    polyline({{150, 150}, {200.002, 150}});  // beyond: cut
    EXPECT_EQ(rec_->calls.back().x1, 200);

    rec_->clear();
    polyline({{0, 50}, {300, 350}});  // crosses two edges diagonally
    lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    expect_point(lines[0][0], 100, 150);
    expect_point(lines[0][1], 150, 200);

    rec_->clear();
    polyline({{0, 0}, {50, 300}, {50, 0}, {300, 50}});  // wholly outside: dropped silently
    EXPECT_TRUE(rec_->calls.empty());
}

TEST_F(PrimitivesTest, AfterTheFirstOutsideVertexEverySegmentIsClipped) {
    open();
    s().prims->clip_window = {100, 100, 200, 200};
    polyline({{150, 150}, {250, 150}, {250, 180}, {150, 180}, {160, 190}});
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 2u);
    expect_point(lines[0][1], 200, 150);
    ASSERT_EQ(lines[1].size(), 3u);
    expect_point(lines[1][0], 200, 180);
    expect_point(lines[1][2], 160, 190);
    // Moves are not vectors; each clipped draw is.
    EXPECT_EQ(s().frame.vector_count, 3);
}

TEST_F(PrimitivesTest, NonFiniteVerticesNeverReachTheDevice) {
    open();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    polyline({{100, 100}, {nan, 200}, {300, 300}, {-inf, 100}, {400, 400}});
    for (const DeviceCall& c : rec_->calls) {
        EXPECT_TRUE(std::isfinite(c.x1));
        EXPECT_TRUE(std::isfinite(c.y1));
    }
}

TEST_F(PrimitivesTest, CircleClippingCutsAtTheCircle) {
    open();
    PrimitiveState& p = *s().prims;
    p.circle_clip = true;
    p.clip_centre_x = 500;
    p.clip_centre_y = 500;
    p.clip_radius = 100;

    polyline({{500, 500}, {700, 500}});  // leaves: bisection to within 0.1
    auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0][1].x, 600, 0.1);
    EXPECT_NEAR(lines[0][1].y, 500, 1e-9);

    rec_->clear();
    polyline({{500, 300}, {500, 520}});  // enters: a move to the crossing first
    lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0][0].y, 400, 0.1);
    expect_point(lines[0][1], 500, 520);

    rec_->clear();
    polyline({{300, 560}, {700, 560}});  // passes through: the chord
    lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0][0].x, 420, 1e-9);
    EXPECT_NEAR(lines[0][1].x, 580, 1e-9);

    rec_->clear();
    polyline({{300, 700}, {700, 700}});        // misses
    polyline({{300, 500}, {390, 500}});        // stops before the circle
    polyline({{399, 500}, {399.05, 500.04}});  // too short
    EXPECT_TRUE(rec_->calls.empty());

    p.axis_kind = 31;
    p.axis_drops_outer_segments = true;
    polyline({{300, 560}, {700, 560}});
    EXPECT_TRUE(rec_->calls.empty());
}

// --- Line patterns and offsets ----------------------------------------------------------

TEST_F(PrimitivesTest, DashPatternContinuesAcrossSegmentsAndCorners) {
    open();
    const int dashes[] = {10, 5};
    ASSERT_TRUE(set_line_pattern(s(), dashes, 2));
    offset_move_to(s(), 100, 100);
    offset_draw_to(s(), 122, 100);
    offset_draw_to(s(), 122, 130);
    flush_polyline(s());
    const auto segments = rec_->segments();
    const double expected[][4] = {{100, 100, 110, 100},
                                  {115, 100, 122, 100},
                                  {122, 100, 122, 103},
                                  {122, 108, 122, 118},
                                  {122, 123, 122, 130}};
    ASSERT_EQ(segments.size(), std::size(expected));
    for (std::size_t i = 0; i < segments.size(); ++i) {
        EXPECT_NEAR(segments[i].x1, expected[i][0], 1e-9) << i;
        EXPECT_NEAR(segments[i].y1, expected[i][1], 1e-9) << i;
        EXPECT_NEAR(segments[i].x2, expected[i][2], 1e-9) << i;
        EXPECT_NEAR(segments[i].y2, expected[i][3], 1e-9) << i;
    }
    // The walk stopped 7 units into a drawn element of 10.
    EXPECT_FALSE(s().prims->dash_pen_up);
    EXPECT_NEAR(s().prims->dash_remaining, 3, 1e-9);

    // A new polyline goes on with the same pattern position.
    rec_->clear();
    offset_move_to(s(), 100, 200);
    offset_draw_to(s(), 110, 200);
    flush_polyline(s());
    ASSERT_EQ(rec_->segments().size(), 2u);
    EXPECT_NEAR(rec_->segments()[0].x2, 103, 1e-9);
    EXPECT_NEAR(rec_->segments()[1].x1, 108, 1e-9);

    // A refused pattern changes nothing.
    const int bad[] = {10, 0};
    EXPECT_FALSE(set_line_pattern(s(), bad, 2));
    EXPECT_FALSE(set_line_pattern(s(), dashes, 0));
    EXPECT_EQ(s().prims->dash_lengths[0], 10);
}

TEST_F(PrimitivesTest, DashColoursChangeWithEachDrawnDashAndAreRestored) {
    open();
    set_device_colour(s(), 9);
    const int dashes[] = {10, 5};
    const int colours[] = {3, 7};
    ASSERT_TRUE(set_line_pattern(s(), dashes, 2));
    ASSERT_TRUE(set_dash_colours(s(), colours, 2));
    rec_->clear();
    draw_segment(s(), 100, 100, 140, 100);
    // Each drawn dash is a polyline preceded by its colour.
    std::vector<int> colour_of_dash;
    int colour = -1;
    for (const DeviceCall& c : rec_->calls) {
        if (c.kind == Call::colour) colour = c.colour;
        if (c.kind == Call::draw) colour_of_dash.push_back(colour);
    }
    EXPECT_EQ(colour_of_dash, (std::vector<int>{3, 7, 3}));
    EXPECT_EQ(rec_->calls.back().kind, Call::colour);
    EXPECT_EQ(s().colours->current_colour, 9);

    const int negative[] = {3, -1};
    EXPECT_FALSE(set_dash_colours(s(), negative, 2));
}

TEST_F(PrimitivesTest, OriginAndLineOffsetsShiftTheLine) {
    open();
    PrimitiveState& p = *s().prims;
    p.origin_x = 50;
    p.origin_y = 20;
    offset_move_to(s(), 100, 100);
    offset_draw_to(s(), 200, 100);
    flush_polyline(s());
    auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    expect_point(lines[0][0], 150, 120);
    expect_point(lines[0][1], 250, 120);
    EXPECT_EQ(p.last_x, 250);

    // A line offset of 5 lies to the left of the direction of travel on the page: above
    // a line to the right, to the right of a line going down the page.
    rec_->clear();
    p.origin_x = p.origin_y = 0;
    p.line_offset = 5;
    offset_move_to(s(), 100, 100);
    EXPECT_TRUE(rec_->calls.empty());
    EXPECT_TRUE(p.offset_move_pending);
    offset_draw_to(s(), 200, 100);
    offset_draw_to(s(), 200, 200);
    flush_polyline(s());
    lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 4u);
    expect_point(lines[0][0], 100, 95);
    expect_point(lines[0][1], 200, 95);
    expect_point(lines[0][2], 205, 100);
    expect_point(lines[0][3], 205, 200);
    EXPECT_EQ(p.last_x, 200);
    EXPECT_EQ(p.last_y, 200);
}

// Thickness passes lie side by side, each starting the pattern again; ending them
// flushes and takes the offset away.
TEST_F(PrimitivesTest, ThicknessPassesLieSideBySideAndRestartThePattern) {
    open();
    const int dashes[] = {10, 5};
    ASSERT_TRUE(set_line_pattern(s(), dashes, 2));
    for (int j = 1; j <= 3; ++j) {
        start_thickness_pass(s(), j, 2.0);
        draw_segment(s(), 100, 100, 112, 100);
    }
    end_thickness_passes(s());
    EXPECT_EQ(s().prims->line_offset, 0.0);
    EXPECT_FALSE(s().prims->offset_move_pending);
    // Passes at 0, +1/2 (above a line to the right) and -1/2; every pass draws its first
    // dash from 100 to 110 and the start of the second dash from 112 on is a gap.
    EXPECT_EQ(ordinates(), (std::set<double>{99.5, 100, 100.5}));
    const auto segments = rec_->segments();
    ASSERT_EQ(segments.size(), 3u);
    for (const auto& seg : segments) {
        EXPECT_NEAR(seg.x1, 100, 1e-9);
        EXPECT_NEAR(seg.x2, 110, 1e-9);
    }
    rec_->clear();
    draw_segment(s(), 100, 200, 104, 200);
    flush_polyline(s());
    EXPECT_EQ(ordinates(), (std::set<double>{200}));
}

// A copy of the line style comes back with the position of the walk; the plain line in
// between is solid without dash colours or offset.
TEST_F(PrimitivesTest, SavedLineStyleComesBackWithItsWalk) {
    open();
    const int dashes[] = {10, 5};
    const int colours[] = {3, 7};
    ASSERT_TRUE(set_line_pattern(s(), dashes, 2));
    ASSERT_TRUE(set_dash_colours(s(), colours, 2));
    draw_segment(s(), 100, 100, 107, 100);
    flush_polyline(s());
    const LineStyle saved = line_style(s());
    use_plain_line(s());
    rec_->clear();
    draw_segment(s(), 100, 150, 140, 150);
    flush_polyline(s());
    EXPECT_EQ(rec_->segments().size(), 1u);
    restore_line_style(s(), saved);
    EXPECT_EQ(s().prims->dash_colour_count, 2);
    rec_->clear();
    draw_segment(s(), 100, 200, 110, 200);
    flush_polyline(s());
    // 3 units remained of the first dash, then a gap of 5 and the next dash.
    const auto segments = rec_->segments();
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_NEAR(segments[0].x2, 103, 1e-9);
    EXPECT_NEAR(segments[1].x1, 108, 1e-9);

    // Restarting never loads a length below 1, whatever the state holds.
    s().prims->dash_lengths[0] = 0;
    restart_dash(s());
    EXPECT_EQ(s().prims->dash_remaining, 1.0);
}

TEST_F(PrimitivesTest, StoredWidthIsNegatedWhereTheDeviceWidens) {
    RecordingOptions options;
    options.caps.draws_wide_lines = true;
    open(options);
    EXPECT_EQ(stored_line_width(s(), 10), -10);
    EXPECT_EQ(stored_line_width(s(), 1), 1);
    set_line_width(s(), stored_line_width(s(), 4));
    EXPECT_EQ(line_width(s()), -4);
    g_.hwmode("OFF", "LINE");
    EXPECT_EQ(stored_line_width(s(), 10), 10);
}

// --- Thick lines ----------------------------------------------------------------------

TEST_F(PrimitivesTest, WidthTenDrawsRingsAtOneAndAHalfThreeAndFive) {
    open();
    g_.lncap("CUT");
    g_.linwid(10);
    polyline({{100, 100}, {200, 100}});
    EXPECT_EQ(ordinates(), (std::set<double>{95, 97, 98.5, 100, 101.5, 103, 105}));
    // The centre line and three rectangles of four draws.
    EXPECT_EQ(s().frame.vector_count, 13);
    EXPECT_EQ(rec_->count(Call::move), 4);
    EXPECT_TRUE(has_vertex(100, 105));
    EXPECT_TRUE(has_vertex(200, 95));

    rec_->clear();
    g_.linwid(2);
    polyline({{100, 100}, {200, 100}});
    EXPECT_EQ(ordinates(), (std::set<double>{99, 100, 101}));

    // Width 1 draws the centre line only.
    rec_->clear();
    g_.linwid(1);
    polyline({{100, 100}, {200, 100}});
    EXPECT_EQ(rec_->calls.size(), 2u);
}

TEST_F(PrimitivesTest, CapsLengthenOrRoundTheEnds) {
    open();
    g_.linwid(10);  // the default cap lengthens each ring by its half width
    polyline({{100, 100}, {200, 100}});
    EXPECT_TRUE(has_vertex(95, 105));
    EXPECT_TRUE(has_vertex(205, 95));
    EXPECT_TRUE(has_vertex(98.5, 101.5));

    rec_->clear();
    g_.lncap("ROUND");
    polyline({{100, 100}, {200, 100}});
    // Every ring vertex beyond the ends lies on a half circle around the end.
    int on_arcs = 0;
    for (const DeviceCall& c : rec_->calls) {
        if (c.kind != Call::draw || (c.x1 >= 100 && c.x1 <= 200)) continue;
        const double cx = c.x1 < 100 ? 100 : 200;
        const double r = std::hypot(c.x1 - cx, c.y1 - 100);
        EXPECT_TRUE(std::fabs(r - 3) < 1e-9 || std::fabs(r - 5) < 1e-9) << r;
        ++on_arcs;
    }
    // h = 1.5 gets no arc (m = 1), h = 3 gets 3 points, h = 5 gets 6, at each end.
    EXPECT_EQ(on_arcs, 2 * (3 + 6));
}

TEST_F(PrimitivesTest, JoinsOfAThreeVertexPath) {
    open();
    g_.lncap("CUT");
    g_.linwid(10);
    // Truncated joints: the ends of the offset segments are joined directly.
    polyline({{100, 100}, {200, 100}, {200, 200}});
    EXPECT_TRUE(has_vertex(205, 100));
    EXPECT_TRUE(has_vertex(200, 95));
    EXPECT_FALSE(has_vertex(205, 95));

    // Sharp joints meet where the offset lines cross, within the miter limit.
    rec_->clear();
    g_.lnjoin("SHARP");
    polyline({{100, 100}, {200, 100}, {200, 200}});
    EXPECT_TRUE(has_vertex(205, 95));
    EXPECT_TRUE(has_vertex(195, 105));
    EXPECT_FALSE(has_vertex(205, 100));
    // Three rings, each: start, end of first side, cap, joint ... one path each.
    EXPECT_EQ(rec_->count(Call::move), 4);

    // A right angle needs 1/sin(45 degrees) = 1.414: a limit of 1.2 makes it a bevel.
    rec_->clear();
    g_.lnmlt(1.2);
    polyline({{100, 100}, {200, 100}, {200, 200}});
    EXPECT_FALSE(has_vertex(205, 95));
    EXPECT_TRUE(has_vertex(205, 100));
}

TEST_F(PrimitivesTest, ClosedPolylineGetsTwoLoopsPerRingAndNoCaps) {
    open();
    g_.lnjoin("SHARP");
    g_.linwid(4);  // one ring at 2
    polyline({{100, 100}, {200, 100}, {200, 200}, {100, 200}, {100, 100}});
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 3u);  // centre line, outer and inner loop
    for (std::size_t i = 1; i < 3; ++i) {
        expect_point(lines[i].front(), lines[i].back().x, lines[i].back().y);
        for (const auto& v : lines[i]) {
            EXPECT_TRUE(std::fabs(v.x - 98) < 1e-9 || std::fabs(v.x - 102) < 1e-9 ||
                        std::fabs(v.x - 198) < 1e-9 || std::fabs(v.x - 202) < 1e-9)
                << v.x;
        }
    }
}

TEST_F(PrimitivesTest, DevicesThatWidenLinesGetTheWidthNegated) {
    RecordingOptions options;
    options.caps.draws_wide_lines = true;
    open(options);
    g_.linwid(10);
    EXPECT_EQ(s().prims->line_width, -10);
    polyline({{100, 100}, {200, 100}});
    EXPECT_EQ(rec_->calls.size(), 2u);

    g_.hwmode("OFF", "LINE");
    g_.linwid(10);
    EXPECT_EQ(s().prims->line_width, 10);
    // The hardware line mode outlives the plot; the shading mode does not.
    g_.hwmode("OFF", "SHADING");
    output_of([&] { g_.gvxfin(); });
    open(options);
    EXPECT_FALSE(s().prims->device_width);
    EXPECT_TRUE(s().prims->device_fill);
}

// --- Line attribute routines ------------------------------------------------------------

TEST_F(PrimitivesTest, AttributeRoutinesCheckTheirArgumentsAndFlushFirst) {
    open();
    move_to(s(), 100, 100);
    draw_to(s(), 200, 100);
    g_.linwid(3);
    EXPECT_EQ(rec_->count(Call::draw), 1);  // drawn with the width it was given

    const int before = s().frame.warning_count;
    std::string out = output_of([&] {
        g_.linwid(0);
        g_.linwid(32001);
        g_.lncap("FLAT");
        g_.lnjoin("MITER");
        g_.lnmlt(0.5);
        g_.lnmlt(std::numeric_limits<double>::quiet_NaN());
        g_.hwmode("MAYBE", "LINE");
        g_.hwmode("ON", "COLOUR");
    });
    EXPECT_EQ(s().frame.warning_count, before + 8);
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    EXPECT_NE(out.find("(32001)"), std::string::npos);
    EXPECT_EQ(s().prims->line_width, 3);
    EXPECT_EQ(s().prims->line_cap, LineCap::extended);
    EXPECT_EQ(s().prims->line_join, LineJoin::truncated);
    EXPECT_EQ(s().prims->miter_limit, 2.0);

    g_.lncap("round");
    g_.lnjoin("Sharp");
    g_.lnmlt(3);
    EXPECT_EQ(s().prims->line_cap, LineCap::round);
    EXPECT_EQ(s().prims->line_join, LineJoin::sharp);
    EXPECT_EQ(s().prims->miter_limit, 3.0);
}

TEST_F(PrimitivesTest, AttributeRoutinesNeedAnOpenPlotAndGvxiniResetsThem) {
    std::string out = output_of([&] { g_.linwid(5); });
    EXPECT_NE(out.find("Warning   3"), std::string::npos);
    EXPECT_NE(out.find("linwid"), std::string::npos);

    open();
    PrimitiveState& p = *s().prims;
    g_.linwid(5);
    g_.lncap("CUT");
    g_.lnjoin("ROUND");
    g_.lnmlt(4);
    const int dashes[] = {10, 5};
    set_line_pattern(s(), dashes, 2);
    p.origin_x = 7;
    p.clip_window = {1, 2, 3, 4};
    p.line_offset = 2;
    move_to(s(), 10, 10);
    output_of([&] { g_.gvxfin(); });
    open();
    EXPECT_EQ(p.line_width, 1);
    EXPECT_EQ(p.line_cap, LineCap::extended);
    EXPECT_EQ(p.line_join, LineJoin::truncated);
    EXPECT_EQ(p.miter_limit, 2.0);
    EXPECT_EQ(p.dash_count, 1);
    EXPECT_EQ(p.origin_x, 0);
    EXPECT_EQ(p.line_offset, 0.0);
    EXPECT_EQ(p.polyline_count, 0);
    EXPECT_EQ(p.clip_window.xmax, s().page.width);
    EXPECT_EQ(p.clip_window.ymax, s().page.height);
}

// --- Fills, points and frames -----------------------------------------------------------

TEST_F(PrimitivesTest, PolygonsAreFilledByCapableDevicesOrOutlined) {
    RecordingOptions options;
    options.caps.fills_polygons = true;
    open(options);
    s().prims->origin_x = 10;
    const double x[] = {100, 200, 150}, y[] = {100, 100, 200};
    move_to(s(), 0, 0);
    draw_to(s(), 50, 50);
    fill_polygon(s(), x, y, 3);
    ASSERT_EQ(rec_->count(Call::fill_polygon), 1);
    EXPECT_EQ(rec_->calls.back().kind, Call::fill_polygon);  // after the flushed line
    EXPECT_EQ(rec_->calls.back().xs, (std::vector<double>{110, 210, 160}));
    EXPECT_EQ(rec_->calls.back().ys, (std::vector<double>{100, 100, 200}));

    // Without the hardware shading mode the outline is drawn, closed to the start, and
    // then close horizontal lines.
    rec_->clear();
    g_.hwmode("OFF", "SHAD");
    fill_polygon(s(), x, y, 3);
    flush_polyline(s());
    auto lines = rec_->polylines();
    ASSERT_GT(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 4u);
    expect_point(lines[0][0], 110, 100);
    expect_point(lines[0][3], 110, 100);
    EXPECT_DOUBLE_EQ(lines[1][0].y, lines[1][1].y);

    // Other patterns are hatched by the library, not by the device.
    rec_->clear();
    g_.hwmode("ON", "SHAD");
    s().prims->fill_pattern = 3;
    fill_polygon(s(), x, y, 3);
    flush_polyline(s());
    EXPECT_EQ(rec_->count(Call::fill_polygon), 0);
    EXPECT_GT(rec_->count(Call::draw), 0);
}

TEST_F(PrimitivesTest, FailedFillsGiveTheirWarning) {
    RecordingOptions options;
    options.caps.fills_polygons = true;
    options.fill_result = warning::too_many_intersections;
    open(options);
    const double x[] = {100, 200, 150}, y[] = {100, 100, 200};
    std::string out = output_of([&] { fill_polygon(s(), x, y, 3); });
    EXPECT_NE(out.find("Warning  26: Too many intersections"), std::string::npos);
}

TEST_F(PrimitivesTest, BoxesAreClippedAndHatchedOnDevicesThatCannotFill) {
    RecordingOptions options;
    options.caps.pixels = true;
    open(options);
    s().prims->clip_window = {100, 100, 200, 200};
    fill_box(s(), 250, 300, 150, 50, 4);  // corners in any order
    ASSERT_EQ(rec_->count(Call::fill_box), 1);
    const DeviceCall box = rec_->of(Call::fill_box)[0];
    EXPECT_EQ(box.x1, 150);
    EXPECT_EQ(box.y1, 100);
    EXPECT_EQ(box.x2, 200);
    EXPECT_EQ(box.y2, 200);
    EXPECT_EQ(box.colour, 4);
    fill_box(s(), 300, 300, 400, 400, 4);  // outside: nothing
    EXPECT_EQ(rec_->count(Call::fill_box), 1);

    output_of([&] { g_.gvxfin(); });
    open();  // a device that neither fills nor has pixels
    set_device_colour(s(), 9);
    rec_->clear();
    fill_box(s(), 100, 100, 200, 103, 4);
    // Lines at 100, 101.4 and 102.8, and the last one on the edge at 103.
    std::set<double> ys;
    for (const auto& seg : rec_->segments()) ys.insert(seg.y1);
    ASSERT_EQ(ys.size(), 4u);
    EXPECT_NEAR(*ys.rbegin(), 103, 1e-9);
    EXPECT_NEAR(*std::next(ys.begin()), 101.4, 1e-9);
    EXPECT_EQ(s().frame.vector_count, 4);
    EXPECT_EQ(rec_->of(Call::colour).front().colour, 4);
    EXPECT_EQ(s().colours->current_colour, 9);
}

TEST_F(PrimitivesTest, BoxSetsAreShiftedAndClippedLikeSingleBoxes) {
    RecordingOptions options;
    options.caps.fills_polygons = true;
    options.caps.fills_box_sets = true;
    open(options);
    ASSERT_TRUE(groups_boxes(s()));
    s().prims->clip_window = {100, 100, 200, 200};
    s().prims->origin_x = 10;
    const double nan = std::nan("");
    const PlotBox boxes[4] = {
        {80, 120, 120, 130}, {150, 150, 160, 160}, {300, 100, 400, 200}, {nan, 100, 120, 130}};
    fill_box_set(s(), boxes, 4, 6);
    // The default of a device fills the set box by box: the first cut at the window,
    // the second shifted, the others dropped.
    const auto filled = rec_->of(Call::fill_box);
    ASSERT_EQ(filled.size(), 2u);
    EXPECT_EQ(filled[0].x1, 100);
    EXPECT_EQ(filled[0].x2, 130);
    EXPECT_EQ(filled[1].x1, 160);
    EXPECT_EQ(filled[1].y2, 160);
    EXPECT_EQ(filled[1].colour, 6);
    // A projection turns the set back into single boxes (filled as polygons).
    s().prims->projection_on = true;
    s().prims->projection = [](PlotState&, double&, double&) {};
    EXPECT_FALSE(groups_boxes(s()));
}

TEST_F(PrimitivesTest, PointsOutsideTheClippingRegionNeverReachTheDevice) {
    open();
    s().prims->clip_window = {100, 100, 200, 200};
    s().prims->origin_x = 10;
    plot_point(s(), 150, 150, 3);
    plot_point(s(), 195, 150, 3);  // outside once the origin offset is added
    ASSERT_EQ(rec_->count(Call::point), 1);
    EXPECT_EQ(rec_->calls[0].x1, 160);
    EXPECT_EQ(rec_->calls[0].colour, 3);
}

TEST_F(PrimitivesTest, PixelFramesAreFourLinesPerRectangle) {
    RecordingOptions options;
    options.caps.pixels = true;
    options.pixel_calls = true;
    open(options);
    const double scale = s().page.device_scale;
    s().prims->frame_colour = 7;
    set_device_colour(s(), 2);
    rec_->clear();
    draw_frame(s(), 1000, 500, 400, 300, 10, 0);
    const int p =
        static_cast<int>(scale * (1000 + 9) + 0.5) - static_cast<int>(scale * 1000 + 0.5) + 1;
    EXPECT_EQ(rec_->count(Call::line), 4 * p);
    EXPECT_EQ(s().frame.vector_count, 4 * p);
    // The first rectangle joins the corners' pixels; the next ones lie further out.
    const auto lines = rec_->of(Call::line);
    const int x1 = static_cast<int>(scale * 1000 + 0.5), y1 = static_cast<int>(scale * 500 + 0.5);
    const int x2 = static_cast<int>(scale * 1399 + 0.5), y2 = static_cast<int>(scale * 799 + 0.5);
    EXPECT_EQ(lines[0].x1, x1);
    EXPECT_EQ(lines[0].y1, y1);
    EXPECT_EQ(lines[1].x1, x2);
    EXPECT_EQ(lines[1].y2, y2);
    EXPECT_EQ(lines[4].x1, x1 - 1);
    EXPECT_EQ(lines[4].y1, y1 - 1);
    // Drawn in the frame colour, then the current colour comes back.
    EXPECT_EQ(rec_->calls.front().colour, 7);
    EXPECT_EQ(rec_->calls.back().kind, Call::colour);
    EXPECT_EQ(s().colours->current_colour, 2);

    // Thickness 0 draws nothing; a turned frame goes through move and draw.
    rec_->clear();
    draw_frame(s(), 1000, 500, 400, 300, 0, 0);
    EXPECT_TRUE(rec_->calls.empty());
    draw_frame(s(), 1000, 500, 400, 300, 2, 30);
    flush_polyline(s());
    EXPECT_EQ(rec_->count(Call::line), 8);
    EXPECT_EQ(rec_->count(Call::draw), 8);
}

TEST_F(PrimitivesTest, FramesOnOtherDevicesAreRectanglesOfMovesAndDraws) {
    open();
    draw_frame(s(), 100, 100, 50, 40, -3, 0);
    flush_polyline(s());
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 3u);  // |t| * unit factor rectangles, inwards for t < 0
    expect_point(lines[0][0], 100, 100);
    expect_point(lines[0][2], 149, 139);
    expect_point(lines[2][0], 102, 102);
    expect_point(lines[2][2], 147, 137);
    EXPECT_EQ(s().frame.vector_count, 12);

    // Turned by 90 degrees counter-clockwise, the width runs up the page.
    rec_->clear();
    draw_frame(s(), 500, 500, 101, 51, 1, 90);
    flush_polyline(s());
    const auto turned = rec_->polylines();
    ASSERT_EQ(turned.size(), 1u);
    expect_point(turned[0][1], 500, 400, 1e-9);
    expect_point(turned[0][2], 550, 400, 1e-9);
}

// --- Pixel conversion and the page border -----------------------------------------------

TEST_F(PrimitivesTest, PageBorderReachesThePixelCorners) {
    RecordingOptions options;
    options.caps.pixels = true;
    options.pixel_calls = true;
    open(options);
    EXPECT_DOUBLE_EQ(s().page.device_scale, 602.0 / 2099.0);
    g_.pagera();
    flush_polyline(s());
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 5u);
    expect_point(lines[0][1], 0, 2099);
    expect_point(lines[0][2], 2969, 2099);
    expect_point(lines[0][3], 2969, 0);
    expect_point(lines[0][4], 0, 0);
    EXPECT_EQ(s().frame.vector_count, 4);
    const auto pixels = rec_->of(Call::line);
    ASSERT_EQ(pixels.size(), 4u);
    EXPECT_EQ(pixels[0].x2, 0);
    EXPECT_EQ(pixels[0].y2, 602);
    EXPECT_EQ(pixels[1].x2, 852);
    EXPECT_EQ(pixels[1].y2, 602);
    EXPECT_EQ(pixels[2].x2, 852);
    EXPECT_EQ(pixels[2].y2, 0);
}

TEST_F(PrimitivesTest, TurnedPageMapsTheOriginToTheLowerLeftPixel) {
    g_.pagmod("PORT");
    RecordingOptions options;
    options.caps.pixels = true;
    options.pixel_calls = true;
    open(options);
    const double scale = s().page.device_scale;
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    flush_polyline(s());
    const auto pixels = rec_->of(Call::line);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].x1, 0);
    EXPECT_EQ(pixels[0].y1, static_cast<int>(scale * s().page.width + 0.5));
}

}  // namespace
}  // namespace gvx::testing
