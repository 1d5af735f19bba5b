// Pie charts: sector angles in proportion and summing to 360 degrees, label texts and
// percentages, 3-D side walls, pulled-out sectors, colour and pattern cycles, legend
// entries and warnings.
#include <cmath>
#include <cstring>
#include <numbers>

#include "tests/charts/charts_fixture.h"

namespace gvx::testing {
namespace {

class PiesTest : public ChartsFixture {
  protected:
    // The pie of the fixture's rectangle: its centre, radius 0.9 of half its height.
    static constexpr double kCx = 500 + 1001 / 2.0, kCy = 1500 - 501 / 2.0, kR = 0.9 * 501 / 2;

    // Angle of a vertex around a centre in degrees, 0 to 360, counter-clockwise.
    static double angle_of(double x, double y, double cx = kCx, double cy = kCy) {
        double a = std::atan2(cy - y, x - cx) * 180.0 / std::numbers::pi;
        return a < -1e-9 ? a + 360.0 : a;
    }
};

const gvx::LegendBuffer kNoLegend(static_cast<char*>(nullptr), 0);

TEST_F(PiesTest, SectorsShareTheFullCircleInProportion) {
    const double data[4] = {1.0, 2.0, 3.0, 4.0};
    g_.pielab("NONE", "INTE");
    g_.piegrf(kNoLegend, 0, data, 4);
    const auto f = fills();
    ASSERT_EQ(f.size(), 4u);
    double total = 0.0, start = 0.0;
    for (int i = 0; i < 4; ++i) {
        // Outer arc from the first vertex to the one before the centre.
        const size_t m = f[i].xs.size();
        EXPECT_DOUBLE_EQ(f[i].xs[m - 1], kCx);
        EXPECT_DOUBLE_EQ(f[i].ys[m - 1], kCy);
        EXPECT_NEAR(std::hypot(f[i].xs[0] - kCx, f[i].ys[0] - kCy), kR, 1e-9);
        const double a0 = angle_of(f[i].xs[0], f[i].ys[0]);
        double a1 = angle_of(f[i].xs[m - 2], f[i].ys[m - 2]);
        if (a1 < a0 + 1e-9) a1 += 360.0;
        EXPECT_NEAR(a0, start, 1e-6);
        EXPECT_NEAR(a1 - a0, 36.0 * data[i], 1e-6);
        start = a1;
        total += a1 - a0;
    }
    EXPECT_NEAR(total, 360.0, 1e-6);
}

TEST_F(PiesTest, LabelTextsAndPercentages) {
    char text[64];
    g_.pielab("PERC", "INTE");
    double sum = 0.0;
    for (double v : {1.0, 1.0, 2.0}) {
        pie_label_text(s(), v, 4.0, text, sizeof text);
        sum += std::atof(text);
        EXPECT_EQ(text[std::strlen(text) - 1], '%');
    }
    EXPECT_NEAR(sum, 100.0, 1e-9);
    pie_label_text(s(), 1.0, 3.0, text, sizeof text);
    EXPECT_STREQ(text, "33.3%");
    g_.pielab("DATA", "EXTE");
    pie_label_text(s(), 2.5, 10.0, text, sizeof text);
    EXPECT_STREQ(text, "2.5");
    g_.pielab("BOTH", "EXTE");
    pie_label_text(s(), 2.5, 10.0, text, sizeof text);
    EXPECT_STREQ(text, "2.5 (25.0%)");
    g_.labdif(2, "PERC");
    pie_label_text(s(), 2.5, 10.0, text, sizeof text);
    EXPECT_STREQ(text, "2.5 (25.00%)");
    g_.pielab("NONE", "INTE");
    pie_label_text(s(), 2.5, 10.0, text, sizeof text);
    EXPECT_STREQ(text, "");

    // Labels are drawn inside the sector or outside the circle.
    const double data[2] = {1.0, 3.0};
    g_.pielab("PERC", "INTE");
    g_.piegrf(kNoLegend, 0, data, 2);
    double far_in = 0.0;
    for (const auto& g : rec_->segments())
        far_in = std::max(far_in, std::hypot(g.x2 - kCx, g.y2 - kCy));
    EXPECT_LE(far_in, kR + 1.0);  // the outline's vertices, and labels well inside
    rec_->clear();
    g_.pielab("PERC", "EXTE");
    g_.piegrf(kNoLegend, 0, data, 2);
    double far_out = 0.0;
    for (const auto& g : rec_->segments())
        far_out = std::max(far_out, std::hypot(g.x2 - kCx, g.y2 - kCy));
    EXPECT_GT(far_out, 0.7 * 501 / 2 + 1e-6);  // beyond the smaller radius of outside labels
}

TEST_F(PiesTest, ThreeDimensionalPiesAddSideWallsOnTheNearHalf) {
    const double data[2] = {1.0, 1.0};  // 0..180 far half, 180..360 near half
    g_.pietyp("3D");
    g_.pieopt(50, 30.0);
    g_.pielab("NONE", "INTE");
    g_.piegrf(kNoLegend, 0, data, 2);
    const auto f = fills();
    // Far to near: the far top, then the near sector's wall and top.
    ASSERT_EQ(f.size(), 3u);
    // The wall reaches the depth below the top ellipse.
    const double bottom = *std::max_element(f[1].ys.begin(), f[1].ys.end());
    const double top_bottom = *std::max_element(f[2].ys.begin(), f[2].ys.end());
    EXPECT_NEAR(bottom - top_bottom, 50.0, 1.0);
    // The tops are squashed by the view angle: half as high as wide.
    const auto [ymin, ymax] = std::minmax_element(f[0].ys.begin(), f[0].ys.end());
    const auto [xmin, xmax] = std::minmax_element(f[0].xs.begin(), f[0].xs.end());
    EXPECT_NEAR((*ymax - *ymin) / (*xmax - *xmin), 0.25, 0.01);  // half circle: r*0.5 / 2r
}

TEST_F(PiesTest, PulledSectorsOfThreeDimensionalPiesOpenGapsThatShowTheCuts) {
    // Quarters: 0..90, 90..180, 180..270 and 270..360.
    const double data[4] = {1.0, 1.0, 1.0, 1.0};
    g_.pietyp("3D");
    g_.pieopt(50, 30.0);
    g_.pielab("NONE", "INTE");
    g_.piegrf(kNoLegend, 0, data, 4);
    // Far to near: the two far tops, then rim and top of each near quarter.
    EXPECT_EQ(fills().size(), 6u);
    rec_->clear();

    // The last quarter pulled out towards the viewer's right opens a gap in which the
    // first quarter's cut at 0 degrees (facing the viewer) shows.
    g_.pievec(4, 60);
    g_.piegrf(kNoLegend, 0, data, 4);
    const auto f = fills();
    ASSERT_EQ(f.size(), 7u);
    const double cy = kCy - 25.0;  // the 3-D pie is lifted by half its depth
    const DeviceCall& cut = f[0];
    ASSERT_EQ(cut.xs.size(), 4u);
    const double xs[4] = {kCx, kCx + kR, kCx + kR, kCx}, ys[4] = {cy, cy, cy + 50, cy + 50};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(cut.xs[i], xs[i], 1e-9);
        EXPECT_NEAR(cut.ys[i], ys[i], 1e-9);
    }
    // The pulled quarter comes last, its top's last vertex its moved centre: nearer
    // sectors cover what lies behind them.
    const double pull = 60.0 / std::sqrt(2.0);
    EXPECT_NEAR(f[6].xs.back(), kCx + pull, 1e-9);
    EXPECT_NEAR(f[6].ys.back(), cy + pull, 1e-9);
}

TEST_F(PiesTest, PulledSectorsColoursPatternsAndLegendEntries) {
    const double data[3] = {1.0, 1.0, 2.0};
    g_.pielab("NONE", "INTE");
    g_.pievec(3, 40);
    const int top[3] = {4, -1, 6}, side[3] = {-1, -1, -1};
    g_.pieclr(top, side, 3);
    g_.piegrf(kNoLegend, 0, data, 3);
    const auto f = fills();
    ASSERT_EQ(f.size(), 3u);
    // Sector 3 (180 to 360 degrees) moved 40 units down along its bisector at 270.
    EXPECT_NEAR(f[2].xs.back(), kCx, 1e-9);
    EXPECT_NEAR(f[2].ys.back(), kCy + 40.0, 1e-9);
    EXPECT_DOUBLE_EQ(f[0].ys.back(), kCy);
    // Colours of pieclr, the colour cycle where -1.
    const LegendState& g = *s().legend;
    EXPECT_EQ(g.recorded_count, 3);
    EXPECT_EQ(g.records[0].colour, 4);
    EXPECT_EQ(g.records[1].colour, s().colours->colour_cycle[1]);
    EXPECT_EQ(g.records[2].colour, 6);
    // Patterns of the pattern cycle.
    g_.chnpie("BOTH");
    g_.piegrf(kNoLegend, 0, data, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g.records[i].fill_pattern, s().curves->pattern_cycle[i]);
    EXPECT_EQ(g.records[2].colour, 6);

    // Without changes every sector takes the current colour and pattern.
    g_.chnpie("NONE");
    g_.shdpat(7);
    g_.piegrf(kNoLegend, 0, data, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g.records[i].fill_pattern, 7);
        EXPECT_EQ(g.records[i].colour, s().colours->current_colour);
    }
    EXPECT_EQ(s().prims->fill_pattern, 7);
}

