// Whole polylines handed to a device at once: the flush of the polyline buffer against
// a step-by-step clipping of the same vertices, and the raster device's own walk of a
// polyline against its moves and draws one by one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "tests/support/recording_device.h"

namespace gvx::testing {
namespace {

struct Vertex {
    double x, y;
};

// Vertices that wander in and out of the window (100, 100) to (200, 200): along and
// just beyond its edges (within and past the tolerance), through its corners, far
// away on every side, and through coordinates that are not finite.
std::vector<Vertex> wandering_path() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<Vertex> v = {
        {150, 150}, {160, 170},  {199.9995, 120}, {200.0005, 130},  {200.002, 140},
        {250, 140}, {260, 150},  {150, 150},      {150, 90},        {140, 80},
        {120, 50},  {50, 50},    {100, 100},      {99.998, 99.998}, {300, 300},
        {150, 150}, {150, 150},  {nan, 150},      {150, 160},       {inf, 160},
        {150, 170}, {-inf, 180}, {100, 120},      {100, 160},       {40, 160},
        {40, 300},  {300, 40},   {170, 170},      {1e6, 1e6},       {-1e6, -1e6},
        {180, 180}, {180, 180},  {200, 200},
    };
    // A long swing back and forth across the right edge, as a curve leaving the axis
    // rectangle and coming back would make.
    for (int i = 0; i < 60; ++i) v.push_back({190.0 + 25.0 * std::sin(i * 0.37), 110.0 + 1.4 * i});
    return v;
}

class PolylineFlush : public ::testing::Test {
  protected:
    std::shared_ptr<Recording> open(Gravox& g) {
        ::testing::internal::CaptureStdout();
        std::shared_ptr<Recording> rec = open_recorded_plot(g, {});
        ::testing::internal::GetCapturedStdout();
        gvx::state_of(g).prims->clip_window = {100, 100, 200, 200};
        rec->clear();
        gvx::state_of(g).frame.vector_count = 0;
        return rec;
    }
};

// What a flush must send: a move to the first vertex when it is inside, draws while
// every vertex so far was inside, and every segment from the first vertex outside on
// through the segment clipping.
void clip_step_by_step(PlotState& s, const std::vector<Vertex>& v) {
    bool outside = !inside_clip(s, v[0].x, v[0].y);
    if (!outside) device_plot(s, v[0].x, v[0].y, 1);
    for (std::size_t i = 1; i < v.size(); ++i) {
        if (!outside && inside_clip(s, v[i].x, v[i].y)) {
            device_plot(s, v[i].x, v[i].y, 2);
            continue;
        }
        outside = true;
        clip_segment(s, v[i - 1].x, v[i - 1].y, v[i].x, v[i].y);
    }
}

void expect_same_calls(const Recording& got, const Recording& want) {
    ASSERT_EQ(got.calls.size(), want.calls.size());
    for (std::size_t i = 0; i < got.calls.size(); ++i) {
        EXPECT_EQ(got.calls[i].kind, want.calls[i].kind) << i;
        EXPECT_EQ(got.calls[i].x1, want.calls[i].x1) << i;
        EXPECT_EQ(got.calls[i].y1, want.calls[i].y1) << i;
    }
}

TEST_F(PolylineFlush, SendsWhatClippingEachSegmentWouldSend) {
    const std::vector<Vertex> path = wandering_path();
    ASSERT_LE(path.size(), static_cast<std::size_t>(kPolylineCapacity));
    // Every vertex as the start, so that the run inside the window before the first
    // vertex outside has every length, including none.
    for (std::size_t start = 0; start + 2 <= path.size(); ++start) {
        const std::vector<Vertex> v(path.begin() + static_cast<long>(start), path.end());
        Gravox flushed, stepped;
        const std::shared_ptr<Recording> got = open(flushed);
        const std::shared_ptr<Recording> want = open(stepped);

        PlotState& s = gvx::state_of(flushed);
        s.prims->polyline_count = 0;
        for (std::size_t i = 0; i < v.size(); ++i) {
            s.prims->polyline_x[i] = v[i].x;
            s.prims->polyline_y[i] = v[i].y;
        }
        s.prims->polyline_count = static_cast<int>(v.size());
        flush_polyline(s);
        clip_step_by_step(gvx::state_of(stepped), v);

        SCOPED_TRACE(start);
        expect_same_calls(*got, *want);
        EXPECT_EQ(s.frame.vector_count, gvx::state_of(stepped).frame.vector_count);
        EXPECT_EQ(s.prims->pen_x, gvx::state_of(stepped).prims->pen_x);
        EXPECT_EQ(s.prims->pen_y, gvx::state_of(stepped).prims->pen_y);
        EXPECT_EQ(s.prims->polyline_count, 0);
    }
}

TEST_F(PolylineFlush, VectorCountStopsAtTheLargestInt) {
    Gravox g;
    const std::shared_ptr<Recording> rec = open(g);
    PlotState& s = gvx::state_of(g);
    s.frame.vector_count = std::numeric_limits<int>::max() - 3;
    move_to(s, 110, 110);
    for (int i = 0; i < 10; ++i) draw_to(s, 120 + i, 120 + (i % 2));
    flush_polyline(s);
    EXPECT_EQ(s.frame.vector_count, std::numeric_limits<int>::max());
    EXPECT_EQ(rec->count(Call::draw), 10);
}

// --- The raster device's polyline -------------------------------------------------------

class RasterPolyline : public ::testing::Test {
  protected:
    RasterPolyline() {
        ::testing::internal::CaptureStdout();
        g_.metafl("VIRT");  // the picture stays in memory
        g_.scrmod("REVERS");
        g_.gvxini();
        ::testing::internal::GetCapturedStdout();
    }
    ~RasterPolyline() override {
        ::testing::internal::CaptureStdout();
        g_.gvxfin();
        ::testing::internal::GetCapturedStdout();
    }
    PlotState& s() { return gvx::state_of(g_); }
    PixelDevice& device() { return dynamic_cast<PixelDevice&>(*s().device); }
    std::vector<std::uint8_t> picture() {
        const RasterCanvas& c = s().raster->canvas;
        const std::uint8_t* p = c.pixels();
        return std::vector<std::uint8_t>(
            p, p + static_cast<std::size_t>(c.width()) * static_cast<std::size_t>(c.height()));
    }
    // Draws the points once as one polyline and once as a move and single draws, and
    // expects the same picture and pen position from both.
    void expect_same_as_single_draws(const std::vector<double>& x, const std::vector<double>& y) {
        const int n = static_cast<int>(x.size());
        s().device->erase();
        s().device->polyline(x.data(), y.data(), n);
        const std::vector<std::uint8_t> whole = picture();
        const int pen_x = device().pen_x(), pen_y = device().pen_y();

        s().device->erase();
        s().device->move(x[0], y[0]);
        for (int i = 1; i < n; ++i) s().device->draw(x[i], y[i]);
        EXPECT_EQ(whole, picture());
        EXPECT_EQ(pen_x, device().pen_x());
        EXPECT_EQ(pen_y, device().pen_y());
    }

