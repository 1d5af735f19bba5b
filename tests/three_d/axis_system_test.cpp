// The three-dimensional axis system: projection of the box corners from known
// viewpoints, the refused viewpoints, and what graf3d, box3d and grid3d draw.
#include <cmath>

#include "tests/three_d/three_d_fixture.h"

namespace gvx::testing {
namespace {

using AxisSystem3d = ThreeDFixture;

// From 10 box units in front of a box of side 2, the front face (distance 9) spans
// +-1/9 of the distance and the back face (11) +-1/11. The picture's extent, 2/9, fills
// 1000 plot units (scale 4500) around the centre (1000, 1100):
//   front corners 1000 +- 500, 1100 -+ 500; back corners 1000 +- 409.09, 1100 -+ 409.09.
constexpr double kFront = 500.0, kBack = 4500.0 / 11.0;

void expect_at(Gravox& g, double x, double y, double z, double px, double py) {
    double xp = -1, yp = -1;
    g.pos3pt(x, y, z, xp, yp);
    EXPECT_NEAR(xp, px, 1e-6) << x << " " << y << " " << z;
    EXPECT_NEAR(yp, py, 1e-6) << x << " " << y << " " << z;
}

TEST_F(AxisSystem3d, CornersSeenFromTheFrontAndByAngles) {
    // "ABS" (0, -10, 0) and "ANGL" azimuth -90, elevation 0, distance 10 are one point.
    for (const char* mode : {"ABS", "ANGL"}) {
        const bool angles = mode[0] == 'A' && mode[1] == 'N';
        ASSERT_TRUE(angles ? open_box(-90, 0, 10, mode) : open_box(0, -10, 0, mode)) << mode;
        for (int sx : {-1, 1})
            for (int sz : {-1, 1}) {
                expect_at(g_, sx, -1, sz, 1000 + sx * kFront, 1100 - sz * kFront);
                expect_at(g_, sx, 1, sz, 1000 + sx * kBack, 1100 - sz * kBack);
            }
        g_.endgrf();
    }
}

TEST_F(AxisSystem3d, CornersSeenFromAboveWithTheUpDirectionReplaced) {
    // Straight down the z axis the default up direction is the line of sight: the y axis
    // points up the page instead, x to the right.
    ASSERT_TRUE(open_box(0, 0, 10, "ABS"));
    EXPECT_EQ(warnings(), 0);
    expect_at(g_, 1, 1, 1, 1000 + kFront, 1100 - kFront);
    expect_at(g_, -1, 1, -1, 1000 - kBack, 1100 - kBack);
    expect_at(g_, 1, -1, -1, 1000 + kBack, 1100 + kBack);
}

TEST_F(AxisSystem3d, UpDirectionTurnsThePicture) {
    // With x as the up direction, seen from the front, +x points up and +z to the left.
    g_.vup3d(1, 0, 0);
    ASSERT_TRUE(open_box(0, -10, 0, "ABS"));
    expect_at(g_, 1, -1, 1, 1000 - kFront, 1100 - kFront);
    expect_at(g_, -1, 1, 1, 1000 - kBack, 1100 + kBack);
}

TEST_F(AxisSystem3d, UserViewpointAndCentreOnThePage) {
    // User coordinates 0..20 on x and -10..10 on y and z map onto -1..1 of the box, so
    // the viewpoint (10, -100, 0) is the box point (0, -10, 0); center() puts the
    // picture's middle on the middle of the page (0 to 2969 by 0 to 2099).
    ::testing::internal::CaptureStdout();
    g_.view3d(10, -100, 0, "USER");
    g_.center();
    g_.graf3d(0, 20, 0, 5, -10, 10, -10, 5, -10, 10, -10, 5);
    ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(s().frame.level, 3);
    expect_at(g_, 20, -10, 10, 1484.5 + kFront, 1049.5 - kFront);
    expect_at(g_, 0, 10, -10, 1484.5 - kBack, 1049.5 + kBack);
}

TEST_F(AxisSystem3d, ViewpointsInsideOrFacingAwayAreRefused) {
    const std::string out = output_of([&] { g_.view3d(0.5, 0, 0, "ABS"); });
    EXPECT_NE(out.find("Warning  33"), std::string::npos) << out;
    EXPECT_EQ(s().three_d->view.mode, PointMode::angles);  // unchanged
    // A user viewpoint inside the box is found by graf3d, which stays at level 1.
    EXPECT_FALSE(open_box(0.2, 0.2, 0.2, "USER"));
    EXPECT_NE(last_output_.find("Warning  33"), std::string::npos) << last_output_;
    // An eye outside the box that looks away from it sees the box behind it.
    g_.vfoc3d(0, -20, 0, "ABS");
    EXPECT_FALSE(open_box(0, -10, 0, "ABS"));
    EXPECT_NE(last_output_.find("Warning  33"), std::string::npos) << last_output_;
    EXPECT_EQ(s().frame.level, 1);
}

TEST_F(AxisSystem3d, BadArgumentsChangeNothing) {
    const int before = warnings();
    output_of([&] {
        g_.axis3d(0, 1, 1);
        g_.vup3d(0, 0, 0);
        g_.view3d(1, 2, NAN, "ABS");
        g_.view3d(30, 30, -1, "ANGL");
        g_.vfoc3d(0, 0, 0, "SIDEWAYS");
    });
    EXPECT_EQ(warnings(), before + 5);
    const ThreeDState fresh;
    EXPECT_EQ(s().three_d->len[0], fresh.len[0]);
    EXPECT_EQ(s().three_d->up.z, 1.0);
    EXPECT_EQ(s().three_d->view.v.z, fresh.view.v.z);
    EXPECT_EQ(s().three_d->focus.mode, PointMode::absolute);
}

TEST_F(AxisSystem3d, ColourAndThreeDimensionalSystemsDoNotNest) {
    ASSERT_TRUE(open_box(0, -10, 0, "ABS"));
    std::string out = output_of([&] { g_.graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1); });
    EXPECT_NE(out.find("Warning  35"), std::string::npos) << out;
    g_.endgrf();
    output_of([&] { g_.graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1); });
    ASSERT_EQ(s().frame.level, 3);
    out = output_of([&] { g_.graf3d(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1); });
    EXPECT_NE(out.find("Warning  35"), std::string::npos) << out;
    EXPECT_EQ(s().fields->axis, FieldAxis::colour);
    // Routines of the box outside a three-dimensional system.
    out = output_of([&] { g_.box3d(); });
    EXPECT_NE(out.find("Warning 361"), std::string::npos) << out;
}

