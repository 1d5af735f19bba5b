// The gallery tool: it draws every family of the fields routines to PNG, which libpng
// decodes to pictures with the colours of each family, and to SVG, which xmllint
// parses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "tests/support/gallery_tool.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

const char* const kPictures[] = {"fields_colour",  "fields_contour", "fields_filled",
                                 "fields_vectors", "fields_stream",  "fields_triangles"};

std::string tool() {
    return sheet_tool("fieldsheet");
}

TEST(FieldGallery, EveryFamilyDrawsItsPicture) {
    if (!std::filesystem::exists(tool())) GTEST_SKIP() << "the tool fieldsheet is not built";
    TempDir dir;
    ASSERT_TRUE(run_quietly(tool() + " '" + dir.path().string() + "'"));
    for (const char* name : kPictures) {
        const DecodedPng png = decode_png(read_file(dir.file(std::string(name) + ".png")));
        ASSERT_TRUE(png.ok) << name << ": " << png.error;
        EXPECT_EQ(png.width, 853u);
        EXPECT_EQ(png.height, 603u);
        // Count the colours inside the axis system (plot 400..2199 x 451..1800).
        std::set<int> colours;
        for (std::uint32_t y = 140; y < 510; y += 3)
            for (std::uint32_t x = 120; x < 625; x += 3) colours.insert(png.at(x, y));
        const std::string n = name;
        if (n == "fields_colour") {
            EXPECT_GT(colours.size(), 100u) << n;  // a smooth map
        } else if (n == "fields_filled") {
            EXPECT_GE(colours.size(), 9u) << n;  // nine bands and the lines
            EXPECT_LT(colours.size(), 20u) << n;
        } else if (n == "fields_triangles") {
            EXPECT_GT(colours.size(), 60u) << n;  // smooth colours under the edges
        } else if (n == "fields_vectors") {
            EXPECT_GT(colours.size(), 5u) << n;  // colours by magnitude
        } else {
            EXPECT_GE(colours.size(), 2u) << n;  // lines on the background
        }
    }
}

TEST(FieldGallery, SvgFilesParse) {
    if (const std::string why = svg_check_unavailable("fieldsheet"); !why.empty())
        GTEST_SKIP() << why;
    expect_svg_pictures_parse("fieldsheet", kPictures);
}

}  // namespace
}  // namespace gvx::testing