    Gravox g_;
};

TEST_F(RasterPolyline, DrawsWhatItsSingleDrawsDraw) {
    ASSERT_EQ(s().raster->canvas.width(), 853);
    s().device->colour(255);
    // Many points per pixel, steps of several pixels, returns onto pixels drawn
    // before, and single-point pieces.
    std::vector<double> x, y;
    for (int i = 0; i < 3000; ++i) {
        x.push_back(100.0 + i * 0.37);
        y.push_back(1000.0 + 400.0 * std::sin(i * 0.01));
    }
    for (int i = 0; i < 40; ++i) {
        x.push_back(500.0 + 60.0 * (i % 7));
        y.push_back(300.0 + 45.0 * (i % 5));
    }
    expect_same_as_single_draws(x, y);
    expect_same_as_single_draws({700.0}, {700.0});
    expect_same_as_single_draws({700.0, 700.2, 700.4}, {700.0, 700.1, 700.0});
}

TEST_F(RasterPolyline, PointsFarOffThePictureWriteNothingOutsideIt) {
    s().device->colour(255);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> x = {-1e12, 1500.0, 1e300, nan, 2000.0, -5.0, 2969.0};
    const std::vector<double> y = {1000.0, -1e12, 1e300, 10.0, nan, 2099.0, -1e9};
    expect_same_as_single_draws(x, y);
    // A line onto the picture from far away still lands.
    s().device->erase();
    const std::vector<double> in_x = {-1e9, 1500.0}, in_y = {1000.0, 1000.0};
    s().device->polyline(in_x.data(), in_y.data(), 2);
    const std::vector<std::uint8_t> p = picture();
    const int px = static_cast<int>(1500.0 * s().page.device_scale + 0.5);
    const int py = static_cast<int>(1000.0 * s().page.device_scale + 0.5);
    EXPECT_EQ(p[static_cast<std::size_t>(py) * 853 + static_cast<std::size_t>(px)], 255);
    EXPECT_EQ(p[static_cast<std::size_t>(py) * 853], 255);
}

}  // namespace
}  // namespace gvx::testing
