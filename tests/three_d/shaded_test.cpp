// Shaded surfaces: in the z-buffer the nearer cell wins whatever the drawing order,
// back to front without it; lighting follows the angle to the light; the same scene
// looks alike as PNG (z-buffer) and as SVG (back to front, rendered by rsvg-convert).
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"
#include "tests/three_d/three_d_fixture.h"

namespace gvx::testing {
namespace {

using ShadedSurfaces = ThreeDFixture;

// A flat square cell over [a, b] x [a, b] at height z.
struct Square {
    double a, b, z;
};

void draw_square(Gravox& g, const Square& q) {
    const double x[2] = {q.a, q.b};
    const double z[4] = {q.z, q.z, q.z, q.z};
    g.surshd(x, 2, x, 2, z);
}

// The colour last written to each device pixel.
std::map<std::pair<int, int>, int> pixels_of(const Recording& r) {
    std::map<std::pair<int, int>, int> out;
    for (const auto& c : r.of(Call::pixel_point))
        out[{static_cast<int>(c.x1), static_cast<int>(c.y1)}] = c.colour;
    return out;
}

TEST_F(ShadedSurfaces, NearerCellWinsInTheZBufferWhateverTheOrder) {
    ASSERT_TRUE(open_box(0.3, -0.2, 10, "ABS"));  // from above: higher is nearer
    auto* device = dynamic_cast<PixelDevice*>(s().device.get());
    ASSERT_NE(device, nullptr);
    const auto pixel_at = [&](double x, double y, double z) {
        double px = 0, py = 0;
        g_.pos3pt(x, y, z, px, py);
        int ix = 0, iy = 0;
        device->to_pixel(px, py, ix, iy);
        return std::make_pair(ix, iy);
    };
    const Square low{-1.0, 0.5, -0.5}, high{-0.5, 1.0, 0.5};
    int low_colour = -1, high_colour = -1;
    for (const bool high_first : {false, true}) {
        SCOPED_TRACE(high_first);
        rec_->clear();
        output_of([&] {
            g_.zbfini();
            draw_square(g_, high_first ? high : low);
            draw_square(g_, high_first ? low : high);
            g_.zbffin();
        });
        const auto pixels = pixels_of(*rec_);
        ASSERT_FALSE(pixels.empty());
        low_colour = pixels.at(pixel_at(-0.8, -0.8, low.z));
        high_colour = pixels.at(pixel_at(0.8, 0.8, high.z));
        EXPECT_NE(low_colour, high_colour);
        // In the overlap the higher square shows.
        for (double v : {-0.4, 0.0, 0.4})
            EXPECT_EQ(pixels.at(pixel_at(v, v, high.z)), high_colour) << v;
    }
    // Without the z-buffer the later cell paints over: drawn last, the lower one shows.
    rec_->clear();
    output_of([&] {
        draw_square(g_, high);
        draw_square(g_, low);
    });
    const auto fills = rec_->of(Call::fill_polygon);
    ASSERT_EQ(fills.size(), 2u);
    const auto colours = rec_->of(Call::colour);
    EXPECT_EQ(colours.back().colour, s().colours->current_colour);  // restored
}

TEST_F(ShadedSurfaces, CellsAreDrawnFromBackToFront) {
    // A ridge seen from the side: every cell's fill comes after the fills of the cells
    // farther from the eye.
    std::vector<double> x{-1, -0.5, 0, 0.5, 1}, z(25);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) z[i * 5 + j] = 0.8 - std::fabs(x[j]);
    ASSERT_TRUE(open_box(-1, -8, 2, "ABS"));
    output_of([&] { g_.surshd(x.data(), 5, x.data(), 5, z.data()); });
    const auto fills = rec_->of(Call::fill_polygon);
    ASSERT_EQ(fills.size(), 16u);
    // Page y of a cell's lowest vertex grows towards the front when seen from above
    // and in front: the sequence of the cells' largest y must not fall by much.
    double previous = -1e9;
    int falls = 0;
    for (const auto& f : fills) {
        double deepest = -1e9;
        for (double y : f.ys) deepest = std::max(deepest, y);
        if (deepest < previous - 1.0) ++falls;
        previous = deepest;
    }
    // Rows come back to front; inside a row the order may go either way.
    EXPECT_LE(falls, 4);
}

TEST_F(ShadedSurfaces, LightingBrightensCellsFacingTheLight) {
    // Two tilted cells, one facing the light (above the +x side), one turned away.
    g_.light("ON");
    g_.litmod(0.2, 0.8, 0.0, 10);
    g_.litpos(10, 0, 3, "ABS");
    g_.setrgb(1.0, 1.0, 1.0);
    ASSERT_TRUE(open_box(0, -8, 6, "ABS"));
    const double x[3] = {-1, 0, 1}, y[2] = {-1, 1};
    const double z[6] = {-0.5, -0.5, 0.5, 0.5, -0.5, -0.5};  // a roof along y
    output_of([&] { g_.surshd(x, 3, y, 2, z); });
    const auto fills = rec_->of(Call::fill_polygon);
    ASSERT_EQ(fills.size(), 2u);
    std::vector<int> fill_colours;
    const auto calls = rec_->calls;
    int colour = -1;
    for (const auto& c : calls) {
        if (c.kind == Call::colour) colour = c.colour;
        if (c.kind == Call::fill_polygon) fill_colours.push_back(colour);
    }
    ASSERT_EQ(fill_colours.size(), 2u);
    const auto red = [](int v) { return v & 255; };
    // Explicit colours; the cell over x = 0..1 faces the light.
    double mean = 0.0;
    for (double v : fills[0].xs) mean += v / fills[0].xs.size();
    const bool first_is_left = mean < 1000;
    const int left = first_is_left ? fill_colours[0] : fill_colours[1];
    const int right = first_is_left ? fill_colours[1] : fill_colours[0];
    EXPECT_EQ(left >> 24, 1);
    EXPECT_GT(red(right), red(left) + 40);
    EXPECT_GE(red(left), static_cast<int>(0.2 * 255) - 1);  // at least the ambient part
}

// Draws a bumpy surface to a file of the format; returns the page positions of the
// cell centres.
std::vector<std::pair<double, double>> draw_scene(const std::string& file, const char* format) {
    Gravox g;
    g.metafl(format);
    if (std::string(format) == "PNG") g.imgfmt("RGB");
    g.setfil(file.c_str());
    g.filmod("DELETE");
    g.scrmod("REVERS");
    g.gvxini();
    g.nograf();
    g.axspos(300, 1950);
    g.axslen(2400, 1800);
    g.view3d(-60, 35, 0, "ANGL");
    g.graf3d(-1, 1, -1, 1, -1, 1, -1, 1, -0.5, 1, -0.5, 0.5);
    constexpr int n = 13;
    std::vector<double> x(n), z(n * n);
    for (int k = 0; k < n; ++k) x[k] = -1.0 + 2.0 * k / (n - 1);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            z[i * n + j] = std::exp(-3.0 * (x[i] * x[i] + x[j] * x[j])) - 0.3 * x[i];
    g.zbfini();
    g.surshd(x.data(), n, x.data(), n, z.data());
    g.zbffin();
    // The middle of every cell's picture, for the cells whose picture is large enough
    // (at least 25 by 25 plot units, some 7 by 7 pixels) to be sampled away from edges.
    std::vector<std::pair<double, double>> centres;
    for (int i = 0; i + 1 < n; ++i)
        for (int j = 0; j + 1 < n; ++j) {
            double px[4], py[4];
            for (int c = 0; c < 4; ++c) {
                const int a = i + (c == 1 || c == 2), b = j + (c >= 2);
                g.pos3pt(x[a], x[b], z[a * n + b], px[c], py[c]);
            }
            const double area =
                std::fabs((px[2] - px[0]) * (py[3] - py[1]) - (py[2] - py[0]) * (px[3] - px[1])) /
                2;
            if (area >= 625.0)
                centres.push_back(
                    {(px[0] + px[1] + px[2] + px[3]) / 4, (py[0] + py[1] + py[2] + py[3]) / 4});
        }
    g.gvxfin();
    return centres;
}

TEST(ShadedScene, PngAndSvgAgree) {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert is missing (Debian package librsvg2-bin)";
    TempDir dir;
    ::testing::internal::CaptureStdout();
    const auto centres = draw_scene(dir.file("scene.png"), "PNG");
    draw_scene(dir.file("scene.svg"), "SVG");
    ::testing::internal::GetCapturedStdout();
    const DecodedPng png = decode_png(read_file(dir.file("scene.png")));
    ASSERT_TRUE(png.ok) << png.error;
    const std::string command = "rsvg-convert -b white -w " + std::to_string(png.width) + " -h " +
                                std::to_string(png.height) + " -o " + dir.file("svg.png") + " " +
                                dir.file("scene.svg");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const DecodedPng svg = decode_png(read_file(dir.file("svg.png")));
    ASSERT_TRUE(svg.ok) << svg.error;
    ASSERT_EQ(svg.width, png.width);
    const double scale = png.width / 2970.0;
    int same = 0, coloured = 0;
    for (const auto& [px, py] : centres) {
        const int x = static_cast<int>(px * scale + 0.5), y = static_cast<int>(py * scale + 0.5);
        int diff = 0;
        for (int c = 0; c < 3; ++c)
            diff = std::max(diff, std::abs(png.at(x, y, c) - svg.at(x, y, c)));
        if (diff <= 3) ++same;
        if (png.at(x, y, 0) != png.at(x, y, 1) || png.at(x, y, 1) != png.at(x, y, 2)) ++coloured;
    }
    const int total = static_cast<int>(centres.size());
    ASSERT_GT(total, 80);
    EXPECT_GE(same, total * 95 / 100) << same << " of " << total;
    EXPECT_GE(coloured, total * 9 / 10);  // the cells are filled, not the white page
}

}  // namespace
}  // namespace gvx::testing
