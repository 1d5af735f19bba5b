// Legend set-up: the buffer, the entry texts, title, position and options, the records
// that curves leave for the legend, and the legend measures.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

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

long needed_characters(const LegendState& g) {
    return static_cast<long>(g.lines) * g.line_length;
}

// A buffer handed to leglin, legend, nxlegn or nylegn: it must exist and, when its size
// is known, hold the lines that legini was told.
bool usable_buffer(PlotState& s, const LegendBuffer& buffer) {
    if (!buffer.data) {
        warn(s, warning::incorrect_parameter);
        return false;
    }
    if (buffer.size >= 0 && buffer.size < needed_characters(*s.legend)) {
        warn(s, warning::buffer_too_small);
        return false;
    }
    return true;
}

bool legini_called(PlotState& s) {
    if (s.legend->ready) return true;
    warn(s, warning::no_legini);
    return false;
}

int trimmed_length(const char* text) {
    int n = static_cast<int>(std::strlen(text));
    while (n > 0 && text[n - 1] == ' ') --n;
    return n;
}

double line_distance(const PlotState& s) {
    return s.text->height * s.legend->line_spacing;
}

}  // namespace

// --- Texts and measures --------------------------------------------------------------------

void legend_line_text(const LegendState& g, const char* buffer, int line, char* out) {
    out[0] = '\0';
    if (!buffer || line < 1 || line > g.lines) return;
    const char* p = buffer + static_cast<long>(line - 1) * g.line_length;
    int n = 0;
    while (n < g.line_length && n < kLegendMaxLineLength && p[n] != '\0') {
        out[n] = p[n];
        ++n;
    }
    while (n > 0 && out[n - 1] == ' ') --n;
    out[n] = '\0';
}

LegendLayout measure_legend(PlotState& s, const char* buffer, int lines) {
    const LegendState& g = *s.legend;
    LegendLayout layout;
    layout.h = s.text->height;
    layout.L = line_distance(s);
    layout.I = frame_thickness(s);
    layout.G = pinned_measure(std::floor(g.hspace >= 0.0 ? layout.h * g.hspace : -g.hspace));
    if (lines >= 0 || g.selection_count < 0) {
        const int n = lines >= 0 ? lines : g.lines;
        for (int i = 1; i <= n && i <= kLegendMaxLines; ++i)
            layout.entries[layout.count++].line = i;
    } else {
        for (int i = 0; i < g.selection_count; ++i)
            layout.entries[layout.count++].line = g.selection[i];
    }
    const char separator = static_cast<char>(s.text->mix_chars[mix_legend]);
    char text[kLegendMaxLineLength + 1];
    for (int e = 0; e < layout.count; ++e) {
        LegendEntry& entry = layout.entries[e];
        legend_line_text(g, buffer, entry.line, text);
        entry.sublines = 0;
        entry.width = 0.0;
        for_each_subline(text, g.multiline, separator, [&](const char* part) {
            ++entry.sublines;
            const double w = part[0] ? text_length(s, part) : 0.0;
            if (w > entry.width) entry.width = w;
        });
    }
    const int title_length = trimmed_length(g.title);
    layout.has_title = title_length > 0;
    if (layout.has_title) {
        char title[kLegendTitleLength + 1];
        std::memcpy(title, g.title, title_length);
        title[title_length] = '\0';
        layout.title_width = text_length(s, title);
    }
    return layout;
}

int layout_height(const LegendState& g, const LegendLayout& layout) {
    const double L = layout.L;
    double d = layout.h;
    if (!g.horizontal) {
        d += L * (2.0 * g.margin + layout.count - 1);
        for (int e = 0; e < layout.count; ++e)
            d += L * g.subline * (layout.entries[e].sublines - 1);
    } else {
        int most = 1;
        for (int e = 0; e < layout.count; ++e)
            if (layout.entries[e].sublines > most) most = layout.entries[e].sublines;
        d += L * 2.0 * g.margin + L * g.subline * (most - 1);
    }
    if (layout.I > 0) d += 2.0 * layout.I;
    if (layout.has_title) d += 1.5 * L;
    return pinned_measure(std::floor(d + 0.5));
}

int layout_width(LegendState& g, const LegendLayout& layout) {
    const double margins = layout.L * 2.0 * g.margin;
    const bool samples = std::fabs(g.pattern) > 0.001;
    // Whole numbers in doubles, converted once at the end: huge factors cannot overflow.
    const double column = samples ? std::floor(layout.h * (g.pattern + 1.0)) : 0.0;
    double texts = 0.0;
    int columns = 1;
    if (!g.horizontal) {
        for (int e = 0; e < layout.count; ++e)
            if (layout.entries[e].width > texts) texts = layout.entries[e].width;
        g.widest_text = pinned_measure(std::floor(texts));
    } else {
        for (int e = 0; e < layout.count; ++e) texts += layout.entries[e].width;
        if (layout.count > 1) texts += (layout.count - 1.0) * layout.G;
        columns = layout.count;
        // Everything but the first sample column, so that centring under a wide title
        // takes the whole row.
        g.widest_text =
            pinned_measure(std::floor(texts) + (columns > 1 ? (columns - 1) * column : 0.0));
    }
    double width = std::floor(margins + texts) + column * columns;
    const double with_title = std::floor(margins + layout.title_width);
    g.title_wider = layout.has_title && with_title > width;
    if (g.title_wider) width = with_title;
    if (layout.I > 0) width += 2.0 * layout.I;
    return pinned_measure(width);
}

