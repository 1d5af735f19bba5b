// Shapes in plot and user coordinates: their vertices, fills and outlines, the arrow
// heads, and the warnings for wrong radii, angles and sizes.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/curves/axis_view.h"
#include "tests/shapes/shapes_fixture.h"

namespace gvx::testing {
namespace {

class ShapesTest : public ShapesFixture {
  protected:
    void SetUp() override {
        RecordingOptions options;
        options.caps.fills_polygons = true;
        open(options);
    }
    DeviceCall last_fill() {
        flush_polyline(s());
        const auto fills = rec_->of(Call::fill_polygon);
        EXPECT_FALSE(fills.empty());
        return fills.empty() ? DeviceCall{} : fills.back();
    }
    // An axis system of unequal axes: x from 0 to 10 over 1000 units, y from 0 to 10 over
    // 500 units (the lengths count both end points), lower left corner (500, 1500).
    void axes(bool log_x = false) {
        g_.axspos(500, 1500);
        g_.axslen(1001, 501);
        if (log_x) {
            g_.axsscl("LOG", "X");
            g_.labels("LOG", "X");
            output_of([&] { g_.graf(0.0, 2.0, 0.0, 1.0, 0.0, 10.0, 0.0, 2.0); });
        } else {
            output_of([&] { g_.graf(0.0, 10.0, 0.0, 2.0, 0.0, 10.0, 0.0, 2.0); });
        }
        rec_->clear();
    }
};

TEST_F(ShapesTest, RectanglesCirclesAndEllipsesInPlotUnits) {
    g_.rectan(100, 200, 50, 30);
    DeviceCall f = last_fill();
    EXPECT_EQ(f.xs, (std::vector<double>{100, 149, 149, 100}));
    EXPECT_EQ(f.ys, (std::vector<double>{200, 200, 229, 229}));
    // The outline follows in the current colour, closed.
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 5u);

    g_.circle(500, 400, 100);
    f = last_fill();
    ASSERT_GE(f.xs.size(), 100u);
    for (size_t i = 0; i < f.xs.size(); ++i)
        EXPECT_NEAR(std::hypot(f.xs[i] - 500, f.ys[i] - 400), 100.0, 1e-9);

    g_.ellips(500, 400, 200, 50);
    f = last_fill();
    for (size_t i = 0; i < f.xs.size(); ++i) {
        const double u = (f.xs[i] - 500) / 200.0, v = (f.ys[i] - 400) / 50.0;
        EXPECT_NEAR(u * u + v * v, 1.0, 1e-9);
    }

