// The curve routine: checks, attribute cycling, legend recording, the NaN count, the
// out-of-scaling report, clipping, symbols, thickness passes and the next-curve step.
#include <cmath>
#include <cstdio>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/curves/legend.h"
#include "gravox/devices/line_style.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

bool is_spline(CurveMode mode) {
    return mode == CurveMode::spline || mode == CurveMode::parametric_spline;
}

bool polar_allowed(CurveMode mode) {
    return mode == CurveMode::line || mode == CurveMode::bars || mode == CurveMode::stem ||
           mode == CurveMode::filled_bars;
}

// The first value that a logarithmic axis cannot take, if any.
bool has_non_positive(const double* v, int n) {
    for (int i = 0; i < n; ++i)
        if (v[i] <= 0.0) return true;
    return false;
}

// Scaling report: one line per point with a coordinate outside the axis ranges.
void report_out_of_scaling(PlotState& s, const AxisView& axes, const double* x, const double* y,
                           int n) {
    for (int i = 0; i < n; ++i) {
        const double xi = x[i], yi = y[i];
        const bool outside = xi < axes.x_low || xi > axes.x_high ||
                             (!axes.polar && (yi < axes.y_low || yi > axes.y_high));
        // Points with a NaN coordinate are not reported; the range test comes first as
        // it rules out nearly every point.
        if (!outside || std::isnan(xi) || std::isnan(yi)) continue;
        report_outside_scaling(s, xi, yi);
    }
}

// The line style that curve saves when the attribute cycle changes it; it comes back
// with its walk started again.
struct SavedLineStyle {
    LineStyle style;
    int type = 0;
};

SavedLineStyle save_line_type(const PlotState& s) {
    return {line_style(s), s.curves->line_type};
}

void restore_line_type(PlotState& s, const SavedLineStyle& saved) {
    set_line_pattern(s, saved.style.dash_lengths, saved.style.dash_count);
    s.curves->line_type = saved.type;
}

void draw_symbols(PlotState& s, const double* x, const double* y, int n) {
    CurveState& c = *s.curves;
    const int colour = s.colours->current_colour;
    if (c.marker_colour != kCurrentColour) set_device_colour(s, c.marker_colour);
    const AxisView axes = axis_view(s);
    // A step of INT_MIN has no positive counterpart; such a step reaches only point 0.
    const long step = c.marker_step < 0 ? -static_cast<long>(c.marker_step) : c.marker_step;
    for (long i = 0; i < n; i += step) {
        if (std::isnan(x[i]) || std::isnan(y[i])) continue;
        double px = 0.0, py = 0.0;
        if (axes.polar) {
            polar_point(s, x[i], y[i], px, py);
        } else {
            px = plot_x(s, x[i]);
            py = plot_y(s, y[i]);
        }
        draw_symbol(s, c.marker_symbol, c.marker_size, static_cast<int>(std::lround(px)),
                    static_cast<int>(std::lround(py)));
    }
    flush_polyline(s);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

}  // namespace

// --- Clipping ------------------------------------------------------------------------

void open_curve_clipping(PlotState& s) {
    CurveState& c = *s.curves;
    PrimitiveState& p = *s.prims;
    flush_polyline(s);
    c.saved_clip[0] = p.clip_window.xmin;
    c.saved_clip[1] = p.clip_window.ymin;
    c.saved_clip[2] = p.clip_window.xmax;
    c.saved_clip[3] = p.clip_window.ymax;
    c.clipping_open = true;
    if (!c.clipping_enabled) return;
    const AxisView axes = axis_view(s);
    if (axes.polar || axes.circle) {
        p.circle_clip = true;
        p.clip_centre_x = axes.centre_x;
        p.clip_centre_y = axes.centre_y;
        p.clip_radius = axes.radius;
        return;
    }
    ClipWindow& w = p.clip_window;
    if (w.xmin < axes.clip.xmin) w.xmin = axes.clip.xmin;
    if (w.ymin < axes.clip.ymin) w.ymin = axes.clip.ymin;
    if (w.xmax > axes.clip.xmax) w.xmax = axes.clip.xmax;
    if (w.ymax > axes.clip.ymax) w.ymax = axes.clip.ymax;
}

void close_curve_clipping(PlotState& s) {
    CurveState& c = *s.curves;
    if (!c.clipping_open) return;
    PrimitiveState& p = *s.prims;
    flush_polyline(s);
    p.clip_window = {c.saved_clip[0], c.saved_clip[1], c.saved_clip[2], c.saved_clip[3]};
    p.circle_clip = false;
    c.clipping_open = false;
}

