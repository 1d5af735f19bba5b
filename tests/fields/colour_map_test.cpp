// Colour maps: the sub-cells of crvmat with their bilinear values and merged runs, the
// rectangles of curve3, and the size of a heat map in SVG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "tests/fields/field_fixture.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

using ColourMapTest = FieldFixture;

// The value whose colour a cell (i, j) of an n by n matrix takes: the mean of its corners.
double cell_mean(const std::vector<double>& z, int n, int i, int j) {
    return (z[i * n + j] + z[i * n + j + 1] + z[(i + 1) * n + j] + z[(i + 1) * n + j + 1]) / 4.0;
}

TEST_F(ColourMapTest, SubCellsTakeTheBilinearValueAtTheirCentres) {
    // z = 0 along x = -1 and 1 along x = 1, constant in y: four sub-columns of one cell
    // with the values 1/8, 3/8, 5/8 and 7/8.
    const double z[4] = {0.0, 0.0, 1.0, 1.0};
    output_of([&] { g_.crvmat(z, 2, 2, 4, 2); });
    const auto boxes = rec_->of(Call::fill_box);
    // 4 colours in each of 2 rows, equal in both: one box per colour over both rows.
    ASSERT_EQ(boxes.size(), 4u);
    const ColourScale& scale = s().fields->scale;
    for (int a = 0; a < 4; ++a) {
        const auto& b = boxes[a];
        EXPECT_EQ(b.colour, scale_colour(s(), scale, (a + 0.5) / 4.0));
        EXPECT_NEAR(std::min(b.x1, b.x2), 500.0 + a * 250.0, 1e-9);
        EXPECT_NEAR(std::max(b.x1, b.x2), 500.0 + (a + 1) * 250.0, 1e-9);
        EXPECT_NEAR(std::max(b.y1, b.y2), 1600.0, 1e-9);
        EXPECT_NEAR(std::min(b.y1, b.y2), 600.0, 1e-9);
    }
    EXPECT_EQ(boxes[0].colour, 32);  // 1 + floor(254 / 8)
}

TEST_F(ColourMapTest, RunsOfOneColourAreMergedAndNanCellsLeftOut) {
    // A constant matrix: one box spanning the axis system.
    std::vector<double> z(5 * 4, 0.25);
    output_of([&] { g_.crvmat(z.data(), 5, 4, 3, 2); });
    auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NEAR(std::min(boxes[0].x1, boxes[0].x2), 500.0, 1e-9);
    EXPECT_NEAR(std::max(boxes[0].x1, boxes[0].x2), 1500.0, 1e-9);
    EXPECT_NEAR(std::min(boxes[0].y1, boxes[0].y2), 600.0, 1e-9);
    EXPECT_NEAR(std::max(boxes[0].y1, boxes[0].y2), 1600.0, 1e-9);
    EXPECT_EQ(boxes[0].colour, scale_colour(s(), s().fields->scale, 0.25));
    // Values beyond the scale take the under and over colours; NaN cells break a run.
    rec_->clear();
    const double nan = std::nan("");
    const double z2[10] = {-3, -3, -1, -1, nan, nan, 3, 3, 5, 5};  // columns of 5 by 2
    output_of([&] { g_.crvmat(z2, 5, 2, 1, 1); });
    boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].colour, s().colours->under_colour);
    EXPECT_EQ(boxes[1].colour, s().colours->over_colour);
    EXPECT_NEAR(std::max(boxes[0].x1, boxes[0].x2), 750.0, 1e-9);
    EXPECT_NEAR(std::min(boxes[1].x1, boxes[1].x2), 1250.0, 1e-9);
}

