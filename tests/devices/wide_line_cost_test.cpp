// Wide lines with round caps and joins: the rings that fill the width end in half
// circles, and their points are bounded, so the work grows linearly with the width
// instead of with its square (a width of 32000 took minutes).
#include "tests/core/frame_fixture.h"

namespace gvx::testing {
namespace {

using WideLineCost = FrameTest;

// Device draws of one open polyline with a corner at a width with round caps and joins.
int draws_at_width(Gravox& g, int width) {
    ::testing::internal::CaptureStdout();
    g.metafl("SVG");
    g.gvxini();
    g.lncap("ROUND");
    g.lnjoin("ROUND");
    g.linwid(width);
    const double x[3] = {500.0, 1500.0, 1500.0};
    const double y[3] = {1000.0, 1000.0, 1500.0};
    gvx::state_of(g).frame.vector_count = 0;
    move_to(gvx::state_of(g), x[0], y[0]);
    for (int i = 1; i < 3; ++i) draw_to(gvx::state_of(g), x[i], y[i]);
    flush_polyline(gvx::state_of(g));
    const int draws = gvx::state_of(g).frame.vector_count;
    g.gvxfin();
    ::testing::internal::GetCapturedStdout();
    return draws;
}

TEST_F(WideLineCost, DoublingTheWidthAtMostDoublesTheWork) {
    const int narrow = draws_at_width(g_, 3000), wide = draws_at_width(g_, 6000);
    EXPECT_GT(narrow, 1000);  // the rings are drawn
    EXPECT_LT(wide, 2.2 * narrow) << narrow << " draws at 3000, " << wide << " at 6000";
    // The widest width the library takes stays within a few million draws.
    EXPECT_LT(draws_at_width(g_, 32000), 12 * narrow);
}

TEST_F(WideLineCost, NarrowRoundEndsAreUnchanged) {
    // Below the bound every half circle keeps a point every 2.5 plot units: a width of
    // 300 has 100 rings whose caps have up to 188 points, none cut.
    const int at_300 = draws_at_width(g_, 300), at_150 = draws_at_width(g_, 150);
    EXPECT_GT(at_300, 3 * at_150);  // still quadratic where nothing is cut
}

}  // namespace
}  // namespace gvx::testing
