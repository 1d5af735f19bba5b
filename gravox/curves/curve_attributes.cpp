// Curve attributes: modes, symbols, thickness, attribute cycles, line types and dash
// patterns, NaN and gap handling, bars and splines, and their resets.
#include <cctype>
#include <cmath>
#include <cstring>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/curves/legend.h"
#include "gravox/devices/line_style.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

// Dash lengths of the predefined line types before the unit factor: drawn, skipped, ...
struct LineTypePattern {
    int count;
    int lengths[4];
};
constexpr LineTypePattern kLineTypes[kLineTypeCount] = {
    {1, {1}},               // 0 solid
    {2, {1, 10}},           // 1 dotted
    {2, {10, 10}},          // 2 dashed
    {4, {30, 15, 10, 15}},  // 3 dash and short dash
    {4, {1, 15, 15, 15}},   // 4 dot and dash
    {2, {20, 15}},          // 5 medium dashes
    {2, {1, 20}},           // 6 sparse dots
    {2, {30, 20}},          // 7 long dashes
};

double unit_factor(const PlotState& s) {
    return s.frame.unit_scale > 0.0 ? s.frame.unit_scale : 1.0;
}

void fill_default_cycles(CurveState& c) {
    c.line_type_cycle = repeating_cycle(kLineTypeCount);
    c.pattern_cycle = repeating_cycle(18);
}

}  // namespace

int line_type_pattern(const PlotState& s, int type, int* lengths) {
    if (type < 0 || type >= kLineTypeCount) return 0;
    const LineTypePattern& t = kLineTypes[type];
    const double unit = unit_factor(s);
    for (int i = 0; i < t.count; ++i) {
        const int length = static_cast<int>(std::floor(t.lengths[i] / unit + 0.5));
        lengths[i] = length < 1 ? 1 : length;
    }
    return t.count;
}

bool apply_line_type(PlotState& s, int type) {
    int lengths[kMaxDashes];
    const int count = line_type_pattern(s, type, lengths);
    if (count == 0) return false;
    set_line_pattern(s, lengths, count);
    s.curves->line_type = type;
    return true;
}

void reset_curves(PlotState& s) {
    CurveState& c = *s.curves;
    c.mode = CurveMode::line;
    c.marker_step = 0;
    c.marker_symbol = 0;
    c.marker_size = static_cast<int>(std::floor(36.0 / unit_factor(s) + 0.5));
    c.marker_colour = kCurrentColour;
    c.thickness = 1;
    c.attribute_change = AttributeChange::none;
    c.calls_per_curve = 1;
    c.call_counter = 1;
    c.cycle_position = 1;
    c.legend_curve_number = 1;
    c.record_pending = true;
    c.fill_mark = false;
    fill_default_cycles(c);
    c.bar_width = 0.75;
    c.spline_order = 3;
    c.spline_points = 200;
    c.in_curve = false;
    c.clipping_enabled = true;
    c.clipping_open = false;
    // The line style of myline's reset: solid, no dash colours.
    apply_line_type(s, 0);
    set_dash_colours(s, nullptr, 0);
    reset_legend(s);
}

}  // namespace gvx

using namespace gvx;

void Gravox::polcrv(const char* mode) {
    if (refused("polcrv", 1, 3)) return;
    // Keyword positions 1..8 are the modes 0..7 in the order of CurveMode.
    const int index = match_keyword(*state_, "LINE+STEP+BARS+SPLI+PSPL+STEM+STAI+FBAR", 8, mode);
    if (index == 0) return;
    state_->curves->mode = static_cast<CurveMode>(index - 1);
}

void Gravox::incmrk(int step) {
    if (refused("incmrk", 1, 3)) return;
    state_->curves->marker_step = step;
}

void Gravox::marker(int number) {
    if (refused("marker", 1, 3)) return;
    if (check_range(*state_, number, -1, kSymbolCount)) return;
    state_->curves->marker_symbol = number;
}

void Gravox::hsymbl(int size) {
    if (refused("hsymbl", 1, 3)) return;
    if (check_range(*state_, size, 1, 10000)) return;
    state_->curves->marker_size = size;
}

void Gravox::mrkclr(int colour) {
    if (refused("mrkclr", 1, 3)) return;
    state_->curves->marker_colour = colour;
}

void Gravox::thkcrv(int passes) {
    if (refused("thkcrv", 1, 3)) return;
    if (check_range(*state_, passes, 1, 10000)) return;
    state_->curves->thickness = passes;
}

