// Pie charts: flat or three-dimensional sectors of a full circle in the rectangle of the
// axis system (axspos, axslen), with percentage or value labels, pulled-out sectors and
// a legend of the sectors' colours and patterns.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "gravox/axes/axis_system.h"
#include "gravox/charts/charts.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/curves/legend.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/shapes/shapes.h"
#include "gravox/text/text.h"

using namespace gvx;

namespace gvx {

bool pie_values_refused(PlotState& s, const double* data, int n, double& sum) {
    if (!data || n < 1) {
        warn_int(s, warning::incorrect_parameter, n);
        return true;
    }
    sum = 0.0;
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(data[i])) {
            warn(s, warning::incorrect_parameter);
            return true;
        }
        if (data[i] < 0.0) {
            warn(s, warning::negative_parameter);
            return true;
        }
        sum += data[i];
    }
    if (!(sum > 0.0)) {
        warn(s, warning::sum_zero);
        return true;
    }
    return false;
}

void pie_label_text(const PlotState& s, double value, double sum, char* out, int size) {
    const FeatureLabels& f = s.axes->features;
    char data[48], percent[48];
    chart_number_text(value, f.data_digits, data, sizeof data);
    chart_number_text(value / sum * 100.0, f.percent_digits, percent, sizeof percent);
    std::strncat(percent, "%", sizeof percent - std::strlen(percent) - 1);
    out[0] = '\0';
    auto add = [&](const char* part) { std::strncat(out, part, size - 1 - std::strlen(out)); };
    switch (static_cast<PieLabels>(f.pie_mode)) {
        case PieLabels::percent:
            add(percent);
            break;
        case PieLabels::data:
            add(data);
            break;
        case PieLabels::both:
            add(data);
            add(" (");
            add(percent);
            add(")");
            break;
        default:
            break;
    }
}

}  // namespace gvx

namespace {

struct Sector {
    double alpha, beta;  // degrees
    double cx, cy;       // centre after the pull-out
    int colour, side_colour, pattern;
};

// How far sector i is pulled out of a pie of radius r.
double pull_of(const ChartState& ch, int i, double r) {
    return i < kPieSectors && ch.pie_pull[i] > 0 ? ch.pie_pull[i]
           : ch.pie_exploded                     ? r / 10.0
                                                 : 0.0;
}

Sector sector_of(const PlotState& s, int i, double alpha, double beta, double cx, double cy,
                 double r) {
    const ChartState& ch = *s.charts;
    Sector sec{alpha, beta, cx, cy, s.colours->current_colour, -1, s.prims->fill_pattern};
    const double pull = pull_of(ch, i, r);
    const double mid = (alpha + beta) / 2.0 * std::numbers::pi / 180.0;
    sec.cx += pull * std::cos(mid);
    sec.cy -= pull * std::sin(mid);
    const bool colours = ch.pie_change == PieChange::colour || ch.pie_change == PieChange::both;
    const bool patterns = ch.pie_change == PieChange::pattern || ch.pie_change == PieChange::both;
    if (colours) {
        sec.colour = i < ch.pie_colour_count && ch.pie_colours[i] >= 0
                         ? ch.pie_colours[i]
                         : s.colours->colour_cycle[i % kCycleLength];
    }
    sec.side_colour = i < ch.pie_colour_count && ch.pie_side_colours[i] >= 0
                          ? ch.pie_side_colours[i]
                          : sec.colour;
    if (patterns) sec.pattern = s.curves->pattern_cycle[i % kCycleLength];
    return sec;
}

// The side walls of a 3-D sector. The rim shows on the near half (180 to 360 degrees),
// from the top ellipse down by the depth. A cut along a radius shows where a gap opens
// beside it (the sector or its neighbour there is pulled out) and the cut faces the
// viewer: the cut at alpha when cos(alpha) > 0, the cut at beta when cos(beta) < 0.
void draw_side(PlotState& s, const Sector& sec, double a, double b, int depth, int border,
               bool gap_at_alpha, bool gap_at_beta) {
    const double radian = std::numbers::pi / 180.0;
    for (int end = 0; end < 2; ++end) {
        const double angle = end == 0 ? sec.alpha : sec.beta;
        const double c = std::cos(angle * radian);
        if (!(end == 0 ? gap_at_alpha && c > 1e-9 : gap_at_beta && c < -1e-9)) continue;
        const double ex = sec.cx + a * c, ey = sec.cy - b * std::sin(angle * radian);
        const double x[4] = {sec.cx, ex, ex, sec.cx};
        const double y[4] = {sec.cy, ey, ey + depth, sec.cy + depth};
        draw_face(s, x, y, 4, sec.side_colour, border);
    }
    for (double lo = 180.0; lo < 1080.0; lo += 360.0) {
        const double from = std::max(sec.alpha, lo), to = std::min(sec.beta, lo + 180.0);
        if (!(from < to)) continue;
        double x[kShapeCapacity], y[kShapeCapacity];
        int n = arc_points(sec.cx, sec.cy, a, b, 0.0, from, to, x, y, 0);
        n = arc_points(sec.cx, sec.cy + depth, a, b, 0.0, to, from, x, y, n);
        draw_face(s, x, y, n, sec.side_colour, border);
    }
}

// The page y of the nearest point of a sector's top: sectors are drawn from the far
// ones to the near ones, so that nearer walls and tops cover what lies behind them.
double nearest_y(const Sector& sec, double b) {
    const double radian = std::numbers::pi / 180.0;
    double lowest = std::min(std::sin(sec.alpha * radian), std::sin(sec.beta * radian));
    if (sec.alpha <= 270.0 && sec.beta >= 270.0) lowest = -1.0;
    return sec.cy - b * std::min(lowest, 0.0);
}

}  // namespace

