// The plotter devices: opening lines, hpgmod, scales, the flip and turn of the page,
// the 80-column lines and the close.
#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using HpglTest = FormatTest;

// True when a line is nothing but whole commands: PU or PD with two numbers, or SP
// with one, each ended by ";".
bool whole_commands(const std::string& line) {
    std::size_t at = 0;
    auto digits = [&] {
        const std::size_t start = at;
        while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
        return at > start;
    };
    while (at < line.size()) {
        const std::string op = line.substr(at, 2);
        at += 2;
        if (op == "PU" || op == "PD") {
            if (!digits() || at >= line.size() || line[at++] != ',' || !digits()) return false;
        } else if (op != "SP" || !digits()) {
            return false;
        }
        if (at >= line.size() || line[at++] != ';') return false;
    }
    return !line.empty();
}

TEST_F(HpglTest, SceneMatchesGoldenFile) {
    open("HPGL");
    draw_scene();
    const std::string plot = finish();
    EXPECT_EQ(opened_name_, "gravox.hpg");
    EXPECT_EQ(opened_mode_, "w");
    expect_golden(plot, "scene.hpg");
}

TEST_F(HpglTest, PageCornersAreFlippedIntoPlotterUnits) {
    open("HPGL");
    EXPECT_DOUBLE_EQ(s().page.device_scale, 4.0);
    move_to(s(), 0, 0);
    draw_to(s(), 2969, 2099);
    const std::string plot = finish();
    EXPECT_EQ(plot.substr(0, 6), " SP1;\n");
    EXPECT_NE(plot.find("PU0,8396;PD11876,0;"), std::string::npos) << plot;
    EXPECT_EQ(plot.substr(plot.size() - 7), "PU0,0;\n");
}

TEST_F(HpglTest, LinesHoldWholeCommandsOfAtMostEightyCharacters) {
    open("HPGL");
    move_to(s(), 0, 0);
    for (int i = 1; i < 300; ++i) draw_to(s(), i * 9.7, (i % 13) * 150.3);
    const std::string plot = finish();
    const auto lines = split_lines(plot);
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(plot.back(), '\n');
    int draws = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 80u) << "line " << i;
        EXPECT_TRUE(whole_commands(lines[i])) << "line " << i << ": " << lines[i];
        // A line ends only where the next command would not have fitted.
        if (i + 1 < lines.size()) {
            const std::size_t next = lines[i + 1].find(';');
            EXPECT_GT(lines[i].size() + next + 1, 80u) << "line " << i << " ended early";
        }
        draws += count_of(lines[i], "PD");
    }
    EXPECT_EQ(draws, s().frame.vector_count);
}

TEST_F(HpglTest, ArisModeAddsItsInitialisationLine) {
    g_.hpgmod("ARIS", "PLOT");
    open("HPGL");
    EXPECT_EQ(finish().substr(0, 20), "IN;SP1;LT;PU;\n SP1;\n");

    bytes_.clear();
    g_.hpgmod("standard", "plotter");
    open("HPGL");
    EXPECT_EQ(finish().substr(0, 6), " SP1;\n");
}

TEST_F(HpglTest, HpgmodRefusesKeysOtherThanPlotAndCallsInsideAPlot) {
    g_.hpgmod("ARIS", "PLOT");
    const std::string refused = output_of([&] { g_.hpgmod("STAN", "PLO"); });
    EXPECT_NE(refused.find("Warning   2"), std::string::npos);
    EXPECT_NE(refused.find("(PLO)"), std::string::npos);
    EXPECT_EQ(s().formats->hpgl_mode, 1);
    output_of([&] { g_.hpgmod("STAN", nullptr); });
    output_of([&] { g_.hpgmod("NONE", "PLOT"); });
    EXPECT_EQ(s().formats->hpgl_mode, 1);

    open("HPGL");
    const std::string level = output_of([&] { g_.hpgmod("STAN", "PLOT"); });
    EXPECT_NE(level.find("Warning   3"), std::string::npos);
    EXPECT_EQ(s().formats->hpgl_mode, 1);
    g_.gvxfin();
}

TEST_F(HpglTest, FittedPlottersScaleThePageIntoTheirArea) {
    struct Case {
        const char* format;
        double scale;
    };
    const Case cases[] = {{"HPA4", 7600.0 / 2099.0}, {"HPA3", 4.0}, {"HPA2", 4.0}, {"HPA1", 4.0}};
    for (const Case& c : cases) {
        bytes_.clear();
        open(c.format);
        EXPECT_DOUBLE_EQ(s().page.device_scale, c.scale) << c.format;
        g_.gvxfin();
    }
    // Without the limit of the scale mode the page fills the A1 area.
    bytes_.clear();
    open("HPA1", [&] { g_.sclmod("FULL"); });
    EXPECT_DOUBLE_EQ(s().page.device_scale, std::min(30280.0 / 2969, 21360.0 / 2099));
    g_.gvxfin();
}

TEST_F(HpglTest, PortraitPagesAreTurnedOnFittedPlotters) {
    open("HPA3", [&] { g_.setpag("DA4P"); });
    ASSERT_EQ(s().page.width, 2099);
    ASSERT_EQ(s().page.height, 2969);
    move_to(s(), 0, 0);
    draw_to(s(), 2099, 2969);
    const std::string plot = finish();
    // The page's upper left corner goes to the plotter's lower right along the width.
    EXPECT_NE(plot.find("PU11876,8396;PD0,0;"), std::string::npos) << plot;

    // The plain device turns a page of the orientation PORT by exchanging the axes.
    bytes_.clear();
    open("HPGL", [&] {
        g_.setpag("DA4L");
        g_.pagmod("PORT");
    });
    move_to(s(), 0, 100);
    draw_to(s(), 2969, 2099);
    const std::string turned = finish();
    EXPECT_NE(turned.find("PU400,0;PD8396,11876;"), std::string::npos) << turned;
}

TEST_F(HpglTest, ColoursBecomePenNumbersOfTheTable) {
    open("HPGL");
    g_.setclr(37);
    g_.color("RED");
    const int red = s().colours->current_colour;  // explicit: the nearest entry is the pen
    const int pen = resolve_device_colour(s(), red).index;
    ASSERT_EQ(s().colours->table[pen], 0xff0000u);
    fill_box(s(), 0, 0, 100, 10, red);  // hatched with horizontal lines
    const std::string plot = finish();
    EXPECT_NE(plot.find("SP37;SP" + std::to_string(pen) + ";"), std::string::npos) << plot;
    EXPECT_NE(plot.find("PU0,8396;PD400,8396;"), std::string::npos);
    EXPECT_NE(plot.find("PU0,8356;PD400,8356;"), std::string::npos);  // the lower edge
}

}  // namespace
}  // namespace gvx::testing