TEST_F(AxisSystem3d, BoxHasTwelveEdgesBetweenProjectedCorners) {
    ASSERT_TRUE(open_box(0, -10, 0, "ABS"));
    output_of([&] { g_.box3d(); });
    const auto segments = rec_->segments();
    ASSERT_EQ(segments.size(), 12u);
    for (const auto& seg : segments) {
        // Every end is a corner: x and y at 1000 +- 500 or 1000 +- 409.09 (and 1100 +-).
        for (double v : {seg.x1 - 1000, seg.x2 - 1000, seg.y1 - 1100, seg.y2 - 1100}) {
            const double a = std::fabs(v);
            EXPECT_TRUE(std::fabs(a - kFront) < 1e-6 || std::fabs(a - kBack) < 1e-6) << v;
        }
    }
}

TEST_F(AxisSystem3d, GridLinesLieOnTheFarFaces) {
    // Seen from the front and above, the far faces are the floor (z = -1) and the back
    // wall y = +1 and the side wall x = -1 (the eye's x is 0, which counts as negative
    // side... so the wall x = +1 faces away).
    ASSERT_TRUE(open_box(0, -10, 2, "ABS"));
    output_of([&] { g_.grid3d(1, 1, "BOTTOM"); });
    // Lines at -1, -0.5, 0, 0.5, 1 for x and for y on the floor: 10 segments.
    EXPECT_EQ(rec_->segments().size(), 10u);
    rec_->clear();
    output_of([&] { g_.grid3d(2, 1, "BACK"); });
    // Two walls: 5 y lines and 5 z lines on x = const, 9 x lines and 5 z lines on y = 1.
    EXPECT_EQ(rec_->segments().size(), 24u);
}

TEST_F(AxisSystem3d, AxesDrawTicksAndLabelsOnThePage) {
    ::testing::internal::CaptureStdout();
    g_.axsscl("LIN", "XYZ");
    g_.graf3d(-1, 1, -1, 0.5, -1, 1, -1, 0.5, -1, 1, -1, 0.5);  // nograf still set
    g_.endgrf();
    Gravox& g = g_;
    ::testing::internal::GetCapturedStdout();
    rec_->clear();
    PlotState& st = s();
    st.axes->no_axes = false;
    output_of([&] { g.graf3d(-1, 1, -1, 0.5, -1, 1, -1, 0.5, -1, 1, -1, 0.5); });
    ASSERT_EQ(st.frame.level, 3);
    const auto segments = rec_->segments();
    EXPECT_GT(segments.size(), 30u);  // three axis lines, ticks and label strokes
    for (const auto& seg : segments) {
        EXPECT_TRUE(std::isfinite(seg.x1) && std::isfinite(seg.y2));
        EXPECT_GE(seg.x1, 0.0);
        EXPECT_LE(seg.x1, 2970.0);
    }
    EXPECT_FALSE(st.prims->projection_on);  // the plane hook is off again
}

}  // namespace
}  // namespace gvx::testing