TEST_F(ColourMapTest, MergedBoxesTileTheMapWithEachCellsColour) {
    // A bump with plains, rings and a hole of NaN cells.
    const int n = 31;
    std::vector<double> z(n * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double a = -1.0 + 2.0 * i / (n - 1), b = -1.0 + 2.0 * j / (n - 1);
            z[i * n + j] = std::exp(-3.0 * (a * a + b * b)) * 1.6 - 0.2;
        }
    z[20 * n + 5] = std::nan("");
    output_of([&] { g_.crvmat(z.data(), n, n, 1, 1); });
    const auto boxes = rec_->of(Call::fill_box);
    const double d = 1000.0 / (n - 1);
    int runs = 0;
    for (int j = 0; j + 1 < n; ++j) {
        int previous = -2;
        for (int i = 0; i + 1 < n; ++i) {
            const double centre = cell_mean(z, n, i, j);
            const int colour =
                std::isnan(centre) ? -1 : scale_colour(s(), s().fields->scale, centre);
            runs += colour != previous && colour >= 0;
            previous = colour;
            // The cell's centre lies in exactly one box, of the cell's colour (none for NaN).
            const double cx = 500.0 + (i + 0.5) * d, cy = 1600.0 - (j + 0.5) * d;
            int inside = 0;
            for (const auto& b : boxes) {
                if (cx > std::min(b.x1, b.x2) && cx < std::max(b.x1, b.x2) &&
                    cy > std::min(b.y1, b.y2) && cy < std::max(b.y1, b.y2)) {
                    ++inside;
                    EXPECT_EQ(b.colour, colour) << i << ", " << j;
                }
            }
            EXPECT_EQ(inside, colour >= 0 ? 1 : 0) << i << ", " << j;
        }
    }
    // Rows merged down: fewer boxes than runs along the rows.
    EXPECT_LT(boxes.size(), static_cast<std::size_t>(runs));
}

TEST_F(ColourMapTest, RefusedOutsideAColourSystemOrWithBadSizes) {
    const double z[4] = {0, 0, 1, 1};
    const int before = warnings();
    output_of([&] {
        g_.crvmat(z, 1, 2, 1, 1);
        g_.crvmat(z, 2, 2, 0, 1);
        g_.crvmat(nullptr, 2, 2, 1, 1);
    });
    EXPECT_EQ(warnings(), before + 3);
    EXPECT_EQ(rec_->count(Call::fill_box), 0);
    // A plain axis system has no colour scale: level 2 refuses.
    output_of([&] {
        g_.endgrf();
        g_.graf(-1, 1, -1, 0.5, -1, 1, -1, 0.5);
    });
    rec_->clear();
    const std::string out = output_of([&] { g_.crvmat(z, 2, 2, 1, 1); });
    EXPECT_NE(out.find("Warning   3"), std::string::npos) << out;
    EXPECT_EQ(rec_->count(Call::fill_box), 0);
}

TEST_F(ColourMapTest, ScatteredRectanglesOfSetresAndAutres) {
    const double x[2] = {0.0, 0.5}, y[2] = {0.0, -0.5}, z[2] = {0.0, 1.0};
    g_.setres(40, 20);
    output_of([&] { g_.curve3(x, y, z, 2); });
    auto boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].colour, 1);
    EXPECT_EQ(boxes[1].colour, 254);
    EXPECT_NEAR(std::min(boxes[1].x1, boxes[1].x2), px(0.5) - 20, 1e-9);
    EXPECT_NEAR(std::max(boxes[1].x1, boxes[1].x2), px(0.5) + 20, 1e-9);
    EXPECT_NEAR(std::max(boxes[1].y1, boxes[1].y2), py(-0.5) + 10, 1e-9);
    rec_->clear();
    g_.autres(10, 4);  // 1001 / 10 and 1001 / 4, rounded up
    output_of([&] { g_.curve3(x, y, z, 1); });
    boxes = rec_->of(Call::fill_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NEAR(std::fabs(boxes[0].x2 - boxes[0].x1), 101.0, 1e-9);
    EXPECT_NEAR(std::fabs(boxes[0].y2 - boxes[0].y1), 251.0, 1e-9);
}

