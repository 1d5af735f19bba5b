// Error bars and shaded areas between curves.
#include <algorithm>
#include <cmath>

#include "tests/charts/charts_fixture.h"

namespace gvx::testing {
namespace {

class ErrorBarsTest : public ChartsFixture {};

const double kErrX[2] = {2.0, 6.0}, kErrY[2] = {4.0, 5.0}, kE1[2] = {1.0, 0.5}, kE2[2] = {2.0, 1.5};

TEST_F(ErrorBarsTest, VerticalBarsWithCaps) {
    g_.hsymbl(20);
    g_.errbar(kErrX, kErrY, kE1, kE2, 2);
    const auto segs = rec_->segments();
    ASSERT_EQ(segs.size(), 6u);  // per point: the bar and two caps
    for (int i = 0; i < 2; ++i) {
        const auto& bar = segs[3 * i];
        EXPECT_DOUBLE_EQ(bar.x1, px(kErrX[i]));
        EXPECT_DOUBLE_EQ(bar.x2, px(kErrX[i]));
        EXPECT_DOUBLE_EQ(bar.y1, py(kErrY[i] - kE1[i]));
        EXPECT_DOUBLE_EQ(bar.y2, py(kErrY[i] + kE2[i]));
        const auto& cap = segs[3 * i + 1];
        EXPECT_DOUBLE_EQ(cap.y1, cap.y2);
        EXPECT_DOUBLE_EQ(cap.x2 - cap.x1, 20.0);
    }
}

TEST_F(ErrorBarsTest, HorizontalBarsWithoutCapsAndWithSymbols) {
    g_.errbmd("DIRE", "HORI");
    g_.errbmd("CAPS", "OFF");
    g_.errbar(kErrX, kErrY, kE1, kE2, 2);
    auto segs = rec_->segments();
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_DOUBLE_EQ(segs[1].x1, px(6.0 - 0.5));
    EXPECT_DOUBLE_EQ(segs[1].x2, px(6.0 + 1.5));
    EXPECT_DOUBLE_EQ(segs[1].y1, py(5.0));
    rec_->clear();
    g_.errbmd("SYMB", "ON");
    g_.errbar(kErrX, kErrY, kE1, kE2, 2);
    EXPECT_GT(rec_->segments().size(), 2u);

    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { g_.errbmd("SIZE", "ON"); }, [&] { g_.errbmd("DIRE", "DIAG"); },
             [&] { g_.errbmd("CAPS", "MAYBE"); }, [&] { g_.errbar(kErrX, kErrY, kE1, nullptr, 2); },
             [&] { g_.errbar(kErrX, kErrY, kE1, kE2, 0); }}) {
        const std::string out = output_of(call);
        EXPECT_NE(out.find("Warning   2"), std::string::npos);
    }
    EXPECT_EQ(s().charts->error_direction, ErrorDirection::horizontal);
}

TEST_F(ErrorBarsTest, ShadedAreaRunsAlongOneCurveAndBackAlongTheOther) {
    const double x1[3] = {1, 2, 3}, y1[3] = {2, 3, 2}, x2[2] = {1, 3}, y2[2] = {1, 1};
    g_.shdpat(4);
    g_.shdcrv(x1, y1, 3, x2, y2, 2);
    // Pattern 4 is hatched by the library: every line lies inside the polygon's box.
    const auto segs = rec_->segments();
    ASSERT_FALSE(segs.empty());
    for (const auto& g : segs) {
        EXPECT_GE(std::min(g.x1, g.x2), px(1.0) - 1e-6);
        EXPECT_LE(std::max(g.x1, g.x2), px(3.0) + 1e-6);
        EXPECT_GE(std::min(g.y1, g.y2), py(3.0) - 1e-6);
        EXPECT_LE(std::max(g.y1, g.y2), py(1.0) + 1e-6);
    }
    // A solid area reaches the device as one polygon: forward, then backward.
    rec_->clear();
    g_.shdpat(16);
    g_.shdcrv(x1, y1, 3, x2, y2, 2);
    const auto f = fills();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].xs, (std::vector<double>{px(1), px(2), px(3), px(3), px(1)}));
    EXPECT_EQ(f[0].ys, (std::vector<double>{py(2), py(3), py(2), py(1), py(1)}));
    // Both calls are legend curves with a filled box.
    EXPECT_EQ(s().legend->records[0].fill_pattern, 4);
    EXPECT_EQ(s().legend->records[1].fill_pattern, 16);
    const std::string out = output_of([&] { g_.shdcrv(x1, y1, 1, x2, y2, 1); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
}

}  // namespace
}  // namespace gvx::testing
