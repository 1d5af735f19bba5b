// Plots for the tests of the three-dimensional routines: a recording device and an axis
// rectangle of 1001 by 1001 plot units at (500, 1600), whose centre is (1000, 1100).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/three_d/three_d.h"
#include "tests/support/recording_device.h"

namespace gvx::testing {

class ThreeDFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ::testing::internal::CaptureStdout();
        RecordingOptions options;
        options.caps.fills_polygons = true;
        rec_ = open_recorded_plot(g_, options);
        g_.axspos(500, 1600);
        g_.axslen(1001, 1001);
        g_.nograf();
        ::testing::internal::GetCapturedStdout();
    }

    // A unit box (user coordinates equal box coordinates, -1 to 1 on every axis) seen
    // from the given viewpoint; true when level 3 was reached.
    bool open_box(double x, double y, double z, const char* mode) {
        ::testing::internal::CaptureStdout();
        g_.view3d(x, y, z, mode);
        g_.graf3d(-1, 1, -1, 0.5, -1, 1, -1, 0.5, -1, 1, -1, 0.5);
        flush_polyline(s());
        last_output_ = ::testing::internal::GetCapturedStdout();
        rec_->clear();
        return s().frame.level == 3;
    }

    template <typename Fn>
    std::string output_of(Fn fn) {
        ::testing::internal::CaptureStdout();
        fn();
        flush_polyline(s());
        return ::testing::internal::GetCapturedStdout();
    }

    PlotState& s() { return gvx::state_of(g_); }
    int warnings() { return s().frame.warning_count; }

    Gravox g_;
    std::shared_ptr<Recording> rec_;
    std::string last_output_;
};

}  // namespace gvx::testing
