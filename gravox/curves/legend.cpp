// Drawing a legend: consistency warnings, position, box, title, samples and texts.
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/axis_view.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/legend_layout.h"
#include "gravox/devices/line_style.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

int floor_int(double v) {
    return pinned_measure(std::floor(v));
}

// The attributes that drawing the samples changes.
struct SavedStyle {
    int colour = 0;
    int line_type = 0;
    LineStyle line;
    int fill_pattern = kSolidFill;
    int marker_size = 0;
};

SavedStyle save_style(const PlotState& s) {
    SavedStyle saved;
    saved.colour = s.colours->current_colour;
    saved.line_type = s.curves->line_type;
    saved.line = line_style(s);
    saved.fill_pattern = s.prims->fill_pattern;
    saved.marker_size = s.curves->marker_size;
    return saved;
}

void restore_style(PlotState& s, const SavedStyle& saved) {
    flush_polyline(s);
    if (s.colours->current_colour != saved.colour) set_device_colour(s, saved.colour);
    s.curves->line_type = saved.line_type;
    set_line_pattern(s, saved.line.dash_lengths, saved.line.dash_count);
    set_dash_colours(s, saved.line.dash_colours, saved.line.dash_colour_count);
    s.prims->fill_pattern = saved.fill_pattern;
    s.curves->marker_size = saved.marker_size;
}

// The record behind a shown line, or null for a line that has none.
const LegendRecord* record_of(const LegendState& g, int line) {
    if (line < 1 || line > kLegendMaxLines) return nullptr;
    if (g.explicit_entries && !g.explicit_marks[line - 1]) return nullptr;
    return &g.records[line - 1];
}

void draw_sample(PlotState& s, const LegendRecord& r, int x0, int yc, int P, int h, int S) {
    set_device_colour(s, r.colour);
    if (r.fill_pattern < 0) {
        if (r.line_type >= 0) {
            const int width = line_width(s);
            s.curves->line_type = r.line_type;
            set_line_pattern(s, r.dash_lengths, r.dash_count);
            set_dash_colours(s, r.dash_colours, r.dash_colour_count);
            set_line_width(s, r.line_width);
            for (int j = 1; j <= r.thickness; ++j) {
                start_thickness_pass(s, j, 1.0);
                draw_segment(s, x0, yc, x0 + P, yc);
            }
            end_thickness_passes(s);
            set_line_width(s, width);
        }
        if (r.symbol >= 0 && s.curves->marker_size > 0) {
            if (r.symbol_colour != kCurrentColour) set_device_colour(s, r.symbol_colour);
            draw_symbol(s, r.symbol, s.curves->marker_size, x0 + P / 2 - S, yc);
        }
        return;
    }
    s.prims->fill_pattern = r.fill_pattern;
    apply_line_type(s, 0);
    const double top = yc - h / 2;
    const double x[4] = {double(x0), double(x0 + P), double(x0 + P), double(x0)};
    const double y[4] = {top, top, top + h - 1, top + h - 1};
    fill_polygon(s, x, y, 4);
}

}  // namespace

}  // namespace gvx

using namespace gvx;

