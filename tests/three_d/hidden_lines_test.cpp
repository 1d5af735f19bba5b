// Hidden lines of mesh surfaces, on surfaces whose visibility is known: a plane seen
// from above shows all of its mesh, a bump seen from a low viewpoint hides the middle
// of the line behind it, and the two sides take their own colours.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "tests/three_d/three_d_fixture.h"

namespace gvx::testing {
namespace {

class HiddenLines : public ThreeDFixture {
  protected:
    // An n by n grid over -1..1 with z = f(x, y).
    template <typename F>
    void grid(int n, F f) {
        x_.resize(n);
        for (int k = 0; k < n; ++k) x_[k] = -1.0 + 2.0 * k / (n - 1);
        z_.resize(static_cast<size_t>(n) * n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) z_[i * n + j] = f(x_[i], x_[j]);
    }
    int n() const { return static_cast<int>(x_.size()); }
    void draw() {
        output_of([&] { g_.surfce(x_.data(), n(), x_.data(), n(), z_.data()); });
    }
    double drawn_length() const {
        double sum = 0.0;
        for (const auto& s : rec_->segments()) sum += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
        return sum;
    }
    // The pieces of drawn segments that run along the page row y, as x intervals.
    std::vector<std::pair<double, double>> along_row(double y) const {
        std::vector<std::pair<double, double>> out;
        for (const auto& s : rec_->segments())
            if (std::fabs(s.y1 - y) < 0.5 && std::fabs(s.y2 - y) < 0.5)
                out.push_back({std::min(s.x1, s.x2), std::max(s.x1, s.x2)});
        return out;
    }
    static bool covered(const std::vector<std::pair<double, double>>& pieces, double x) {
        for (const auto& p : pieces)
            if (p.first - 1.0 <= x && x <= p.second + 1.0) return true;
        return false;
    }
    double page_x(double x, double y, double z) {
        double px = 0, py = 0;
        g_.pos3pt(x, y, z, px, py);
        return px;
    }
    double page_y(double x, double y, double z) {
        double px = 0, py = 0;
        g_.pos3pt(x, y, z, px, py);
        return py;
    }

