// Bar charts: flat and three-dimensional bars, vertical or horizontal, single or in
// groups side by side, with value labels.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/axes/axis_system.h"
#include "gravox/charts/charts.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

using namespace gvx;

namespace {

bool horizontal(BarType t) {
    return t == BarType::horizontal || t == BarType::horizontal_3d;
}

// The positions of the bars: the caller's values or the main ticks of the axis.
struct BarPositions {
    const double* values = nullptr;
    double first = 0.0, step = 0.0;
    bool ticks = false;
    double at(int i) const { return ticks ? first + i * step : values[i]; }
};

// Number of main ticks from the first label to the end of the axis.
int tick_count(double begin, double end, double first, double step) {
    if (!(step != 0.0) || !std::isfinite(step)) return 0;
    const double low = std::min(begin, end), high = std::max(begin, end);
    int count = 0;
    for (int k = 0; k < 100000; ++k) {
        const double v = first + k * step;
        const double tolerance = 1e-9 * std::max(1.0, std::fabs(step));
        if (v < low - tolerance || v > high + tolerance) break;
        ++count;
    }
    return count;
}

// The spacing of bar i that its width is a fraction of.
double bar_spacing(const BarPositions& p, int i, int n, bool variable, double fallback) {
    if (n < 2) return fallback;
    if (!variable) return std::fabs(p.at(1) - p.at(0));
    double d = INFINITY;
    if (i > 0) d = std::fabs(p.at(i) - p.at(i - 1));
    if (i + 1 < n) d = std::min(d, std::fabs(p.at(i + 1) - p.at(i)));
    return d;
}

// The value a bar label shows, by the mode of labels(.., "BARS").
double label_value(int mode, double position, double v1, double v2) {
    switch (mode) {
        case 2:
            return v2;  // SECO
        case 3:
            return v1;  // FIRS
        case 4:
            return std::max(v1, v2);  // MAXI
        case 5:
            return std::min(v1, v2);  // MINI
        case 6:
            return v2 - v1;  // DELT
        default:
            return position;  // POSI
    }
}

// One bar from (a1, b1) to (a2, b2) in plot units: a runs along the position axis,
// b along the value axis, the bar growing from b1 to b2.
void draw_bar(PlotState& s, bool across, double a1, double a2, double b1, double b2) {
    const ChartState& ch = *s.charts;
    // Plot corners of the front face: left, top, right, bottom.
    double l, t, r, b;
    if (!across) {
        l = a1, r = a2, t = std::min(b1, b2), b = std::max(b1, b2);
    } else {
        t = a1, b = a2, l = std::min(b1, b2), r = std::max(b1, b2);
    }
    const int border = ch.bar_border;
    if (ch.bar_type == BarType::vertical_3d || ch.bar_type == BarType::horizontal_3d) {
        const double rad = ch.bar_angle * std::numbers::pi / 180.0;
        const double dx = ch.bar_depth * std::cos(rad), dy = -ch.bar_depth * std::sin(rad);
        const double sx[4] = {r, r + dx, r + dx, r}, sy[4] = {t, t + dy, b + dy, b};
        const double tx[4] = {l, r, r + dx, l + dx}, ty[4] = {t, t, t + dy, t + dy};
        draw_face(s, sx, sy, 4, ch.bar_colours[1], border);
        draw_face(s, tx, ty, 4, ch.bar_colours[2], border);
    }
    const double fx[4] = {l, r, r, l}, fy[4] = {t, t, b, b};
    draw_face(s, fx, fy, 4, ch.bar_colours[0], border);
}

// The label of a bar whose value end is at b2 (plot units) and which spans a1..a2.
void draw_bar_label(PlotState& s, bool across, double a1, double a2, double b1, double b2,
                    double value) {
    const FeatureLabels& f = s.axes->features;
    char text[64];
    chart_number_text(value, f.bar_digits, text, sizeof text);
    const double h = s.text->height, gap = h / 2.0;
    const double length = text_length(s, text);
    const double centre = (a1 + a2) / 2.0;
    const int position = f.bar_position;  // 1 INSI, 2 OUTS, 3 CENT, 4 AUTO (outside)
    // Direction from b1 to b2 on the page: -1 or +1.
    const double sign = b2 < b1 ? -1.0 : 1.0;
    double x, y;
    if (!across) {
        x = centre - length / 2.0;
        double mid;
        if (position == 3) {
            mid = (b1 + b2) / 2.0;
        } else {
            const double out = position == 1 ? -1.0 : 1.0;  // inside: back towards b1
            mid = b2 + sign * out * (gap + h / 2.0);
        }
        y = mid - h / 2.0;
    } else {
        y = centre - h / 2.0;
        double mid;
        if (position == 3) {
            mid = (b1 + b2) / 2.0;
        } else {
            const double out = position == 1 ? -1.0 : 1.0;
            mid = b2 + sign * out * (gap + length / 2.0);
        }
        x = mid - length / 2.0;
    }
    draw_text(s, text, x, y);
}

}  // namespace

