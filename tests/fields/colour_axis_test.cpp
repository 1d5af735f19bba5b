// Colour axis systems: levels, the colour bar, the mapping of z onto the colour range
// with its under and over colours, and the confusion with three-dimensional systems.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "tests/fields/field_fixture.h"

namespace gvx::testing {
namespace {

using ColourAxisTest = FieldFixture;

TEST_F(ColourAxisTest, ZMapsOntoTheRangeWithUnderAndOverColours) {
    const ColourScale scale{0.0, 1.0, 0.0, 0.2, false};
    EXPECT_EQ(scale_colour(s(), scale, 0.0), 1);    // first colour at za
    EXPECT_EQ(scale_colour(s(), scale, 1.0), 254);  // last at ze
    EXPECT_EQ(scale_colour(s(), scale, 0.5), 128);  // 1 + 254 / 2
    EXPECT_EQ(scale_colour(s(), scale, 1.0 / 254.0 - 1e-9), 1);
    EXPECT_EQ(scale_colour(s(), scale, 1.0 / 254.0 + 1e-9), 2);
    EXPECT_EQ(scale_colour(s(), scale, std::nan("")), -1);
    const int under = s().colours->under_colour, over = s().colours->over_colour;
    EXPECT_EQ(scale_colour(s(), scale, -1e-9), under);
    EXPECT_EQ(scale_colour(s(), scale, 1.0 + 1e-9), over);

    g_.colran(10, 19);
    g_.clrovr(3, 7);
    EXPECT_EQ(scale_colour(s(), scale, 0.0), 10);
    EXPECT_EQ(scale_colour(s(), scale, 0.55), 15);
    EXPECT_EQ(scale_colour(s(), scale, 1.0), 19);
    EXPECT_EQ(scale_colour(s(), scale, -0.5), 3);
    EXPECT_EQ(scale_colour(s(), scale, 2.0), 7);
    g_.clrovr(-1, -1);  // the ends of the range
    EXPECT_EQ(scale_colour(s(), scale, -0.5), 10);
    EXPECT_EQ(scale_colour(s(), scale, 2.0), 19);

    // A descending scale runs the colours the other way.
    const ColourScale down{1.0, 0.0, 1.0, -0.2, false};
    EXPECT_EQ(scale_colour(s(), down, 1.0), 10);
    EXPECT_EQ(scale_colour(s(), down, 0.0), 19);
}

TEST_F(ColourAxisTest, LogarithmicZMapsExponents) {
    const ColourScale scale{0.0, 2.0, 0.0, 1.0, true};  // 1 to 100
    EXPECT_EQ(scale_colour(s(), scale, 1.0), 1);
    EXPECT_EQ(scale_colour(s(), scale, 10.0), 128);
    EXPECT_EQ(scale_colour(s(), scale, 100.0), 254);
    EXPECT_EQ(scale_colour(s(), scale, 0.0), s().colours->under_colour);
    EXPECT_EQ(scale_colour(s(), scale, -5.0), s().colours->under_colour);
}

TEST_F(ColourAxisTest, BadRangesAndColoursChangeNothing) {
    const int before = warnings();
    g_.colran(0, 0);
    g_.colran(-1, 20);
    g_.colran(5, 256);
    g_.clrovr(-2, 5);
    output_of([] {});
    EXPECT_EQ(warnings(), before + 4);
    EXPECT_EQ(s().colours->colour_range_first, 1);
    EXPECT_EQ(s().colours->colour_range_last, 254);
}

TEST_F(ColourAxisTest, Graf3DrawsOneBoxPerColourRightOfTheAxes) {
    output_of([&] { g_.endgrf(); });
    rec_->clear();
    output_of([&] { g_.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2); });
    const auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 254u);
    std::set<int> colours;
    double low = 1e9, high = -1e9;
    for (const auto& b : boxes) {
        colours.insert(b.colour);
        EXPECT_GE(std::min(b.x1, b.x2), 500 + 1001 - 1 + s().fields->bar_distance);
        low = std::min({low, b.y1, b.y2});
        high = std::max({high, b.y1, b.y2});
    }
    EXPECT_EQ(colours.size(), 254u);
    EXPECT_EQ(*colours.begin(), 1);
    EXPECT_EQ(*colours.rbegin(), 254);
    // The bar spans the y axis: from its bottom (1600) to its top (600).
    EXPECT_NEAR(low, 600.0, 1e-9);
    EXPECT_NEAR(high, 1600.0, 1e-9);
    // The first colour sits at the bottom.
    EXPECT_EQ(boxes.front().colour, 1);
    EXPECT_NEAR(std::max(boxes.front().y1, boxes.front().y2), 1600.0, 1e-9);
}

TEST_F(ColourAxisTest, LevelsAndRefusals) {
    // Inside the colour system: level 3, curves allowed.
    EXPECT_EQ(s().fields->axis, FieldAxis::colour);
    output_of([&] { g_.endgrf(); });
    EXPECT_EQ(s().frame.level, 1);
    EXPECT_EQ(s().fields->axis, FieldAxis::none);

    // A refused z scaling leaves level 1 and draws nothing.
    rec_->clear();
    std::string out = output_of([&] { g_.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 2, 2, 2, 0); });
    EXPECT_NE(out.find("Warning  10"), std::string::npos) << out;
    EXPECT_NE(out.find("Warning   9"), std::string::npos) << out;
    EXPECT_EQ(s().frame.level, 1);
    EXPECT_EQ(rec_->calls.size(), 0u);

    // On a plane of a three-dimensional box, graf3 is confused with graf3d.
    s().fields->axis = FieldAxis::three_d;
    out = output_of([&] { g_.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2); });
    EXPECT_NE(out.find("Warning  35"), std::string::npos) << out;
    EXPECT_EQ(s().frame.level, 1);

    // And the reverse: the three-dimensional system refuses a colour system.
    s().fields->axis = FieldAxis::none;
    output_of([&] { g_.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2); });
    ASSERT_EQ(s().frame.level, 3);
    bool confused = false;
    out = output_of([&] { confused = colour_axis_confused(s()); });
    EXPECT_TRUE(confused);
    EXPECT_NE(out.find("Warning  35"), std::string::npos) << out;
}

TEST_F(ColourAxisTest, StandAloneBarAndItsChecks) {
    output_of([&] { g_.zaxis(0, 10, 0, 2, 500, 60, 100, 900); });
    const auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 254u);
    for (const auto& b : boxes) {
        EXPECT_GE(std::min(b.x1, b.x2), 100.0);
        EXPECT_LE(std::max(b.x1, b.x2), 159.0);
        EXPECT_GE(std::min(b.y1, b.y2), 400.0);
        EXPECT_LE(std::max(b.y1, b.y2), 900.0);
    }
    rec_->clear();
    const int before = warnings();
    output_of([&] {
        g_.zaxis(0, 10, 0, 2, 1, 60, 100, 900);   // too short
        g_.zaxis(0, 10, 0, 2, 500, 60, -1, 900);  // off the page
        g_.zaxis(3, 3, 3, 1, 500, 60, 100, 900);  // equal ends
    });
    EXPECT_EQ(warnings(), before + 3);
    EXPECT_EQ(rec_->count(Call::fill_box), 0);
}

}  // namespace
}  // namespace gvx::testing
