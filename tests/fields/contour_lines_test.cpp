// Contour lines: traced level sets of functions whose contours are known, the rules
// for saddles and values on the level, labels that break the line, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/fields/field_fixture.h"

namespace gvx::testing {
namespace {

using ContourTest = FieldFixture;

std::vector<TracedLine> trace(PlotState& s, const std::vector<double>& x,
                              const std::vector<double>& y, const std::vector<double>& z,
                              double level) {
    LineCollector lines;
    trace_contour(s,
                  FieldGrid{x.data(), static_cast<int>(x.size()), y.data(),
                            static_cast<int>(y.size()), z.data()},
                  level, lines);
    return lines.lines;
}

TEST_F(ContourTest, CirclesAreClosedAndOnTheirLevel) {
    const auto x = spaced(-1, 1, 41);  // step 0.05
    const auto z = matrix(x, x, [](double a, double b) { return a * a + b * b; });
    for (double level : {0.1, 0.5, 0.8}) {
        const auto lines = trace(s(), x, x, z, level);
        ASSERT_EQ(lines.size(), 1u) << level;
        const TracedLine& l = lines[0];
        EXPECT_TRUE(l.closed);
        ASSERT_GT(l.x.size(), 8u);
        EXPECT_EQ(l.x.front(), l.x.back());
        EXPECT_EQ(l.y.front(), l.y.back());
        // Linear interpolation of a parabola along an edge of length h errs by h^2 / 4.
        for (size_t k = 0; k < l.x.size(); ++k)
            EXPECT_NEAR(l.x[k] * l.x[k] + l.y[k] * l.y[k], level, 0.05 * 0.05 / 4 + 1e-12);
        // Each crossing appears once: no point is repeated inside the line.
        for (size_t k = 1; k + 1 < l.x.size(); ++k)
            EXPECT_FALSE(l.x[k] == l.x[0] && l.y[k] == l.y[0]);
    }
    // A level above the highest value or below the lowest has no line.
    EXPECT_TRUE(trace(s(), x, x, z, 2.5).empty());
    EXPECT_TRUE(trace(s(), x, x, z, -1.0).empty());
}

TEST_F(ContourTest, APlaneGivesOneOpenLineFromBorderToBorder) {
    const auto x = spaced(-1, 1, 13), y = spaced(-1, 1, 9);
    const auto z = matrix(x, y, [](double a, double b) { return a + 2.0 * b; });
    const auto lines = trace(s(), x, y, z, 0.3);
    ASSERT_EQ(lines.size(), 1u);
    const TracedLine& l = lines[0];
    EXPECT_FALSE(l.closed);
    for (size_t k = 0; k < l.x.size(); ++k) EXPECT_NEAR(l.x[k] + 2.0 * l.y[k], 0.3, 1e-12);
    auto on_border = [](double a, double b) {
        return std::fabs(std::fabs(a) - 1.0) < 1e-12 || std::fabs(std::fabs(b) - 1.0) < 1e-12;
    };
    EXPECT_TRUE(on_border(l.x.front(), l.y.front()));
    EXPECT_TRUE(on_border(l.x.back(), l.y.back()));
    // A vertex exactly on the level counts as above: the line of z = x at 0 runs
    // through the grid column x = 0 and nowhere else.
    const auto zx = matrix(x, y, [](double a, double) { return a; });
    const auto column = trace(s(), x, y, zx, x[6]);
    ASSERT_EQ(column.size(), 1u);
    EXPECT_EQ(column[0].x.size(), y.size());
    for (double v : column[0].x) EXPECT_EQ(v, x[6]);
}

TEST_F(ContourTest, SaddleCellsFollowTheirCentre) {
    // Four points per axis: the middle cell of z = x y + c is a saddle for level 0.
    const std::vector<double> x = {-1.0, -1.0 / 3, 1.0 / 3, 1.0};
    for (double c : {0.01, -0.01, 0.0}) {
        const auto z = matrix(x, x, [c](double a, double b) { return a * b + c; });
        const auto lines = trace(s(), x, x, z, 0.0);
        ASSERT_EQ(lines.size(), 2u) << c;
        // With the centre above the level (c >= 0) the lines cut off the corners below,
        // in the quadrants where x y < 0; with c < 0 those where x y > 0.
        for (const auto& l : lines) {
            for (size_t k = 0; k < l.x.size(); ++k) {
                EXPECT_NEAR(l.x[k] * l.y[k] + c, 0.0, 0.12);  // within a cell's error
                const double side = c >= 0.0 ? -1.0 : 1.0;
                EXPECT_GE(side * l.x[k] * l.y[k], -1e-12) << c;
            }
        }
        // The rule does not depend on the direction of the grid: reversed x gives the
        // same points.
        std::vector<double> rx(x.rbegin(), x.rend());
        const auto rz = matrix(rx, x, [c](double a, double b) { return a * b + c; });
        auto points = [](const std::vector<TracedLine>& ls) {
            std::vector<std::pair<double, double>> p;
            for (const auto& l : ls)
                for (size_t k = 0; k < l.x.size(); ++k)
                    p.emplace_back(std::round(l.x[k] * 1e9), std::round(l.y[k] * 1e9));
            std::sort(p.begin(), p.end());
            return p;
        };
        EXPECT_EQ(points(lines), points(trace(s(), rx, x, rz, 0.0))) << c;
    }
}

TEST_F(ContourTest, MissingValuesOpenTheLine) {
    const auto x = spaced(-1, 1, 21);
    auto z = matrix(x, x, [](double a, double b) { return a * a + b * b; });
    z[10 * 21 + 16] = std::nan("");  // on the circle of radius 0.6 (x 0, y 0.6)
    const auto lines = trace(s(), x, x, z, 0.36);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].closed);
    for (size_t k = 0; k < lines[0].x.size(); ++k) {
        EXPECT_TRUE(std::isfinite(lines[0].x[k]));
        EXPECT_NEAR(std::hypot(lines[0].x[k], lines[0].y[k]), 0.6, 0.01);
    }
}

