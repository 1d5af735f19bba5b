// The measured content of a legend, shared by the size queries and the drawing.
#pragma once

#include "gravox/curves/legend.h"

namespace gvx {

// One shown entry: its line number, text width (the widest sub-line) and sub-lines.
struct LegendEntry {
    int line = 0;
    double width = 0.0;
    int sublines = 1;
};

struct LegendLayout {
    LegendEntry entries[kLegendMaxLines];
    int count = 0;
    int h = 0;       // character height
    double L = 0.0;  // distance of two entries
    int I = 0;       // frame thickness
    double title_width = 0.0;
    bool has_title = false;
    int G = 0;  // gap between the entries of a horizontal legend
};

// A line's text: at most line_length characters of the buffer up to a terminator, without
// trailing blanks, into out (kLegendMaxLineLength + 1 characters). Lines outside the
// legend give an empty text.
void legend_line_text(const LegendState& g, const char* buffer, int line, char* out);

// Calls fn(text) for every sub-line of a line's text (one unless the multi-line option is
// on), each cut to kLegendMaxLineLength characters.
template <typename Fn>
void for_each_subline(const char* text, bool multiline, char separator, Fn fn) {
    char part[kLegendMaxLineLength + 1];
    int n = 0;
    for (const char* p = text;; ++p) {
        if (*p == '\0' || (multiline && *p == separator)) {
            part[n] = '\0';
            fn(static_cast<const char*>(part));
            if (*p == '\0') return;
            n = 0;
        } else if (n < kLegendMaxLineLength) {
            part[n++] = *p;
        }
    }
}

// Measures the shown lines (or lines 1 to `lines` when lines >= 0).
LegendLayout measure_legend(PlotState& s, const char* buffer, int lines);
int layout_height(const LegendState& g, const LegendLayout& layout);
// Also sets title_wider and widest_text.
int layout_width(LegendState& g, const LegendLayout& layout);

}  // namespace gvx
