// The four figures of the program as Windows metafiles: the readers wmf2svg and wmf2gd
// render them with their dark pixels where the PNG device puts them.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "tests/app/figure_files.h"
#include "tests/formats/format_fixture.h"
#include "tests/support/png_decode.h"

namespace gvx::testing {
namespace {

// Dark pixels (all three samples below 128) of a decoded PNG of any colour type.
std::vector<bool> dark_pixels(const DecodedPng& png) {
    std::vector<bool> dark(static_cast<std::size_t>(png.width) * png.height);
    for (std::uint32_t y = 0; y < png.height; ++y)
        for (std::uint32_t x = 0; x < png.width; ++x) {
            int sum = 0;
            for (int c = 0; c < 3; ++c) {
                const int v = png.colour_type == 3   ? png.palette[png.at(x, y)][c]
                              : png.colour_type == 0 ? png.at(x, y)
                              : png.colour_type == 4 ? png.at(x, y, 0)
                                                     : png.at(x, y, c);
                sum += v;
            }
            const bool transparent =
                (png.colour_type == 6 && png.at(x, y, 3) == 0) ||
                (png.colour_type == 3 && png.at(x, y) < png.trns_alpha.size() &&
                 png.trns_alpha[png.at(x, y)] == 0);
            dark[y * png.width + x] = !transparent && sum < 3 * 128;
        }
    return dark;
}

// The readers take the coarsened figures (kReaderCoarsening) apart into the pixels of
// the PNG device: texts, legends, colours and curves. The curves reach the writer in
// polylines of at most a hundred points whatever their length, so the whole figures
// met no record limit that the coarsened ones miss.
TEST(WmfReaders, FiguresRenderWithTheDarkPixelsOfThePngDevice) {
    if (!tool_available("wmf2gd") || !tool_available("wmf2svg"))
        GTEST_SKIP() << "wmf2gd and wmf2svg are not installed (Debian package libwmf-bin)";
    const std::filesystem::path dir = reader_output_dir() / "wmf";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "png");
    cosmology::draw_figures_in(dir, "WMF", cosmology::kReaderCoarsening);
    cosmology::draw_figures_in(dir / "png", "PNG", cosmology::kReaderCoarsening);
    long matched = 0, total = 0;
    for (const char* name : cosmology::kFigureFiles) {
        SCOPED_TRACE(name);
        const std::string wmf = (dir / (std::string(name) + ".wmf")).string();
        int status = -1;
        const std::string svg_file = (dir / (std::string(name) + "_wmf2svg.svg")).string();
        run_program("wmf2svg -o '" + svg_file + "' '" + wmf + "'", &status);
        EXPECT_EQ(status, 0);
        EXPECT_NE(read_file(svg_file).find("<svg"), std::string::npos);
        const std::string rendered = (dir / (std::string(name) + "_wmf2gd.png")).string();
        run_program("wmf2gd -t png --maxwidth=853 --maxheight=603 --maxpect -o '" + rendered +
                        "' '" + wmf + "'",
                    &status);
        ASSERT_EQ(status, 0);
        const DecodedPng ours = decode_png(read_file((dir / "png" / name).string() + ".png"));
        const DecodedPng theirs = decode_png(read_file(rendered));
        ASSERT_TRUE(ours.ok && theirs.ok) << theirs.error;
        const auto a = dark_pixels(ours), b = dark_pixels(theirs);
        // Every dark pixel of the rendered metafile should lie within one pixel of a dark
        // pixel of the PNG figure.
        long here = 0, near = 0;
        for (std::uint32_t y = 0; y < theirs.height; ++y)
            for (std::uint32_t x = 0; x < theirs.width; ++x) {
                if (!b[y * theirs.width + x]) continue;
                ++here;
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy)
                    for (int dx = -1; dx <= 1 && !found; ++dx) {
                        const long u = static_cast<long>(x) + dx, v = static_cast<long>(y) + dy;
                        if (u >= 0 && v >= 0 && u < ours.width && v < ours.height)
                            found = a[v * ours.width + u];
                    }
                near += found;
            }
        EXPECT_GT(here, 5000) << "the rendered figure is nearly empty";
        matched += near;
        total += here;
    }
    const double share = total ? static_cast<double>(matched) / total : 0.0;
    std::printf("dark pixels of wmf2gd within one pixel of the PNG device: %.1f%% of %ld\n",
                100.0 * share, total);
    EXPECT_GT(share, 0.95);
}

}  // namespace
}  // namespace gvx::testing
