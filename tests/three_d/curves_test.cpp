// Curves in space: the polyline through the projected points, broken at NaN points,
// the stems of polcrv("STEM") and the symbols of incmrk.
#include <cmath>

#include "tests/three_d/three_d_fixture.h"

namespace gvx::testing {
namespace {

using Curves3d = ThreeDFixture;

TEST_F(Curves3d, PolylineThroughProjectedPointsBrokenAtNaN) {
    ASSERT_TRUE(open_box(-50, 30, 0, "ANGL"));
    const double x[4] = {-1, 0.5, 0.2, 1}, y[4] = {0, -0.5, 1, 1}, z[4] = {1, -1, 0, 0.5};
    output_of([&] { g_.curv3d(x, y, z, 4); });
    auto segments = rec_->segments();
    ASSERT_EQ(segments.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        double ax = 0, ay = 0, bx = 0, by = 0;
        g_.pos3pt(x[k], y[k], z[k], ax, ay);
        g_.pos3pt(x[k + 1], y[k + 1], z[k + 1], bx, by);
        EXPECT_NEAR(segments[k].x1, ax, 1e-9);
        EXPECT_NEAR(segments[k].y1, ay, 1e-9);
        EXPECT_NEAR(segments[k].x2, bx, 1e-9);
        EXPECT_NEAR(segments[k].y2, by, 1e-9);
    }
    // A NaN point leaves out the two segments that touch it.
    rec_->clear();
    const double zn[4] = {1, NAN, 0, 0.5};
    const int nans = s().frame.nan_count;
    output_of([&] { g_.curv3d(x, y, zn, 4); });
    EXPECT_EQ(rec_->segments().size(), 1u);
    EXPECT_EQ(s().frame.nan_count, nans + 1);
}

TEST_F(Curves3d, StemsAndSymbols) {
    ASSERT_TRUE(open_box(0, -10, 0, "ABS"));
    const double x[2] = {-0.5, 0.5}, y[2] = {-1, -1}, z[2] = {0.5, 1};
    g_.polcrv("STEM");
    output_of([&] { g_.curv3d(x, y, z, 2); });
    // Seen from the front each stem is vertical on the page, from the floor up.
    const auto stems = rec_->segments();
    ASSERT_EQ(stems.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        double fx = 0, fy = 0, tx = 0, ty = 0;
        g_.pos3pt(x[k], y[k], -1, fx, fy);
        g_.pos3pt(x[k], y[k], z[k], tx, ty);
        EXPECT_NEAR(stems[k].x1, fx, 1e-9);
        EXPECT_NEAR(stems[k].y1, fy, 1e-9);
        EXPECT_NEAR(stems[k].y2, ty, 1e-9);
        EXPECT_NEAR(stems[k].x2, stems[k].x1, 1e-9);
    }
    // Symbols only: no stems, strokes around each point.
    rec_->clear();
    g_.incmrk(-1);
    g_.marker(1);
    output_of([&] { g_.curv3d(x, y, z, 2); });
    const auto strokes = rec_->segments();
    ASSERT_FALSE(strokes.empty());
    double px = 0, py = 0;
    g_.pos3pt(x[1], y[1], z[1], px, py);
    bool near_second = false;
    for (const auto& seg : strokes)
        near_second = near_second || std::hypot(seg.x1 - px, seg.y1 - py) < 40;
    EXPECT_TRUE(near_second);
    // Refused outside the box and for bad arguments.
    g_.endgrf();
    const int before = warnings();
    output_of([&] { g_.curv3d(x, y, z, 2); });
    EXPECT_EQ(warnings(), before + 1);
}

}  // namespace
}  // namespace gvx::testing
