// Curves as the device sees them: the polyline of a long curve, symbols, NaN breaks,
// thickness passes, the drawing modes, attribute cycling, the legend bookkeeping and the
// out-of-scaling report.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/curves/curve_fixture.h"

namespace gvx::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class CurveTest : public CurveFixture {};

// Vertices of all polylines, in order; a piece that starts where the previous one
// ended (the continuation of a full polyline buffer) does not repeat that vertex.
std::vector<Recording::Point> vertices(const std::vector<std::vector<Recording::Point>>& lines) {
    std::vector<Recording::Point> all;
    for (const auto& line : lines) {
        auto from = line.begin();
        if (!all.empty() && from != line.end() && from->x == all.back().x &&
            from->y == all.back().y)
            ++from;
        all.insert(all.end(), from, line.end());
    }
    return all;
}

TEST_F(CurveTest, SinglePointNeedsSymbolsOnly) {
    const double x = -5.0, y = 1.0;
    std::string out = output_of([&] { g_.curve(&x, &y, 1); });
    EXPECT_EQ(out, " <<<< Warning   2: Incorrect parameter in curve!\n");
    EXPECT_TRUE(rec_->calls.empty());
    EXPECT_EQ(s().curves->legend_curve_number, 1);  // counters unchanged

    g_.incmrk(-1);
    out = output_of([&] { g_.curve(&x, &y, 1); });
    EXPECT_EQ(out, "");
    // Symbol 0, a square 36 units high, centred on the rounded plot point.
    const auto lines = polylines();
    ASSERT_EQ(lines.size(), 1u);
    const double cx = std::round(px(x)), cy = std::round(py(y));
    ASSERT_EQ(lines[0].size(), 5u);
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (auto p : lines[0]) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_DOUBLE_EQ(left, cx - 18);
    EXPECT_DOUBLE_EQ(right, cx + 18);
    EXPECT_DOUBLE_EQ(top, cy - 18);
    EXPECT_DOUBLE_EQ(bottom, cy + 18);
    EXPECT_EQ(s().curves->legend_curve_number, 2);
}

TEST_F(CurveTest, NoPointsOrMissingArraysAreRefused) {
    const double v[2] = {0.0, 1.0};
    std::string out = output_of([&] {
        g_.curve(v, v, 0);
        g_.curve(nullptr, v, 2);
    });
    EXPECT_EQ(warnings(), 2);
    EXPECT_TRUE(rec_->calls.empty());
}

TEST_F(CurveTest, SymbolsAtEveryKthPointBesideTheLine) {
    std::vector<double> x, y;
    for (int i = 0; i < 10; ++i) {
        x.push_back(-10.0 + i);
        y.push_back(1.0);
    }
    g_.incmrk(3);
    output_of([&] { g_.curve(x.data(), y.data(), 10); });
    const auto lines = polylines();
    // Symbols at points 0, 3, 6 and 9 (closed squares of 5 vertices), then the line.
    ASSERT_EQ(lines.size(), 5u);
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(lines[k].size(), 5u);
        EXPECT_DOUBLE_EQ(lines[k][0].x, std::round(px(x[3 * k])) - 18);
    }
    EXPECT_EQ(lines[4].size(), 10u);
}

TEST_F(CurveTest, NanBreaksTheLineWhenSwitchedOn) {
    double x[10], y[10];
    for (int i = 0; i < 10; ++i) {
        x[i] = -10.0 + i;
        y[i] = 1.0;
    }
    y[5] = kNaN;
    g_.nancrv("ON");
    output_of([&] { g_.curve(x, y, 10); });
    const auto lines = polylines();
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].size(), 5u);
    ASSERT_EQ(lines[1].size(), 4u);
    EXPECT_DOUBLE_EQ(lines[1][0].x, px(-4.0));  // the next valid point starts anew
    EXPECT_EQ(s().frame.nan_count, 1);

    // The NaN mode outlives the plot; a keyword that matches nothing leaves it alone.
    const std::string out = output_of([&] { g_.nancrv("MAYBE"); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    EXPECT_TRUE(s().curves->nan_mode);
}

TEST_F(CurveTest, GapsAreMovedOver) {
    const double x[5] = {-10, -9, -8, -5, -4};
    const double y[5] = {1, 1, 1, 1, 1};
    g_.gapcrv(1.5);
    output_of([&] { g_.curve(x, y, 5); });
    const auto lines = polylines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 3u);
    EXPECT_EQ(lines[1].size(), 2u);

    g_.gapsiz(0.0, "RESET");
    rec_->clear();
    output_of([&] { g_.curve(x, y, 5); });
    EXPECT_EQ(polylines().size(), 1u);
}

