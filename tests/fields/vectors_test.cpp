// Vector fields and stream lines: arrows with their heads and colours, stream lines of
// a rotation that come back as circles, and the stop rules.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/fields/field_fixture.h"

namespace gvx::testing {
namespace {

using VectorTest = FieldFixture;

TEST_F(VectorTest, ArrowsRunAlongTheirVectorsWithSymmetricHeads) {
    const double xv[1] = {0.5}, yv[1] = {0.0}, xp[1] = {0.0}, yp[1] = {0.0};
    output_of([&] { g_.vecfld(xv, yv, xp, yp, 1, 1); });
    const auto segments = rec_->segments();
    ASSERT_EQ(segments.size(), 3u);  // shaft and two head strokes
    EXPECT_NEAR(segments[0].x1, px(0), 1e-9);
    EXPECT_NEAR(segments[0].x2, px(0.5), 1e-9);
    EXPECT_NEAR(segments[0].y2, py(0), 1e-9);
    // Both head strokes are 24 units long at 20 degrees to the shaft.
    for (int k = 1; k < 3; ++k) {
        const auto& h = segments[k];
        EXPECT_NEAR(std::hypot(h.x2 - h.x1, h.y2 - h.y1), 24.0, 1e-9);
    }
    EXPECT_NEAR(segments[1].y1 - py(0), -(segments[2].y2 - py(0)), 1e-9);
    EXPECT_NEAR(std::fabs(segments[1].y1 - py(0)), 24.0 * std::sin(20 * M_PI / 180), 1e-9);

    // Filled heads are triangles; vecopt("SCALE") stretches the shaft.
    rec_->clear();
    g_.vecopt(2.0, "SCALE");
    output_of([&] { g_.vecfld(xv, yv, xp, yp, 1, 2); });
    ASSERT_EQ(rec_->count(Call::fill_polygon), 1);
    EXPECT_NEAR(rec_->of(Call::fill_polygon)[0].xs[0], px(1.0), 1e-9);
}

TEST_F(VectorTest, ColoursByMagnitudeOnTheColourAxis) {
    // Magnitudes 0, 0.5 and 1 on the z axis from 0 to 1 of the colour system.
    const double xv[3] = {0.0, 0.3, 0.0}, yv[3] = {0.0, 0.4, 1.0};
    const double xp[3] = {-0.5, 0.0, 0.5}, yp[3] = {0.0, 0.0, -0.9};
    g_.vecopt(1, "COLOR");
    const int caller = s().colours->current_colour;
    output_of([&] { g_.vecfld(xv, yv, xp, yp, 3, 0); });
    std::vector<int> colours;
    for (const auto& c : rec_->of(Call::colour)) colours.push_back(c.colour);
    ASSERT_GE(colours.size(), 3u);
    EXPECT_EQ(colours[0], 1);
    EXPECT_EQ(colours[1], 128);
    EXPECT_EQ(colours[2], 254);
    EXPECT_EQ(s().colours->current_colour, caller);

    // vecmat: one arrow per grid point, the first index along x.
    rec_->clear();
    g_.vecopt(0, "COLOR");
    const double gx[2] = {-0.5, 0.5}, gy[3] = {-0.5, 0.0, 0.5};
    const double mx[6] = {0.1, 0.1, 0.1, 0.2, 0.2, 0.2}, my[6] = {};
    output_of([&] { g_.vecmat(mx, my, 2, 3, gx, gy, 0); });
    const auto segments = rec_->segments();
    ASSERT_EQ(segments.size(), 6u);
    EXPECT_NEAR(segments[3].x1, px(0.5), 1e-9);
    EXPECT_NEAR(segments[3].x2 - segments[3].x1, 0.2 * 500, 1e-9);
    EXPECT_NEAR(segments[4].y1, py(0.0), 1e-9);
}

TEST_F(VectorTest, BadArgumentsAreRefused) {
    const double v[1] = {1.0};
    const int before = warnings();
    output_of([&] {
        g_.vecfld(v, v, v, v, 0, 1);
        g_.vecfld(v, v, v, v, 1, 3);
        g_.vecfld(v, nullptr, v, v, 1, 1);
        g_.vecopt(0.0, "SCALE");
        g_.vecopt(90.0, "ANGLE");
        g_.stmval(-1.0, "STEP");
    });
    EXPECT_EQ(warnings(), before + 6);
    EXPECT_EQ(rec_->calls.size(), 0u);
    EXPECT_EQ(s().fields->vector_scale, 1.0);
}

// The rotation (-y, x) on a grid over the axis system.
struct Rotation {
    std::vector<double> g = spaced(-1, 1, 21);
    std::vector<double> vx = matrix(g, g, [](double, double b) { return -b; });
    std::vector<double> vy = matrix(g, g, [](double a, double) { return a; });
};

TEST_F(VectorTest, StreamLinesOfARotationAreClosedCircles) {
    Rotation r;
    const double xs[2] = {0.5, -0.8}, ys[2] = {0.0, 0.0};
    g_.stmval(1e5, "ARROWS");  // no heads: only the lines are measured
    output_of(
        [&] { g_.stream(r.vx.data(), r.vy.data(), 21, 21, r.g.data(), r.g.data(), xs, ys, 2); });
    // Bilinear interpolation of a linear field is exact: what is left is the step error
    // of the integration, far below a plot unit.
    double radius[2] = {250.0, 400.0};
    int seen[2] = {0, 0};
    for (const auto& seg : rec_->segments()) {
        const double a = std::hypot(seg.x1 - px(0), seg.y1 - py(0));
        const int k = a < 325.0 ? 0 : 1;
        EXPECT_NEAR(a, radius[k], 0.05);
        EXPECT_NEAR(std::hypot(seg.x2 - px(0), seg.y2 - py(0)), radius[k], 0.05);
        ++seen[k];
    }
    // Each circle is walked once in steps of at most 8 units and closes on its seed.
    EXPECT_GE(seen[0], static_cast<int>(2 * M_PI * 250 / 8));
    EXPECT_LE(seen[0], static_cast<int>(2 * M_PI * 250 / 8) + 3);
    EXPECT_GE(seen[1], static_cast<int>(2 * M_PI * 400 / 8));
    const auto lines = rec_->polylines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NEAR(lines.back().back().x, px(-0.8), 1e-9);
    EXPECT_NEAR(lines.back().back().y, py(0.0), 1e-9);
    // The field turns counter-clockwise: from (0.5, 0) the line goes up the page.
    EXPECT_LT(lines.front()[1].y, py(0.0));
}

TEST_F(VectorTest, StreamLinesStopAtTheGridAtRestAndNearOtherLines) {
    // A uniform flow to the right runs through its seed from the left edge of the grid
    // to the right edge (x from -0.5 to 0.5), in the direction of the flow.
    const auto g = spaced(-0.5, 0.5, 6);
    std::vector<double> vx(36, 1.0), vy(36, 0.0);
    const double xs[2] = {-0.4, -0.4}, ys[2] = {0.0, 0.01};
    g_.stmval(1e5, "ARROWS");
    output_of([&] { g_.stream(vx.data(), vy.data(), 6, 6, g.data(), g.data(), xs, ys, 1); });
    double left = 1e9, right = 0.0;
    for (const auto& seg : rec_->segments()) {
        left = std::min({left, seg.x1, seg.x2});
        right = std::max({right, seg.x1, seg.x2});
        EXPECT_GT(seg.x2, seg.x1);
    }
    EXPECT_GE(left, px(-0.5) - 1e-9);
    EXPECT_LT(left, px(-0.5) + 8.0);
    EXPECT_LE(right, px(0.5) + 1e-9);
    EXPECT_GT(right, px(0.5) - 8.0);
    // A second seed 5 plot units beside the first line draws nothing: too close. Lines
    // of seeds further apart than three squares are both drawn.
    rec_->clear();
    output_of([&] { g_.stream(vx.data(), vy.data(), 6, 6, g.data(), g.data(), xs, ys, 2); });
    int lines = 0;
    for (const auto& l : rec_->polylines()) lines += l.size() > 2;
    EXPECT_EQ(lines, 1);
    rec_->clear();
    const double apart[2] = {0.0, 0.1};  // 50 plot units
    output_of([&] { g_.stream(vx.data(), vy.data(), 6, 6, g.data(), g.data(), xs, apart, 2); });
    lines = 0;
    for (const auto& l : rec_->polylines()) lines += l.size() > 2;
    EXPECT_EQ(lines, 2);
    // A field at rest draws nothing, and a logarithmic axis is refused.
    rec_->clear();
    std::vector<double> zero(36, 0.0);
    output_of([&] { g_.stream(zero.data(), zero.data(), 6, 6, g.data(), g.data(), xs, ys, 2); });
    EXPECT_EQ(rec_->calls.size(), 0u);
    s().axes->rec.x_log = true;
    const std::string out =
        output_of([&] { g_.stream(vx.data(), vy.data(), 6, 6, g.data(), g.data(), xs, ys, 1); });
    EXPECT_NE(out.find("Warning  13"), std::string::npos) << out;
}

}  // namespace
}  // namespace gvx::testing
