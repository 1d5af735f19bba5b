// A plot on a recording device for the axis tests, with helpers that pick the axis
// lines, ticks and text ink out of what reaches the device.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "gravox/axes/axis_system.h"
#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/capture.h"
#include "tests/support/recording_device.h"

namespace gvx::testing {

// A box around recorded points.
struct Box {
    double xmin = std::numeric_limits<double>::max(), xmax = std::numeric_limits<double>::lowest();
    double ymin = std::numeric_limits<double>::max(), ymax = std::numeric_limits<double>::lowest();
    int points = 0;
    void add(double x, double y) {
        xmin = std::min(xmin, x);
        xmax = std::max(xmax, x);
        ymin = std::min(ymin, y);
        ymax = std::max(ymax, y);
        ++points;
    }
    bool contains(double x, double y) const {
        return x >= xmin && x <= xmax && y >= ymin && y <= ymax;
    }
    double cx() const { return (xmin + xmax) / 2; }
    double cy() const { return (ymin + ymax) / 2; }
};

// A straight segment as an axis-parallel line: its fixed coordinate and its span.
struct Stroke {
    double x1, y1, x2, y2;
    bool vertical() const { return x1 == x2 && y1 != y2; }
    bool horizontal() const { return y1 == y2 && x1 != x2; }
};

class AxesTest : public ::testing::Test {
  protected:
    AxesTest() {
        ::testing::internal::CaptureStdout();
        // A pixel device, so that frames take the pixel path and stay apart from the axes.
        RecordingOptions options;
        options.caps.pixels = true;
        rec_ = open_recorded_plot(g_, options);
        g_.complx();  // the application's font, whose glyphs fill their advance
        ::testing::internal::GetCapturedStdout();
        rec_->clear();
    }
    ~AxesTest() override {
        if (s().frame.level > 0) {
            ::testing::internal::CaptureStdout();
            g_.gvxfin();
            ::testing::internal::GetCapturedStdout();
        }
    }

    PlotState& s() { return gvx::state_of(g_); }

    // Runs fn and returns what it printed on standard output.
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of(fn);
    }

    // The application's first axis system.
    std::string first_figure() {
        return output_of([&] { g_.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5); });
    }

    // Device segments, flushed.
    std::vector<Stroke> strokes() {
        flush_polyline(s());
        std::vector<Stroke> out;
        for (const auto& seg : rec_->segments()) out.push_back({seg.x1, seg.y1, seg.x2, seg.y2});
        return out;
    }

    // Vertical strokes between the two page rows (in either direction), sorted by x.
    std::vector<Stroke> vertical_between(double ya, double yb) {
        std::vector<Stroke> out;
        for (const Stroke& t : strokes())
            if (t.vertical() && std::min(t.y1, t.y2) == std::min(ya, yb) &&
                std::max(t.y1, t.y2) == std::max(ya, yb))
                out.push_back(t);
        std::sort(out.begin(), out.end(),
                  [](const Stroke& a, const Stroke& b) { return a.x1 < b.x1; });
        return out;
    }

    // Horizontal strokes between the two page columns, sorted by y from the bottom up.
    std::vector<Stroke> horizontal_between(double xa, double xb) {
        std::vector<Stroke> out;
        for (const Stroke& t : strokes())
            if (t.horizontal() && std::min(t.x1, t.x2) == std::min(xa, xb) &&
                std::max(t.x1, t.x2) == std::max(xa, xb))
                out.push_back(t);
        std::sort(out.begin(), out.end(),
                  [](const Stroke& a, const Stroke& b) { return a.y1 > b.y1; });
        return out;
    }

    // Every recorded vertex (moves and draws) inside a region.
    Box ink_in(const Box& region) {
        flush_polyline(s());
        Box b;
        for (const auto& line : rec_->polylines())
            for (const auto& p : line)
                if (region.contains(p.x, p.y)) b.add(p.x, p.y);
        return b;
    }

    // Groups the ink inside a band of rows into clusters separated by gaps wider than gap.
    std::vector<Box> clusters_along_x(const Box& region, double gap) {
        flush_polyline(s());
        std::vector<std::pair<double, double>> pts;
        for (const auto& line : rec_->polylines())
            for (const auto& p : line)
                if (region.contains(p.x, p.y)) pts.push_back({p.x, p.y});
        std::sort(pts.begin(), pts.end());
        std::vector<Box> out;
        for (const auto& [x, y] : pts) {
            if (out.empty() || x - out.back().xmax > gap) out.emplace_back();
            out.back().add(x, y);
        }
        return out;
    }
    std::vector<Box> clusters_along_y(const Box& region, double gap) {
        flush_polyline(s());
        std::vector<std::pair<double, double>> pts;
        for (const auto& line : rec_->polylines())
            for (const auto& p : line)
                if (region.contains(p.x, p.y)) pts.push_back({p.y, p.x});
        std::sort(pts.begin(), pts.end());
        std::vector<Box> out;
        for (const auto& [y, x] : pts) {
            if (out.empty() || y - out.back().ymax > gap) out.emplace_back();
            out.back().add(x, y);
        }
        return out;
    }

    static Box region(double xmin, double ymin, double xmax, double ymax) {
        Box b;
        b.xmin = xmin;
        b.ymin = ymin;
        b.xmax = xmax;
        b.ymax = ymax;
        return b;
    }

    Gravox g_;
    std::shared_ptr<Recording> rec_;
};

}  // namespace gvx::testing
