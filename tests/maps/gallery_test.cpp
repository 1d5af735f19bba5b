// The gallery tool: it draws the gallery maps to PNG, which libpng decodes to
// pictures with land, lines and sea, and to SVG, which xmllint parses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tests/support/gallery_tool.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

const char* const kPictures[] = {"maps_world", "maps_arctic", "maps_antarctica", "maps_lambert",
                                 "maps_globes"};

std::string tool() {
    return sheet_tool("mapsheet");
}

TEST(MapGallery, EveryMapDrawsLandAndSea) {
    if (!std::filesystem::exists(tool())) GTEST_SKIP() << "the tool mapsheet is not built";
    TempDir dir;
    ASSERT_TRUE(run_quietly(tool() + " '" + dir.path().string() + "'"));
    for (const char* name : kPictures) {
        const DecodedPng png = decode_png(read_file(dir.file(std::string(name) + ".png")));
        ASSERT_TRUE(png.ok) << name << ": " << png.error;
        ASSERT_FALSE(png.palette.empty()) << name;
        // Shares of green land and white sea (and page) among all pixels.
        std::map<int, long> count;
        for (std::uint32_t y = 0; y < png.height; ++y)
            for (std::uint32_t x = 0; x < png.width; ++x) {
                const auto& c = png.palette[png.at(x, y)];
                const int kind = c[1] > 200 && c[0] < 80 && c[2] < 80     ? 1
                                 : c[0] > 240 && c[1] > 240 && c[2] > 240 ? 0
                                                                          : 2;
                ++count[kind];
            }
        const double all = static_cast<double>(png.width) * png.height;
        EXPECT_GT(count[1] / all, 0.02) << name;   // land
        EXPECT_GT(count[0] / all, 0.3) << name;    // sea and page
        EXPECT_GT(count[2] / all, 0.005) << name;  // coastlines, graticule, labels
    }
}

TEST(MapGallery, SvgFilesParse) {
    if (const std::string why = svg_check_unavailable("mapsheet"); !why.empty())
        GTEST_SKIP() << why;
    expect_svg_pictures_parse("mapsheet", kPictures);
}

}  // namespace
}  // namespace gvx::testing
