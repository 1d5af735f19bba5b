// The axes of the application's first figure on the default page, and the tick, label
// and name settings that change them.
#include <string>

#include "gravox/core/all_records.h"
#include "gravox/text/text.h"
#include "tests/axes/axes_fixture.h"

namespace gvx::testing {
namespace {

const std::vector<double> kLowerTicks = {494,  692,  890,  1088, 1286, 1484,
                                         1681, 1879, 2077, 2275, 2473};
const std::vector<double> kLeftTicks = {1799, 1673, 1547, 1422, 1296, 1170,
                                        1044, 918,  793,  667,  541,  415};

std::vector<double> xs(const std::vector<Stroke>& strokes) {
    std::vector<double> out;
    for (const Stroke& t : strokes) out.push_back(t.x1);
    return out;
}
std::vector<double> ys(const std::vector<Stroke>& strokes) {
    std::vector<double> out;
    for (const Stroke& t : strokes) out.push_back(t.y1);
    return out;
}
std::vector<double> every_other(const std::vector<double>& v, size_t from) {
    std::vector<double> out;
    for (size_t i = from; i < v.size(); i += 2) out.push_back(v[i]);
    return out;
}

TEST_F(AxesTest, LowerXAxisOfTheFirstFigure) {
    g_.name("TIME", "X");
    first_figure();
    // Axis line, then major ticks (24 down) at every second position from the first
    // and minor ticks (16) between.
    EXPECT_EQ(horizontal_between(494, 2473).size(), 2u);  // lower and upper axis line
    EXPECT_EQ(xs(vertical_between(1799, 1823)), every_other(kLowerTicks, 0));
    EXPECT_EQ(xs(vertical_between(1799, 1815)), every_other(kLowerTicks, 1));

    // Six labels with their top edge at 1847, each centred on its major tick.
    auto labels = clusters_along_x(region(380, 1830, 2600, 1890), 30);
    // A minus sign stands apart from its digits: merge clusters closer than a label gap.
    std::vector<Box> merged;
    for (const Box& b : labels) {
        if (!merged.empty() && b.xmin - merged.back().xmax < 45) {
            merged.back().add(b.xmin, b.ymin);
            merged.back().add(b.xmax, b.ymax);
        } else {
            merged.push_back(b);
        }
    }
    ASSERT_EQ(merged.size(), 6u);
    for (size_t i = 0; i < merged.size(); ++i) {
        EXPECT_NEAR(merged[i].ymin, 1847.0, 0.5);
        EXPECT_NEAR(merged[i].cx(), kLowerTicks[2 * i], 4.0) << "label " << i;
    }
    // The name's top edge 30 + 24 + 24 + 36 below the axis, centred along it.
    Box name = ink_in(region(380, 1900, 2600, 2000));
    EXPECT_NEAR(name.ymin, 1913.0, 0.5);
    EXPECT_NEAR(name.cx(), 494 + 1979 / 2.0, 4.0);
}

TEST_F(AxesTest, LeftYAxisOfTheFirstFigure) {
    g_.name("SCALE", "Y");
    first_figure();
    EXPECT_EQ(vertical_between(1799, 400).size(), 2u);  // left and right axis line
    EXPECT_EQ(ys(horizontal_between(494, 470)), every_other(kLeftTicks, 0));
    EXPECT_EQ(ys(horizontal_between(494, 478)), every_other(kLeftTicks, 1));

    // Labels 0.0 to 2.5 right-aligned at 446, top edges from 1780 up.
    auto labels = clusters_along_y(region(380, 380, 460, 1830), 20);
    const std::vector<double> tops = {1780, 1528, 1277, 1025, 774, 522};
    ASSERT_EQ(labels.size(), tops.size());
    double widest_left = 1e9;
    for (size_t i = 0; i < labels.size(); ++i) {
        const Box& b = labels[labels.size() - 1 - i];  // from the bottom up
        EXPECT_NEAR(b.ymin, tops[i], 0.5);
        EXPECT_NEAR(b.xmax, 446.0, 1.0);
        widest_left = std::min(widest_left, b.xmin);
    }
    // The name reads upwards, centred along the axis, 30 units left of the widest label:
    // its baseline (the right edge of its capitals) lies 30 + 1 units left of it.
    double widest = 0;
    for (const char* t : {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5"})
        widest = std::max(widest, text_length(s(), t));
    Box name = ink_in(region(0, 380, 370, 1850));
    EXPECT_NEAR(name.xmax, 446 - widest - 30 - 1, 1.0);
    EXPECT_NEAR(widest_left, 446 - widest, 6.0);
    EXPECT_NEAR(name.cy(), 1799 - 1399 / 2.0, 4.0);
    EXPECT_GT(name.ymax - name.ymin, name.xmax - name.xmin);  // drawn along the axis
}

TEST_F(AxesTest, UpperAndRightAxesHaveTicksOnly) {
    g_.name("TIME", "X");
    g_.name("SCALE", "Y");
    first_figure();
    EXPECT_EQ(xs(vertical_between(400, 376)), every_other(kLowerTicks, 0));
    EXPECT_EQ(xs(vertical_between(400, 384)), every_other(kLowerTicks, 1));
    EXPECT_EQ(ys(horizontal_between(2473, 2497)), every_other(kLeftTicks, 0));
    // Nothing beyond the ticks: no labels or names above or right of the system.
    EXPECT_EQ(ink_in(region(0, 0, 2969, 375)).points, 0);
    EXPECT_EQ(ink_in(region(2498, 0, 2969, 1830)).points, 0);
}

TEST_F(AxesTest, TicksAlternateTheirDirection) {
    first_figure();
    flush_polyline(s());
    // The first tick of the run goes outward from the axis, the next back to it.
    auto lower = rec_->segments();
    std::vector<Recording::Segment> ticks;
    for (const auto& t : lower)
        if (t.x1 == t.x2 && (t.y1 == 1799 || t.y2 == 1799) && std::max(t.y1, t.y2) > 1799)
            ticks.push_back(t);
    ASSERT_EQ(ticks.size(), 11u);
    for (size_t i = 0; i < ticks.size(); ++i) {
        if (i % 2 == 0)
            EXPECT_EQ(ticks[i].y1, 1799) << i;
        else
            EXPECT_EQ(ticks[i].y2, 1799) << i;
    }
    // One toggle for all axes: after eleven ticks the left axis starts at the outer end.
    bool found = false;
    for (const auto& t : lower) {
        if (t.y1 == 1799 && t.y2 == 1799 && std::min(t.x1, t.x2) == 470 &&
            std::max(t.x1, t.x2) == 494) {
            EXPECT_EQ(t.x1, 470);
            EXPECT_EQ(t.x2, 494);
            found = true;
            break;
        }
    }
    EXPECT_TRUE(found);
    // 11 + 12 + 11 + 12 ticks: the toggle is back to outward.
    EXPECT_TRUE(s().axes->tick_outward);
}

TEST_F(AxesTest, NoTicksPutsLabelsAtTheLabelDistance) {
    g_.ticks(0, "X");
    first_figure();
    EXPECT_TRUE(vertical_between(1799, 1823).empty());
    EXPECT_TRUE(vertical_between(400, 376).empty());
    Box labels = ink_in(region(470, 1800, 2600, 1880));
    EXPECT_NEAR(labels.ymin, 1799 + 24, 0.5);
}

TEST_F(AxesTest, ReversedTicksPointIntoTheSystem) {
    g_.ticpos("REVERS", "XY");
    first_figure();
    EXPECT_EQ(xs(vertical_between(1799, 1775)), every_other(kLowerTicks, 0));
    EXPECT_EQ(ys(horizontal_between(494, 518)), every_other(kLeftTicks, 0));
    EXPECT_EQ(xs(vertical_between(400, 424)), every_other(kLowerTicks, 0));
    Box labels = ink_in(region(470, 1800, 2600, 1880));
    EXPECT_NEAR(labels.ymin, 1799 + 24, 0.5);
    auto y_labels = clusters_along_y(region(380, 380, 493, 1850), 20);
    ASSERT_FALSE(y_labels.empty());
    EXPECT_NEAR(y_labels[0].xmax, 494 - 24, 1.0);
}

TEST_F(AxesTest, CentredTicksStraddleTheAxis) {
    g_.ticpos("CENTER", "X");
    first_figure();
    EXPECT_EQ(xs(vertical_between(1787, 1811)), every_other(kLowerTicks, 0));
    EXPECT_EQ(xs(vertical_between(1791, 1807)), every_other(kLowerTicks, 1));
    Box labels = ink_in(region(470, 1812, 2600, 1870));
    EXPECT_NEAR(labels.ymin, 1799 + 24 + 12, 0.5);
}

TEST_F(AxesTest, AxendsChoosesTheLabelsDrawn) {
    auto label_count = [&](const char* ends) {
        Gravox g;
        auto rec = open_recorded_plot(g);
        g.axends(ends, "X");
        ::testing::internal::CaptureStdout();
        g.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5);
        flush_polyline(gvx::state_of(g));
        std::vector<double> xs_seen;
        for (const auto& line : rec->polylines())
            for (const auto& p : line)
                if (p.y >= 1847 && p.y <= 1885) xs_seen.push_back(p.x);
        g.gvxfin();
        ::testing::internal::GetCapturedStdout();
        std::sort(xs_seen.begin(), xs_seen.end());
        int groups = 0;
        for (size_t i = 0; i < xs_seen.size(); ++i)
            if (i == 0 || xs_seen[i] - xs_seen[i - 1] > 100) ++groups;
        return std::make_pair(groups, xs_seen.empty() ? 0.0 : xs_seen.front());
    };
    EXPECT_EQ(label_count("NONE").first, 6);
    EXPECT_EQ(label_count("ENDS").first, 2);
    EXPECT_EQ(label_count("NOFIRST").first, 5);
    EXPECT_GT(label_count("NOFIRST").second, 600);
    EXPECT_EQ(label_count("NOENDS").first, 4);
    EXPECT_EQ(label_count("FIRST").first, 1);
    EXPECT_EQ(label_count("LAST").first, 1);
    EXPECT_GT(label_count("LAST").second, 2300);
}

TEST_F(AxesTest, IntervalCountToleranceReachesTheLastLabel) {
    // 0.3 / 0.1 falls just short of 3 in binary; the label at 0.3 is still drawn.
    output_of([&] { g_.graf(0, 0.3, 0, 0.1, 0, 1, 0, 1); });
    auto labels = clusters_along_x(region(380, 1840, 2600, 1890), 60);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_NEAR(labels.back().cx(), 2473, 4.0);
}

TEST_F(AxesTest, EndsWithASingleLabelPositionDrawsItOnce) {
    g_.axends("ENDS", "X");
    output_of([&] { g_.graf(0, 1, 0, 5, 0, 1, 0, 1); });  // D = 0
    auto labels = clusters_along_x(region(380, 1840, 2600, 1890), 60);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_NEAR(labels[0].cx(), 494, 4.0);
}

TEST_F(AxesTest, LabelsOutsideTheScalingAreNotDrawn) {
    // The first label lies before the axis: warning 12, and neither ticks nor labels
    // are put beyond the axis start.
    std::string out = output_of([&] { g_.graf(0, 10, -5, 5, 0, 1, 0, 1); });
    EXPECT_NE(out.find("Warning  12"), std::string::npos);
    Box left_of_axis = ink_in(region(0, 1830, 440, 1900));
    EXPECT_EQ(left_of_axis.points, 0);
    for (const Stroke& t : vertical_between(1799, 1823)) EXPECT_GE(t.x1, 494);
}

TEST_F(AxesTest, SetgrfMasksPartsWithoutChangingSettings) {
    g_.name("TIME", "X");
    g_.setgrf("LINE", "NONE", "NONE", "NAME");
    first_figure();
    EXPECT_TRUE(vertical_between(1799, 1823).empty());
    EXPECT_EQ(horizontal_between(494, 2473).size(), 1u);  // only the lower line
    EXPECT_TRUE(horizontal_between(494, 470).empty());    // left axis: nothing
    EXPECT_EQ(ys(horizontal_between(2473, 2497)), every_other(kLeftTicks, 0));
    EXPECT_GT(ink_in(region(2500, 380, 2969, 1850)).points, 0);  // right labels, name
    EXPECT_EQ(s().axes->axis[axis_x].ticks, 2);
    EXPECT_EQ(s().axes->axis[axis_x].label_type, LabelType::floating);
}

TEST_F(AxesTest, AutomaticDigitsOverwriteTheStoredDigits) {
    g_.labdif(-2, "XY");
    first_figure();
    EXPECT_EQ(s().axes->axis[axis_x].digits, -1);  // -15 and 5
    EXPECT_EQ(s().axes->axis[axis_y].digits, 1);   // 0 and 0.5
    EXPECT_TRUE(s().axes->axis[axis_x].auto_digits);
}

TEST_F(AxesTest, AxisColoursAreUsedAndTheCurrentColourRestored) {
    const int before = s().colours->current_colour;
    g_.axclrs(5, "TICKS", "X");
    g_.axclrs(7, "LINE", "Y");
    first_figure();
    std::vector<int> colours;
    for (const auto& c : rec_->of(Call::colour)) colours.push_back(c.colour);
    EXPECT_NE(std::find(colours.begin(), colours.end(), 5), colours.end());
    EXPECT_NE(std::find(colours.begin(), colours.end(), 7), colours.end());
    EXPECT_EQ(s().colours->current_colour, before);
    std::string out = output_of([&] { g_.axclrs(3, "FRAME", "X"); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
}

TEST_F(AxesTest, AxesAreSolidWhateverTheLinePattern) {
    const int dashes[2] = {10, 10};
    set_line_pattern(s(), dashes, 2);
    first_figure();
    // The lower axis line reaches the device as one segment.
    EXPECT_EQ(horizontal_between(494, 2473).size(), 2u);
    EXPECT_EQ(s().prims->dash_count, 2);  // the caller's pattern is back
}

TEST_F(AxesTest, SettingRoutinesCheckTheirArguments) {
    std::string out = output_of([&] {
        g_.ticks(1001, "X");
        g_.ticlen(0, 10);
        g_.ticlen(30, 10001);
        g_.labdif(101, "X");
        g_.hname(0);
        g_.labels("NUMBER", "X");
        g_.labmod("COLOUR", "RED", "X");
        g_.mylab("x", 51, "X");
        g_.labdis(0, "CON");
    });
    EXPECT_EQ(out.find("Warning   3"), std::string::npos);
    int count = 0;
    for (size_t at = out.find("Warning   2"); at != std::string::npos;
         at = out.find("Warning   2", at + 1))
        ++count;
    EXPECT_EQ(count, 9);
    EXPECT_NE(out.find("(COLOUR)"), std::string::npos);
    const AxisState& a = *s().axes;
    EXPECT_EQ(a.axis[axis_x].ticks, 2);
    EXPECT_EQ(a.major_tick, 24);
    EXPECT_EQ(a.minor_tick, 16);
    EXPECT_EQ(a.axis[axis_x].digits, 1);
    EXPECT_EQ(a.name_height, 36);
    // An axis string without X, Y or Z changes nothing and gives no warning.
    EXPECT_EQ(output_of([&] { g_.ticks(5, "Q"); }), "");
    EXPECT_EQ(a.axis[axis_x].ticks, 2);
    g_.ticks(5, "yzx");  // only the first three characters count, in any case
    EXPECT_EQ(a.axis[axis_x].ticks, 5);
    EXPECT_EQ(a.axis[axis_z].ticks, 5);
    g_.labels("CLOG", "Y");
    EXPECT_EQ(a.axis[axis_y].format_class, 1);
    EXPECT_TRUE(a.axis[axis_y].exponent_centring);
    g_.labels("DMAP", "Y");
    EXPECT_EQ(a.axis[axis_y].label_family, 2);
    g_.labels("MAXIMUM", "BAR");  // the bar graph setting, not an axis
    EXPECT_EQ(a.features.bar_mode, 4);
    EXPECT_EQ(a.axis[axis_y].label_type, LabelType::degree_map);
    g_.labdif(3, "PER");
    EXPECT_EQ(a.features.percent_digits, 3);
}

TEST_F(AxesTest, SettingsReturnToTheirDefaultsWithTheNextPlot) {
    g_.ticks(7, "X");
    g_.name("TIME", "X");
    g_.axslen(500, 500);
    g_.numfmt("EXP");
    g_.basdat(1, 1, 2000);
    first_figure();
    const bool toggle = s().axes->tick_outward;
    output_of([&] {
        g_.gvxfin();
        g_.gvxini();
    });
    const AxisState& a = *s().axes;
    EXPECT_EQ(a.axis[axis_x].ticks, 2);
    EXPECT_STREQ(a.axis[axis_x].name, "");
    EXPECT_EQ(a.len_x, 1980);
    EXPECT_EQ(s().text->numbers.format, NumberFormat::floating);
    EXPECT_EQ(a.kind, AxisKind::none);
    // The tick toggle and the base date are kept for the life of the object.
    EXPECT_EQ(a.tick_outward, toggle);
    EXPECT_EQ(a.base_year, 2000);
}

TEST_F(AxesTest, CalendarTicksAndDateLabels) {
    g_.basdat(1, 1, 2024);
    g_.ticmod("MONTH", "X");
    g_.labels("DATE", "X");
    g_.labmod("STEP", "QUARTER", "X");
    output_of([&] { g_.graf(0, 365, 0, 30, 0, 1, 0, 1); });
    // Twelve month starts in 2024 (a leap year of 366 days: 1 January 2025 is day 366).
    EXPECT_EQ(vertical_between(1799, 1823).size(), 12u);
    // Four labels at the quarter starts.
    auto labels = clusters_along_x(region(380, 1840, 2600, 1890), 60);
    EXPECT_EQ(labels.size(), 4u);
}

TEST_F(AxesTest, HugeTickCountsDrawNothingInsteadOfRunningForAges) {
    output_of([&] { g_.graf(0, 1e12, 0, 1e-3, 0, 1, 0, 0.5); });
    EXPECT_TRUE(vertical_between(1799, 1823).empty());
    EXPECT_EQ(s().frame.level, 2);
}

}  // namespace
}  // namespace gvx::testing

namespace gvx::testing {
namespace {

TEST_F(AxesTest, UpperAndRightAxesWithEveryPart) {
    g_.setgrf("NAME", "NAME", "NAME", "NAME");
    g_.name("TIME", "X");
    g_.name("SCALE", "Y");
    first_figure();
    // Upper labels end at the label distance above the ticks; the name above them.
    Box upper_labels = ink_in(region(380, 300, 2600, 375));
    EXPECT_NEAR(upper_labels.ymin, 400 - 48 - 36, 0.5);
    Box upper_name = ink_in(region(380, 200, 2600, 299));
    EXPECT_NEAR(upper_name.ymin, 400 - 78 - 36 - 36, 0.5);
    // Right labels start 48 units right of the axis and are right-aligned to the widest.
    double widest = 0;
    for (const char* t : {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5"})
        widest = std::max(widest, text_length(s(), t));
    auto right_labels = clusters_along_y(region(2500, 380, 2600, 1830), 20);
    ASSERT_EQ(right_labels.size(), 6u);
    for (const Box& b : right_labels) EXPECT_NEAR(b.xmax, 2473 + 48 + widest, 1.0);
    // The right name reads downwards, its baseline 30 units beyond the widest label.
    Box right_name = ink_in(region(2600, 380, 2969, 1830));
    EXPECT_NEAR(right_name.xmin, 2473 + 78 + widest + 1, 1.0);
    EXPECT_NEAR(right_name.cy(), 1799 - 1399 / 2.0, 4.0);
}

TEST_F(AxesTest, ReversedRightNameReadsUpwards) {
    g_.setgrf("NAME", "NAME", "TICKS", "NAME");
    g_.name("SCALE", "Y");
    g_.rvynam();
    first_figure();
    double widest = 0;
    for (const char* t : {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5"})
        widest = std::max(widest, text_length(s(), t));
    Box right_name = ink_in(region(2600, 380, 2969, 1830));
    // Reading upwards its capitals stand on the side away from the axis.
    EXPECT_NEAR(right_name.xmax, 2473 + 78 + widest + 35, 1.0);
    EXPECT_NEAR(right_name.cy(), 1799 - 1399 / 2.0, 4.0);
}

}  // namespace
}  // namespace gvx::testing
