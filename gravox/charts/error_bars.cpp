// Error bars: a line from value - err1 to value + err2 at every point, vertical or
// horizontal, with optional caps and the curve symbol at the point.
#include <algorithm>
#include <cmath>

#include "gravox/charts/charts.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/curve.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::errbar(const double* x, const double* y, const double* err1, const double* err2,
                    int n) {
    if (refused("errbar", 2, 3)) return;
    PlotState& s = state();
    if (!x || !y || !err1 || !err2 || n < 1) {
        warn_int(s, warning::incorrect_parameter, n);
        return;
    }
    const ChartState& ch = *s.charts;
    const bool across = ch.error_direction == ErrorDirection::horizontal;
    const int size = s.curves->marker_size;
    const double cap = ch.error_caps ? size / 2.0 : 0.0;
    open_curve_clipping(s);
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]) || !std::isfinite(err1[i]) ||
            !std::isfinite(err2[i]))
            continue;
        const double px = plot_x(s, x[i]), py = plot_y(s, y[i]);
        double x1 = px, y1 = py, x2 = px, y2 = py;
        if (across) {
            x1 = plot_x(s, x[i] - err1[i]);
            x2 = plot_x(s, x[i] + err2[i]);
        } else {
            y1 = plot_y(s, y[i] - err1[i]);
            y2 = plot_y(s, y[i] + err2[i]);
        }
        offset_move_to(s, x1, y1);
        offset_draw_to(s, x2, y2);
        if (cap > 0.0) {
            for (int end = 0; end < 2; ++end) {
                const double ex = end ? x2 : x1, ey = end ? y2 : y1;
                if (across) {
                    offset_move_to(s, ex, ey - cap);
                    offset_draw_to(s, ex, ey + cap);
                } else {
                    offset_move_to(s, ex - cap, ey);
                    offset_draw_to(s, ex + cap, ey);
                }
            }
        }
        if (ch.error_symbols) {
            flush_polyline(s);
            draw_symbol(s, s.curves->marker_symbol, size, static_cast<int>(std::lround(px)),
                        static_cast<int>(std::lround(py)));
        }
    }
    flush_polyline(s);
    close_curve_clipping(s);
}

void Gravox::errbmd(const char* item, const char* mode) {
    if (refused("errbmd", 1, 3)) return;
    PlotState& s = state();
    const int which = match_keyword(s, "DIRE+CAPS+SYMB", 3, item);
    if (which == 0) return;
    ChartState& ch = *s.charts;
    if (which == 1) {
        const int index = match_keyword(s, "VERT+HORI", 2, mode);
        if (index != 0) ch.error_direction = static_cast<ErrorDirection>(index);
        return;
    }
    const int index = match_keyword(s, "ON  +OFF ", 2, mode);
    if (index == 0) return;
    (which == 2 ? ch.error_caps : ch.error_symbols) = index == 1;
}