int legend_height(PlotState& s, const char* buffer, int lines) {
    return layout_height(*s.legend, measure_legend(s, buffer, lines));
}

int legend_width(PlotState& s, const char* buffer, int lines) {
    return layout_width(*s.legend, measure_legend(s, buffer, lines));
}

// --- Records ---------------------------------------------------------------------------------

void record_legend_curve(PlotState& s) {
    LegendState& g = *s.legend;
    const CurveState& c = *s.curves;
    if (g.explicit_entries) return;
    const int a = c.legend_curve_number;
    if (a == 1 && g.auto_shield && g.register_shield) {
        int x = g.x, y = g.y;
        if (g.auto_position) {
            const AxisView axes = axis_view(s);
            const double m = s.text->height * g.margin;
            x = static_cast<int>(std::floor(axes.right - g.max_width - m));
            y = static_cast<int>(std::floor(axes.top + m));
        }
        g.register_shield(s, "legend", x, y, g.max_width, g.max_height);
    }
    if (a >= 1 && a <= kLegendMaxLines) {
        LegendRecord& r = g.records[a - 1];
        r = LegendRecord{};
        r.colour = s.colours->current_colour;
        r.line_type = c.marker_step < 0 ? -1 : c.line_type;
        if (r.line_type >= 0) {
            const LineStyle line = line_style(s);
            r.dash_count = line.dash_count;
            std::copy(std::begin(line.dash_lengths), std::end(line.dash_lengths), r.dash_lengths);
            r.dash_colour_count = line.dash_colour_count;
            std::copy(std::begin(line.dash_colours), std::end(line.dash_colours), r.dash_colours);
        }
        r.symbol = c.marker_step != 0 ? c.marker_symbol : -1;
        r.thickness = c.thickness;
        r.line_width = line_width(s);
        r.symbol_colour = c.marker_colour;
        r.fill_pattern = c.fill_mark ? s.prims->fill_pattern : -1;
    }
    if (a > g.recorded_count) g.recorded_count = a;
}

void reset_legend(PlotState& s) {
    LegendState& g = *s.legend;
    g.ready = false;
    g.buffer = nullptr;
    g.lines = g.line_length = 0;
    g.recorded_count = 0;
    g.horizontal = false;
    g.background = -1;
    g.text_in_curve_colour = false;
    g.multiline = false;
    g.selection_count = -1;
    g.line_spacing = 1.5;
    g.drawing = false;
}

}  // namespace gvx

using namespace gvx;

