// The four figures written in the other output formats: the raster formats show the
// same pixels as the PNG figures, read back by independent decoders, and the vector
// formats are accepted by their own readers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/figure_files.h"
#include "tests/devices/image_writer_helpers.h"
#include "tests/support/png_decode.h"
#include "tests/support/programs.h"
#include "tests/support/temp_dir.h"

namespace cosmology {
namespace {

using gvx::testing::parse_pnm;
using gvx::testing::RgbImage;
using gvx::testing::run_program;
using gvx::testing::tool_available;

std::vector<std::uint8_t> png_rgb(const std::string& file) {
    gvx::testing::DecodedPng png = gvx::testing::decode_png(gvx::testing::read_file(file));
    std::vector<std::uint8_t> rgb;
    if (!png.ok) return rgb;
    for (std::uint32_t y = 0; y < png.height; ++y)
        for (std::uint32_t x = 0; x < png.width; ++x)
            for (int c = 0; c < 3; ++c)
                rgb.push_back(png.colour_type == 3 ? png.palette[png.at(x, y)][c]
                                                   : png.at(x, y, c));
    return rgb;
}

struct Format {
    const char* keyword;
    const char* extension;
    const char* decoder;  // netpbm program, or null for files that are netpbm already
};

void PrintTo(const Format& format, std::ostream* out) {
    *out << format.keyword;
}

class FigureFormats : public ::testing::TestWithParam<Format> {};

// The raster writers encode the page's pixels whatever drew them, so the coarsened
// figures (kReaderCoarsening) serve: whole pages of the figures' colours, texts and
// curves, decoded by independent readers into the PNG device's pixels. The whole
// figures' own pixels are pinned by their golden summary (figure_pixels_test.cpp).
TEST_P(FigureFormats, SamePixelsAsThePngFigures) {
    const Format format = GetParam();
    if (format.decoder && !tool_available(format.decoder))
        GTEST_SKIP() << format.decoder << " is not installed (Debian package netpbm)";
    gvx::testing::TempDir png_dir, other_dir;
    draw_figures_in(png_dir.path(), "PNG", kReaderCoarsening);
    draw_figures_in(other_dir.path(), format.keyword, kReaderCoarsening);
    for (const char* name : kFigureFiles) {
        SCOPED_TRACE(name);
        const std::string file = (other_dir.path() / name).string() + "." + format.extension;
        ASSERT_TRUE(std::filesystem::exists(file));
        const std::string bytes = format.decoder
                                      ? run_program(std::string(format.decoder) + " " + file)
                                      : gvx::testing::read_file(file);
        const RgbImage image = parse_pnm(bytes);
        ASSERT_TRUE(image.ok);
        EXPECT_EQ(image.width, 853);
        EXPECT_EQ(image.height, 603);
        const auto expected = png_rgb((png_dir.path() / name).string() + ".png");
        ASSERT_EQ(expected.size(), image.rgb.size());
        EXPECT_TRUE(expected == image.rgb);
    }
}

INSTANTIATE_TEST_SUITE_P(OtherRasterFormats, FigureFormats,
                         ::testing::Values(Format{"GIF", "gif", "giftopnm"},
                                           Format{"BMP", "bmp", "bmptopnm"},
                                           Format{"TIFF", "tif", "tifftopnm"},
                                           Format{"PPM", "ppm", nullptr}),
                         [](const auto& info) { return std::string(info.param.keyword); });

struct VectorFormat {
    const char* keyword;
    const char* extension;
    const char* tool;     // the reader that must be installed
    const char* command;  // run in the figures' folder; %s is the file name
    bool all_at_once;     // the reader takes the four files in one run: %s names them all
    const char* split;    // text that shows a figure crossing a limit of the writer, or null
};

void PrintTo(const VectorFormat& format, std::ostream* out) {
    *out << format.keyword;
}

class VectorFigureFormats : public ::testing::TestWithParam<VectorFormat> {};

// The four figures, coarsened (see kReaderCoarsening), are accepted by the reader of
// each vector format: every construct the program's figures make (axes, texts, legend
// boxes, colour changes, curves long enough to be cut into several elements, paths or
// applet methods) is still in them. Where the writer cuts a long picture for its
// readers, every figure must still cross that cut.
TEST_P(VectorFigureFormats, EveryFigureIsAcceptedByItsReader) {
    const VectorFormat format = GetParam();
    if (!tool_available(format.tool)) GTEST_SKIP() << format.tool << " is not installed";
    gvx::testing::TempDir dir;
    draw_figures_in(dir.path(), format.keyword, kReaderCoarsening);
    gvx::testing::WorkingDir cwd(dir.path());
    std::vector<std::string> files;
    for (const char* name : kFigureFiles) {
        SCOPED_TRACE(name);
        files.push_back(std::string(name) + "." + format.extension);
        ASSERT_TRUE(std::filesystem::exists(files.back()));
        EXPECT_GT(std::filesystem::file_size(files.back()), 1000u);
        if (format.split) {
            EXPECT_NE(gvx::testing::read_file(files.back()).find(format.split), std::string::npos)
                << "the figure no longer crosses the writer's limit";
        }
    }
    // One run for all four where the reader allows it (a compiler starts once).
    if (format.all_at_once) {
        std::string names;
        for (const std::string& file : files) names += (names.empty() ? "" : " ") + file;
        files = {names};
    }
    for (const std::string& file : files) {
        char command[512];
        std::snprintf(command, sizeof command, format.command, file.c_str());
        int status = -1;
        const std::string log = run_program(command, &status, true);
        EXPECT_EQ(status, 0) << command << "\n" << log;
    }
}

constexpr char kJavac[] = GRAVOX_QUICK_JAVAC " -d classes %s";

INSTANTIATE_TEST_SUITE_P(
    VectorFormats, VectorFigureFormats,
    ::testing::Values(
        VectorFormat{"SVG", "svg", "xmllint", "xmllint --noout --nonet %s", true, nullptr},
        VectorFormat{"IPE", "ipe", "ipetoipe", "ipetoipe -xml %s converted.xml", false, nullptr},
        VectorFormat{"HPGL", "hpg", "hp2xx", "hp2xx -q -m eps -f figure.eps %s", false, nullptr},
        // Each figure's paint method continues in further methods.
        VectorFormat{"JAVA", "java", "javac", kJavac, true, "private void part1 ("}),
    [](const auto& info) { return std::string(info.param.keyword); });

}  // namespace
}  // namespace cosmology