void Gravox::legend(LegendBuffer buffer, int ncor) {
    if (refused("legend", 2, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (!g.ready) {
        warn(s, warning::no_legini);
        return;
    }
    if (!buffer.data) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (buffer.size >= 0 && buffer.size < static_cast<long>(g.lines) * g.line_length) {
        warn(s, warning::buffer_too_small);
        return;
    }
    g.drawing = true;

    // Consistency warnings; the legend is drawn all the same.
    if (!g.explicit_entries) {
        if (g.lines > g.recorded_count)
            warn_int(s, warning::more_lines_than_curves, g.lines - g.recorded_count);
    } else {
        for (int i = 1; i <= g.lines; ++i) {
            if (g.explicit_marks[i - 1]) continue;
            warn_int(s, warning::undefined_legend_line, i);
        }
    }
    for (int i = 0; i < g.selection_count; ++i) {
        if (g.selection[i] <= g.lines) continue;
        warn_int(s, warning::undefined_legsel_line, g.selection[i]);
    }

    const LegendLayout layout = measure_legend(s, buffer.data, -1);
    const int h = layout.h;
    const double L = layout.L;
    const int I = layout.I;
    const bool samples = std::fabs(g.pattern) > 0.001;

    // Symbols and texts move left when every shown entry is symbol-only.
    int S = floor_int(h * (g.pattern - g.symbol) * 0.25);
    for (int e = 0; e < layout.count; ++e) {
        const LegendRecord* r = record_of(g, layout.entries[e].line);
        if (r && r->line_type >= 0) S = 0;
    }

    const int D = layout_height(g, layout);
    const int E = layout_width(g, layout);
    // A legend beyond any page (from huge spacing factors) is refused whole, so that no
    // position inside it can overflow.
    if (D >= kMaxPlotCoordinate || E >= kMaxPlotCoordinate ||
        !(std::fabs(h * g.symbol) < kMaxPlotCoordinate) ||
        !(std::fabs(h * (g.pattern - g.symbol)) < kMaxPlotCoordinate)) {
        warn(s, warning::incorrect_parameter);
        g.drawing = false;
        return;
    }

    int x = g.x, y = g.y;
    if (g.auto_position) {
        if (ncor < 1 || ncor > 8) {
            warn_int(s, warning::incorrect_parameter, ncor);
            g.drawing = false;
            return;
        }
        const int m = floor_int(h * g.margin);
        const int W = s.page.width, H = s.page.height;
        const int ox = s.prims->origin_x, oy = s.prims->origin_y;
        const AxisView axes = axis_view(s);
        switch (ncor) {
            case 1:
                x = m - ox;
                y = H - oy - m - D;
                break;
            case 2:
                x = W - ox - m - E;
                y = H - oy - m - D;
                break;
            case 3:
                x = W - ox - m - E;
                y = m - oy;
                break;
            case 4:
                x = m - ox;
                y = m - oy;
                break;
            case 5:
                x = axes.left + m;
                y = axes.bottom - m - D;
                break;
            case 6:
                x = axes.right - m - E;
                y = axes.bottom - m - D;
                break;
            case 7:
                x = axes.right - m - E;
                y = axes.top + m;
                break;
            default:
                x = axes.left + m;
                y = axes.top + m;
                break;
        }
    }

    // Box.
    if (g.auto_shield && g.delete_shield) g.delete_shield(s, "legend");
    int bx = x, by = y, bw = E, bh = D;
    if (I >= 1) {
        bx = x + I - 1;
        by = y + I - 1;
        bw = E - 2 * I;
        bh = D - 2 * I;
    }
    if (g.background != -1) fill_box(s, bx, by, bx + bw - 1, by + bh - 1, g.background);
    if (I != 0) draw_frame(s, bx, by, bw, bh, I, 0.0);

    y += floor_int(L * g.margin);
    if (I > 0) y += I;

    // Title.
    if (layout.has_title && layout.title_width > 0.0) {
        char title[kLegendTitleLength + 1];
        copy_text(title, g.title, kLegendTitleLength);
        draw_text_sized(s, title, x + static_cast<int>((E - layout.title_width) / 2.0), y, h, 0);
        y += floor_int(1.5 * L);
    }

    int x0 = 0;
    if (g.title_wider) {
        x0 = x + (E - floor_int((g.pattern + 1.0) * h + g.widest_text)) / 2;
    } else {
        x0 = x + floor_int(L * g.margin);
        if (I > 0) x0 += I;
    }

    const SavedStyle saved = save_style(s);
    const int P = floor_int(h * g.pattern);
    s.curves->marker_size = floor_int(h * g.symbol);
    const int entries_x = x0;

    if (samples) {
        int yc = y + h / 2;
        for (int e = 0; e < layout.count; ++e) {
            const LegendEntry& entry = layout.entries[e];
            if (const LegendRecord* r = record_of(g, entry.line))
                draw_sample(s, *r, x0, yc, P, h, S);
            if (!g.horizontal)
                yc += floor_int(L + (entry.sublines - 1) * L * g.subline);
            else
                x0 += static_cast<int>(entry.width) + h + P + layout.G;
        }
    }
    restore_style(s, saved);

    // Texts.
    const int text_colour = s.colours->current_colour;
    const char separator = static_cast<char>(s.text->mix_chars[mix_legend]);
    double xt = entries_x + P - S + (samples ? h : 0);
    double yt = y;
    char text[kLegendMaxLineLength + 1];
    for (int e = 0; e < layout.count; ++e) {
        const LegendEntry& entry = layout.entries[e];
        if (g.text_in_curve_colour) {
            if (const LegendRecord* r = record_of(g, entry.line)) set_device_colour(s, r->colour);
        }
        legend_line_text(g, buffer.data, entry.line, text);
        int j = 0;
        for_each_subline(text, g.multiline, separator, [&](const char* part) {
            if (++j > 1) yt += floor_int(g.subline * L);
            if (part[0]) draw_text_sized(s, part, xt, yt, h, 0);
        });
        if (!g.horizontal) {
            yt += floor_int(L);
        } else {
            yt = y;
            xt += static_cast<int>(entry.width) + P + layout.G + (samples ? h : 0);
        }
    }
    flush_polyline(s);
    if (s.colours->current_colour != text_colour) set_device_colour(s, text_colour);

    if (g.auto_shield && g.register_shield) g.register_shield(s, "legend", bx, by, bw, bh);
    g.drawing = false;
}
