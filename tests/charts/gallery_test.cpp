// The gallery pictures: the tool that makes them rewrites the committed files byte for
// byte, and its scenes look the same as PNG, as SVG (rendered by rsvg-convert) and as PDF
// (rendered by Ghostscript): all but 2 % of the dark pixels of one rendering have a dark
// pixel within one pixel in the other.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

const char* const kPictures[] = {"shading", "shapes", "bars", "pies", "errorbars"};

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string tool() {
    return std::string(GRAVOX_BINARY_DIR) + "/shapesheet";
}

// A pixel with ink: clearly darker than the white page (the SVG renderer smooths thin
// lines into grey, so the bound lies well above the middle).
bool dark(const DecodedPng& p, std::size_t x, std::size_t y) {
    int sum = 0;
    if (p.colour_type == 3) {
        const auto& c = p.palette[p.at(x, y)];
        sum = c[0] + c[1] + c[2];
    } else {
        sum = p.at(x, y, 0) + p.at(x, y, 1) + p.at(x, y, 2);
    }
    return sum < 600;
}

// Share of the dark pixels of a that have a dark pixel of b within one pixel.
double matched(const DecodedPng& a, const DecodedPng& b, long& count) {
    long found = 0;
    count = 0;
    for (std::size_t y = 0; y < a.height; ++y) {
        for (std::size_t x = 0; x < a.width; ++x) {
            if (!dark(a, x, y)) continue;
            ++count;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const long nx = static_cast<long>(x) + dx, ny = static_cast<long>(y) + dy;
                    if (nx >= 0 && ny >= 0 && nx < static_cast<long>(b.width) &&
                        ny < static_cast<long>(b.height))
                        near = dark(b, nx, ny);
                }
            if (near) ++found;
        }
    }
    return count ? static_cast<double>(found) / count : 1.0;
}

TEST(Gallery, ToolRewritesTheCommittedPictures) {
    if (!std::filesystem::exists(tool()))
        GTEST_SKIP()
            << "the shapesheet tool is not built (cmake --build build --target shapesheet)";
    TempDir dir;
    ASSERT_EQ(std::system((tool() + " " + dir.path().string() + " PNG").c_str()), 0);
    for (const char* name : kPictures) {
        const std::string made = read_file(dir.file(std::string(name) + ".png"));
        const std::string kept =
            read_file(std::string(GRAVOX_SOURCE_DIR) + "/docs/gallery/" + name + ".png");
        ASSERT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == kept) << name << ".png differs from docs/gallery: run tools' "
                                  << "shapesheet and look at the pictures";
        const DecodedPng png = decode_png(made);
        EXPECT_TRUE(png.ok) << png.error;
    }
}

// Writes the scenes as PNG and in another format, renders each file of that format with
// the command that render(file, width, height, output) makes, and compares the dark
// pixels both ways.
template <typename Render>
void expect_renderings_alike(const char* format, const char* extension, Render render) {
    TempDir dir;
    const std::string d = dir.path().string();
    ASSERT_EQ(std::system((tool() + " " + d + " PNG").c_str()), 0);
    ASSERT_EQ(std::system((tool() + " " + d + " " + format).c_str()), 0);
    for (const char* name : kPictures) {
        SCOPED_TRACE(name);
        const DecodedPng png = decode_png(read_file(dir.file(std::string(name) + ".png")));
        ASSERT_TRUE(png.ok) << png.error;
        const std::string rendered = dir.file(std::string(name) + "_" + extension + ".png");
        const std::string command =
            render(dir.file(std::string(name) + "." + extension), png.width, png.height, rendered);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const DecodedPng other = decode_png(read_file(rendered));
        ASSERT_TRUE(other.ok) << other.error;
        ASSERT_EQ(other.width, png.width);
        ASSERT_EQ(other.height, png.height);
        long png_dark = 0, other_dark = 0;
        const double there = matched(png, other, png_dark);
        const double back = matched(other, png, other_dark);
        std::printf("%s.%s: %.2f%% of the PNG's dark pixels near the rendering's, %.2f%% back\n",
                    name, extension, 100.0 * there, 100.0 * back);
        EXPECT_GE(there, 0.98);
        EXPECT_GE(back, 0.98);
        EXPECT_GT(png_dark, 1000);
        EXPECT_GT(other_dark, 1000);
    }
}

TEST(Gallery, PngAndSvgRenderAlike) {
    if (!std::filesystem::exists(tool()))
        GTEST_SKIP()
            << "the shapesheet tool is not built (cmake --build build --target shapesheet)";
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert is missing (Debian package librsvg2-bin)";
    expect_renderings_alike(
        "SVG", "svg",
        [](const std::string& file, std::size_t w, std::size_t h, const std::string& out) {
            return "rsvg-convert -b white -w " + std::to_string(w) + " -h " + std::to_string(h) +
                   " -o " + out + " " + file;
        });
}

TEST(Gallery, PngAndPdfRenderAlike) {
    if (!std::filesystem::exists(tool()))
        GTEST_SKIP()
            << "the shapesheet tool is not built (cmake --build build --target shapesheet)";
    if (std::system("command -v gs >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gs is missing (Debian package ghostscript)";
    // The page fitted into the PNG picture's pixels, without smoothing.
    expect_renderings_alike(
        "PDF", "pdf",
        [](const std::string& file, std::size_t w, std::size_t h, const std::string& out) {
            return "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -dTextAlphaBits=1 "
                   "-dGraphicsAlphaBits=1 -dPDFFitPage -g" +
                   std::to_string(w) + "x" + std::to_string(h) + " -sOutputFile=" + out + " " +
                   file;
        });
}

}  // namespace
}  // namespace gvx::testing
