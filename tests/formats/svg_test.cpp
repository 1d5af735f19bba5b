// The "SVG " device: head, background, stroke groups, line and polyline elements,
// widths, boxes and polygons.
#include <cstdio>

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using SvgTest = FormatTest;

// The points of every polyline and line element, in document order.
std::vector<std::vector<std::pair<double, double>>> elements(const std::string& svg) {
    std::vector<std::vector<std::pair<double, double>>> out;
    std::size_t at = 0;
    while ((at = svg.find('<', at)) != std::string::npos) {
        const std::size_t end = svg.find("/>", at);
        if (end == std::string::npos) break;
        const std::string element = svg.substr(at, end - at);
        ++at;
        std::vector<std::pair<double, double>> pts;
        double x1, y1, x2, y2;
        if (element.rfind("<polyline points=\"", 0) == 0) {
            const char* p = element.c_str() + 18;
            int used = 0;
            while (std::sscanf(p, " %lf, %lf%n", &x1, &y1, &used) == 2) {
                pts.emplace_back(x1, y1);
                p += used;
            }
        } else if (std::sscanf(element.c_str(), "<line x1=\"%lf\" y1=\"%lf\" x2=\"%lf\" y2=\"%lf\"",
                               &x1, &y1, &x2, &y2) == 4) {
            pts = {{x1, y1}, {x2, y2}};
        } else {
            continue;
        }
        out.push_back(pts);
    }
    return out;
}

TEST_F(SvgTest, SceneMatchesGoldenFile) {
    open("SVG ");
    draw_scene();
    const std::string svg = finish();
    EXPECT_EQ(opened_name_, "gravox.svg");
    EXPECT_EQ(opened_mode_, "w");
    expect_golden(svg, "scene.svg");
}

TEST_F(SvgTest, HeadGivesSizeAndDateAndBackgroundFollowsScreenMode) {
    open("SVG ");  // AUTO is reversed for SVG: no background
    const std::string reversed = finish();
    EXPECT_NE(reversed.find("<svg width=\"853\" height=\"603\"\n"), std::string::npos);
    EXPECT_NE(reversed.find("Date   : 07.12.2026 09:05:03\n"), std::string::npos);
    EXPECT_NE(reversed.find("Version: 10.4\n"), std::string::npos);
    EXPECT_EQ(reversed.find("<rect"), std::string::npos);
    EXPECT_EQ(reversed.substr(reversed.size() - 7), "</svg>\n");
    EXPECT_DOUBLE_EQ(s().page.device_scale, 602.0 / 2099.0);

    bytes_.clear();
    g_.scrmod("ERASE");
    open("SVG ");
    const std::string normal = finish();
    const std::string head_end = "xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n\n";
    const std::size_t body = normal.find(head_end);
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(normal.substr(body + head_end.size()),
              "<rect x=\"0.00\" y=\"0.00\" width=\"852.00\" height=\"602.00\"\n"
              " fill=\"#000000\" stroke=\"none\"/>\n</svg>\n");

    bytes_.clear();
    g_.scrmod("REVERS");
    open("SVG ");
    EXPECT_EQ(finish().find("<rect"), std::string::npos);
}

TEST_F(SvgTest, LongCurvesBecomeChainsOfAtMostFiftyPoints) {
    open("SVG ");
    std::vector<std::pair<double, double>> drawn;
    move_to(s(), 10, 10);
    for (int i = 1; i < 250; ++i) draw_to(s(), 10 + i * 11, 10 + (i % 7) * 13);
    const std::string svg = finish();
    const auto parts = elements(svg);
    ASSERT_GE(parts.size(), 6u);
    std::size_t total = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        EXPECT_LE(parts[k].size(), 50u);
        EXPECT_GE(parts[k].size(), 2u);
        if (k > 0) {
            EXPECT_EQ(parts[k].front(), parts[k - 1].back()) << "element " << k;
        }
        total += parts[k].size() - (k > 0 ? 1 : 0);
    }
    EXPECT_EQ(total, 250u);  // every vertex once, the shared ends counted once
    const double scale = 602.0 / 2099.0;
    EXPECT_NEAR(parts.back().back().first, (10 + 249 * 11) * scale, 0.006);
    // Five points to a line of the points attribute.
    EXPECT_NE(svg.find("<polyline points=\"\n 2.87, 2.87 6.02, 6.60 9.18, 10.32 12.33, 14.05 "
                       "15.49, 17.78\n 18.64,"),
              std::string::npos);
}