    // Rounded corners: no vertex beyond the rectangle, none in the cut corner.
    g_.rndrec(100, 100, 201, 101, 30);
    f = last_fill();
    for (size_t i = 0; i < f.xs.size(); ++i) {
        EXPECT_TRUE(f.xs[i] >= 100 - 1e-9 && f.xs[i] <= 300 + 1e-9);
        EXPECT_TRUE(f.ys[i] >= 100 - 1e-9 && f.ys[i] <= 200 + 1e-9);
        EXPECT_FALSE(f.xs[i] < 105 && f.ys[i] < 105);
    }
}

TEST_F(ShapesTest, SectorsAndArcsKeepTheirRadiiAndAngles) {
    g_.pie(1000, 1000, 50, 200, 30.0, 120.0);
    DeviceCall f = last_fill();
    for (size_t i = 0; i < f.xs.size(); ++i) {
        const double dx = f.xs[i] - 1000, dy = 1000 - f.ys[i];
        const double r = std::hypot(dx, dy);
        EXPECT_TRUE(std::fabs(r - 50) < 1e-9 || std::fabs(r - 200) < 1e-9) << r;
        const double a = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
        EXPECT_GE(a, 30.0 - 1e-9);
        EXPECT_LE(a, 120.0 + 1e-9);
    }
    // First vertex on the outer radius at alpha, counter-clockwise on the page.
    EXPECT_NEAR(f.xs[0], 1000 + 200 * std::cos(std::numbers::pi / 6), 1e-9);
    EXPECT_NEAR(f.ys[0], 1000 - 200 * std::sin(std::numbers::pi / 6), 1e-9);

    // A plain sector closes at the centre.
    g_.pie(1000, 1000, 0, 200, 0.0, 90.0);
    f = last_fill();
    EXPECT_EQ(f.xs.back(), 1000);
    EXPECT_EQ(f.ys.back(), 1000);

    // An elliptical sector turned by 90 degrees: its long axis is vertical.
    g_.arcell(1000, 1000, 300, 100, 0.0, 360.0, 90.0);
    f = last_fill();
    const auto [ymin, ymax] = std::minmax_element(f.ys.begin(), f.ys.end());
    const auto [xmin, xmax] = std::minmax_element(f.xs.begin(), f.xs.end());
    EXPECT_NEAR(*ymax - *ymin, 600.0, 1e-6);
    EXPECT_NEAR(*xmax - *xmin, 200.0, 1e-6);
}

TEST_F(ShapesTest, WrongRadiiAnglesAndSizesAreRefused) {
    const int before = rec_->count(Call::fill_polygon);
    std::string out = output_of([&] { g_.pie(500, 500, 300, 200, 0.0, 90.0); });
    EXPECT_NE(out.find("Warning   7: First radius greater than second radius"), std::string::npos);
    out = output_of([&] { g_.pie(500, 500, 0, 200, 90.0, 90.0); });
    EXPECT_NE(out.find("Warning   8: Start angle greater/equal end angle"), std::string::npos);
    out = output_of([&] { g_.arcell(500, 500, 100, 50, 50.0, 10.0, 0.0); });
    EXPECT_NE(out.find("Warning   8"), std::string::npos);
    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { g_.rectan(0, 0, 0, 10); }, [&] { g_.circle(0, 0, 0); },
             [&] { g_.ellips(0, 0, 10, -1); }, [&] { g_.rndrec(0, 0, 10, 10, -1); },
             [&] { g_.pie(0, 0, 0, 0, 0, 10); }, [&] { g_.point(0, 0, 0, 3); },
             [&] { g_.vector(0, 0, 10, 10, 41); }, [&] { g_.vector(0, 0, 10, 10, 3); },
             [&] { g_.vector(0, 0, 10, 10, 10000); }}) {
        out = output_of(call);
        EXPECT_NE(out.find("Warning   2"), std::string::npos);
    }
    const int ints[3] = {0, 10, 0};
    out = output_of([&] { g_.areaf(ints, ints, 2); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    EXPECT_EQ(rec_->count(Call::fill_polygon), before);
    EXPECT_TRUE(segments().empty());
    // User shapes need an axis system.
    out = output_of([&] { g_.rlcirc(1, 1, 1); });
    EXPECT_NE(out.find("Warning   3"), std::string::npos);
}

TEST_F(ShapesTest, ArrowHeadsByTheirCode) {
    // Size 3 (30 units), filled, at the end: a triangle with its tip at (400, 100).
    g_.vector(100, 100, 400, 100, 320);
    DeviceCall f = last_fill();
    ASSERT_EQ(f.xs.size(), 3u);
    EXPECT_DOUBLE_EQ(f.xs[0], 400);
    EXPECT_DOUBLE_EQ(f.ys[0], 100);
    EXPECT_DOUBLE_EQ(f.xs[1], 370);
    EXPECT_NEAR(std::fabs(f.ys[1] - f.ys[2]), 2 * 30 * 0.35, 1e-9);
    // Notched heads have four vertices; both ends give two heads.
    rec_->clear();
    g_.vector(100, 100, 400, 100, 332);
    const auto fills = rec_->of(Call::fill_polygon);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].xs.size(), 4u);
    EXPECT_DOUBLE_EQ(fills[1].xs[0], 100);
    // Open heads are two strokes and no fill; size 0 is a plain line.
    rec_->clear();
    g_.vector(100, 100, 400, 100, 300);
    g_.vector(100, 200, 400, 200, 0);
    EXPECT_EQ(rec_->count(Call::fill_polygon), 0);
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), 3u);
    EXPECT_DOUBLE_EQ(lines[1][1].x, 400);
}

TEST_F(ShapesTest, PointsAreSolidWhateverThePattern) {
    g_.shdpat(5);
    g_.point(200, 300, 10, 20);
    const DeviceCall f = last_fill();
    EXPECT_EQ(f.xs, (std::vector<double>{195, 205, 205, 195}));
    EXPECT_EQ(f.ys, (std::vector<double>{290, 290, 310, 310}));
    EXPECT_EQ(s().prims->fill_pattern, 5);
}