namespace cosmology {
namespace {

// The inked pixels of an RGB image: any component below half intensity.
struct InkMap {
    int width = 0, height = 0;
    std::vector<bool> ink;
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && ink[y * width + x];
    }
    bool near(int x, int y) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(x + dx, y + dy)) return true;
        return false;
    }
};

InkMap ink_of(const std::string& file) {
    const gvx::testing::DecodedPng png = gvx::testing::decode_png(gvx::testing::read_file(file));
    InkMap map;
    if (!png.ok) return map;
    map.width = static_cast<int>(png.width);
    map.height = static_cast<int>(png.height);
    map.ink.resize(static_cast<std::size_t>(map.width) * map.height);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            int darkest = 255;
            for (int c = 0; c < 3; ++c) {
                const int v = png.colour_type == 3 ? png.palette[png.at(x, y)][c] : png.at(x, y, c);
                darkest = std::min(darkest, v);
            }
            map.ink[y * map.width + x] = darkest < 128;
        }
    return map;
}

// The share of the inked pixels of one image that lie within one pixel of ink of the
// other.
double share_near(const InkMap& of, const InkMap& other, int& count) {
    int near = 0;
    count = 0;
    for (int y = 0; y < of.height; ++y)
        for (int x = 0; x < of.width; ++x)
            if (of.at(x, y)) {
                ++count;
                near += other.near(x, y);
            }
    return count == 0 ? 0.0 : static_cast<double>(near) / count;
}

// The four figures as PDF and EPS documents (the PostScript body of EPS is that of PS),
// rendered by Ghostscript without
// anti-aliasing at the resolution of the PNG figures (602 pixels for the 2099 page
// units of the A4 page's height, 0.1 mm each): their ink lies where the PNG figures
// have theirs. All three are coarsened (kReaderCoarsening); the curves still come in
// paths cut at the writer's thousand points, as in the whole figures.
TEST(FigureDocuments, RenderedPagesInkWhereThePngFiguresDo) {
    if (!tool_available("gs")) GTEST_SKIP() << "gs is not installed (Debian package ghostscript)";
    gvx::testing::TempDir png_dir, pdf_dir, eps_dir;
    draw_figures_in(png_dir.path(), "PNG", kReaderCoarsening);
    draw_figures_in(pdf_dir.path(), "PDF", kReaderCoarsening);
    draw_figures_in(eps_dir.path(), "EPS", kReaderCoarsening);
    const double dpi = 602.0 * 254.0 / 2099.0;
    // The canvas is that of the PNG pictures (853 by 603 pixels). Left to itself,
    // Ghostscript makes 602 rows of the 602.27 that the paper measures at this resolution
    // and drops the fraction at the top, where the page's border line lies: a whole row
    // of the PNG's ink would have no rendered ink near it.
    char resolution[96];
    std::snprintf(resolution, sizeof resolution, "-r%.6f -g853x603 -dFIXEDMEDIA", dpi);
    // One Ghostscript run per format renders the four documents, page k the k-th.
    const std::pair<const std::filesystem::path*, const char*> documents[] = {
        {&pdf_dir.path(), ".pdf"}, {&eps_dir.path(), ".eps"}};
    for (const auto& [dir, extension] : documents) {
        std::string files;
        for (const char* name : kFigureFiles)
            files += " '" + (*dir / name).string() + extension + "'";
        int status = -1;
        const std::string log = run_program(
            std::string("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -dTextAlphaBits=1 "
                        "-dGraphicsAlphaBits=1 -sDEVICE=png16m ") +
                resolution + " -sOutputFile='" + (*dir / "rendered_%d.png").string() + "'" + files,
            &status, true);
        ASSERT_EQ(status, 0) << log;
        int page = 0;
        for (const char* name : kFigureFiles) {
            SCOPED_TRACE(std::string(name) + extension);
            const InkMap expected = ink_of((png_dir.path() / name).string() + ".png");
            ASSERT_GT(expected.width, 0);
            const InkMap rendered =
                ink_of((*dir / ("rendered_" + std::to_string(++page) + ".png")).string());
            EXPECT_EQ(rendered.width, expected.width);
            EXPECT_EQ(rendered.height, expected.height);
            int count = 0, expected_count = 0;
            const double share = share_near(rendered, expected, count);
            const double back = share_near(expected, rendered, expected_count);
            std::printf(
                "%s%s: %d inked pixels, %.2f%% within one pixel of the PNG's ink; "
                "%.2f%% of the PNG's %d inked pixels near them\n",
                name, extension, count, 100.0 * share, 100.0 * back, expected_count);
            EXPECT_GE(share, 0.99);
            EXPECT_GE(back, 0.99);
        }
    }
}

}  // namespace
}  // namespace cosmology
