// A plot on a recording device for the tests of shading and shapes, with geometry
// helpers: point in polygon (even-odd) and the segments the device received.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/recorded_plot_test.h"

namespace gvx::testing {

class ShapesFixture : public RecordedPlotTest {
  protected:
    void SetUp() override { open(); }

    std::vector<Recording::Segment> segments() {
        flush_polyline(s());
        return rec_->segments();
    }

    // Even-odd test; points within `tolerance` of an edge count as inside.
    static bool inside(const std::vector<double>& x, const std::vector<double>& y, double px,
                       double py, double tolerance = 1e-6) {
        const size_t n = x.size();
        bool in = false;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const double ex = x[j] - x[i], ey = y[j] - y[i];
            const double len2 = ex * ex + ey * ey;
            double t = len2 > 0 ? ((px - x[i]) * ex + (py - y[i]) * ey) / len2 : 0.0;
            t = std::fmax(0.0, std::fmin(1.0, t));
            if (std::hypot(px - x[i] - t * ex, py - y[i] - t * ey) <= tolerance) return true;
            if ((y[i] > py) != (y[j] > py) &&
                px < x[i] + (py - y[i]) * (x[j] - x[i]) / (y[j] - y[i]))
                in = !in;
        }
        return in;
    }
};

}  // namespace gvx::testing