// Total drawn length of the recorded device polylines, and the number of pieces: a
// device polyline that starts where the previous one ended continues its piece.
double drawn_length(const Recording& r, int& pieces) {
    double total = 0.0;
    pieces = 0;
    Recording::Point end{1e300, 1e300};
    for (const auto& line : r.polylines()) {
        if (line.size() < 2) continue;
        if (line.front().x != end.x || line.front().y != end.y) ++pieces;
        end = line.back();
        for (size_t k = 1; k < line.size(); ++k)
            total += std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
    }
    return total;
}

TEST_F(ContourTest, ConturDrawsInPlotCoordinatesAndBreaksUnderLabels) {
    const auto x = spaced(-1, 1, 81);
    const auto z = matrix(x, x, [](double a, double b) { return a * a + b * b; });
    // Without labels: one closed line on the circle of radius 0.8 (400 plot units).
    g_.labels("NONE", "CON");
    output_of([&] { g_.contur(x.data(), 81, x.data(), 81, z.data(), 0.64); });
    int pieces = 0;
    const double whole = drawn_length(*rec_, pieces);
    EXPECT_EQ(pieces, 1);
    EXPECT_NEAR(whole, 2 * M_PI * 400, 2.0);
    for (const auto& line : rec_->polylines())
        for (const auto& p : line) EXPECT_NEAR(std::hypot(p.x - px(0), p.y - py(0)), 400, 0.2);

    // A label of blanks draws no strokes but keeps its room: the line is broken once
    // per label, each break as long as the label and two gaps.
    rec_->clear();
    g_.labels("CONL", "CON");
    g_.conlab("    ");
    g_.labdis(500, "CON");
    g_.conmod(1.0, 0.5);
    output_of([&] { g_.contur(x.data(), 81, x.data(), 81, z.data(), 0.64); });
    const double label = text_length(s(), "    ") + 2 * 0.5 * s().text->height;
    const double broken = drawn_length(*rec_, pieces);
    // Labels at 250, 750, ..., 2250 of 2513 units: five breaks, six pieces (the first
    // and the last meet at the start of the closed line).
    EXPECT_EQ(pieces, 6);
    EXPECT_NEAR(broken, whole - 5 * label, 2.0);

    // Value labels draw text strokes besides the broken line.
    rec_->clear();
    g_.labels("FLOAT", "CON");
    output_of([&] { g_.contur(x.data(), 81, x.data(), 81, z.data(), 0.64); });
    drawn_length(*rec_, pieces);
    EXPECT_GT(pieces, 6);
}

TEST_F(ContourTest, ConmatSpreadsTheMatrixOverTheAxes) {
    // z = x over the axis system: the level 0 is the middle column.
    const double z[9] = {-1, -1, -1, 0.5, 0.5, 0.5, 1, 1, 1};
    g_.labels("NONE", "CON");
    output_of([&] { g_.conmat(z, 3, 3, 0.75); });
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    for (const auto& p : lines[0]) EXPECT_NEAR(p.x, px(0.5), 1e-9);
}

TEST_F(ContourTest, RefusalsAndTooManyIntersections) {
    const auto x = spaced(-1, 1, 5);
    const auto z = matrix(x, x, [](double a, double) { return a; });
    std::vector<double> bad = x;
    bad[2] = bad[1];
    std::string out = output_of([&] {
        g_.contur(bad.data(), 5, x.data(), 5, z.data(), 0.1);
        g_.contur(x.data(), 1, x.data(), 5, z.data(), 0.1);
        g_.contur(nullptr, 5, x.data(), 5, z.data(), 0.1);
    });
    EXPECT_NE(out.find("Warning 341"), std::string::npos) << out;
    EXPECT_EQ(rec_->calls.size(), 0u);

    // A checkerboard crosses every edge: 2 * 800 * 799 crossings are too many.
    const int n = 800;
    const auto big = spaced(0, 1, n);
    std::vector<double> board(static_cast<size_t>(n) * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) board[i * n + j] = (i + j) % 2;
    const FieldGrid grid{big.data(), n, big.data(), n, board.data()};
    EXPECT_EQ(count_intersections(grid, 0.5), 2L * n * (n - 1));
    out = output_of([&] { g_.contur(big.data(), n, big.data(), n, board.data(), 0.5); });
    EXPECT_NE(out.find("Warning  26"), std::string::npos) << out;
    EXPECT_EQ(rec_->calls.size(), 0u);
}

}  // namespace
}  // namespace gvx::testing
