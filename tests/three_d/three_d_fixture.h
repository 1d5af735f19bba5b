// Plots for the tests of the three-dimensional routines: a recording device and an axis
// rectangle of 1001 by 1001 plot units at (500, 1600), whose centre is (1000, 1100).
#pragma once

#include <string>

#include "gravox/three_d/three_d.h"
#include "tests/support/recorded_plot_test.h"

namespace gvx::testing {

class ThreeDFixture : public RecordedPlotTest {
  protected:
    void SetUp() override {
        RecordingOptions options;
        options.caps.fills_polygons = true;
        open(options);
        stdout_of([&] {
            g_.axspos(500, 1600);
            g_.axslen(1001, 1001);
            g_.nograf();
        });
    }

    // A unit box (user coordinates equal box coordinates, -1 to 1 on every axis) seen
    // from the given viewpoint; true when level 3 was reached.
    bool open_box(double x, double y, double z, const char* mode) {
        last_output_ = output_of([&] {
            g_.view3d(x, y, z, mode);
            g_.graf3d(-1, 1, -1, 0.5, -1, 1, -1, 0.5, -1, 1, -1, 0.5);
        });
        rec_->clear();
        return s().frame.level == 3;
    }

    std::string last_output_;
};

}  // namespace gvx::testing
