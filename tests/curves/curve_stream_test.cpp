// A long curve flows from the caller's arrays to the device without memory of its own:
// it arrives as a chain of connected polylines of at most 100 vertices, and the curve
// call allocates nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/core/sink.h"
#include "gravox/gravox.h"

// Every allocation of this test program is counted. The replacements pair malloc with
// free themselves, which the compiler cannot see through when it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// The nothrow forms are freed by the plain delete, so they must be ours as well.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace gvx::testing {
namespace {

// What the chain device saw, kept without allocating.
struct ChainStats {
    long moves = 0, draws = 0;
    long unconnected = 0;  // moves that do not start where the last piece ended
    int longest = 0;       // most vertices of one piece
    int vertices = 0;
    double last_x = 0.0, last_y = 0.0;
};

class ChainDevice final : public Device {
  public:
    ChainDevice(PlotState& s, ChainStats& stats) : Device(s), stats_(stats) {}
    DeviceCapabilities capabilities() const override { return {}; }
    Warning open(Sink*) override { return warning::none; }
    Warning close() override { return warning::none; }
    void move(double x, double y) override {
        if (stats_.draws > 0 && (x != stats_.last_x || y != stats_.last_y)) ++stats_.unconnected;
        ++stats_.moves;
        stats_.vertices = 1;
        stats_.last_x = x;
        stats_.last_y = y;
    }
    void draw(double x, double y) override {
        ++stats_.draws;
        if (++stats_.vertices > stats_.longest) stats_.longest = stats_.vertices;
        stats_.last_x = x;
        stats_.last_y = y;
    }
    void colour(int) override {}

  private:
    ChainStats& stats_;
};

TEST(CurveStream, LongLineArrivesAsConnectedPiecesWithoutMemory) {
    constexpr int n = 200000;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = -14.0 + 23.0 * i / (n - 1);
        y[i] = 1.4 + 1.2 * std::sin(i * 0.001);
    }
    Gravox g;
    ChainStats stats;
    PlotState& s = gvx::state_of(g);
    s.device_factory = [&stats](PlotState& state, int) {
        return std::unique_ptr<Device>(new ChainDevice(state, stats));
    };
    s.files.open_sink = [](const char*, const char*) {
        return std::unique_ptr<Sink>(new MemorySink());
    };
    ::testing::internal::CaptureStdout();
    g.metafl("PNG");
    g.gvxini();
    g.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5);
    flush_polyline(s);
    ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(s.frame.level, 2);
    stats = ChainStats{};

    const long before = g_allocations.load();
    g.curve(x.data(), y.data(), n);
    flush_polyline(s);
    const long allocated = g_allocations.load() - before;

    EXPECT_EQ(allocated, 0);
    EXPECT_EQ(stats.draws, n - 1);
    EXPECT_EQ(stats.unconnected, 0);
    EXPECT_EQ(stats.longest, 100);
    // 199,999 segments in pieces of 99.
    EXPECT_EQ(stats.moves, (n - 1 + 98) / 99);
    EXPECT_DOUBLE_EQ(stats.last_x, x_to_plot(s, x[n - 1]));
}

}  // namespace
}  // namespace gvx::testing
