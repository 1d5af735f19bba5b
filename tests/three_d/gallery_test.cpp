// The gallery tool: it rewrites the pictures kept in docs/gallery byte for byte, and its
// SVG files parse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/gallery_tool.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

const char* const kPictures[] = {"three_d_mesh", "three_d_shaded", "three_d_curve"};

std::string tool() {
    return sheet_tool("threedsheet");
}

TEST(ThreeDGallery, ToolRewritesTheKeptPictures) {
    if (!std::filesystem::exists(tool())) GTEST_SKIP() << "the tool threedsheet is not built";
    TempDir dir;
    ASSERT_TRUE(run_quietly(tool() + " '" + dir.path().string() + "'"));
    for (const char* name : kPictures) {
        const std::string made = read_file(dir.file(std::string(name) + ".png"));
        const std::string kept =
            read_file(std::string(GRAVOX_SOURCE_DIR) + "/docs/gallery/" + name + ".png");
        const DecodedPng png = decode_png(made);
        ASSERT_TRUE(png.ok) << name << ": " << png.error;
        EXPECT_TRUE(made == kept) << name << ".png differs from docs/gallery: run "
                                  << "threedsheet docs/gallery and look at the pictures";
    }
}

TEST(ThreeDGallery, SvgFilesParse) {
    if (const std::string why = svg_check_unavailable("threedsheet"); !why.empty())
        GTEST_SKIP() << why;
    expect_svg_pictures_parse("threedsheet", kPictures);
}

}  // namespace
}  // namespace gvx::testing