// --- Next-curve bookkeeping ---------------------------------------------------------------

void next_curve(PlotState& s) {
    CurveState& c = *s.curves;
    if (c.call_counter == 1) return;
    c.cycle_position = (c.cycle_position + 1) % kCycleLength;
    if (c.cycle_position == 0) c.cycle_position = kCycleLength;
    c.legend_curve_number += 1;
    c.call_counter = 1;
    if (c.marker_step != 0) {
        const int m = c.marker_symbol % (kSymbolCount - 1);
        c.marker_symbol = (m < 0 ? m + kSymbolCount - 1 : m) + 1;
    }
    c.record_pending = true;
}

void restart_curve_cycle(PlotState& s) {
    CurveState& c = *s.curves;
    c.call_counter = 1;
    c.cycle_position = 1;
    c.record_pending = true;
    c.marker_symbol = 0;
}

void end_axis_system_curves(PlotState& s) {
    close_curve_clipping(s);
    s.curves->legend_curve_number = 1;
    s.legend->recorded_count = 0;
    restart_curve_cycle(s);
}

}  // namespace gvx

using namespace gvx;

void Gravox::curve(const double* x, const double* y, int n) {
    if (refused("curve", 2, 3)) return;
    PlotState& s = *state_;
    CurveState& c = *s.curves;
    FrameState& f = s.frame;
    c.fill_mark = false;

    if (!x || !y || n < 1 || (n == 1 && c.marker_step >= 0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    const AxisView axes = axis_view(s);
    if (axes.polar && !polar_allowed(c.mode)) {
        warn(s, warning::polar_interpolation);
        return;
    }
    if (!axes.neglog) {
        bool refused_log = false;
        if (axes.log_x && has_non_positive(x, n)) {
            warn(s, warning::log_scaling);
            refused_log = true;
        }
        if (axes.log_y && has_non_positive(y, n)) {
            warn(s, warning::log_scaling);
            refused_log = true;
        }
        if (refused_log) return;
    }

    // Attributes that the drawing may change, restored at the end.
    const int colour = s.colours->current_colour;
    const bool check = f.check_on;
    const int fill_pattern = s.prims->fill_pattern;
    c.in_curve = true;

    bool line_changed = false;
    SavedLineStyle line_style;
    if (c.attribute_change == AttributeChange::colour ||
        c.attribute_change == AttributeChange::both)
        set_device_colour(s, s.colours->colour_cycle[c.cycle_position - 1]);
    if (c.attribute_change == AttributeChange::line ||
        c.attribute_change == AttributeChange::both) {
        line_style = save_line_type(s);
        line_changed = true;
        apply_line_type(s, c.line_type_cycle[c.cycle_position - 1]);
    }

    if (c.record_pending) {
        record_legend_curve(s);
        c.record_pending = false;
    }

    if (c.nan_mode) {
        const int before = f.nan_count;
        for (int i = 0; i < n; ++i)
            if (std::isnan(x[i]) || std::isnan(y[i])) ++f.nan_count;
        if (f.nan_count != before && is_spline(c.mode)) warn(s, warning::nan_spline);
    }

    // The scaling report ignores the warnings switch: only the error unit silences it.
    if (f.check_on && f.error_unit != error_unit::none) report_out_of_scaling(s, axes, x, y, n);

    f.check_on = false;
    open_curve_clipping(s);

    if (c.marker_step != 0) draw_symbols(s, x, y, n);

    if (c.marker_step >= 0) {
        const double unit = f.unit_scale > 0.0 ? f.unit_scale : 1.0;
        long passes = std::lround(c.thickness * unit);
        if (passes < 1) passes = 1;
        for (long j = 1; j <= passes; ++j) {
            start_thickness_pass(s, static_cast<int>(j), unit);
            draw_curve_pass(s, x, y, n);
        }
        end_thickness_passes(s);
    }
    close_curve_clipping(s);

    if (s.colours->current_colour != colour) set_device_colour(s, colour);
    if (line_changed) restore_line_type(s, line_style);
    s.prims->fill_pattern = fill_pattern;

    f.check_on = check;
    c.in_curve = false;

    if (c.call_counter == c.calls_per_curve) {
        c.call_counter = 0;
        next_curve(s);
    } else {
        c.call_counter += 1;
    }
}
