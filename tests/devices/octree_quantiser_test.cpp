#include "gravox/devices/octree_quantiser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace gvx::testing {
namespace {

std::vector<std::uint8_t> pixels_of(const std::vector<std::uint32_t>& colours) {
    std::vector<std::uint8_t> rgb;
    for (std::uint32_t c : colours) {
        rgb.push_back(static_cast<std::uint8_t>(c >> 16));
        rgb.push_back(static_cast<std::uint8_t>(c >> 8));
        rgb.push_back(static_cast<std::uint8_t>(c));
    }
    return rgb;
}

int distance(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                         static_cast<int>((b >> shift) & 0xFF)));
    return worst;
}

TEST(OctreeQuantiser, FewColoursAreKeptExactly) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < 256; ++i) colours.push_back(i * 0x010307u & 0xFFFFFF);
    std::vector<std::uint32_t> image;
    for (int repeat = 0; repeat < 5; ++repeat)
        for (std::size_t i = 0; i < colours.size(); i += 1 + repeat) image.push_back(colours[i]);
    const auto rgb = pixels_of(image);
    OctreeQuantiser q;
    ASSERT_TRUE(q.add(rgb.data(), image.size()));
    ASSERT_TRUE(q.finish());
    EXPECT_EQ(q.colours(), 256);
    std::vector<std::uint8_t> indices(image.size());
    q.map(rgb.data(), image.size(), indices.data());
    for (std::size_t p = 0; p < image.size(); ++p) ASSERT_EQ(q.palette(indices[p]), image[p]) << p;
    EXPECT_EQ(q.palette(256), 0u);
    EXPECT_EQ(q.palette(-1), 0u);
}

TEST(OctreeQuantiser, ManyColoursAreReducedWithBoundedError) {
    // Every colour of a 5-bit cube, plus a long run of one colour.
    std::vector<std::uint32_t> image;
    for (std::uint32_t r = 0; r < 32; ++r)
        for (std::uint32_t g = 0; g < 32; ++g)
            for (std::uint32_t b = 0; b < 32; ++b)
                image.push_back((r * 8 + 4) << 16 | (g * 8 + 4) << 8 | (b * 8 + 4));
    image.insert(image.end(), 50000, 0x123456);
    const auto rgb = pixels_of(image);
    OctreeQuantiser q;
    ASSERT_TRUE(q.add(rgb.data(), image.size()));
    ASSERT_TRUE(q.finish(256));
    EXPECT_LE(q.colours(), 256);
    EXPECT_GT(q.colours(), 64);
    std::vector<std::uint8_t> indices(image.size());
    q.map(rgb.data(), image.size(), indices.data());
    int worst = 0;
    for (std::size_t p = 0; p < image.size(); ++p) {
        ASSERT_LT(indices[p], q.colours());
        worst = std::max(worst, distance(q.palette(indices[p]), image[p]));
    }
    // Folded leaves cover cubes of at most 64 levels per component.
    EXPECT_LT(worst, 64);
    // The palette is made of the image's averages: no two entries alike.
    std::set<std::uint32_t> entries;
    for (int i = 0; i < q.colours(); ++i) entries.insert(q.palette(i));
    EXPECT_EQ(static_cast<int>(entries.size()), q.colours());
}

TEST(OctreeQuantiser, SmallTargetsAndColoursNeverAdded) {
    std::vector<std::uint32_t> image;
    for (int i = 0; i < 1000; ++i) image.push_back(i % 2 ? 0xFF0000 : 0x0000FF);
    image.push_back(0xFFFFFF);
    const auto rgb = pixels_of(image);
    OctreeQuantiser q;
    ASSERT_TRUE(q.add(rgb.data(), image.size()));
    ASSERT_TRUE(q.finish(2));
    EXPECT_LE(q.colours(), 2);
    EXPECT_GE(q.colours(), 1);

    OctreeQuantiser exact;
    ASSERT_TRUE(exact.add(rgb.data(), image.size()));
    ASSERT_TRUE(exact.finish());
    ASSERT_EQ(exact.colours(), 3);
    // A colour that is not in the image gets the nearest entry.
    EXPECT_EQ(exact.palette(exact.index(250, 10, 5)), 0xFF0000u);
    EXPECT_EQ(exact.palette(exact.index(240, 240, 250)), 0xFFFFFFu);

    OctreeQuantiser empty;
    ASSERT_TRUE(empty.finish());
    EXPECT_EQ(empty.colours(), 0);
    EXPECT_EQ(empty.index(1, 2, 3), 0);
}

TEST(OctreeQuantiser, MillionsOfDistinctColoursStayWithinTheLeafLimit) {
    // Pseudo-random colours: the tree is folded while they are added, so memory stays
    // bounded, and the result still has at most 256 entries that fit the image.
    std::vector<std::uint8_t> rgb(3 * 400000);
    std::uint32_t seed = 7;
    for (auto& byte : rgb) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    OctreeQuantiser q;
    for (int pass = 0; pass < 3; ++pass) ASSERT_TRUE(q.add(rgb.data(), rgb.size() / 3));
    ASSERT_TRUE(q.finish());
    EXPECT_LE(q.colours(), 256);
    EXPECT_GT(q.colours(), 100);
    std::vector<std::uint8_t> indices(rgb.size() / 3);
    q.map(rgb.data(), indices.size(), indices.data());
    for (std::size_t p = 0; p < indices.size(); p += 97) {
        const std::uint32_t c = static_cast<std::uint32_t>(rgb[3 * p]) << 16 |
                                static_cast<std::uint32_t>(rgb[3 * p + 1]) << 8 | rgb[3 * p + 2];
        ASSERT_LT(distance(q.palette(indices[p]), c), 128) << p;
    }
}

}  // namespace
}  // namespace gvx::testing
