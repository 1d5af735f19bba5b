// A plot with the application's first axis system on a recording device, for the tests
// of curves and legends.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/recorded_plot_test.h"

namespace gvx::testing {

class CurveFixture : public RecordedPlotTest {
  protected:
    // graf(-15, 10, -15, 5, 0, 2.78, 0, 0.5) on the default page: x factor 79.16, user
    // (-15, 0) at plot (494, 1799), the clipping window (495, 401) to (2472, 1798).
    void SetUp() override {
        open();
        output_of([&] { g_.graf(-15.0, 10.0, -15.0, 5.0, 0.0, 2.78, 0.0, 0.5); });
        ASSERT_EQ(s().frame.level, 2);
        rec_->clear();
    }

    static double px(double x) { return (x + 15.0) * 79.16 + 494.0; }
    static double py(double y) { return 1799.0 - y * (1399.0 / 2.78); }

    // The device polylines drawn so far (moves start them, draws extend them).
    std::vector<std::vector<Recording::Point>> polylines() {
        flush_polyline(s());
        return rec_->polylines();
    }
};

}  // namespace gvx::testing
