// An axis system on a recording device that fills polygons itself, for the chart tests:
// x from 0 to 10 over 1000 plot units, y from 0 to 10 over 500, lower left (500, 1500).
#pragma once

#include <vector>

#include "gravox/curves/axis_view.h"
#include "tests/shapes/shapes_fixture.h"

namespace gvx::testing {

class ChartsFixture : public ShapesFixture {
  protected:
    void SetUp() override {
        RecordingOptions options;
        options.caps.fills_polygons = true;
        open(options);
        g_.axspos(500, 1500);
        g_.axslen(1001, 501);  // 100 and 50 plot units per user unit
        output_of([&] { g_.graf(0.0, 10.0, 0.0, 2.0, 0.0, 10.0, 0.0, 2.0); });
        rec_->clear();
    }

    double px(double x) { return plot_x(s(), x); }
    double py(double y) { return plot_y(s(), y); }

    std::vector<DeviceCall> fills() {
        flush_polyline(s());
        return rec_->of(Call::fill_polygon);
    }
};

}  // namespace gvx::testing