TEST_F(CurveTest, ThicknessPassesAtOffsetsZeroPlusOneMinusOne) {
    const double x[2] = {-10.0, 5.0};
    const double y[2] = {1.0, 1.0};
    g_.thkcrv(3);
    output_of([&] { g_.curve(x, y, 2); });
    const auto lines = polylines();
    ASSERT_EQ(lines.size(), 3u);
    const double base = py(1.0);
    // An offset lies to the left of the direction of travel: upwards for a line to the
    // right, and y grows downwards on the page.
    const double expected[3] = {base, base - 1.0, base + 1.0};
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(lines[k].size(), 2u);
        EXPECT_NEAR(lines[k][0].y, expected[k], 1e-9);
        EXPECT_NEAR(lines[k][1].y, expected[k], 1e-9);
        EXPECT_NEAR(lines[k][0].x, px(-10.0), 1e-9);
        EXPECT_NEAR(lines[k][1].x, px(5.0), 1e-9);
    }
    EXPECT_EQ(s().prims->line_offset, 0.0);
}

TEST_F(CurveTest, StepStairsStemsAndBars) {
    const double x[3] = {-10.0, -8.0, -6.0};
    const double y[3] = {1.0, 2.0, 1.5};
    auto expect_path = [&](std::vector<std::pair<double, double>> user) {
        const auto all = vertices(polylines());
        ASSERT_EQ(all.size(), user.size());
        for (std::size_t i = 0; i < user.size(); ++i) {
            EXPECT_NEAR(all[i].x, px(user[i].first), 1e-6) << i;
            // Points on the x axis are cut to the window inside the frame.
            EXPECT_NEAR(all[i].y, std::min(py(user[i].second), 1798.0), 1e-6) << i;
        }
        rec_->clear();
    };

    g_.polcrv("STEP");
    output_of([&] { g_.curve(x, y, 3); });
    expect_path(
        {{-11, 1}, {-10, 1}, {-9, 1}, {-9, 2}, {-8, 2}, {-7, 2}, {-7, 1.5}, {-6, 1.5}, {-5, 1.5}});

    g_.polcrv("STAIRS");
    output_of([&] { g_.curve(x, y, 3); });
    expect_path({{-10, 1}, {-8, 1}, {-8, 2}, {-6, 2}, {-6, 1.5}});

    g_.polcrv("STEM");
    output_of([&] { g_.curve(x, y, 3); });
    expect_path({{-10, 0}, {-10, 1}, {-8, 0}, {-8, 2}, {-6, 0}, {-6, 1.5}});

    // Bars 0.75 of the first spacing wide (half width 0.75), from the bottom of the axis.
    g_.polcrv("BARS");
    output_of([&] { g_.curve(x, y, 3); });
    expect_path({{-10.75, 0},
                 {-10.75, 1},
                 {-9.25, 1},
                 {-9.25, 0},
                 {-8.75, 0},
                 {-8.75, 2},
                 {-7.25, 2},
                 {-7.25, 0},
                 {-6.75, 0},
                 {-6.75, 1.5},
                 {-5.25, 1.5},
                 {-5.25, 0}});
    EXPECT_EQ(rec_->count(Call::fill_polygon), 0);
}

TEST_F(CurveTest, FilledBarsFillEachBarAndKeepTheFillPattern) {
    const double x[3] = {-10.0, -8.0, -6.0};
    const double y[3] = {1.0, 2.0, 1.5};
    s().prims->fill_pattern = 5;
    g_.polcrv("FBAR");
    g_.barwth(-20.0);  // absolute: 20 plot units wide
    output_of([&] { g_.curve(x, y, 3); });
    EXPECT_EQ(s().prims->fill_pattern, 5);
    // Outlines are drawn for every bar; where the device cannot fill, the primitives
    // hand it the outline of the polygon instead.
    const auto all = vertices(polylines());
    ASSERT_GE(all.size(), 4u);
    EXPECT_NEAR(all[0].x, px(-10.0) - 10.0, 1e-6);
    EXPECT_NEAR(all[0].y, 1798.0, 1e-6);  // the lower edge, clipped to the window
    EXPECT_NEAR(all[2].x, px(-10.0) + 10.0, 1e-6);
}