TEST_F(SvgTest, LoneSegmentIsOneLineElement) {
    open("SVG ");
    move_to(s(), 0, 0);
    draw_to(s(), 2969, 2099);
    const std::string svg = finish();
    EXPECT_NE(svg.find("<line x1=\"0.00\" y1=\"0.00\" x2=\"851.52\" y2=\"602.00\"/>\n"),
              std::string::npos);
    EXPECT_EQ(svg.find("<polyline"), std::string::npos);
}

TEST_F(SvgTest, StrokeGroupsFollowColourChanges) {
    open("SVG ");
    g_.color("RED");
    g_.color("BLUE");  // two changes in a row: no group between them
    move_to(s(), 100, 100);
    g_.color("GREEN");  // a lone move leaves an empty stroke group
    move_to(s(), 100, 100);
    draw_to(s(), 200, 100);
    const std::string svg = finish();
    EXPECT_EQ(count_of(svg, "<g "), 2);
    EXPECT_NE(svg.find("<g fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1.000\">\n</g>\n"
                       "<g fill=\"none\" stroke=\"#00ff00\" stroke-width=\"1.000\">\n<line "),
              std::string::npos);
    EXPECT_EQ(svg.find("#ff0000"), std::string::npos);
    EXPECT_EQ(count_of(svg, "<g "), count_of(svg, "</g>"));
}

TEST_F(SvgTest, WideLinesAreDrawnByTheStrokeWidth) {
    open("SVG ");
    move_to(s(), 100, 100);
    draw_to(s(), 200, 100);
    g_.linwid(10);
    EXPECT_EQ(s().prims->line_width, -10);
    move_to(s(), 1000, 1000);
    draw_to(s(), 2000, 1000);
    g_.linwid(1);
    move_to(s(), 100, 200);
    draw_to(s(), 200, 200);
    const std::string svg = finish();
    // The old width's line stays in its group; the wide line opens its own.
    EXPECT_NE(svg.find("stroke-width=\"1.000\">\n<line x1=\"28.68\" y1=\"28.68\" x2=\"57.36\""),
              std::string::npos);
    EXPECT_NE(svg.find("stroke-width=\"10.000\">\n<line x1=\"286.80\" y1=\"286.80\" "
                       "x2=\"573.61\" y2=\"286.80\"/>\n</g>\n"),
              std::string::npos);
    EXPECT_EQ(count_of(svg, "<line"), 3);  // no rings
    EXPECT_EQ(count_of(svg, "stroke-width=\"1.000\""), 2);

    // With hardware lines off the primitives widen the line and the stroke stays thin.
    bytes_.clear();
    g_.hwmode("OFF", "LINE");
    open("SVG ");
    g_.linwid(10);
    move_to(s(), 1000, 1000);
    draw_to(s(), 2000, 1000);
    const std::string rings = finish();
    EXPECT_EQ(rings.find("stroke-width=\"10.000\""), std::string::npos);
    EXPECT_GT(count_of(rings, "<polyline") + count_of(rings, "<line"), 1);
}

TEST_F(SvgTest, BoxesAndPolygonsAreFilledElementsAfterPendingLines) {
    open("SVG ");
    g_.color("RED");
    move_to(s(), 0, 0);
    draw_to(s(), 100, 0);
    fill_box(s(), 100, 200, 400, 300, rgb(1, 2, 3));
    const double x[] = {0, 2099, 0};
    const double y[] = {0, 0, 2099};
    fill_polygon(s(), x, y, 3);
    const std::string svg = finish();
    const std::size_t line = svg.find("<line");
    const std::size_t rect = svg.find(
        "<rect x=\"28.68\" y=\"57.36\" width=\"86.04\" height=\"28.68\"\n"
        " fill=\"#010203\" stroke=\"none\"/>\n");
    const std::size_t polygon = svg.find(
        "<polygon fill=\"#ff0000\" points=\"\n 0.00, 0.00 602.00, 0.00 0.00, 602.00\"/>\n");
    ASSERT_NE(line, std::string::npos);
    ASSERT_NE(rect, std::string::npos);
    ASSERT_NE(polygon, std::string::npos);
    EXPECT_LT(line, rect);
    EXPECT_LT(rect, polygon);
}

TEST_F(SvgTest, TurnedPageExchangesTheAxes) {
    open("SVG ", [&] { g_.pagmod("PORT"); });
    move_to(s(), 0, 0);
    draw_to(s(), 2969, 0);
    const std::string svg = finish();
    // The page is turned: its width runs down the document.
    const double scale = s().page.device_scale;
    char expected[128];
    std::snprintf(expected, sizeof expected,
                  "<line x1=\"0.00\" y1=\"%.2f\" x2=\"0.00\" y2=\"0.00\"/>", scale * 2969);
    EXPECT_NE(svg.find(expected), std::string::npos) << svg;
}

}  // namespace
}  // namespace gvx::testing
