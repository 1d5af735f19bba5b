// Bar charts: bar corners for both directions and width rules, 3-D faces and their
// colours, groups, tick positions, labels, legend entries and warnings.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tests/charts/charts_fixture.h"

namespace gvx::testing {
namespace {

class BarsTest : public ChartsFixture {};

const double kBarX[3] = {2.0, 4.0, 6.0}, kLow[3] = {0.0, 0.0, 0.0}, kHigh[3] = {3.0, 5.0, 4.0};

TEST_F(BarsTest, VerticalAndHorizontalBarsSpanTheirValues) {
    g_.barwth(0.5);  // half the spacing of 2 units: 100 plot units wide
    g_.bars(kBarX, kLow, kHigh, 3);
    auto f = fills();
    ASSERT_EQ(f.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(f[i].xs[0], px(kBarX[i]) - 50.0, 1e-9);
        EXPECT_NEAR(f[i].xs[1], px(kBarX[i]) + 50.0, 1e-9);
        EXPECT_NEAR(f[i].ys[0], py(kHigh[i]), 1e-9);
        EXPECT_NEAR(f[i].ys[2], py(0.0), 1e-9);
    }
    // Each bar is outlined.
    EXPECT_GE(rec_->polylines().size(), 3u);

    rec_->clear();
    g_.bartyp("HORI");
    g_.barwth(-40.0);  // plot units
    g_.bars(kBarX, kLow, kHigh, 3);
    f = fills();
    ASSERT_EQ(f.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(f[i].ys[0], py(kBarX[i]) - 20.0, 1e-9);
        EXPECT_NEAR(f[i].ys[2], py(kBarX[i]) + 20.0, 1e-9);
        EXPECT_NEAR(f[i].xs[0], px(0.0), 1e-9);
        EXPECT_NEAR(f[i].xs[1], px(kHigh[i]), 1e-9);
    }
}

TEST_F(BarsTest, VariableWidthsFollowEachBarsSpacing) {
    const double x[3] = {1.0, 2.0, 6.0};
    g_.barwth(1.0);
    g_.barmod("VARI", "WIDT");
    g_.bars(x, kLow, kHigh, 3);
    const auto f = fills();
    ASSERT_EQ(f.size(), 3u);
    // Spacings 1, min(1, 4) and 4 units: 100, 100 and 400 plot units.
    EXPECT_NEAR(f[0].xs[1] - f[0].xs[0], 100.0, 1e-9);
    EXPECT_NEAR(f[1].xs[1] - f[1].xs[0], 100.0, 1e-9);
    EXPECT_NEAR(f[2].xs[1] - f[2].xs[0], 400.0, 1e-9);
    const std::string out = output_of([&] { g_.barmod("VARI", "HEIG"); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
}

TEST_F(BarsTest, ThreeDimensionalBarsHaveSideTopAndFrontFaces) {
    g_.bartyp("3DVE");
    g_.barops(40, 30.0);
    g_.barclr(2, 3, 4);  // red, green, blue side by side by index
    g_.barbor(1);
    g_.barwth(-100.0);
    g_.bars(kBarX, kLow, kHigh, 1);
    const auto f = fills();
    ASSERT_EQ(f.size(), 3u);
    const double dx = 40 * std::cos(std::numbers::pi / 6),
                 dy = -40 * std::sin(std::numbers::pi / 6);
    const double l = px(2.0) - 50, r = px(2.0) + 50, t = py(3.0), b = py(0.0);
    auto expect_face = [](const DeviceCall& face, std::vector<double> xs, std::vector<double> ys) {
        ASSERT_EQ(face.xs.size(), xs.size());
        for (size_t i = 0; i < xs.size(); ++i) {
            EXPECT_NEAR(face.xs[i], xs[i], 1e-9);
            EXPECT_NEAR(face.ys[i], ys[i], 1e-9);
        }
    };
    // Side: the right edge moved back by the depth; top: the upper edge moved back;
    // the front last, over the others.
    expect_face(f[0], {r, r + dx, r + dx, r}, {t, t + dy, b + dy, b});
    expect_face(f[1], {l, r, r + dx, l + dx}, {t, t, t + dy, t + dy});
    expect_face(f[2], {l, r, r, l}, {t, t, b, b});
    // Face colours before each fill, the border colour for the outlines, and the
    // current colour back at the end.
    std::vector<int> fill_colours;
    int colour = -1;
    for (const DeviceCall& c : rec_->calls) {
        if (c.kind == Call::colour) colour = c.colour;
        if (c.kind == Call::fill_polygon) fill_colours.push_back(colour);
        if (c.kind == Call::draw) {
            EXPECT_EQ(colour, 1);
        }
    }
    EXPECT_EQ(fill_colours, (std::vector<int>{3, 4, 2}));
    EXPECT_EQ(s().colours->current_colour, colour);
}

TEST_F(BarsTest, GroupsPlaceSuccessiveCallsSideBySide) {
    g_.barwth(1.0);  // 200 plot units per group
    g_.bargrp(2, 20);
    g_.bars(kBarX, kLow, kHigh, 1);
    g_.bars(kBarX, kLow, kLow, 1);
    g_.bars(kBarX, kLow, kHigh, 1);  // the next group starts over
    const auto f = fills();
    ASSERT_EQ(f.size(), 3u);
    const double left = px(2.0) - 100;
    EXPECT_NEAR(f[0].xs[0], left, 1e-9);
    EXPECT_NEAR(f[0].xs[1], left + 90, 1e-9);
    EXPECT_NEAR(f[1].xs[0], left + 110, 1e-9);
    EXPECT_NEAR(f[1].xs[1], left + 200, 1e-9);
    EXPECT_NEAR(f[2].xs[0], left, 1e-9);
}

TEST_F(BarsTest, TickPositionsAndTheirWarning) {
    g_.barpos("TICK");  // ticks 0, 2, 4, 6, 8, 10
    const double x[6] = {}, low[6] = {}, high[6] = {1, 2, 3, 4, 5, 6};
    std::string out = output_of([&] { g_.bars(x, low, high, 6); });
    EXPECT_EQ(out.find("Warning"), std::string::npos) << out;
    auto f = fills();
    ASSERT_EQ(f.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR((f[i].xs[0] + f[i].xs[1]) / 2, px(2.0 * i), 1e-9);

    rec_->clear();
    out = output_of([&] { g_.bars(x, low, high, 4); });
    EXPECT_NE(out.find("Warning  28: Number of bars unequal number of main ticks"),
              std::string::npos);
    EXPECT_EQ(fills().size(), 4u);
}

TEST_F(BarsTest, LabelsShowTheChosenValueWhereAsked) {
    char text[32];
    chart_number_text(12.5, 1, text, sizeof text);
    EXPECT_STREQ(text, "12.5");
    chart_number_text(-3.0, -1, text, sizeof text);
    EXPECT_STREQ(text, "-3");

    // No labels by default: the outline only.
    g_.barwth(-100.0);
    g_.bars(kBarX, kLow, kHigh, 1);
    const size_t outline = rec_->segments().size();
    EXPECT_GE(outline, 3u);  // the lower edge may lie on the clipping edge
    const double top = py(3.0);
    for (const char* position : {"OUTS", "INSI", "CENT"}) {
        rec_->clear();
        g_.labels("SECO", "BARS");
        g_.labpos(position, "BARS");
        g_.bars(kBarX, kLow, kHigh, 1);
        auto segs = rec_->segments();
        ASSERT_GT(segs.size(), outline) << position;
        double ymin = 1e9, ymax = -1e9;
        for (size_t i = outline; i < segs.size(); ++i) {
            ymin = std::min({ymin, segs[i].y1, segs[i].y2});
            ymax = std::max({ymax, segs[i].y1, segs[i].y2});
        }
        if (position[0] == 'O') {
            EXPECT_LT(ymax, top) << "outside: above the top";
        }
        if (position[0] == 'I') {
            EXPECT_GT(ymin, top) << "inside: below the top";
        }
        if (position[0] == 'C') {
            EXPECT_NEAR((ymin + ymax) / 2, (top + py(0.0)) / 2, 20.0);
        }
    }
    // A label colour of its own, the current colour back afterwards.
    rec_->clear();
    g_.labclr(5, "BARS");
    g_.bars(kBarX, kLow, kHigh, 1);
    bool seen = false;
    for (const DeviceCall& c : rec_->calls) seen |= c.kind == Call::colour && c.colour == 5;
    EXPECT_TRUE(seen);
    EXPECT_NE(s().colours->current_colour, 5);
}

TEST_F(BarsTest, EachCallIsALegendCurveWithItsPatternAndColour) {
    g_.shdpat(6);
    g_.barclr(7, -1, -1);
    g_.bars(kBarX, kLow, kHigh, 3);
    g_.shdpat(3);
    g_.barclr(-1, -1, -1);
    g_.bars(kBarX, kLow, kHigh, 3);
    EXPECT_EQ(s().legend->recorded_count, 2);
    EXPECT_EQ(s().legend->records[0].fill_pattern, 6);
    EXPECT_EQ(s().legend->records[0].colour, 7);
    EXPECT_EQ(s().legend->records[1].fill_pattern, 3);
    EXPECT_EQ(s().legend->records[1].colour, s().colours->current_colour);
    EXPECT_EQ(s().curves->legend_curve_number, 3);
    // A following curve is a line entry again.
    const double y[3] = {1, 2, 3};
    g_.curve(kBarX, y, 3);
    EXPECT_EQ(s().legend->records[2].fill_pattern, -1);
}

TEST_F(BarsTest, ChncrvColourCycleGivesEachCallItsColour) {
    g_.chncrv("COLOR");
    const int before = s().colours->current_colour;
    const auto& cycle = s().colours->colour_cycle;
    g_.bars(kBarX, kLow, kHigh, 3);
    g_.barclr(9, -1, -1);  // a front colour of barclr wins over the cycle
    g_.bars(kBarX, kLow, kHigh, 3);
    g_.barclr(-1, -1, -1);
    g_.bars(kBarX, kLow, kHigh, 3);
    flush_polyline(s());
    // The fill colour of each bar: the colour set last before its fill.
    std::vector<int> fill_colours;
    int current = before;
    for (const DeviceCall& call : rec_->calls) {
        if (call.kind == Call::colour) current = call.colour;
        if (call.kind == Call::fill_polygon) fill_colours.push_back(current);
    }
    ASSERT_EQ(fill_colours.size(), 9u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fill_colours[i], cycle[0]) << i;
        EXPECT_EQ(fill_colours[3 + i], 9) << i;
        EXPECT_EQ(fill_colours[6 + i], cycle[2]) << i;
    }
    EXPECT_EQ(s().legend->records[0].colour, cycle[0]);
    EXPECT_EQ(s().legend->records[1].colour, 9);
    EXPECT_EQ(s().legend->records[2].colour, cycle[2]);
    EXPECT_EQ(s().colours->current_colour, before);  // the caller's colour comes back
}

TEST_F(BarsTest, BadArgumentsChangeNothing) {
    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { g_.bars(kBarX, kLow, kHigh, 0); }, [&] { g_.bars(nullptr, kLow, kHigh, 3); },
             [&] { g_.bartyp("DIAG"); }, [&] { g_.barclr(-2, 1, 1); }, [&] { g_.barbor(-5); },
             [&] { g_.barops(-1, 45.0); }, [&] { g_.barops(10, 95.0); }, [&] { g_.bargrp(0, 5); },
             [&] { g_.barpos("LEFT"); }, [&] { g_.labclr(-3, "BARS"); }}) {
        const std::string out = output_of(call);
        EXPECT_NE(out.find("Warning   2"), std::string::npos);
    }
    EXPECT_TRUE(rec_->calls.empty());
    EXPECT_EQ(s().charts->bar_type, BarType::vertical);
    EXPECT_EQ(s().charts->bar_depth, 30);
    EXPECT_EQ(s().charts->group_size, 1);
    EXPECT_EQ(s().legend->recorded_count, 0);
}

}  // namespace
}  // namespace gvx::testing