TEST_F(ShapesTest, UserShapesOnLinearAxesOfUnequalScale) {
    axes();
    // A circle of radius 2 (x units) at (5, 5): 200 plot units, round.
    g_.rlcirc(5.0, 5.0, 2.0);
    DeviceCall f = last_fill();
    const double cx = plot_x(s(), 5.0), cy = plot_y(s(), 5.0);
    EXPECT_DOUBLE_EQ(cx, 1000.0);
    for (size_t i = 0; i < f.xs.size(); ++i)
        EXPECT_NEAR(std::hypot(f.xs[i] - cx, f.ys[i] - cy), 200.0, 1e-6);
    // An ellipse takes a along x and b along y: 200 by 100 plot units.
    g_.rlell(5.0, 5.0, 2.0, 2.0);
    f = last_fill();
    EXPECT_NEAR(*std::max_element(f.xs.begin(), f.xs.end()) - cx, 200.0, 1e-6);
    EXPECT_NEAR(cy - *std::min_element(f.ys.begin(), f.ys.end()), 100.0, 0.01);  // sampled arc
    // A rectangle from its upper left corner.
    g_.rlrec(1.0, 8.0, 3.0, 2.0);
    f = last_fill();
    EXPECT_NEAR(*std::min_element(f.xs.begin(), f.xs.end()), plot_x(s(), 1.0), 1e-9);
    EXPECT_NEAR(*std::max_element(f.xs.begin(), f.xs.end()), plot_x(s(), 4.0), 1e-9);
    EXPECT_NEAR(*std::min_element(f.ys.begin(), f.ys.end()), plot_y(s(), 8.0), 1e-9);
    EXPECT_NEAR(*std::max_element(f.ys.begin(), f.ys.end()), plot_y(s(), 6.0), 1e-9);
    // A polygon maps each vertex.
    const double px[] = {1, 2, 3}, py[] = {1, 4, 1};
    g_.rlarea(px, py, 3);
    f = last_fill();
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(f.xs[i], plot_x(s(), px[i]));
        EXPECT_DOUBLE_EQ(f.ys[i], plot_y(s(), py[i]));
    }
    // Sectors use x lengths for both radii; warnings as in plot units.
    g_.rlpie(5.0, 5.0, 1.0, 2.0, 0.0, 90.0);
    f = last_fill();
    for (size_t i = 0; i < f.xs.size(); ++i) {
        const double r = std::hypot(f.xs[i] - cx, f.ys[i] - cy);
        EXPECT_TRUE(std::fabs(r - 100) < 1e-6 || std::fabs(r - 200) < 1e-6) << r;
    }
    std::string out = output_of([&] { g_.rlpie(5.0, 5.0, 3.0, 2.0, 0.0, 90.0); });
    EXPECT_NE(out.find("Warning   7"), std::string::npos);
    out = output_of([&] { g_.rlarc(5.0, 5.0, 3.0, 2.0, 90.0, 0.0, 0.0); });
    EXPECT_NE(out.find("Warning   8"), std::string::npos);
}

TEST_F(ShapesTest, UserShapesOnALogarithmicAxis) {
    axes(true);
    // x from 10^0 to 10^2 over 1000 units: 10 lies at 500 units from the left edge.
    g_.rlrec(10.0, 6.0, 90.0, 2.0);
    const DeviceCall f = last_fill();
    EXPECT_NEAR(*std::min_element(f.xs.begin(), f.xs.end()), 1000.0, 1e-6);
    EXPECT_NEAR(*std::max_element(f.xs.begin(), f.xs.end()), 1500.0, 1e-6);
    // A circle is round: its radius is the x length from its centre.
    g_.rlcirc(10.0, 5.0, 90.0);
    const DeviceCall c = last_fill();
    for (size_t i = 0; i < c.xs.size(); ++i)
        EXPECT_NEAR(std::hypot(c.xs[i] - 1000.0, c.ys[i] - plot_y(s(), 5.0)), 500.0, 1e-6);
}

TEST_F(ShapesTest, UserLinesArrowsPointsAndSymbolsAreClippedToTheAxisSystem) {
    axes();
    const ClipWindow window = s().prims->clip_window;
    g_.rline(-5.0, 5.0, 5.0, 5.0);  // starts left of the axis system
    auto segs = segments();
    ASSERT_EQ(segs.size(), 1u);
    EXPECT_GE(std::min(segs[0].x1, segs[0].x2), 490.0);
    EXPECT_NEAR(std::max(segs[0].x1, segs[0].x2), 1000.0, 1e-6);
    rec_->clear();
    g_.rlvec(1.0, 1.0, 5.0, 1.0, 520);
    EXPECT_NEAR(last_fill().xs[0], plot_x(s(), 5.0), 1e-9);
    g_.rlpoin(5.0, 5.0, 10, 10);
    EXPECT_EQ(last_fill().xs[0], 995.0);
    rec_->clear();
    g_.rlsymb(3, 5.0, 5.0);
    EXPECT_FALSE(segments().empty());
    const std::string out = output_of([&] { g_.rlsymb(23, 5.0, 5.0); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    // The clipping window is back to what it was.
    EXPECT_EQ(s().prims->clip_window.xmin, window.xmin);
    EXPECT_EQ(s().prims->clip_window.xmax, window.xmax);
}

}  // namespace
}  // namespace gvx::testing