void Gravox::bars(const double* x, const double* y1, const double* y2, int n) {
    if (refused("bars", 2, 3)) return;
    PlotState& s = state();
    ChartState& ch = *s.charts;
    if (!x || !y1 || !y2 || n < 1) {
        warn_int(s, warning::incorrect_parameter, n);
        return;
    }
    const bool across = horizontal(ch.bar_type);
    const ScalingRecord& rec = s.axes->rec;
    BarPositions pos;
    pos.values = x;
    double fallback = across ? rec.y_step : rec.x_step;
    if (ch.bar_at_ticks) {
        pos.ticks = true;
        pos.first = across ? rec.y_first : rec.x_first;
        pos.step = across ? rec.y_step : rec.x_step;
        const int ticks = across ? tick_count(rec.ya, rec.ye, rec.y_first, rec.y_step)
                                 : tick_count(rec.xa, rec.xe, rec.x_first, rec.x_step);
        if (ticks != n) {
            warn_int(s, warning::bars_unequal_ticks, n);
            n = std::min(n, ticks);
        }
    }
    fallback = std::fabs(fallback);

    // Under chncrv "COLOR" or "BOTH" each call of bars is one curve of the colour cycle:
    // its faces without a colour of barclr take the cycle's colour.
    const int caller_colour = s.colours->current_colour;
    const CurveState& c = *s.curves;
    if (c.attribute_change == AttributeChange::colour ||
        c.attribute_change == AttributeChange::both)
        set_device_colour(s, s.colours->colour_cycle[c.cycle_position - 1]);
    const int colour = s.colours->current_colour;
    record_chart_entry(s, ch.bar_colours[0]);
    open_curve_clipping(s);
    const double width = s.curves->bar_width;
    const int group = std::max(1, ch.group_size);
    const int slot = ch.group_slot % group;
    const int label_colour = ch.bar_label_colour;
    for (int i = 0; i < n; ++i) {
        const double p = pos.at(i);
        if (!std::isfinite(p) || !std::isfinite(y1[i]) || !std::isfinite(y2[i])) continue;
        auto map_pos = [&](double v) { return across ? plot_y(s, v) : plot_x(s, v); };
        auto map_val = [&](double v) { return across ? plot_x(s, v) : plot_y(s, v); };
        const double centre = map_pos(p);
        double half;
        if (width > 0.0) {
            const double d = bar_spacing(pos, i, n, ch.bar_variable, fallback) * width / 2.0;
            half = std::fabs(map_pos(p + d) - map_pos(p - d)) / 2.0;
        } else {
            half = std::fabs(width) / 2.0;
        }
        const double w = std::max(1.0, (2.0 * half - (group - 1) * ch.group_gap) / group);
        const double a1 = centre - half + slot * (w + ch.group_gap);
        const double b1 = map_val(y1[i]), b2 = map_val(y2[i]);
        draw_bar(s, across, a1, a1 + w, b1, b2);
        const int mode = s.axes->features.bar_mode;  // 1 NONE
        if (mode != 1) {
            if (label_colour >= 0) set_device_colour(s, label_colour);
            draw_bar_label(s, across, a1, a1 + w, b1, b2, label_value(mode, p, y1[i], y2[i]));
            if (s.colours->current_colour != colour) set_device_colour(s, colour);
        }
    }
    flush_polyline(s);
    close_curve_clipping(s);
    if (s.colours->current_colour != caller_colour) set_device_colour(s, caller_colour);
    ch.group_slot = (slot + 1) % group;
    count_chart_call(s);
}

void Gravox::bartyp(const char* type) {
    if (refused("bartyp", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "VERT+HORI+3DVE+3DHO", 4, type);
    if (index != 0) s.charts->bar_type = static_cast<BarType>(index);
}

void Gravox::barmod(const char* mode, const char* key) {
    if (refused("barmod", 1, 3)) return;
    PlotState& s = state();
    if (match_keyword(s, "WIDT", 1, key) == 0) return;
    const int index = match_keyword(s, "FIXE+VARI", 2, mode);
    if (index != 0) s.charts->bar_variable = index == 2;
}

void Gravox::barpos(const char* position) {
    if (refused("barpos", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "NONE+TICK", 2, position);
    if (index != 0) s.charts->bar_at_ticks = index == 2;
}

void Gravox::barclr(int front, int side, int top) {
    if (refused("barclr", 1, 3)) return;
    PlotState& s = state();
    if (front < -1 || side < -1 || top < -1) {
        warn_int(s, warning::incorrect_parameter, std::min({front, side, top}));
        return;
    }
    ChartState& ch = *s.charts;
    ch.bar_colours[0] = front;
    ch.bar_colours[1] = side;
    ch.bar_colours[2] = top;
}

void Gravox::barbor(int colour) {
    if (refused("barbor", 1, 3)) return;
    PlotState& s = state();
    if (colour < -1) {
        warn_int(s, warning::incorrect_parameter, colour);
        return;
    }
    s.charts->bar_border = colour;
}

void Gravox::barops(int depth, double angle) {
    if (refused("barops", 1, 3)) return;
    PlotState& s = state();
    if (depth < 0 || !(angle >= 0.0 && angle <= 90.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.charts->bar_depth = depth;
    s.charts->bar_angle = angle;
}

void Gravox::bargrp(int count, int gap) {
    if (refused("bargrp", 1, 3)) return;
    PlotState& s = state();
    if (count < 1 || gap < 0) {
        warn_int(s, warning::incorrect_parameter, std::min(count, gap));
        return;
    }
    s.charts->group_size = count;
    s.charts->group_gap = gap;
    s.charts->group_slot = 0;
}
