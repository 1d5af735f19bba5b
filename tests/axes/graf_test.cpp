// graf: scaling test and its warnings, the scaling record and the mapping, the
// clipping window, crossed systems, the system settings, endgrf and automatic scaling.
#include <string>

#include "tests/axes/axes_fixture.h"

namespace gvx::testing {
namespace {

// Positions of the warning numbers in an output, in order of appearance.
std::vector<int> warning_numbers(const std::string& out) {
    std::vector<int> numbers;
    for (size_t at = out.find("Warning "); at != std::string::npos;
         at = out.find("Warning ", at + 1))
        numbers.push_back(std::stoi(out.substr(at + 8, 3)));
    return numbers;
}

TEST_F(AxesTest, FirstFigureScalingAndMapping) {
    EXPECT_EQ(first_figure(), "");
    EXPECT_EQ(s().frame.level, 2);
    const ScalingRecord& r = s().axes->rec;
    EXPECT_DOUBLE_EQ(r.x_factor, 79.16);
    EXPECT_DOUBLE_EQ(r.y_factor, 1399.0 / 2.78);
    EXPECT_DOUBLE_EQ(x_to_plot(s(), -15.0), 494.0);
    EXPECT_DOUBLE_EQ(y_to_plot(s(), 0.0), 1799.0);
    EXPECT_NEAR(x_to_plot(s(), 10.0), 2473.0, 1e-9);
    EXPECT_NEAR(y_to_plot(s(), 2.78), 400.0, 1e-9);
    EXPECT_EQ(g_.nxposn(10.0), 2473);
    EXPECT_EQ(g_.nyposn(2.78), 400);
    EXPECT_EQ(r.right_end, 2473);
    EXPECT_EQ(r.top_end, 400);
    EXPECT_EQ(r.clip.xmin, 495);
    EXPECT_EQ(r.clip.ymin, 401);
    EXPECT_EQ(r.clip.xmax, 2472);
    EXPECT_EQ(r.clip.ymax, 1798);
    EXPECT_DOUBLE_EQ(r.y_range[0], 0.0);
    EXPECT_DOUBLE_EQ(r.y_range[1], 2.78);
    EXPECT_EQ(s().prims->axis_kind, static_cast<int>(AxisKind::rectangular));
    // The primitives keep the page as their window: the axes themselves are not cut.
    EXPECT_EQ(s().prims->clip_window.xmax, s().page.width);
    EXPECT_TRUE(out_of_scaling(s(), 10.5, 1.0));
    EXPECT_TRUE(out_of_scaling(s(), 0.0, -0.1));
    EXPECT_FALSE(out_of_scaling(s(), -15.0, 2.78));
}

TEST_F(AxesTest, ScalingWarningsAloneAndTogetherInOrder) {
    std::string out = output_of([&] { g_.graf(1, 1, 1, -1, 0, 1, 0, 1); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{10});
    EXPECT_NE(out.find("Begin and end of scaling are equal in graf!"), std::string::npos);
    EXPECT_EQ(s().frame.level, 1);
    out = output_of([&] { g_.graf(0, 1, 0, 1, 0, 1, 0, 0); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{9});
    EXPECT_EQ(s().frame.level, 1);
    out = output_of([&] { g_.graf(2, 2, 2, 0, 3, 3, 3, 0); });
    EXPECT_EQ(warning_numbers(out), (std::vector<int>{10, 9, 10, 9}));
    // Equal ends count as a descending axis, where a positive step is the wrong sign.
    out = output_of([&] { g_.graf(0, 1, 0, 1, 3, 3, 3, 1); });
    EXPECT_EQ(warning_numbers(out), (std::vector<int>{10, 50}));
    EXPECT_EQ(s().frame.level, 1);
    flush_polyline(s());
    EXPECT_EQ(rec_->count(Call::draw), 0);  // a failed graf draws nothing

    // A following curve is refused by its level test.
    double x[2] = {0, 1}, y[2] = {0, 1};
    out = output_of([&] { g_.curve(x, y, 2); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{3});
}

TEST_F(AxesTest, StartLabelAndStepSignOnlyWarn) {
    std::string out = output_of([&] { g_.graf(0, 10, 12, -2, 0, 10, 0, 2); });
    EXPECT_EQ(warning_numbers(out), (std::vector<int>{12, 50}));
    EXPECT_EQ(s().frame.level, 2);
    flush_polyline(s());
    EXPECT_GT(rec_->count(Call::draw), 0);
}

TEST_F(AxesTest, NonFiniteScalingIsRefused) {
    std::string out = output_of([&] { g_.graf(0, NAN, 0, 1, 0, 1, 0, 1); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{2});
    EXPECT_EQ(s().frame.level, 1);
    out = output_of([&] { g_.graf(-1e308, 1e308, 0, 1e307, 0, 1, 0, 1); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{2});
    EXPECT_EQ(s().frame.level, 1);
}

TEST_F(AxesTest, DescendingAxisRunsFromBeginToEnd) {
    EXPECT_EQ(output_of([&] { g_.graf(10, 0, 10, -2, 5, -5, 5, -1); }), "");
    const ScalingRecord& r = s().axes->rec;
    EXPECT_LT(r.x_factor, 0.0);
    EXPECT_DOUBLE_EQ(x_to_plot(s(), 10.0), 494.0);
    EXPECT_NEAR(x_to_plot(s(), 0.0), 2473.0, 1e-9);
    EXPECT_NEAR(y_to_plot(s(), -5.0), 400.0, 1e-9);
    EXPECT_DOUBLE_EQ(r.x_range[0], 0.0);
    EXPECT_DOUBLE_EQ(r.x_range[1], 10.0);
    EXPECT_DOUBLE_EQ(r.y_range[0], -5.0);
    // Ticks run over the whole axis: eleven on the lower x axis (major and minor).
    EXPECT_EQ(vertical_between(1799, 1823).size() + vertical_between(1799, 1815).size(), 11u);
    // Descending with a positive step warns.
    output_of([&] { g_.endgrf(); });
    std::string out = output_of([&] { g_.graf(10, 0, 10, 2, 0, 1, 0, 1); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{50});
}

TEST_F(AxesTest, MappingIsLimitedAndLogarithmic) {
    g_.axsscl("LOG", "X");
    EXPECT_EQ(output_of([&] { g_.graf(-1, 3, -1, 1, 0, 1, 0, 0.5); }), "");
    EXPECT_NEAR(x_to_plot(s(), 0.1), 494.0, 1e-9);
    EXPECT_NEAR(x_to_plot(s(), 1000.0), 2473.0, 1e-9);
    EXPECT_NEAR(x_to_plot(s(), 10.0), 494.0 + 1979.0 / 2, 1e-9);
    EXPECT_DOUBLE_EQ(s().axes->rec.x_range[0], 0.1);
    EXPECT_DOUBLE_EQ(s().axes->rec.x_range[1], 1000.0);
    // Without neglog a value that is not positive lies beyond the lower end.
    EXPECT_EQ(x_to_plot(s(), 0.0), -kPlotLimit);
    EXPECT_EQ(x_to_plot(s(), -5.0), -kPlotLimit);
    g_.neglog(0.1);
    EXPECT_NEAR(x_to_plot(s(), -5.0), 494.0, 1e-9);
    EXPECT_EQ(x_to_plot(s(), 1e300), 494.0 + 301 * 1979.0 / 4);  // far off, not limited
    EXPECT_EQ(y_to_plot(s(), -1e12), kPlotLimit);
    EXPECT_EQ(y_to_plot(s(), 1e12), -kPlotLimit);
    EXPECT_TRUE(std::isnan(x_to_plot(s(), NAN)));
    std::string out = output_of([&] { g_.neglog(0.0); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{2});
    // Log axes: a major tick at every power of ten and minor ticks at 2 to 9 times it.
    EXPECT_EQ(vertical_between(1799, 1823).size(), 5u);
    EXPECT_EQ(vertical_between(1799, 1815).size(), 32u);
}

TEST_F(AxesTest, PositionsInPlotUnitsAndThePageOrigin) {
    first_figure();
    g_.pagorg("BOTTOM");
    EXPECT_EQ(g_.nyposn(0.0), 2099 - 1799);
    EXPECT_EQ(g_.nxposn(-15.0), 494);
    std::string out = output_of([&] {
        g_.nxposn(0.0);
        g_.axspos(100, 100);
    });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{3});  // axspos needs level 1
}

TEST_F(AxesTest, SystemSettingsAreCheckedAndKeptOnRefusal) {
    std::string out = output_of([&] {
        g_.axspos(3000, 100);
        g_.axspos(100, -1);
        g_.axslen(1, 100);
        g_.axslen(100, 2000000);
        g_.frame(20000);
        g_.axsbgd(-2);
        g_.axstyp("DIAG");
        g_.setgrf("NAME", "NAME", "TICKS", "BAD");
    });
    EXPECT_EQ(warning_numbers(out), (std::vector<int>{2, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(s().axes->pos_x, 494);
    EXPECT_EQ(s().axes->pos_y, 1799);
    EXPECT_EQ(s().axes->len_x, 1980);
    EXPECT_EQ(s().axes->len_y, 1400);
    EXPECT_EQ(s().axes->frame_thickness, 1);
    EXPECT_EQ(s().axes->parts[3], AxisParts::ticks);

    g_.pagorg("BOTTOM");
    g_.axspos(300, 500);
    EXPECT_EQ(s().axes->pos_y, 2099 - 500);
    g_.axslen(1000, 800);
    first_figure();
    EXPECT_EQ(s().axes->rec.right_end, 1299);
    EXPECT_EQ(s().axes->rec.top_end, 800);
}

TEST_F(AxesTest, ClippingMarginAndOriginShift) {
    g_.grace(10);
    g_.origin(5, -7);
    first_figure();
    const ClipWindow& c = s().axes->rec.clip;
    EXPECT_EQ(c.xmin, 494 + 5 - 10);
    EXPECT_EQ(c.ymin, 1799 - 7 - 10 - 1400 + 1);
    EXPECT_EQ(c.xmax, 494 + 5 + 10 + 1979);
    EXPECT_EQ(c.ymax, 1799 - 7 + 10);
    EXPECT_DOUBLE_EQ(s().axes->rec.centre_x, 494 + 5 + 990.0);
    EXPECT_DOUBLE_EQ(s().axes->rec.radius, 700.0 + 10);
    // The axis line is shifted by the origin offset.
    EXPECT_EQ(horizontal_between(499, 2478).size() >= 1, true);
}

TEST_F(AxesTest, ClippingWindowStaysOnThePage) {
    g_.axspos(0, 2099);
    g_.grace(50);
    first_figure();
    const ClipWindow& c = s().axes->rec.clip;
    EXPECT_EQ(c.xmin, 0);
    EXPECT_EQ(c.ymax, 2099);
}

TEST_F(AxesTest, CrossedSystems) {
    g_.axstyp("CROSS");
    g_.axsscl("LOG", "Y");
    std::string out = output_of([&] { g_.graf(-1, 1, -1, 1, 0, 2, 0, 1); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{150});
    EXPECT_NE(out.find("Crossed axis systems must have linear scaling in graf!"),
              std::string::npos);
    EXPECT_EQ(s().frame.level, 1);
    g_.axsscl("LIN", "Y");
    out = output_of([&] { g_.graf(1, 5, 1, 1, -1, 1, -1, 1); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{151});
    EXPECT_EQ(s().frame.level, 1);

    out = output_of([&] { g_.graf(-10, 10, -10, 5, -5, 5, -5, 5); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(s().frame.level, 2);
    EXPECT_EQ(s().prims->axis_kind, static_cast<int>(AxisKind::crossed));
    // The origin point follows from the mapping of (0, 0); the x axis lies at its height
    // and the y axis at its x position, and no frame is drawn.
    const int ox = s().axes->origin_point_x, oy = s().axes->origin_point_y;
    EXPECT_EQ(ox, 494 + 990);
    EXPECT_EQ(oy, 1100);  // 1099.5 rounded
    EXPECT_EQ(horizontal_between(494, 2473).size(), 1u);
    EXPECT_EQ(horizontal_between(494, 2473)[0].y1, oy);
    EXPECT_EQ(vertical_between(1799, 400).size(), 1u);
    EXPECT_EQ(vertical_between(1799, 400)[0].x1, ox);
    EXPECT_EQ(rec_->count(Call::line), 0);
}

TEST_F(AxesTest, CrossedSystemPlacedByItsOrigin) {
    g_.axstyp("CROSS");
    g_.axsorg(1500, 1000);
    output_of([&] { g_.graf(-10, 10, -10, 5, -5, 5, -5, 5); });
    EXPECT_NEAR(x_to_plot(s(), 0.0), 1500.0, 1.0);
    EXPECT_NEAR(y_to_plot(s(), 0.0), 1000.0, 1.0);
}

TEST_F(AxesTest, FrameBackgroundAndTwoAxisMode) {
    first_figure();
    EXPECT_EQ(rec_->count(Call::line), 4);  // the frame, as one pixel rectangle
    output_of([&] { g_.endgrf(); });
    EXPECT_EQ(s().frame.level, 1);

    rec_->clear();
    g_.frame(0);
    g_.ax2grf();
    g_.axsbgd(3);
    first_figure();
    EXPECT_EQ(rec_->count(Call::line), 0);
    auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].colour, 3);
    // Only the lower x and the left y axis: no ticks along the top or the right side.
    EXPECT_TRUE(vertical_between(400, 376).empty());
    EXPECT_TRUE(horizontal_between(2473, 2497).empty());
    EXPECT_EQ(vertical_between(1799, 1823).size(), 6u);
}

TEST_F(AxesTest, NografFixesTheScalingButDrawsNothing) {
    g_.nograf();
    EXPECT_EQ(first_figure(), "");
    EXPECT_EQ(s().frame.level, 2);
    EXPECT_DOUBLE_EQ(s().axes->rec.x_factor, 79.16);
    flush_polyline(s());
    EXPECT_TRUE(rec_->calls.empty());
}

TEST_F(AxesTest, SecondGrafNeedsEndgrf) {
    first_figure();
    std::string out = first_figure();
    EXPECT_EQ(warning_numbers(out), std::vector<int>{3});
    out = output_of([&] { g_.endgrf(); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(s().prims->axis_kind, 0);
    EXPECT_EQ(first_figure(), "");
}

TEST_F(AxesTest, AutomaticScalingRoundsTheData) {
    const double data[] = {0.3, 4.1, 9.7, NAN};
    g_.setscl(data, 4, "XY");
    EXPECT_EQ(output_of([&] { g_.graf(0, 1, 0, 1, 0, 1, 0, 1); }), "");
    const ScalingRecord& r = s().axes->rec;
    EXPECT_DOUBLE_EQ(r.xa, 0.0);
    EXPECT_DOUBLE_EQ(r.xe, 10.0);
    EXPECT_DOUBLE_EQ(r.x_first, 0.0);
    EXPECT_DOUBLE_EQ(r.x_step, 2.0);
    EXPECT_DOUBLE_EQ(r.ye, 10.0);

    output_of([&] { g_.endgrf(); });
    const double flat[] = {-3.0, -3.0};
    g_.setscl(flat, 2, "X");
    const double positive[] = {0.0, 0.05, 420.0};
    g_.axsscl("LOG", "Y");
    g_.setscl(positive, 3, "Y");
    std::string out = output_of([&] { g_.graf(0, 1, 0, 1, 0, 1, 0, 1); });
    EXPECT_EQ(warning_numbers(out), (std::vector<int>{25, 23}));
    EXPECT_DOUBLE_EQ(r.xa, -4.0);
    EXPECT_DOUBLE_EQ(r.xe, -2.0);
    EXPECT_DOUBLE_EQ(r.ya, -1.0);  // 0.1 after warning 23
    EXPECT_DOUBLE_EQ(r.ye, 3.0);
    EXPECT_DOUBLE_EQ(r.y_step, 1.0);
    out = output_of([&] { g_.setscl(flat, 0, "X"); });
    EXPECT_EQ(warning_numbers(out), std::vector<int>{3});  // level 2: refused first
}

TEST_F(AxesTest, CenterBalancesTheSystemOnThePage) {
    g_.name("NAME", "X");
    g_.name("NAME", "Y");
    g_.center();
    first_figure();
    flush_polyline(s());
    Box all;
    for (const auto& line : rec_->polylines())
        for (const auto& p : line) all.add(p.x, p.y);
    EXPECT_NEAR(all.xmin, 2969 - all.xmax, 6.0);
    EXPECT_NEAR(all.ymin, 2099 - all.ymax, 6.0);
    EXPECT_FALSE(s().axes->centre_request);  // once per call
}

}  // namespace
}  // namespace gvx::testing