TEST_F(PiesTest, LegendBesideThePie) {
    char buffer[3 * 10 + 1] = {};
    g_.legini(gvx::LegendBuffer{buffer}, 3, 10);
    g_.leglin(gvx::LegendBuffer{buffer}, "One", 1);
    g_.leglin(gvx::LegendBuffer{buffer}, "Two", 2);
    g_.leglin(gvx::LegendBuffer{buffer}, "Three", 3);
    const double data[3] = {1.0, 1.0, 2.0};
    g_.pielab("NONE", "INTE");
    const std::string out = output_of([&] { g_.piegrf(gvx::LegendBuffer{buffer}, 3, data, 3); });
    EXPECT_EQ(out.find("Warning"), std::string::npos) << out;
    // Three sectors and three legend boxes, the boxes right of the pie.
    const auto f = fills();
    ASSERT_EQ(f.size(), 6u);
    const double pie_right = *std::max_element(f[0].xs.begin(), f[0].xs.end());
    for (int i = 3; i < 6; ++i) EXPECT_GT(f[i].xs[0], pie_right);
    EXPECT_EQ(s().frame.level, 2);
}

TEST_F(PiesTest, WarningsForNegativeZeroAndMissingValues) {
    const double negative[3] = {1.0, -1.0, 2.0}, zero[2] = {0.0, 0.0};
    std::string out = output_of([&] { g_.piegrf(kNoLegend, 0, negative, 3); });
    EXPECT_NE(out.find("Warning   1: Negative parameter"), std::string::npos) << out;
    out = output_of([&] { g_.piegrf(kNoLegend, 0, zero, 2); });
    EXPECT_NE(out.find("Warning  29: Sum of data is zero"), std::string::npos) << out;
    out = output_of([&] { g_.piegrf(kNoLegend, 0, zero, 0); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    const double good[2] = {1.0, 2.0};
    out = output_of([&] { g_.piegrf(kNoLegend, 2, good, 2); });  // lines without a buffer
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    EXPECT_TRUE(rec_->calls.empty());
    // Legend lines before legini: the pie without its legend.
    char buffer[11] = {};
    out = output_of([&] { g_.piegrf(gvx::LegendBuffer{buffer}, 1, good, 2); });
    EXPECT_NE(out.find("Warning  15: No call to legini before"), std::string::npos) << out;
    EXPECT_EQ(fills().size(), 2u);
    rec_->clear();
    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { g_.pietyp("4D"); }, [&] { g_.pieopt(10, 5.0); }, [&] { g_.pievec(101, 5); },
             [&] { g_.pievec(1, -5); }, [&] { g_.piebor(-2); }, [&] { g_.chnpie("LINE"); },
             [&] { g_.pielab("PERC", "LEFT"); }}) {
        out = output_of(call);
        EXPECT_NE(out.find("Warning   2"), std::string::npos);
    }
    const int bad[1] = {-2};
    out = output_of([&] { g_.pieclr(bad, bad, 1); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    EXPECT_TRUE(rec_->calls.empty());
    EXPECT_EQ(s().charts->pie_depth, 60);
    EXPECT_EQ(s().charts->pie_colour_count, 0);
}

}  // namespace
}  // namespace gvx::testing