void Gravox::legini(LegendBuffer buffer, int nlin, int nmaxln) {
    if (refused("legini", 1, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (check_range(s, nlin, 1, kLegendMaxLines)) return;
    if (check_range(s, nmaxln, 1, kLegendMaxLineLength)) return;
    if (!buffer.data) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    const long needed = static_cast<long>(nlin) * nmaxln;
    if (buffer.size >= 0 && buffer.size < needed) {
        warn(s, warning::buffer_too_small);
        return;
    }
    std::memset(buffer.data, ' ', static_cast<std::size_t>(needed));
    buffer.data[0] = '\0';
    g.buffer = buffer.data;
    g.lines = nlin;
    g.line_length = nmaxln;
    g.pattern = 4.0;
    g.margin = 0.5;
    g.subline = 1.0;
    g.symbol = double(0.8f);
    g.hspace = 2.0;
    g.ready = true;
    g.auto_position = true;
    copy_text(g.title, "Legende", kLegendTitleLength);
    g.explicit_entries = false;
    for (bool& mark : g.explicit_marks) mark = false;
    g.title_wider = false;
    g.widest_text = 0;
    g.max_width = g.max_height = 0;
}

void Gravox::leglin(LegendBuffer buffer, const char* text, int line) {
    if (refused("leglin", 1, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (!legini_called(s)) return;
    if (check_range(s, line, 1, g.lines)) return;
    if (!text) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (!usable_buffer(s, buffer)) return;
    const int length = trimmed_length(text);
    if (length > g.line_length) {
        warn_text(s, warning::line_too_long, text);
        return;
    }
    char* target = buffer.data + static_cast<long>(line - 1) * g.line_length;
    std::memcpy(target, text, static_cast<std::size_t>(length));
    std::memset(target + length, ' ', static_cast<std::size_t>(g.line_length - length));
    const int width = legend_width(s, buffer.data, line);
    const int height = legend_height(s, buffer.data, line);
    if (width > g.max_width) g.max_width = width;
    if (height > g.max_height) g.max_height = height;
}

void Gravox::legtit(const char* title) {
    if (refused("legtit", 1, 3)) return;
    PlotState& s = *state_;
    if (!legini_called(s) || check_string(s, title)) return;
    copy_text(s.legend->title, title, kLegendTitleLength);
}

void Gravox::legpos(int x, int y) {
    if (refused("legpos", 1, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (!legini_called(s) || check_position(s, x, y)) return;
    g.x = x;
    g.y = top_origin_y(s, y);
    g.auto_position = false;
}

int Gravox::nxlegn(LegendBuffer buffer) {
    if (refused("nxlegn", 1, 3)) return 0;
    PlotState& s = *state_;
    if (!legini_called(s) || !usable_buffer(s, buffer)) return 0;
    return legend_width(s, buffer.data, -1);
}

int Gravox::nylegn(LegendBuffer buffer) {
    if (refused("nylegn", 1, 3)) return 0;
    PlotState& s = *state_;
    if (!legini_called(s) || !usable_buffer(s, buffer)) return 0;
    return legend_height(s, buffer.data, -1);
}

void Gravox::legopt(double pattern, double margin, double subline) {
    if (refused("legopt", 1, 3)) return;
    PlotState& s = *state_;
    if (!legini_called(s)) return;
    if (!(pattern >= 0.0) || !(margin > 0.0) || !(subline > 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.legend->pattern = pattern;
    s.legend->margin = margin;
    s.legend->subline = subline;
}

void Gravox::legval(double value, const char* option) {
    if (refused("legval", 1, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (!legini_called(s)) return;
    if (!(value >= 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    switch (match_keyword(s, "PATT+MARG+LINE+SYMB+HSPA", 5, option)) {
        case 1:
            g.pattern = value;
            break;
        case 2:
            g.margin = value;
            break;
        case 3:
            g.subline = value;
            break;
        case 4:
            g.symbol = value;
            break;
        case 5:
            g.hspace = value;
            break;
        default:
            break;
    }
}

void Gravox::legtyp(const char* type) {
    if (refused("legtyp", 1, 3)) return;
    PlotState& s = *state_;
    if (s.legend->ready) {
        warn(s, warning::legtyp_after_legini);
        return;
    }
    const int index = match_keyword(s, "VERT+HORI", 2, type);
    if (index != 0) s.legend->horizontal = index == 2;
}

void Gravox::legbgd(int colour) {
    if (refused("legbgd", 1, 3)) return;
    state_->legend->background = colour;
}

void Gravox::legclr() {
    if (refused("legclr", 1, 3)) return;
    state_->legend->text_in_curve_colour = true;
}

void Gravox::mixleg() {
    if (refused("mixleg", 1, 3)) return;
    state_->legend->multiline = true;
}

void Gravox::legsel(const int* lines, int n) {
    if (refused("legsel", 1, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (check_range(s, n, -1, kLegendMaxLines)) return;
    if (n > 0 && !lines) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    for (int i = 0; i < n; ++i)
        if (check_range(s, lines[i], 1, -1)) return;
    for (int i = 0; i < n; ++i) g.selection[i] = lines[i];
    g.selection_count = n;
}

void Gravox::legpat(int type, int thickness, int symbol, int colour, int pattern, int line) {
    if (refused("legpat", 1, 3)) return;
    PlotState& s = *state_;
    LegendState& g = *s.legend;
    if (!legini_called(s)) return;
    // An upper bound below the lower one leaves the value open upwards.
    if (check_range(s, type, -1, kLineTypeCount - 1) || check_range(s, thickness, 1, 0) ||
        check_range(s, symbol, -1, kSymbolCount) || check_range(s, colour, -1, -2) ||
        check_range(s, pattern, -1, -2) || check_range(s, line, 1, kLegendMaxLines))
        return;
    g.explicit_entries = true;
    g.explicit_marks[line - 1] = true;
    LegendRecord& r = g.records[line - 1];
    r = LegendRecord{};
    r.line_type = type;
    if (type >= 0) {
        r.dash_count = line_type_pattern(s, type, r.dash_lengths);
        const LineStyle line = line_style(s);
        r.dash_colour_count = line.dash_colour_count;
        std::copy(std::begin(line.dash_colours), std::end(line.dash_colours), r.dash_colours);
    }
    r.symbol = symbol;
    r.thickness = 1;
    r.line_width = stored_line_width(s, thickness);
    r.colour = colour == kCurrentColour ? s.colours->current_colour : colour;
    r.symbol_colour = s.curves->marker_colour;
    r.fill_pattern = pattern;
}

void Gravox::linesp(double factor) {
    if (refused("linesp", 1, 3)) return;
    if (!(factor > 0.0)) {
        warn(*state_, warning::incorrect_parameter);
        return;
    }
    state_->legend->line_spacing = factor;
}