TEST_F(CurveTest, SplineThroughAParabola) {
    // A quadratic lies in the space of the cubic interpolating spline: it is reproduced.
    const double x[6] = {-1.5, -1.0, -0.5, 0.0, 0.75, 1.5};
    double y[6];
    for (int i = 0; i < 6; ++i) y[i] = x[i] * x[i] + 0.1;
    g_.polcrv("SPLI");
    g_.splmod(3, 50);
    const std::string out = output_of([&] { g_.curve(x, y, 6); });
    EXPECT_EQ(out, "");
    const auto all = vertices(polylines());
    ASSERT_EQ(all.size(), 50u);
    EXPECT_NEAR(all.front().x, px(-1.5), 1e-6);
    EXPECT_NEAR(all.back().x, px(1.5), 1e-6);
    for (const auto& p : all) {
        const double u = (p.x - 494.0) / 79.16 - 15.0;
        EXPECT_NEAR(p.y, py(u * u + 0.1), 1e-6);
    }
}

TEST_F(CurveTest, ParametricSplineClosesOnACircle) {
    // A circle through 24 points: the spline stays close to it.
    std::vector<double> x, y;
    for (int i = 0; i <= 24; ++i) {
        const double a = i * 2.0 * 3.141592653589793 / 24.0;
        x.push_back(-5.0 + 2.0 * std::cos(a));
        y.push_back(1.4 + 0.5 * std::sin(a));
    }
    g_.polcrv("PSPL");
    const std::string out = output_of([&] { g_.curve(x.data(), y.data(), 25); });
    EXPECT_EQ(out, "");
    const auto all = vertices(polylines());
    ASSERT_EQ(all.size(), 200u);
    for (const auto& p : all) {
        const double u = ((p.x - 494.0) / 79.16 - 15.0 + 5.0) / 2.0;
        const double v = ((1799.0 - p.y) / (1399.0 / 2.78) - 1.4) / 0.5;
        EXPECT_NEAR(std::hypot(u, v), 1.0, 0.01);
    }
}

TEST_F(CurveTest, SplineLimitsAndSingularSystems) {
    std::vector<double> x(200), y(200, 1.0);
    for (int i = 0; i < 200; ++i) x[i] = -14.0 + i * 0.1;
    g_.polcrv("SPLI");
    g_.thkcrv(2);
    g_.incmrk(50);
    // 200 points of order 3 need 1400 matrix entries: too many, once per pass, and the
    // symbols are still drawn.
    std::string out = output_of([&] { g_.curve(x.data(), y.data(), 200); });
    const std::string line =
        " <<<< Warning  31: Incorrect number of points for spline interpolation in curve!   "
        "( 200)\n";
    EXPECT_EQ(out, line + line);
    EXPECT_EQ(polylines().size(), 4u);  // four symbols, no spline

    rec_->clear();
    g_.thkcrv(1);
    g_.incmrk(0);
    const double flat[5] = {-3.0, -2.0, -2.0, -1.0, 0.0};
    out = output_of([&] { g_.curve(flat, y.data(), 5); });
    EXPECT_EQ(out, " <<<< Warning  38: Singular matrix in curve!\n");
    EXPECT_TRUE(polylines().empty());

    out = output_of([&] { g_.curve(flat, y.data(), 3); });
    EXPECT_NE(out.find("Warning  31"), std::string::npos);
    EXPECT_NE(out.find("(   3)"), std::string::npos);
}

TEST_F(CurveTest, NanInASplineIsReportedAndLeftOut) {
    const double x[6] = {-3.0, -2.0, -1.0, 0.0, 1.0, 2.0};
    const double y[6] = {1.0, 1.2, kNaN, 1.1, 1.0, 1.3};
    g_.nancrv("ON");
    g_.polcrv("SPLI");
    const std::string out = output_of([&] { g_.curve(x, y, 6); });
    EXPECT_EQ(out,
              " <<<< Warning 160: NaN Values are not handled for spline interpolation in "
              "curve!\n");
    EXPECT_EQ(vertices(polylines()).size(), 200u);
}

