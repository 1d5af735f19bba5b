// Colour maps: the sub-cells of crvmat with their bilinear values and merged runs, the
// rectangles of curve3, and the size of a heat map in SVG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/fields/field_fixture.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

using ColourMapTest = FieldFixture;

TEST_F(ColourMapTest, SubCellsTakeTheBilinearValueAtTheirCentres) {
    // z = 0 along x = -1 and 1 along x = 1, constant in y: four sub-columns of one cell
    // with the values 1/8, 3/8, 5/8 and 7/8.
    const double z[4] = {0.0, 0.0, 1.0, 1.0};
    output_of([&] { g_.crvmat(z, 2, 2, 4, 2); });
    const auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 8u);  // 4 colours in each of 2 rows
    const ColourScale& scale = s().fields.scale;
    for (int row = 0; row < 2; ++row) {
        for (int a = 0; a < 4; ++a) {
            const auto& b = boxes[row * 4 + a];
            EXPECT_EQ(b.colour, scale_colour(s(), scale, (a + 0.5) / 4.0));
            EXPECT_NEAR(std::min(b.x1, b.x2), 500.0 + a * 250.0, 1e-9);
            EXPECT_NEAR(std::max(b.x1, b.x2), 500.0 + (a + 1) * 250.0, 1e-9);
            EXPECT_NEAR(std::max(b.y1, b.y2), 1600.0 - row * 500.0, 1e-9);
            EXPECT_NEAR(std::min(b.y1, b.y2), 1600.0 - (row + 1) * 500.0, 1e-9);
        }
    }
    EXPECT_EQ(boxes[0].colour, 32);  // 1 + floor(254 / 8)
}

TEST_F(ColourMapTest, RunsOfOneColourAreMergedAndNanCellsLeftOut) {
    // A constant matrix: one box per row of sub-cells, spanning the axis system.
    std::vector<double> z(5 * 4, 0.25);
    output_of([&] { g_.crvmat(z.data(), 5, 4, 3, 2); });
    auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 6u);  // (4 - 1) cells * 2 rows of sub-cells
    for (const auto& b : boxes) {
        EXPECT_NEAR(std::min(b.x1, b.x2), 500.0, 1e-9);
        EXPECT_NEAR(std::max(b.x1, b.x2), 1500.0, 1e-9);
        EXPECT_EQ(b.colour, scale_colour(s(), s().fields.scale, 0.25));
    }
    // Values beyond the scale take the under and over colours; NaN cells break a run.
    rec_->clear();
    const double nan = std::nan("");
    const double z2[10] = {-3, -3, -1, -1, nan, nan, 3, 3, 5, 5};  // columns of 5 by 2
    output_of([&] { g_.crvmat(z2, 5, 2, 1, 1); });
    boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].colour, s().colours.under_colour);
    EXPECT_EQ(boxes[1].colour, s().colours.over_colour);
    EXPECT_NEAR(std::max(boxes[0].x1, boxes[0].x2), 750.0, 1e-9);
    EXPECT_NEAR(std::min(boxes[1].x1, boxes[1].x2), 1250.0, 1e-9);
}

TEST_F(ColourMapTest, RefusedOutsideAColourSystemOrWithBadSizes) {
    const double z[4] = {0, 0, 1, 1};
    const int before = warnings();
    output_of([&] {
        g_.crvmat(z, 1, 2, 1, 1);
        g_.crvmat(z, 2, 2, 0, 1);
        g_.crvmat(nullptr, 2, 2, 1, 1);
    });
    EXPECT_EQ(warnings(), before + 3);
    EXPECT_EQ(rec_->count(Call::fill_box), 0);
    // A plain axis system has no colour scale: level 2 refuses.
    output_of([&] {
        g_.endgrf();
        g_.graf(-1, 1, -1, 0.5, -1, 1, -1, 0.5);
    });
    rec_->clear();
    const std::string out = output_of([&] { g_.crvmat(z, 2, 2, 1, 1); });
    EXPECT_NE(out.find("Warning   3"), std::string::npos) << out;
    EXPECT_EQ(rec_->count(Call::fill_box), 0);
}

TEST_F(ColourMapTest, ScatteredRectanglesOfSetresAndAutres) {
    const double x[2] = {0.0, 0.5}, y[2] = {0.0, -0.5}, z[2] = {0.0, 1.0};
    g_.setres(40, 20);
    output_of([&] { g_.curve3(x, y, z, 2); });
    auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].colour, 1);
    EXPECT_EQ(boxes[1].colour, 254);
    EXPECT_NEAR(std::min(boxes[1].x1, boxes[1].x2), px(0.5) - 20, 1e-9);
    EXPECT_NEAR(std::max(boxes[1].x1, boxes[1].x2), px(0.5) + 20, 1e-9);
    EXPECT_NEAR(std::max(boxes[1].y1, boxes[1].y2), py(-0.5) + 10, 1e-9);
    rec_->clear();
    g_.autres(10, 4);  // 1001 / 10 and 1001 / 4, rounded up
    output_of([&] { g_.curve3(x, y, z, 1); });
    boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NEAR(std::fabs(boxes[0].x2 - boxes[0].x1), 101.0, 1e-9);
    EXPECT_NEAR(std::fabs(boxes[0].y2 - boxes[0].y1), 251.0, 1e-9);
}

TEST(ColourMapFile, HeatMapOf200By200StaysSmallInSvg) {
    TempDir dir;
    WorkingDir cwd(dir.path());
    Gravox g;
    ::testing::internal::CaptureStdout();
    g.metafl("SVG");
    g.setfil("heat.svg");
    g.gvxini();
    g.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2);
    const int n = 200;
    const auto x = spaced(-1, 1, n);
    // A bump: wide plains of one colour around it.
    const auto z =
        matrix(x, x, [](double a, double b) { return std::exp(-6.0 * (a * a + b * b)); });
    // The runs that merging must give: one per row plus one per colour change, the
    // colour of a cell being that of the mean of its corners.
    int runs = 0;
    for (int j = 0; j + 1 < n; ++j) {
        int previous = -2;
        for (int i = 0; i + 1 < n; ++i) {
            const double centre =
                (z[i * n + j] + z[i * n + j + 1] + z[(i + 1) * n + j] + z[(i + 1) * n + j + 1]) /
                4.0;
            const int c = scale_colour(gvx::state_of(g), gvx::state_of(g).fields.scale, centre);
            runs += c != previous;
            previous = c;
        }
    }
    g.crvmat(z.data(), n, n, 1, 1);
    g.gvxfin();
    ::testing::internal::GetCapturedStdout();
    const std::string svg = read_file("heat.svg");
    ASSERT_FALSE(svg.empty());
    int rects = 0;
    for (size_t at = svg.find("<rect"); at != std::string::npos; at = svg.find("<rect", at + 1))
        ++rects;
    // The map's runs and the 254 boxes of the colour bar, against 39601 cells.
    EXPECT_EQ(rects, runs + 254);
    EXPECT_LT(runs, 39601 / 2);
    // A rectangle costs about 90 bytes: well below one per cell.
    EXPECT_LT(svg.size(), 39601u * 45);
}

}  // namespace
}  // namespace gvx::testing
