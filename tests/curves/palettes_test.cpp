// The palette data: the anchor rows of the rainbow and the spectrum, the ramps between
// them, and the computed palettes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "gravox/curves/colour.h"
#include "tests/support/colour_anchors.h"

namespace gvx {
namespace {

using testing::ColourAnchor;
using testing::kRainbowAnchors;
using testing::kSpectrumAnchors;

int component(std::uint32_t entry, int shift) {
    return static_cast<int>((entry >> shift) & 0xFF);
}

void expect_anchors(const std::uint32_t* table, const std::vector<ColourAnchor>& anchors) {
    for (const auto& [index, entry] : anchors) EXPECT_EQ(table[index], entry) << "entry " << index;
}

// Between two anchor rows (from entry 1 on) every component must follow the straight
// line between them to within rounding, so each step changes it by the ramp's slope.
void expect_straight_ramps(const std::uint32_t* table, const std::vector<ColourAnchor>& anchors) {
    for (std::size_t a = 1; a + 2 < anchors.size(); ++a) {
        const auto [i0, e0] = anchors[a];
        const auto [i1, e1] = anchors[a + 1];
        for (int i = i0; i <= i1; ++i)
            for (int shift : {16, 8, 0}) {
                const double line =
                    component(e0, shift) +
                    (component(e1, shift) - component(e0, shift)) * double(i - i0) / (i1 - i0);
                EXPECT_LE(std::abs(component(table[i], shift) - line), 0.5)
                    << "entry " << i << " shift " << shift;
            }
    }
}

TEST(Palettes, RainbowAndSpectrumPassThroughTheirAnchors) {
    expect_anchors(kRainbowTable, kRainbowAnchors);
    expect_straight_ramps(kRainbowTable, kRainbowAnchors);
    expect_anchors(kSpectrumTable, kSpectrumAnchors);
    expect_straight_ramps(kSpectrumTable, kSpectrumAnchors);
}

TEST(Palettes, TemperatureRampsReachFullIntensity) {
    std::uint32_t table[256] = {};
    fill_palette(8, table);
    EXPECT_EQ(table[0], 0x000000u);
    EXPECT_EQ(table[255], 0xFFFFFFu);
    EXPECT_EQ(component(table[149], 16), 253);  // 1.7 * 149 = 253.3
    EXPECT_EQ(component(table[150], 16), 255);
    EXPECT_EQ(component(table[119], 8), 0);
    EXPECT_EQ(component(table[121], 8), 2);  // 1.889 rounds to 2
    EXPECT_EQ(component(table[189], 0), 0);
    EXPECT_EQ(component(table[191], 0), 4);  // 3.92 rounds to 4
    for (int i = 1; i < 256; ++i)
        for (int shift : {16, 8, 0})
            EXPECT_GE(component(table[i], shift), component(table[i - 1], shift)) << i;
}

TEST(Palettes, VgaWritesOnlyItsSixteenEntries) {
    std::uint32_t table[256];
    for (std::uint32_t& e : table) e = 0xABCDEF;
    fill_palette(7, table);
    EXPECT_EQ(table[6], 0xAA5500u);
    EXPECT_EQ(table[15], 0xFFFFFFu);
    for (int i = 16; i < 256; ++i) EXPECT_EQ(table[i], 0xABCDEFu) << i;
    fill_palette(9, table);  // no such kind: nothing written
    fill_palette(-1, table);
    EXPECT_EQ(table[16], 0xABCDEFu);
}

}  // namespace
}  // namespace gvx
