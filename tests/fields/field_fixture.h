// Plots for the tests of the fields routines: a colour axis system on a recording
// device that fills polygons itself, with equal x and y scales so that circles stay
// circles, and a sink that keeps traced contour lines.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/fields/fields.h"
#include "gravox/gravox.h"
#include "tests/support/recorded_plot_test.h"

namespace gvx::testing {

// Traced lines in user coordinates.
struct TracedLine {
    std::vector<double> x, y;
    bool closed = false;
};
class LineCollector final : public ContourSink {
  public:
    void line(const double* x, const double* y, int n, bool closed) override {
        lines.push_back({std::vector<double>(x, x + n), std::vector<double>(y, y + n), closed});
    }
    std::vector<TracedLine> lines;
};

// Equally spaced values from a to b.
inline std::vector<double> spaced(double a, double b, int n) {
    std::vector<double> v(n);
    for (int k = 0; k < n; ++k) v[k] = a + (b - a) * k / (n - 1);
    return v;
}

// The matrix of f over a grid, z[i * ny + j] = f(x[i], y[j]).
template <typename F>
std::vector<double> matrix(const std::vector<double>& x, const std::vector<double>& y, F f) {
    std::vector<double> z(x.size() * y.size());
    for (size_t i = 0; i < x.size(); ++i)
        for (size_t j = 0; j < y.size(); ++j) z[i * y.size() + j] = f(x[i], y[j]);
    return z;
}

// Area of a polygon by the shoelace formula (unsigned).
inline double polygon_area(const std::vector<double>& x, const std::vector<double>& y) {
    double a = 0.0;
    for (size_t k = 0; k < x.size(); ++k) {
        const size_t m = (k + 1) % x.size();
        a += x[k] * y[m] - x[m] * y[k];
    }
    return std::fabs(a) / 2.0;
}

class FieldFixture : public RecordedPlotTest {
  protected:
    // The axis system: 1001 by 1001 plot units at (500, 1600), x and y from -1 to 1,
    // so that one user unit is 500 plot units on both axes; z from 0 to 1.
    void SetUp() override {
        RecordingOptions options;
        options.caps.fills_polygons = true;
        open(options);
        output_of([&] {
            g_.axspos(500, 1600);
            g_.axslen(1001, 1001);
            g_.graf3(-1.0, 1.0, -1.0, 0.5, -1.0, 1.0, -1.0, 0.5, 0.0, 1.0, 0.0, 0.2);
        });
        ASSERT_EQ(s().frame.level, 3);
        rec_->clear();
    }

    static double px(double x) { return 500.0 + (x + 1.0) * 500.0; }
    static double py(double y) { return 1600.0 - (y + 1.0) * 500.0; }
};

}  // namespace gvx::testing