TEST_F(CurveTest, OutOfScalingLinesOnePerPoint) {
    const double x[4] = {-20.0, 0.0, 0.0, 2.0e7};
    const double y[4] = {1.0, 3.0, 1.0, -5.0e-8};
    const std::string expected =
        " <<<< (-20.000000 / 1.000000) out of axis scaling!\n"
        " <<<< (0.000000 / 3.000000) out of axis scaling!\n"
        " <<<< (  2.0000e+07 / -5.0000e-08) out of axis scaling!\n";
    EXPECT_EQ(output_of([&] { g_.curve(x, y, 4); }), expected);
    // The points are still drawn, cut to the axis system.
    for (const auto& p : vertices(polylines())) {
        EXPECT_GE(p.x, 495.0 - 1e-3);
        EXPECT_LE(p.x, 2472.0 + 1e-3);
        EXPECT_GE(p.y, 401.0 - 1e-3);
        EXPECT_LE(p.y, 1798.0 + 1e-3);
    }
    EXPECT_TRUE(s().frame.check_on);  // switched off only while drawing

    // Switching the warnings off does not silence the report.
    g_.errmod("WARN", "OFF");
    EXPECT_EQ(output_of([&] { g_.curve(x, y, 4); }), expected);
    // The error unit 0 does, and so does nochek.
    g_.unit(nullptr);
    EXPECT_EQ(output_of([&] { g_.curve(x, y, 4); }), "");
    g_.unit(stdout);
    g_.nochek();
    EXPECT_EQ(output_of([&] { g_.curve(x, y, 4); }), "");
}

TEST_F(CurveTest, ClippingIsOpenedAndClosedAroundTheCurve) {
    const double x[2] = {-20.0, 20.0};
    const double y[2] = {1.0, 1.0};
    output_of([&] { g_.curve(x, y, 2); });
    const auto all = vertices(polylines());
    ASSERT_EQ(all.size(), 2u);
    // The page window is narrowed to the window of the axis system, inside its frame.
    EXPECT_NEAR(all[0].x, 495.0, 1e-9);
    EXPECT_NEAR(all[1].x, 2472.0, 1e-9);
    EXPECT_EQ(s().prims->clip_window.xmin, 0);
    EXPECT_EQ(s().prims->clip_window.xmax, s().page.width);
    EXPECT_FALSE(s().curves->clipping_open);
}

// The colour the device was given first after the start of each curve call.
class CycleTest : public CurveFixture {
  protected:
    int curve_colour() {
        rec_->clear();
        const double x[2] = {-10.0, 5.0};
        const double y[2] = {1.0, 1.0};
        output_of([&] { g_.curve(x, y, 2); });
        const auto colours = rec_->of(Call::colour);
        return colours.empty() ? -1 : colours.front().colour;
    }
};

TEST_F(CycleTest, ColourCycleWrapsAfterThirty) {
    g_.chncrv("COLOR");
    for (int k = 1; k <= 30; ++k) g_.clrcyc(k, 100 + k);
    for (int k = 1; k <= 30; ++k) EXPECT_EQ(curve_colour(), 100 + k) << k;
    EXPECT_EQ(curve_colour(), 101);
    EXPECT_EQ(s().curves->cycle_position, 2);
}

TEST_F(CycleTest, DefaultCycleStartsWithTheForegroundThenRed) {
    g_.chncrv("COLO");
    EXPECT_EQ(curve_colour(), s().colours->colour_cycle[0]);
    EXPECT_EQ(curve_colour(), s().colours->colour_cycle[1]);
    EXPECT_EQ(s().colours->colour_cycle[1],
              s().colours->named_colours[static_cast<int>(NamedColour::red)]);
}

TEST_F(CycleTest, TwoCallsPerLegendCurveShareOneColour) {
    g_.chncrv("COLO");
    for (int k = 1; k <= 30; ++k) g_.clrcyc(k, 10 + k);
    g_.inccrv(2);
    EXPECT_EQ(curve_colour(), 11);
    EXPECT_EQ(s().curves->legend_curve_number, 1);
    EXPECT_EQ(curve_colour(), 11);
    EXPECT_EQ(s().curves->legend_curve_number, 2);
    EXPECT_EQ(curve_colour(), 12);
    EXPECT_EQ(curve_colour(), 12);
    EXPECT_EQ(s().curves->legend_curve_number, 3);
    EXPECT_EQ(s().legend->recorded_count, 2);
    EXPECT_EQ(s().legend->records[0].colour, 11);
    EXPECT_EQ(s().legend->records[1].colour, 12);
}