void Gravox::piegrf(LegendBuffer buffer, int nlin, const double* data, int n) {
    if (refused("piegrf", 1, 3)) return;
    PlotState& s = state();
    const ChartState& ch = *s.charts;
    double sum = 0.0;
    if (pie_values_refused(s, data, n, sum)) return;
    if (nlin < 0 || (nlin > 0 && !buffer.data)) {
        warn_int(s, warning::incorrect_parameter, nlin);
        return;
    }
    const AxisState& ax = *s.axes;
    const int h = s.text->height;
    const bool legend_wanted = nlin > 0 && s.legend->ready;
    if (nlin > 0 && !s.legend->ready) warn(s, warning::no_legini);  // the pie is drawn
    // The legend takes the right part of the rectangle.
    int legend_width = 0;
    if (legend_wanted) legend_width = nxlegn(buffer) + h;
    const double width = std::max(2, ax.len_x - legend_width);
    const bool outside = s.axes->features.pie_mode != 1 && s.axes->features.pie_position != 1;
    const double room = outside ? 0.7 : 0.9;
    double r = std::min(width, static_cast<double>(ax.len_y)) / 2.0 * room;
    const double cx = ax.pos_x + width / 2.0;
    double cy = ax.pos_y - ax.len_y / 2.0;
    double b = r;
    if (ch.pie_3d) {
        b = r * std::sin(ch.pie_angle * std::numbers::pi / 180.0);
        cy -= ch.pie_depth / 2.0;
    }

    const int colour = s.colours->current_colour;
    const int pattern = s.prims->fill_pattern;
    // The angles of the sectors: sector i from start[i] to start[i + 1] degrees.
    std::vector<double> start(static_cast<std::size_t>(n) + 1, 0.0);
    double cumulative = 0.0;
    for (int i = 0; i < n; ++i) {
        start[i] = cumulative / sum * 360.0;
        cumulative += data[i];
    }
    start[n] = 360.0;
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) order[i] = i;
    if (ch.pie_3d) {
        std::vector<double> key(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            key[i] = nearest_y(sector_of(s, i, start[i], start[i + 1], cx, cy, r), b);
        std::stable_sort(order.begin(), order.end(), [&](int p, int q) { return key[p] < key[q]; });
    }
    for (int i = 0; i < n; ++i) {
        if (i < kLegendMaxLines && !s.legend->explicit_entries) {
            const Sector sec = sector_of(s, i, start[i], start[i + 1], cx, cy, r);
            LegendRecord& rec = s.legend->records[i];
            rec = LegendRecord{};
            rec.colour = sec.colour;
            rec.symbol = -1;
            rec.thickness = 1;
            rec.line_width = s.prims->line_width;
            rec.symbol_colour = kCurrentColour;
            rec.fill_pattern = sec.pattern;
        }
    }
    for (const int i : order) {
        const double alpha = start[i], beta = start[i + 1];
        if (!(beta > alpha)) continue;
        const Sector sec = sector_of(s, i, alpha, beta, cx, cy, r);
        s.prims->fill_pattern = sec.pattern;
        if (ch.pie_3d) {
            const bool pulled = pull_of(ch, i, r) > 0.0;
            const bool before = pull_of(ch, i > 0 ? i - 1 : n - 1, r) > 0.0;
            const bool after = pull_of(ch, i + 1 < n ? i + 1 : 0, r) > 0.0;
            draw_side(s, sec, r, b, ch.pie_depth, ch.pie_border, pulled || before, pulled || after);
        }
        double x[kShapeCapacity], y[kShapeCapacity];
        const int m = sector_points(sec.cx, sec.cy, 0, 0, r, b, 0.0, alpha, beta, x, y);
        draw_face(s, x, y, m, sec.colour, ch.pie_border);
    }
    for (int i = 0; i < n; ++i) {
        const double alpha = start[i], beta = start[i + 1];
        if (!(beta > alpha)) continue;
        const Sector sec = sector_of(s, i, alpha, beta, cx, cy, r);
        char text[128];
        pie_label_text(s, data[i], sum, text, sizeof text);
        if (text[0] == '\0') continue;
        const double mid = (alpha + beta) / 2.0 * std::numbers::pi / 180.0;
        const double c = std::cos(mid), si = std::sin(mid);
        const double length = text_length(s, text);
        double tx, ty;
        if (s.axes->features.pie_position == 1) {  // inside
            tx = sec.cx + 0.6 * r * c - length / 2.0;
            ty = sec.cy - 0.6 * b * si - h / 2.0;
        } else {
            const double depth = ch.pie_3d && si < 0.0 ? ch.pie_depth : 0.0;
            tx = sec.cx + (r + h / 2.0) * c - (c < 0.0 ? length : 0.0);
            ty = sec.cy - (b + h / 2.0) * si + depth - h / 2.0 - (si > 0.0 ? h / 2.0 : 0.0);
        }
        if (ch.pie_label_colour >= 0)
            set_device_colour(s, ch.pie_label_colour);
        else if (s.colours->current_colour != colour)
            set_device_colour(s, colour);
        draw_text(s, text, tx, ty);
    }
    s.prims->fill_pattern = pattern;
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
    flush_polyline(s);
    if (!s.legend->explicit_entries)
        s.legend->recorded_count = std::max(s.legend->recorded_count, std::min(n, kLegendMaxLines));

    if (legend_wanted) {
        // The legend to the right of the pie, centred on it; drawn as at an axis system.
        LegendState& g = *s.legend;
        const bool automatic = g.auto_position;
        const int gx = g.x, gy = g.y;
        g.auto_position = false;
        g.x = static_cast<int>(ax.pos_x + width + h);
        g.y = static_cast<int>(ax.pos_y - ax.len_y / 2.0 - nylegn(buffer) / 2.0);
        FrameState& f = s.frame;
        const int level = f.level;
        if (f.level < 2) f.level = 2;
        legend(buffer, 7);
        f.level = level;
        g.auto_position = automatic;
        g.x = gx;
        g.y = gy;
    }
}

