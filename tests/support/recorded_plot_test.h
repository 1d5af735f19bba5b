// A library object with a plot on a recording device: the base of the fixtures of the
// drawing subsystems (shapes, curves, fields).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/capture.h"
#include "tests/support/recording_device.h"

namespace gvx::testing {

class RecordedPlotTest : public ::testing::Test {
  protected:
    // Opens the plot; what gvxini prints is dropped.
    void open(RecordingOptions options = {}) {
        stdout_of([&] { rec_ = open_recorded_plot(g_, options); });
    }

    PlotState& s() { return gvx::state_of(g_); }

    // Runs fn and returns what it printed (warnings and reports), with what it drew
    // flushed to the device.
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of([&] {
            fn();
            flush_polyline(s());
        });
    }

    int warnings() { return s().frame.warning_count; }

    Gravox g_;
    std::shared_ptr<Recording> rec_;
};

}  // namespace gvx::testing
