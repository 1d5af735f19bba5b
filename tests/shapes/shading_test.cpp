// The shading patterns: hatch lines stay inside the polygon (square and concave), lie
// the designed distance apart, run in the designed directions, and the solid and empty
// patterns fill as designed on devices that can and cannot fill.
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "tests/shapes/shapes_fixture.h"

namespace gvx::testing {
namespace {

class ShadingTest : public ShapesFixture {};

const std::vector<double> kSquareX = {100, 400, 400, 100}, kSquareY = {100, 100, 400, 400};
// A U shape: the notch from the top reaches down to y = 300.
const std::vector<double> kUX = {100, 400, 400, 300, 300, 200, 200, 100};
const std::vector<double> kUY = {100, 100, 400, 400, 200, 200, 400, 400};

// Direction of a segment in degrees, 0 to 179, counter-clockwise on the page.
int direction(const Recording::Segment& g) {
    double a = std::atan2(-(g.y2 - g.y1), g.x2 - g.x1) * 180.0 / std::numbers::pi;
    if (a < 0) a += 180.0;
    int d = static_cast<int>(std::lround(a)) % 180;
    return d;
}

// Distance of a segment's line from the page origin along the normal of its angle.
double line_position(const Recording::Segment& g, int angle) {
    const double r = angle * std::numbers::pi / 180.0;
    return std::sin(r) * g.x1 + std::cos(r) * g.y1;
}

TEST_F(ShadingTest, HatchLinesOfEveryPatternStayInsideAndKeepTheirSpacing) {
    for (const auto* shape : {&kSquareX, &kUX}) {
        const auto& px = *shape;
        const auto& py = shape == &kSquareX ? kSquareY : kUY;
        for (int code = 1; code < kPredefinedPatterns; ++code) {
            if (code == kSolidFill) continue;
            SCOPED_TRACE(code);
            HatchPattern h;
            ASSERT_TRUE(hatch_pattern(code, h));
            rec_->clear();
            g_.shdpat(code);
            fill_polygon(s(), px.data(), py.data(), static_cast<int>(px.size()));
            const auto segs = segments();
            ASSERT_FALSE(segs.empty());
            std::map<int, std::set<long>> lines;  // angle -> line positions (0.01 units)
            for (const auto& g : segs) {
                // Every point along the segment lies in the polygon.
                for (int k = 0; k <= 10; ++k) {
                    const double t = k / 10.0;
                    ASSERT_TRUE(
                        inside(px, py, g.x1 + t * (g.x2 - g.x1), g.y1 + t * (g.y2 - g.y1), 1e-6))
                        << g.x1 << "," << g.y1 << " " << g.x2 << "," << g.y2;
                }
                const int a = direction(g);
                lines[a].insert(std::lround(line_position(g, a) * 100.0));
            }
            const int second = (h.angle + 90) % 180;
            ASSERT_EQ(lines.size(), h.crossed ? 2u : 1u);
            ASSERT_TRUE(lines.count(h.angle));
            if (h.crossed) {
                ASSERT_TRUE(lines.count(second));
            }
            // Neighbouring lines of one direction are one spacing apart.
            const double spacing = hatch_spacing(s(), h.density);
            for (const auto& [angle, positions] : lines) {
                ASSERT_GE(positions.size(), 2u);
                long previous = *positions.begin();
                for (long p : positions) {
                    if (p == previous) continue;
                    EXPECT_NEAR((p - previous) / 100.0, spacing, 0.02);
                    previous = p;
                }
            }
        }
    }
}

TEST_F(ShadingTest, ConcaveNotchIsLeftEmpty) {
    g_.shdpat(1);  // horizontal lines
    fill_polygon(s(), kUX.data(), kUY.data(), static_cast<int>(kUX.size()));
    int split = 0;
    for (const auto& g : segments()) {
        EXPECT_NEAR(g.y1, g.y2, 1e-9);
        // Below the bottom of the notch a line is cut in two pieces that skip x 200..300.
        if (g.y1 > 200.0) {
            EXPECT_TRUE(std::max(g.x1, g.x2) <= 200.0 + 1e-9 ||
                        std::min(g.x1, g.x2) >= 300.0 - 1e-9);
            ++split;
        }
    }
    EXPECT_GT(split, 0);
}

TEST_F(ShadingTest, NeighbouringAreasShareTheirLines) {
    g_.shdpat(5);
    const double ax[] = {100, 200, 200, 100}, ay[] = {100, 100, 300, 300};
    const double bx[] = {200, 300, 300, 200}, by[] = {100, 100, 300, 300};
    fill_polygon(s(), ax, ay, 4);
    const auto a = segments();
    rec_->clear();
    fill_polygon(s(), bx, by, 4);
    const auto b = segments();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_DOUBLE_EQ(a[i].y1, b[i].y1);
}

TEST_F(ShadingTest, OwnPatternsEncodeTheirPartsAndBadValuesAreRefused) {
    g_.mypat(30, 2, 9, 1);
    EXPECT_EQ(s().prims->fill_pattern, 30291);
    HatchPattern h;
    ASSERT_TRUE(hatch_pattern(30291, h));
    EXPECT_EQ(h.angle, 30);
    EXPECT_EQ(h.strokes, 2);
    EXPECT_EQ(h.density, 9);
    EXPECT_TRUE(h.crossed);
    EXPECT_DOUBLE_EQ(hatch_spacing(s(), 9), 6.0);
    EXPECT_DOUBLE_EQ(hatch_spacing(s(), 0), 60.0);

    // Two strokes per line, one unit apart, and lines at 30 and 120 degrees.
    fill_polygon(s(), kSquareX.data(), kSquareY.data(), 4);
    std::set<int> angles;
    for (const auto& g : segments()) angles.insert(direction(g));
    EXPECT_EQ(angles, (std::set<int>{30, 120}));

    for (auto bad : {std::array<int, 4>{180, 1, 1, 0},
                     {-1, 1, 1, 0},
                     {0, 0, 1, 0},
                     {0, 10, 1, 0},
                     {0, 1, 10, 0},
                     {0, 1, 1, 2}}) {
        const std::string out = output_of([&] { g_.mypat(bad[0], bad[1], bad[2], bad[3]); });
        EXPECT_NE(out.find("Warning   2"), std::string::npos) << out;
        EXPECT_EQ(s().prims->fill_pattern, 30291);
    }
    for (int bad : {-1, 18, 99, 180000, 100002}) {
        const std::string out = output_of([&] { g_.shdpat(bad); });
        EXPECT_NE(out.find("Warning   2"), std::string::npos) << bad;
        EXPECT_EQ(s().prims->fill_pattern, 30291);
    }
    g_.shdpat(45191);  // a code of mypat's parts
    EXPECT_EQ(s().prims->fill_pattern, 45191);
}

TEST_F(ShadingTest, EmptyAndSolidPatterns) {
    g_.shdpat(0);
    fill_polygon(s(), kSquareX.data(), kSquareY.data(), 4);
    EXPECT_TRUE(segments().empty());

    // A device that cannot fill: the outline, then horizontal lines 1.4 units apart.
    g_.shdpat(16);
    fill_polygon(s(), kSquareX.data(), kSquareY.data(), 4);
    const auto lines = rec_->polylines();
    ASSERT_GT(lines.size(), 200u);
    EXPECT_EQ(lines[0].size(), 5u);
    for (size_t i = 1; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 2u);
        EXPECT_DOUBLE_EQ(lines[i][0].y, lines[i][1].y);
    }
    EXPECT_NEAR(lines[2][0].y - lines[1][0].y, 1.4, 1e-9);
}

class FillingDeviceTest : public ShapesFixture {
  protected:
    void SetUp() override {
        RecordingOptions options;
        options.caps.fills_polygons = true;
        open(options);
    }
};

TEST_F(FillingDeviceTest, SolidPolygonsAreTheDevicesHatchingsTheLibrarys) {
    g_.shdpat(16);
    fill_polygon(s(), kSquareX.data(), kSquareY.data(), 4);
    EXPECT_EQ(rec_->count(Call::fill_polygon), 1);
    EXPECT_TRUE(segments().empty());
    // Hatchings are drawn by the library on it as well.
    g_.shdpat(3);
    fill_polygon(s(), kSquareX.data(), kSquareY.data(), 4);
    EXPECT_EQ(rec_->count(Call::fill_polygon), 1);
    EXPECT_FALSE(segments().empty());
}

TEST_F(ShadingTest, DegenerateInputsDrawNothing) {
    g_.shdpat(5);
    const double nan = std::nan("");
    const double x[] = {100, nan, 200}, y[] = {100, 100, 200};
    fill_polygon(s(), x, y, 3);
    fill_polygon(s(), x, y, 2);
    const double fx[] = {100, 100, 100}, fy[] = {100, 200, 300};  // no area
    fill_polygon(s(), fx, fy, 3);
    EXPECT_TRUE(segments().empty());
}

}  // namespace
}  // namespace gvx::testing