// Writes a 200 x 200 heat map (a bump: wide plains of one colour around it) in a format
// and returns the file; runs counts the runs of one colour along the rows, the colour of
// a cell being that of the mean of its corners.
std::string heat_map_file(const char* format, const char* file, int& runs, bool compressed = true) {
    TempDir dir;
    WorkingDir cwd(dir.path());
    Gravox g;
    ::testing::internal::CaptureStdout();
    if (!compressed) g.pdfmod("OFF", "COMPRESSION");
    g.metafl(format);
    g.setfil(file);
    g.gvxini();
    g.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2);
    const int n = 200;
    const auto x = spaced(-1, 1, n);
    const auto z =
        matrix(x, x, [](double a, double b) { return std::exp(-6.0 * (a * a + b * b)); });
    runs = 0;
    for (int j = 0; j + 1 < n; ++j) {
        int previous = -2;
        for (int i = 0; i + 1 < n; ++i) {
            const double centre = cell_mean(z, n, i, j);
            const int c = scale_colour(gvx::state_of(g), gvx::state_of(g).fields->scale, centre);
            runs += c != previous;
            previous = c;
        }
    }
    g.crvmat(z.data(), n, n, 1, 1);
    g.gvxfin();
    ::testing::internal::GetCapturedStdout();
    return read_file(file);
}

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The bytes of the elements of a file that start with `start` and end with "/>\n".
std::size_t element_bytes(const std::string& text, const std::string& start, int* count = nullptr) {
    std::size_t bytes = 0;
    int n = 0;
    for (std::size_t at = text.find(start); at != std::string::npos; at = text.find(start, at)) {
        const std::size_t end = text.find("/>\n", at);
        if (end == std::string::npos) break;
        bytes += end + 3 - at;
        at = end;
        ++n;
    }
    if (count) *count = n;
    return bytes;
}

TEST(ColourMapFile, HeatMapOf200By200StaysSmallInSvg) {
    int runs = 0;
    const std::string svg = heat_map_file("SVG", "heat.svg", runs);
    ASSERT_FALSE(svg.empty());
    EXPECT_LT(runs, 39601 / 2);
    // The colour bar's boxes are single rectangles; a rectangle per cell would be the
    // unmerged map. The map is one path per colour, each box four short numbers.
    int rects = 0, paths = 0;
    const std::size_t rect_bytes = element_bytes(svg, "<rect", &rects);
    ASSERT_EQ(rects, 254);
    const std::size_t map_bytes = element_bytes(svg, "<path fill=", &paths);
    EXPECT_GT(paths, 200);
    EXPECT_LE(paths, 256);
    const std::size_t unmerged = 39601 * rect_bytes / rects;
    EXPECT_LT(map_bytes * 4, unmerged);
    std::printf(
        "200 x 200 heat map: %d runs, SVG map %zu bytes (a rectangle per cell %zu), "
        "file %zu bytes\n",
        runs, map_bytes, unmerged, svg.size());
}

// A smooth map of n by n values as PNG or SVG in the same axis system; returns the plot
// coordinates of the cell centres.
std::vector<std::pair<double, double>> draw_map(const std::string& file, const char* format,
                                                int n) {
    Gravox g;
    g.metafl(format);
    g.setfil(file.c_str());
    g.gvxini();
    g.axspos(500, 1600);
    g.axslen(1001, 1001);
    g.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2);
    const auto x = spaced(-1, 1, n);
    const auto z =
        matrix(x, x, [](double a, double b) { return std::exp(-2.0 * (a * a + b * b)); });
    g.crvmat(z.data(), n, n, 1, 1);
    g.gvxfin();
    std::vector<std::pair<double, double>> centres;
    const double d = 1000.0 / (n - 1);
    for (int i = 0; i + 1 < n; ++i)
        for (int j = 0; j + 1 < n; ++j)
            centres.push_back({500 + (i + 0.5) * d, 1600 - (j + 0.5) * d});
    return centres;
}

