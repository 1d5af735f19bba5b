// Filled contours: the bands tile the grid exactly in both fill modes, take the colour
// of their middle values, and the levels are checked.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/fields/field_fixture.h"

namespace gvx::testing {
namespace {

using ContourFillTest = FieldFixture;

// Sum of the areas of the filled polygons, and their number.
double filled_area(const Recording& r, int& count) {
    double total = 0.0;
    count = 0;
    for (const auto& p : r.of(Call::fill_polygon)) {
        total += polygon_area(p.xs, p.ys);
        ++count;
    }
    return total;
}

TEST_F(ContourFillTest, BandsTileTheGridInBothModes) {
    const auto x = spaced(-1, 1, 31), y = spaced(-1, 1, 23);
    const auto z = matrix(x, y, [](double a, double b) {
        return 0.5 + 0.4 * std::sin(3 * a) * std::cos(2 * b) + 0.05 * a * b;
    });
    const double levels[6] = {0.2, 0.35, 0.5, 0.51, 0.65, 0.8};
    const double domain = 1000.0 * 1000.0;  // plot units of x and y from -1 to 1
    int cells = 0, merged = 0;
    g_.shdmod("CELL", "CONTUR");
    output_of([&] { g_.conshd(x.data(), 31, y.data(), 23, z.data(), levels, 6); });
    EXPECT_NEAR(filled_area(*rec_, cells), domain, domain * 1e-12);
    rec_->clear();
    g_.shdmod("POLY", "CONTUR");
    output_of([&] { g_.conshd(x.data(), 31, y.data(), 23, z.data(), levels, 6); });
    EXPECT_NEAR(filled_area(*rec_, merged), domain, domain * 1e-12);
    EXPECT_LT(merged, cells);
    // Every piece has an area: no degenerate slivers are sent.
    for (const auto& p : rec_->of(Call::fill_polygon)) EXPECT_GT(polygon_area(p.xs, p.ys), 0.0);
}

TEST_F(ContourFillTest, EachPieceLiesInItsBandAndHasItsColour) {
    const auto x = spaced(-1, 1, 9);
    const auto z = matrix(x, x, [](double a, double b) { return (a + 1) / 2 + 0.0 * b; });
    const double levels[3] = {0.25, 0.5, 0.75};
    output_of([&] { g_.conshd(x.data(), 9, x.data(), 9, z.data(), levels, 3); });
    // z = (x + 1) / 2: band k covers x from -1 + k / 2 to -1 + (k + 1) / 2.
    const ColourScale& scale = s().fields->scale;
    const int colours[4] = {scale_colour(s(), scale, 0.125), scale_colour(s(), scale, 0.375),
                            scale_colour(s(), scale, 0.625), scale_colour(s(), scale, 0.875)};
    int current = s().colours->current_colour;
    double area[4] = {};
    for (const auto& c : rec_->calls) {
        if (c.kind == Call::colour) current = c.colour;
        if (c.kind != Call::fill_polygon) continue;
        double mid = 0.0;
        for (double v : c.xs) mid += v;
        mid /= c.xs.size();
        const int band = static_cast<int>((mid - 500.0) / 250.0);
        ASSERT_GE(band, 0);
        ASSERT_LT(band, 4);
        EXPECT_EQ(current, colours[band]);
        for (double v : c.xs) {
            EXPECT_GE(v, 500.0 + band * 250.0 - 1e-9);
            EXPECT_LE(v, 500.0 + (band + 1) * 250.0 + 1e-9);
        }
        area[band] += polygon_area(c.xs, c.ys);
    }
    for (double a : area) EXPECT_NEAR(a, 250.0 * 1000.0, 1e-6);
    // The caller's colour is back.
    EXPECT_EQ(s().colours->current_colour, rec_->of(Call::colour).empty()
                                               ? s().colours->current_colour
                                               : rec_->of(Call::colour).back().colour);
}

TEST_F(ContourFillTest, LevelsAndGridsAreChecked) {
    const auto x = spaced(-1, 1, 4);
    const auto z = matrix(x, x, [](double a, double b) { return a + b; });
    const double down[2] = {0.5, 0.2};
    const double nan[1] = {std::nan("")};
    std::string out = output_of([&] {
        g_.conshd(x.data(), 4, x.data(), 4, z.data(), down, 2);
        g_.conshd(x.data(), 4, x.data(), 4, z.data(), nan, 1);
        g_.conshd(x.data(), 4, x.data(), 4, z.data(), down, 0);
        g_.shdmod("HATCH", "CONTUR");
    });
    EXPECT_NE(out.find("Warning 342"), std::string::npos) << out;
    EXPECT_EQ(rec_->count(Call::fill_polygon), 0);
    EXPECT_EQ(s().fields->fill, ContourFill::polygons);
}

}  // namespace
}  // namespace gvx::testing