void Gravox::chncrv(const char* attribute) {
    if (refused("chncrv", 1, 3)) return;
    const int index = match_keyword(*state_, "NONE+COLO+LINE+BOTH", 4, attribute);
    if (index == 0) return;
    state_->curves->attribute_change = static_cast<AttributeChange>(index - 1);
}

void Gravox::inccrv(int calls) {
    if (refused("inccrv", 1, 3)) return;
    if (check_range(*state_, calls, 1, 32000)) return;
    state_->curves->calls_per_curve = calls;
}

void Gravox::lincyc(int index, int type) {
    if (refused("lincyc", 1, 3)) return;
    if (check_range(*state_, index, 1, kCycleLength)) return;
    if (check_range(*state_, type, 0, kLineTypeCount - 1)) return;
    state_->curves->line_type_cycle[index - 1] = type;
}

void Gravox::clrcyc(int index, int colour) {
    if (refused("clrcyc", 1, 3)) return;
    if (check_range(*state_, index, 1, kCycleLength)) return;
    if (check_range(*state_, colour, 0, -1)) return;
    state_->colours->colour_cycle[index - 1] = colour;
}

void Gravox::patcyc(int index, int pattern) {
    if (refused("patcyc", 1, 3)) return;
    if (check_range(*state_, index, 1, kCycleLength)) return;
    if (check_range(*state_, pattern, 0, -1)) return;
    if (pattern > kPatternCycleMax) {
        warn(*state_, warning::incorrect_parameter);
        return;
    }
    state_->curves->pattern_cycle[index - 1] = pattern;
}

void Gravox::lintyp(int type) {
    if (refused("lintyp", 1, 3)) return;
    if (check_range(*state_, type, 0, kLineTypeCount - 1)) return;
    apply_line_type(*state_, type);
}

void Gravox::myline(const int* lengths, int n) {
    if (refused("myline", 1, 3)) return;
    PlotState& s = *state_;
    if (check_range(s, n, 1, kMaxDashes)) return;
    if (!lengths) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    for (int i = 0; i < n; ++i)
        if (check_range(s, lengths[i], 1, -1)) return;
    set_line_pattern(s, lengths, n);
}

void Gravox::linclr(const int* colours, int n) {
    if (refused("linclr", 1, 3)) return;
    PlotState& s = *state_;
    if (check_range(s, n, 0, kMaxDashColours)) return;
    if (n > 0 && !colours) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    for (int i = 0; i < n; ++i)
        if (check_range(s, colours[i], 0, -1)) return;
    set_dash_colours(s, colours, n);
}

void Gravox::nancrv(const char* mode) {
    if (refused("nancrv", 1, 3)) return;
    const int index = match_keyword(*state_, "OFF +ON  ", 2, mode);
    if (index == 0) return;
    state_->curves->nan_mode = index == 2;
}

void Gravox::gapcrv(double distance) {
    if (refused("gapcrv", 1, 3)) return;
    CurveState& c = *state_->curves;
    c.gap_mode = kGapX;
    c.gap_x = distance;
}

void Gravox::gapsiz(double distance, const char* axes) {
    if (refused("gapsiz", 1, 3)) return;
    PlotState& s = *state_;
    CurveState& c = *s.curves;
    if (!axes) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    char word[5];
    reduce_keyword(axes, word);
    if (std::strncmp(word, "RES", 3) == 0) {
        c.gap_mode = 0;
        return;
    }
    bool has_x = false, has_y = false;
    for (const char* p = axes; *p; ++p) {
        const int ch = std::toupper(static_cast<unsigned char>(*p));
        has_x = has_x || ch == 'X';
        has_y = has_y || ch == 'Y';
    }
    if (!has_x && !has_y) {
        warn_text(s, warning::incorrect_parameter, axes);
        return;
    }
    if (has_x) {
        c.gap_x = distance;
        c.gap_mode |= kGapX;
    }
    if (has_y) {
        c.gap_y = distance;
        c.gap_mode |= kGapY;
    }
}

void Gravox::barwth(double width) {
    if (refused("barwth", 1, 3)) return;
    if (std::isnan(width)) {
        warn(*state_, warning::incorrect_parameter);
        return;
    }
    state_->curves->bar_width = width;
}

void Gravox::splmod(int order, int points) {
    if (refused("splmod", 1, 3)) return;
    PlotState& s = *state_;
    const bool order_bad = check_range(s, order, 2, 10) != 0;
    const bool points_bad = check_range(s, points, 5, 30000) != 0;
    if (order_bad || points_bad) return;
    s.curves->spline_order = order;
    s.curves->spline_points = points;
}

void Gravox::resatt() {
    if (refused("resatt", 1, 3)) return;
    restart_curve_cycle(*state_);
}
