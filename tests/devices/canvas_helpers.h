// Shared helpers of the device tests: canvases, palettes and pixel sets.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gravox/core/files.h"
#include "gravox/devices/raster_canvas.h"
#include "tests/support/colour_anchors.h"

namespace gvx::testing {

using Pixel = std::pair<int, int>;
using PixelSet = std::set<Pixel>;
using ColourTable = std::array<std::uint32_t, 256>;

// The background mode of a reversed (black on white) canvas.
inline constexpr int kReverseMode = static_cast<int>(ScreenMode::reverse);

// The rainbow table built from its anchor rows, linear in each component between them.
inline ColourTable rainbow_table() {
    const std::vector<ColourAnchor>& anchors = kRainbowAnchors;
    ColourTable t{};
    for (std::size_t a = 0; a + 1 < anchors.size(); ++a) {
        const ColourAnchor lo = anchors[a], hi = anchors[a + 1];
        for (int i = lo.index; i <= hi.index; ++i) {
            std::uint32_t entry = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int c0 = (lo.rgb >> shift) & 0xFF, c1 = (hi.rgb >> shift) & 0xFF;
                const int c = c0 + (c1 - c0) * (i - lo.index) / (hi.index - lo.index);
                entry |= static_cast<std::uint32_t>(c) << shift;
            }
            t[i] = entry;
        }
    }
    return t;
}

// The default palette of a reversed-mode plot: the rainbow with entries 0 and 255
// exchanged, so that index 0 is white and 255 black.
inline ColourTable reversed_rainbow_table() {
    ColourTable t = rainbow_table();
    std::swap(t[0], t[255]);
    return t;
}

inline ColourTable grey_table() {
    ColourTable t{};
    for (std::uint32_t i = 0; i < 256; ++i) t[i] = i * 0x010101u;
    return t;
}

// An explicit colour value from its components.
inline std::int32_t rgb(int red, int green, int blue) {
    return 0x01000000 + blue * 65536 + green * 256 + red;
}

// A canvas of the given size with a palette loaded (kind 1 unless said otherwise).
inline void make_canvas(RasterCanvas& canvas, int width, int height, bool true_colour = false,
                        int background_mode = 0,
                        const ColourTable& table = reversed_rainbow_table(), int kind = 1) {
    int w = width, h = height;
    ASSERT_EQ(canvas.create(2969, 2099, w, h, true, background_mode, true_colour),
              CanvasStatus::ok);
    ASSERT_TRUE(canvas.load_palette(kind, table.data(), 256));
}

// The pixels of an indexed canvas whose byte differs from the background byte.
inline PixelSet drawn_pixels(const RasterCanvas& canvas, std::uint8_t background = 0) {
    PixelSet set;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixels()[static_cast<std::size_t>(y) * canvas.row_bytes() + x] != background)
                set.insert({x, y});
    return set;
}

// Pixel (x, y) of a true-colour canvas as its four bytes.
inline std::array<std::uint8_t, 4> rgba_at(const RasterCanvas& canvas, int x, int y) {
    const std::uint8_t* p =
        canvas.pixels() + static_cast<std::size_t>(y) * canvas.row_bytes() + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

// Saves bytes made by a test under the build tree, where CI checks the images afterwards.
inline std::string save_output(const std::string& folder, const std::string& name,
                               const std::string& bytes) {
    const std::filesystem::path dir = std::filesystem::path(GRAVOX_BINARY_DIR) / folder;
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    return path;
}

}  // namespace gvx::testing
