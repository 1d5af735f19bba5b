// The gallery tool: it rewrites the pictures kept in docs/gallery byte for byte, and its
// SVG files parse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

const char* const kPictures[] = {"three_d_mesh", "three_d_shaded", "three_d_curve"};

std::string tool() {
    return std::string(GRAVOX_BINARY_DIR) + "/threedsheet";
}

bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(ThreeDGallery, ToolRewritesTheKeptPictures) {
    if (!std::filesystem::exists(tool())) GTEST_SKIP() << "the tool threedsheet is not built";
    TempDir dir;
    ASSERT_TRUE(run(tool() + " '" + dir.path().string() + "'"));
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
    if (!std::filesystem::exists(tool())) GTEST_SKIP() << "the tool threedsheet is not built";
    if (!run("command -v xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    TempDir dir;
    ASSERT_TRUE(run(tool() + " '" + dir.path().string() + "' SVG"));
    for (const char* name : kPictures) {
        const std::string file = dir.file(std::string(name) + ".svg");
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
        EXPECT_TRUE(run("xmllint --noout --nonet '" + file + "'")) << file;
    }
}

}  // namespace
}  // namespace gvx::testing
