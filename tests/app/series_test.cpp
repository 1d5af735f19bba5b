// The storage of the history arrays: small and large blocks (the large ones mapped
// on their own) keep their values when an array grows from one kind into the other or
// shrinks and grows again within its room.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "app/series.h"

namespace cosmology {
namespace {

TEST(SeriesStorage, ValuesSurviveGrowthAcrossBlockKinds) {
    // 3 MiB and a little: beyond the first large page, with a partial one at the end.
    constexpr std::size_t kLarge = (std::size_t{3} << 20) / sizeof(double) + 123;
    Series series;
    for (std::size_t i = 0; i < 1000; ++i) series.push_back(static_cast<double>(i));
    series.resize(kLarge);  // small block into large block
    for (std::size_t i = 1000; i < kLarge; ++i) series[i] = static_cast<double>(i);
    Series copy = series;  // a second large block
    series.resize(10);
    series.resize(kLarge);  // within the room: the old values are still there
    EXPECT_EQ(series.capacity(), copy.capacity());
    int differing = 0;
    for (std::size_t i = 0; i < kLarge; ++i)
        if (series[i] != static_cast<double>(i) || copy[i] != series[i]) ++differing;
    EXPECT_EQ(differing, 0);
    series.reserve(2 * kLarge);  // large block into a larger one
    EXPECT_EQ(series.back(), static_cast<double>(kLarge - 1));
    series.shrink_to_fit();
    EXPECT_EQ(series.size(), kLarge);
    EXPECT_EQ(series[kLarge / 2], static_cast<double>(kLarge / 2));
}

TEST(SeriesStorage, LargeBlocksStartOnALargePageBoundary) {
#if !defined(__linux__)
    GTEST_SKIP() << "large blocks are mapped on their own only on Linux";
#endif
    constexpr std::size_t kBytes = std::size_t{5} << 20;
    void* block = reserve_storage(kBytes);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % (std::size_t{2} << 20), 0u);
    static_cast<char*>(block)[0] = 1;
    static_cast<char*>(block)[kBytes - 1] = 2;  // the whole block is writable
    release_storage(block, kBytes);
    // Small blocks come from the free store and are writable as well.
    void* small = reserve_storage(24);
    static_cast<char*>(small)[23] = 3;
    release_storage(small, 24);
}

}  // namespace
}  // namespace cosmology