TEST_F(CycleTest, ColourAndLineStyleAreRestoredAfterTheCurve) {
    g_.color("RED");
    const int red = s().colours->current_colour;
    g_.lintyp(2);
    const int dash = s().prims->dash_lengths[0];
    g_.chncrv("BOTH");
    g_.resatt();
    for (int k = 0; k < 3; ++k) {
        curve_colour();
        EXPECT_EQ(s().colours->current_colour, red);
        EXPECT_EQ(s().curves->line_type, 2);
        EXPECT_EQ(s().prims->dash_count, 2);
        EXPECT_EQ(s().prims->dash_lengths[0], dash);
    }
    // The records hold the cycled attributes: line types 0, 1, 2 of the default cycle.
    EXPECT_EQ(s().legend->records[0].line_type, 0);
    EXPECT_EQ(s().legend->records[1].line_type, 1);
    EXPECT_EQ(s().legend->records[1].dash_count, 2);
    EXPECT_EQ(s().legend->records[1].dash_lengths[1], 10);
    EXPECT_EQ(s().legend->records[2].line_type, 2);
}

TEST_F(CycleTest, SymbolsAdvanceWithEveryLegendCurve) {
    g_.incmrk(1);
    g_.marker(21);
    curve_colour();
    EXPECT_EQ(s().curves->marker_symbol, 22);
    curve_colour();
    EXPECT_EQ(s().curves->marker_symbol, 1);  // 22 wraps to 1, as 0 never comes back
    g_.resatt();
    EXPECT_EQ(s().curves->marker_symbol, 0);
    EXPECT_EQ(s().curves->cycle_position, 1);
}

TEST_F(CurveTest, AttributeRoutinesCheckTheirArguments) {
    const std::string out = output_of([&] {
        g_.marker(24);
        g_.hsymbl(0);
        g_.thkcrv(10001);
        g_.inccrv(0);
        g_.lincyc(31, 1);
        g_.lincyc(1, 8);
        g_.clrcyc(1, -1);
        g_.patcyc(1, 180001);
        g_.lintyp(-1);
        g_.splmod(1, 100);
        g_.splmod(3, 4);
        g_.polcrv("ZIGZAG");
    });
    EXPECT_EQ(warnings(), 12);
    EXPECT_NE(out.find("Incorrect parameter in patcyc!\n"), std::string::npos);  // no value
    EXPECT_NE(out.find("in marker!   (  24)"), std::string::npos);
    const CurveState& c = *s().curves;
    EXPECT_EQ(c.marker_symbol, 0);
    EXPECT_EQ(c.marker_size, 36);
    EXPECT_EQ(c.thickness, 1);
    EXPECT_EQ(c.calls_per_curve, 1);
    EXPECT_EQ(c.spline_order, 3);
    EXPECT_EQ(c.spline_points, 200);
    EXPECT_EQ(c.mode, CurveMode::line);
}

TEST_F(CurveTest, MylineChecksEveryLengthAndRestartsThePattern) {
    const int bad[3] = {10, 0, 5};
    std::string out = output_of([&] { g_.myline(bad, 3); });
    EXPECT_EQ(out, " <<<< Warning   2: Incorrect parameter in myline!   (   0)\n");
    EXPECT_EQ(s().prims->dash_count, 1);
    const int good[3] = {10, 4, 5};
    g_.myline(good, 3);
    EXPECT_EQ(s().prims->dash_count, 3);
    EXPECT_EQ(s().prims->dash_remaining, 10.0);
    EXPECT_FALSE(s().prims->dash_pen_up);
    // Line type 3 is 30, 15, 10, 15 plot units at the default unit factor.
    g_.lintyp(3);
    EXPECT_EQ(s().prims->dash_count, 4);
    EXPECT_EQ(s().prims->dash_lengths[0], 30);
    EXPECT_EQ(s().prims->dash_lengths[3], 15);
}

TEST(CurveLevels, CurveNeedsAnAxisSystem) {
    Gravox g;
    ::testing::internal::CaptureStdout();
    auto rec = open_recorded_plot(g);
    const double v[2] = {0.0, 1.0};
    g.curve(v, v, 2);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, " <<<< Warning   3: Incorrect level in curve!   (   1)\n");
}

}  // namespace
}  // namespace gvx::testing