TEST(ColourMapFile, SvgPathsRenderAsThePngCells) {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert is missing (Debian package librsvg2-bin)";
    TempDir dir;
    ::testing::internal::CaptureStdout();
    const auto centres = draw_map(dir.file("map.png"), "PNG", 41);
    draw_map(dir.file("map.svg"), "SVG", 41);
    ::testing::internal::GetCapturedStdout();
    ASSERT_NE(read_file(dir.file("map.svg")).find("<path fill="), std::string::npos);
    const DecodedPng png = decode_png(read_file(dir.file("map.png")));
    ASSERT_TRUE(png.ok) << png.error;
    const std::string command = "rsvg-convert -b white -w " + std::to_string(png.width) + " -h " +
                                std::to_string(png.height) + " -o " + dir.file("svg.png") + " " +
                                dir.file("map.svg");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const DecodedPng svg = decode_png(read_file(dir.file("svg.png")));
    ASSERT_TRUE(svg.ok) << svg.error;
    ASSERT_EQ(svg.width, png.width);
    // Red, green and blue of a pixel, through the palette of a palette image.
    const auto rgb = [](const DecodedPng& p, int x, int y, int c) -> int {
        return p.colour_type == 3 ? p.palette.at(p.at(x, y))[c] : p.at(x, y, c);
    };
    const double scale = png.width / 2970.0;
    int same = 0;
    for (const auto& [px, py] : centres) {
        const int x = static_cast<int>(px * scale), y = static_cast<int>(py * scale);
        int diff = 0;
        for (int c = 0; c < 3; ++c)
            diff = std::max(diff, std::abs(rgb(png, x, y, c) - rgb(svg, x, y, c)));
        same += diff <= 3;
    }
    EXPECT_EQ(same, static_cast<int>(centres.size()));
}

TEST(ColourMapDevice, BoxSetsAreTheSameBoxesInColourOrder) {
    // The same map on a device that fills boxes one by one and on one that fills sets.
    std::vector<DeviceCall> boxes[2];
    for (int grouped = 0; grouped < 2; ++grouped) {
        Gravox g;
        RecordingOptions options;
        options.caps.fills_polygons = true;
        options.caps.fills_box_sets = grouped == 1;
        std::shared_ptr<Recording> rec;
        ::testing::internal::CaptureStdout();
        rec = open_recorded_plot(g, options);
        g.graf3(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.2);
        rec->clear();
        const int before = gvx::state_of(g).colours->current_colour;
        const auto x = spaced(-1, 1, 30);
        const auto z = matrix(x, x, [](double a, double b) { return std::sin(3 * a) * b; });
        g.crvmat(z.data(), 30, 30, 2, 2);
        ::testing::internal::GetCapturedStdout();
        boxes[grouped] = rec->of(Call::fill_box);
        EXPECT_EQ(gvx::state_of(g).colours->current_colour, before) << "colour kept";
    }
    ASSERT_GT(boxes[0].size(), 100u);
    const auto key = [](const DeviceCall& c) {
        return std::make_tuple(c.colour, c.x1, c.y1, c.x2, c.y2);
    };
    std::vector<std::tuple<int, double, double, double, double>> a, b;
    for (const auto& c : boxes[0]) a.push_back(key(c));
    for (const auto& c : boxes[1]) b.push_back(key(c));
    EXPECT_TRUE(std::is_sorted(b.begin(), b.end(), [](const auto& u, const auto& v) {
        return std::get<0>(u) < std::get<0>(v);
    }));
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
}

TEST(ColourMapFile, HeatMapOf200By200StaysSmallInPdf) {
    int runs = 0;
    const std::string plain = heat_map_file("PDF", "heat.pdf", runs, false);
    const std::string pdf = heat_map_file("PDF", "heat.pdf", runs);
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(pdf.empty());
    // One filled rectangle per merged box (and the colour bar's 254 and the page's
    // background), fewer than the runs.
    EXPECT_LT(count_of(plain, " re f\n"), runs + 256);
    // The boxes deflate to a few bytes each: far below a rectangle per cell, and less
    // than a third of the plain document.
    EXPECT_LT(pdf.size(), 39601u * 5);
    EXPECT_LT(pdf.size() * 3, plain.size());
    std::printf("200 x 200 heat map: %d runs, PDF %zu bytes (plain %zu)\n", runs, pdf.size(),
                plain.size());
}

}  // namespace
}  // namespace gvx::testing