    std::vector<double> x_, z_;
};

TEST_F(HiddenLines, PlaneSeenFromAboveShowsEveryLine) {
    grid(9, [](double x, double y) { return 0.3 * x - 0.2 * y; });
    for (const double elevation : {90.0, 50.0}) {
        SCOPED_TRACE(elevation);
        g_.view3d(-70, elevation, 0, "ANGL");
        ASSERT_TRUE(open_box(-70, elevation, 0, "ANGL"));
        // The whole mesh: 2 * 9 lines of 8 segments each, projected.
        double expected = 0.0;
        for (int i = 0; i < n(); ++i)
            for (int j = 0; j < n(); ++j) {
                const double x0 = page_x(x_[i], x_[j], z_[i * n() + j]);
                const double y0 = page_y(x_[i], x_[j], z_[i * n() + j]);
                if (i + 1 < n())
                    expected += std::hypot(page_x(x_[i + 1], x_[j], z_[(i + 1) * n() + j]) - x0,
                                           page_y(x_[i + 1], x_[j], z_[(i + 1) * n() + j]) - y0);
                if (j + 1 < n())
                    expected += std::hypot(page_x(x_[i], x_[j + 1], z_[i * n() + j + 1]) - x0,
                                           page_y(x_[i], x_[j + 1], z_[i * n() + j + 1]) - y0);
            }
        draw();
        EXPECT_NEAR(drawn_length(), expected, 1e-6 * expected);
        g_.endgrf();
    }
}

TEST_F(HiddenLines, BumpHidesTheMiddleOfTheLineBehindIt) {
    // A narrow peak on a plane at the bottom of the box, seen from just above the
    // plane in front: the far line y = 1 lies on one page row, and the peak hides its
    // middle while its ends stay in view.
    grid(31, [](double x, double y) { return -1.0 + 1.8 * std::exp(-(x * x + y * y) / 0.05); });
    ASSERT_TRUE(open_box(0, -8, 0, "ABS"));
    draw();
    const double row = page_y(0, 1, -1);
    const auto pieces = along_row(row);
    ASSERT_FALSE(pieces.empty());
    EXPECT_TRUE(covered(pieces, page_x(-0.9, 1, -1)));
    EXPECT_TRUE(covered(pieces, page_x(0.9, 1, -1)));
    EXPECT_FALSE(covered(pieces, page_x(0, 1, -1)));
    EXPECT_FALSE(covered(pieces, page_x(0.05, 1, -1)));
    // The line in front of the peak is not hidden anywhere.
    const auto front = along_row(page_y(0, -1, -1));
    for (double x : {-0.9, -0.3, 0.0, 0.4, 0.9})
        EXPECT_TRUE(covered(front, page_x(x, -1, -1))) << x;
    // From above nothing is hidden: the far line is whole.
    g_.endgrf();
    ASSERT_TRUE(open_box(0, -0.5, 8, "ABS"));
    draw();
    const auto whole = along_row(page_y(0, 1, -1));
    for (double x : {-0.9, 0.0, 0.9}) EXPECT_TRUE(covered(whole, page_x(x, 1, -1))) << x;
}

TEST_F(HiddenLines, SidesTakeTheirColours) {
    grid(5, [](double x, double) { return 0.2 * x; });
    g_.surclr(3, 5);
    for (const double z : {6.0, -6.0}) {
        ASSERT_TRUE(open_box(1, -2, z, "ABS"));
        draw();
        const auto colours = rec_->of(Call::colour);
        const bool top = z > 0;
        EXPECT_TRUE(std::any_of(colours.begin(), colours.end(),
                                [&](const DeviceCall& c) { return c.colour == (top ? 3 : 5); }));
        EXPECT_FALSE(std::any_of(colours.begin(), colours.end(),
                                 [&](const DeviceCall& c) { return c.colour == (top ? 5 : 3); }));
        EXPECT_EQ(s().colours->current_colour, colours.back().colour);  // restored
        g_.endgrf();
    }
}

TEST_F(HiddenLines, BadSurfacesAreRefused) {
    grid(4, [](double, double) { return 0.0; });
    ASSERT_TRUE(open_box(0, -8, 3, "ABS"));
    std::vector<double> bent = x_;
    bent[2] = bent[1];
    const int before = warnings();
    std::string out = output_of([&] {
        g_.surfce(x_.data(), 1, x_.data(), 4, z_.data());    // 2: too few points
        g_.surfce(bent.data(), 4, x_.data(), 4, z_.data());  // 362: not monotonic
        g_.surmat(z_.data(), 4, 4, 0, 1);                    // 2: step
        g_.surshd(x_.data(), 4, x_.data(), 4, nullptr);      // 2: no matrix
        g_.surfun(nullptr, 4, 4);                            // 2: no function
    });
    EXPECT_EQ(warnings(), before + 5);
    EXPECT_NE(out.find("Warning 362"), std::string::npos) << out;
    EXPECT_EQ(rec_->segments().size(), 0u);
    // NaN values leave their cells out, the rest is drawn.
    z_[5] = NAN;
    draw();
    EXPECT_GT(rec_->segments().size(), 0u);
}

TEST_F(HiddenLines, CellsPiledOverThePageOverflowTheRaster) {
    // Values far beyond the z axis pin every vertex to the ends of the plot coordinates:
    // each cell spans the whole page, which is refused with warning 52, not rasterised
    // for minutes, by the mesh and by the z-buffer alike.
    grid(39, [](double x, double y) { return (std::lround(20 * (x + y)) % 2 ? 1e300 : -1e300); });
    ASSERT_TRUE(open_box(-50, 30, 0, "ANGL"));
    std::string out = output_of([&] { g_.surfce(x_.data(), n(), x_.data(), n(), z_.data()); });
    EXPECT_NE(out.find("Warning  52"), std::string::npos) << out;
    EXPECT_EQ(rec_->segments().size(), 0u);
    out = output_of([&] {
        g_.zbfini();
        g_.surshd(x_.data(), n(), x_.data(), n(), z_.data());
        g_.zbffin();
    });
    EXPECT_NE(out.find("Warning  52"), std::string::npos) << out;
}

TEST_F(HiddenLines, SurfunAndSurmatDrawTheSameMeshAsSurfce) {
    grid(7, [](double x, double y) { return 0.5 * x * y; });
    ASSERT_TRUE(open_box(-50, 30, 0, "ANGL"));
    draw();
    const double by_grid = drawn_length();
    rec_->clear();
    output_of([&] { g_.surmat(z_.data(), 7, 7, 1, 1); });
    EXPECT_NEAR(drawn_length(), by_grid, 1e-9 * by_grid);
    rec_->clear();
    output_of([&] { g_.surfun([](double x, double y) { return 0.5 * x * y; }, 7, 7); });
    EXPECT_NEAR(drawn_length(), by_grid, 1e-9 * by_grid);
}

}  // namespace
}  // namespace gvx::testing
