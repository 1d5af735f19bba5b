// The four PNG figures against a golden summary of their decoded pixels and palettes:
// every palette entry, and a hash of every row of pixels, so that a curve shifted by one
// pixel, a changed colour or a changed size fails.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/app/figure_files.h"
#include "tests/support/golden.h"
#include "tests/support/png_decode.h"

namespace cosmology {
namespace {

std::uint64_t fnv1a(const std::uint8_t* data, std::size_t n) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

// The summary of one decoded image: size and kind, the palette, and the row hashes,
// runs of equal rows written once as "first-last hash".
std::string summary(const std::string& name, const gvx::testing::DecodedPng& png) {
    std::string out;
    char line[128];
    std::snprintf(line, sizeof line, "%s %ux%u colour type %d depth %d\n", name.c_str(), png.width,
                  png.height, png.colour_type, png.bit_depth);
    out += line;
    std::snprintf(line, sizeof line, "palette %zu, transparent %zu\n", png.palette.size(),
                  png.trns_alpha.size());
    out += line;
    for (std::size_t i = 0; i < png.palette.size(); ++i) {
        std::snprintf(line, sizeof line, "%02X%02X%02X%c", png.palette[i][0], png.palette[i][1],
                      png.palette[i][2], i % 16 == 15 || i + 1 == png.palette.size() ? '\n' : ' ');
        out += line;
    }
    std::uint32_t first = 0;
    for (std::uint32_t y = 0; y < png.height; ++y) {
        const std::uint64_t h = fnv1a(&png.pixels[y * png.row_bytes], png.row_bytes);
        const bool last_of_run =
            y + 1 == png.height || fnv1a(&png.pixels[(y + 1) * png.row_bytes], png.row_bytes) != h;
        if (!last_of_run) continue;
        std::snprintf(line, sizeof line, "rows %u-%u %016llx\n", first, y,
                      static_cast<unsigned long long>(h));
        out += line;
        first = y + 1;
    }
    return out;
}

TEST(FigurePixels, DecodedFiguresMatchTheirGoldenSummary) {
    gvx::testing::TempDir dir;
    draw_figures_in(dir.path(), "PNG");
    std::string all;
    for (const char* name : kFigureFiles) {
        SCOPED_TRACE(name);
        const gvx::testing::DecodedPng png =
            gvx::testing::decode_png(gvx::testing::read_file(dir.file(std::string(name) + ".png")));
        ASSERT_TRUE(png.ok) << png.error;
        ASSERT_EQ(png.pixels.size(), static_cast<std::size_t>(png.height) * png.row_bytes);
        all += summary(name, png);
    }
    gvx::testing::expect_golden_bytes(all, "app", "figure_pixels.txt");
}

}  // namespace
}  // namespace cosmology
