// A plot on a recording device for the text tests, with helpers that look at the
// strokes a string leaves on the device.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"
#include "tests/support/capture.h"
#include "tests/support/recording_device.h"

namespace gvx::testing {

// Extent of the ink of the recorded strokes.
struct Ink {
    double xmin = std::numeric_limits<double>::max(), xmax = std::numeric_limits<double>::lowest();
    double ymin = std::numeric_limits<double>::max(), ymax = std::numeric_limits<double>::lowest();
    int points = 0;
    double cx() const { return (xmin + xmax) / 2.0; }
    double cy() const { return (ymin + ymax) / 2.0; }
};

class TextTest : public ::testing::Test {
  protected:
    TextTest() {
        ::testing::internal::CaptureStdout();
        rec_ = open_recorded_plot(g_);
        ::testing::internal::GetCapturedStdout();
        rec_->clear();
    }
    ~TextTest() override {
        if (s().frame.level > 0) {
            ::testing::internal::CaptureStdout();
            g_.gvxfin();
            ::testing::internal::GetCapturedStdout();
        }
    }

    PlotState& s() { return gvx::state_of(g_); }

    // Closes the plot and opens another on a recording device with these options.
    void reopen(RecordingOptions options) {
        output_of([&] {
            g_.gvxfin();
            rec_ = open_recorded_plot(g_, options);
        });
        rec_->clear();
    }

    // Runs fn and returns what it printed on standard output.
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of(fn);
    }

    // Draws a string with messag and returns its polylines (the recording is cleared
    // first); nothing is printed.
    std::vector<std::vector<Recording::Point>> strokes(const std::string& text, int x = 500,
                                                       int y = 500) {
        rec_->clear();
        output_of([&] { g_.messag(text.c_str(), x, y); });
        return rec_->polylines();
    }

    static Ink ink(const std::vector<std::vector<Recording::Point>>& lines) {
        Ink k;
        for (const auto& line : lines) {
            for (const auto& p : line) {
                k.xmin = std::min(k.xmin, p.x);
                k.xmax = std::max(k.xmax, p.x);
                k.ymin = std::min(k.ymin, p.y);
                k.ymax = std::max(k.ymax, p.y);
                ++k.points;
            }
        }
        return k;
    }

    // Polylines moved so that the given point becomes the origin.
    static std::vector<std::vector<Recording::Point>> shifted(
        std::vector<std::vector<Recording::Point>> lines, double dx, double dy) {
        for (auto& line : lines)
            for (auto& p : line) {
                p.x -= dx;
                p.y -= dy;
            }
        return lines;
    }

    static void expect_same(const std::vector<std::vector<Recording::Point>>& a,
                            const std::vector<std::vector<Recording::Point>>& b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i].size(), b[i].size()) << "polyline " << i;
            for (std::size_t k = 0; k < a[i].size(); ++k) {
                EXPECT_NEAR(a[i][k].x, b[i][k].x, 1e-6) << "polyline " << i << " point " << k;
                EXPECT_NEAR(a[i][k].y, b[i][k].y, 1e-6) << "polyline " << i << " point " << k;
            }
        }
    }

    Gravox g_;
    std::shared_ptr<Recording> rec_;
};

}  // namespace gvx::testing
