// Shaded areas between two curves: the polygon of the first curve forward and the
// second backward, filled with the current pattern and recorded for the legend.
#include <new>

#include "gravox/charts/charts.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/curve.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::shdcrv(const double* x1, const double* y1, int n1, const double* x2, const double* y2,
                    int n2) {
    if (refused("shdcrv", 2, 3)) return;
    PlotState& s = state();
    if (!x1 || !y1 || !x2 || !y2 || n1 < 1 || n2 < 1 || n1 + n2 < 3 || n1 > (1 << 28) ||
        n2 > (1 << 28)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    ChartState& ch = *s.charts;
    const int n = n1 + n2;
    try {
        if (static_cast<int>(ch.work_x.size()) < n) {
            ch.work_x.resize(n);
            ch.work_y.resize(n);
        }
    } catch (const std::bad_alloc&) {
        warn(s, warning::not_enough_memory);
        return;
    }
    for (int i = 0; i < n1; ++i) {
        ch.work_x[i] = plot_x(s, x1[i]);
        ch.work_y[i] = plot_y(s, y1[i]);
    }
    for (int i = 0; i < n2; ++i) {
        ch.work_x[n1 + i] = plot_x(s, x2[n2 - 1 - i]);
        ch.work_y[n1 + i] = plot_y(s, y2[n2 - 1 - i]);
    }
    record_chart_entry(s, -1);
    open_curve_clipping(s);
    fill_polygon(s, ch.work_x.data(), ch.work_y.data(), n);
    flush_polyline(s);
    close_curve_clipping(s);
    count_chart_call(s);
}
