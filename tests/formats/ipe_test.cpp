// The "IPE " device: head, paths in points, colours as fractions, pen widths, filled
// boxes and polygons, and the close.

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using IpeTest = FormatTest;

// The point lines of every path, in document order.
std::vector<std::vector<std::string>> paths(const std::string& ipe) {
    std::vector<std::vector<std::string>> out;
    const auto lines = split_lines(ipe);
    bool inside = false;
    for (const std::string& line : lines) {
        if (line.rfind("<path ", 0) == 0) {
            out.emplace_back();
            inside = true;
        } else if (line == "</path>") {
            inside = false;
        } else if (inside) {
            out.back().push_back(line.substr(0, line.size() - 2));  // without " m" or " l"
        }
    }
    return out;
}

TEST_F(IpeTest, SceneMatchesGoldenFile) {
    open("IPE ");
    draw_scene();
    const std::string ipe = finish();
    EXPECT_EQ(opened_name_, "gravox.ipe");
    EXPECT_EQ(opened_mode_, "w");
    expect_golden(ipe, "scene.ipe");
}

TEST_F(IpeTest, HeadScaleAndPageCorners) {
    open("IPE ");
    EXPECT_DOUBLE_EQ(s().page.device_scale, 72.0 / 254.0);
    EXPECT_EQ(s().page.colour_depth, 24);
    move_to(s(), 0, 0);
    draw_to(s(), 2969, 2099);
    const std::string ipe = finish();
    EXPECT_EQ(ipe.rfind("<?xml version=\"1.0\"?>\n<!DOCTYPE ipe SYSTEM \"ipe.dtd\">\n"
                        "<ipe version=\"70010\" creator=\"Gravox 10.4\">\n"
                        "<info created=\"D:20261207090503\" modified=\"D:20261207090503\"/>\n"
                        "<preamble>\\usepackage{times,graphicx}</preamble>\n"
                        "<ipestyle name=\"basic\">\n"
                        "<layout paper=\"842 595\" origin=\"0 0\" frame=\"842 595\"/>\n"
                        "</ipestyle>\n<page>\n"
                        "<layer name=\"alpha\"/>\n<view layers=\"alpha\" active=\"alpha\"/>\n",
                        0),
              0u);
    EXPECT_NE(ipe.find("<path layer=\"alpha\" stroke=\"0 0 0\" pen=\"0.709\">\n"
                       "0.0 595.0 m\n841.6 0.0 l\n</path>\n</page>\n</ipe>\n"),
              std::string::npos)
        << ipe;
}

TEST_F(IpeTest, LoneMovesWriteNoPath) {
    open("IPE ");
    move_to(s(), 100, 100);
    g_.color("RED");
    move_to(s(), 200, 200);
    move_to(s(), 300, 300);
    const std::string ipe = finish();
    EXPECT_EQ(ipe.find("<path"), std::string::npos);
}

TEST_F(IpeTest, ColoursAreWrittenAsFractions) {
    open("IPE ");
    g_.color("RED");
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    set_device_colour(s(), rgb(128, 0, 255));
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    set_device_colour(s(), rgb(1, 254, 51));
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    const std::string ipe = finish();
    EXPECT_NE(ipe.find("stroke=\"1 0 0\""), std::string::npos);
    EXPECT_NE(ipe.find("stroke=\"0.502 0 1\""), std::string::npos);
    EXPECT_NE(ipe.find("stroke=\"0.004 0.996 0.200\""), std::string::npos) << ipe;
}

TEST_F(IpeTest, PathsHoldAtMostOneHundredPointsAndChain) {
    open("IPE ");
    move_to(s(), 0, 0);
    for (int i = 1; i < 250; ++i) draw_to(s(), i * 10.0, (i % 5) * 100.0);
    const std::string ipe = finish();
    const auto all = paths(ipe);
    ASSERT_EQ(all.size(), 3u);
    std::size_t total = 0;
    for (std::size_t k = 0; k < all.size(); ++k) {
        EXPECT_LE(all[k].size(), 100u);
        if (k > 0) {
            EXPECT_EQ(all[k].front(), all[k - 1].back());
        }
        total += all[k].size() - (k > 0 ? 1 : 0);
    }
    EXPECT_EQ(total, 250u);
}

TEST_F(IpeTest, PenWidthFollowsLinwid) {
    open("IPE ");
    g_.linwid(10);
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    g_.linwid(2);  // thinner than the thinnest pen: the thinnest pen
    move_to(s(), 0, 10);
    draw_to(s(), 100, 10);
    g_.linwid(1);
    move_to(s(), 0, 20);
    draw_to(s(), 100, 20);
    const std::string ipe = finish();
    const std::size_t wide = ipe.find("pen=\"2.835\">\n0.0 595.0 m\n28.3 595.0 l\n");
    const std::size_t thin = ipe.find("pen=\"0.709\">\n0.0 592.2 m\n");
    const std::size_t base = ipe.find("pen=\"0.709\">\n0.0 589.3 m\n");
    EXPECT_NE(wide, std::string::npos) << ipe;
    EXPECT_NE(thin, std::string::npos);
    EXPECT_NE(base, std::string::npos);
    EXPECT_EQ(count_of(ipe, "<path"), 3);  // the device draws the width: no rings
}

TEST_F(IpeTest, BoxesAndPolygonsAreFilledPaths) {
    open("IPE ");
    g_.color("BLUE");
    fill_box(s(), 0, 0, 254, 127, rgb(255, 0, 0));
    const double x[] = {0, 254, 0};
    const double y[] = {0, 0, 254};
    fill_polygon(s(), x, y, 3);
    const std::string ipe = finish();
    EXPECT_NE(ipe.find("<path layer=\"alpha\" fill=\"1 0 0\">\n0.0 595.0 m\n0.0 559.0 l\n"
                       "72.0 559.0 l\n72.0 595.0 l\n0.0 595.0 l\n</path>\n"
                       "<path layer=\"alpha\" fill=\"0 0 1\" stroke=\"0 0 1\">\n0.0 595.0 m\n"
                       "72.0 595.0 l\n0.0 523.0 l\nh\n</path>\n"),
              std::string::npos)
        << ipe;
}

}  // namespace
}  // namespace gvx::testing