void Gravox::pietyp(const char* type) {
    if (refused("pietyp", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "2D  +3D  ", 2, type);
    if (index != 0) s.charts->pie_3d = index == 2;
}

void Gravox::pieclr(const int* top, const int* side, int n) {
    if (refused("pieclr", 1, 3)) return;
    PlotState& s = state();
    if (!top || !side || n < 1 || n > kPieSectors) {
        warn_int(s, warning::incorrect_parameter, n);
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (top[i] < -1 || side[i] < -1) {
            warn_int(s, warning::incorrect_parameter, std::min(top[i], side[i]));
            return;
        }
    }
    ChartState& ch = *s.charts;
    std::copy(top, top + n, ch.pie_colours);
    std::copy(side, side + n, ch.pie_side_colours);
    ch.pie_colour_count = n;
}

void Gravox::pieopt(int depth, double angle) {
    if (refused("pieopt", 1, 3)) return;
    PlotState& s = state();
    if (depth < 0 || !(angle >= 10.0 && angle <= 90.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.charts->pie_depth = depth;
    s.charts->pie_angle = angle;
}

void Gravox::pielab(const char* mode, const char* position) {
    if (refused("pielab", 1, 3)) return;
    PlotState& s = state();
    const int m = match_keyword(s, "NONE+PERC+DATA+BOTH", 4, mode);
    if (m == 0) return;
    const int p = match_keyword(s, "INTE+EXTE+ALIG", 3, position);
    if (p == 0) return;
    s.axes->features.pie_mode = m;
    s.axes->features.pie_position = p;
}

void Gravox::piebor(int colour) {
    if (refused("piebor", 1, 3)) return;
    PlotState& s = state();
    if (colour < -1) {
        warn_int(s, warning::incorrect_parameter, colour);
        return;
    }
    s.charts->pie_border = colour;
}

void Gravox::pieexp() {
    if (refused("pieexp", 1, 3)) return;
    state().charts->pie_exploded = true;
}

void Gravox::pievec(int sector, int distance) {
    if (refused("pievec", 1, 3)) return;
    PlotState& s = state();
    if (sector < 0 || sector > kPieSectors || distance < 0) {
        warn_int(s, warning::incorrect_parameter,
                 sector < 0 || sector > kPieSectors ? sector : distance);
        return;
    }
    ChartState& ch = *s.charts;
    if (sector == 0)
        std::fill(ch.pie_pull, ch.pie_pull + kPieSectors, distance);
    else
        ch.pie_pull[sector - 1] = distance;
}

void Gravox::chnpie(const char* change) {
    if (refused("chnpie", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "NONE+COLO+PATT+BOTH", 4, change);
    if (index != 0) s.charts->pie_change = static_cast<PieChange>(index - 1);
}
