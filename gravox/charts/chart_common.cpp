// What the charts share: their reset, the drawing of a face, the legend bookkeeping,
// label numbers and the label colour routine.
#include <cstring>

#include "gravox/charts/charts.h"
#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/curves/legend.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

namespace gvx {

void reset_charts(PlotState& s) {
    ChartState& ch = *s.charts;
    std::vector<double> keep_x = std::move(ch.work_x), keep_y = std::move(ch.work_y);
    ch = ChartState{};
    ch.work_x = std::move(keep_x);
    ch.work_y = std::move(keep_y);
    for (int& c : ch.pie_colours) c = -1;
    for (int& c : ch.pie_side_colours) c = -1;
}

void draw_face(PlotState& s, const double* x, const double* y, int n, int fill, int border) {
    const int colour = s.colours->current_colour;
    if (fill >= 0 && fill != s.colours->current_colour) set_device_colour(s, fill);
    fill_polygon(s, x, y, n);
    const int outline = border >= 0 ? border : colour;
    if (outline != s.colours->current_colour) set_device_colour(s, outline);
    draw_outline(s, x, y, n);
    flush_polyline(s);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

void record_chart_entry(PlotState& s, int colour) {
    CurveState& c = *s.curves;
    if (!c.record_pending) return;
    c.fill_mark = true;
    record_legend_curve(s);
    c.fill_mark = false;
    c.record_pending = false;
    const int a = c.legend_curve_number;
    if (colour >= 0 && a >= 1 && a <= kLegendMaxLines && !s.legend->explicit_entries)
        s.legend->records[a - 1].colour = colour;
}

void count_chart_call(PlotState& s) {
    CurveState& c = *s.curves;
    if (c.call_counter == c.calls_per_curve) {
        c.call_counter = 0;
        next_curve(s);
    } else {
        c.call_counter += 1;
    }
}

void chart_number_text(double value, int digits, char* out, int size) {
    number_text(value, digits, 0, out, size);
}

}  // namespace gvx

using namespace gvx;

void Gravox::labclr(int colour, const char* item) {
    if (refused("labclr", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "BARS+PIE ", 2, item);
    if (index == 0) return;
    if (colour < -1) {
        warn_int(s, warning::incorrect_parameter, colour);
        return;
    }
    (index == 1 ? s.charts->bar_label_colour : s.charts->pie_label_colour) = colour;
}
