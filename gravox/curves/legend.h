// Legends: a framed box with an optional title and one entry per curve, a short sample
// of the curve's line, symbol or fill pattern followed by the entry's text.
//
// The texts live in the caller's buffer (see legend_buffer.h); the library keeps, for
// each of the first 30 curves of the current axis system, the attributes the curve was
// drawn with, and `legend` draws the samples from these records.
//
// Measures, in plot units: h is the character height, L = h * line spacing factor the
// distance of two entries, I the frame thickness of the axis system. The factors PATT
// (sample length), MARG (margins), LINE (sub-line spacing), SYMB (symbol size) and HSPA
// (gap between the entries of a horizontal legend) are set by legini, legopt and legval.
#pragma once

#include "gravox/curves/curve.h"
#include "gravox/devices/primitives.h"

namespace gvx {

struct PlotState;

inline constexpr int kLegendMaxLines = 30;
inline constexpr int kLegendMaxLineLength = 256;
inline constexpr int kLegendTitleLength = 80;

// The attributes of one legend curve, taken when the curve is drawn or set by legpat.
struct LegendRecord {
    int colour = 0;
    int line_type = 0;  // -1: symbols only
    int dash_count = 0;
    int dash_lengths[kMaxDashes] = {};
    int dash_colour_count = 0;
    int dash_colours[kMaxDashColours] = {};
    int symbol = 0;  // -1: no symbol
    int thickness = 0;
    int line_width = 0;
    int symbol_colour = 0;  // -1: the entry colour
    int fill_pattern = 0;   // -1: a line sample, else a filled box of this pattern
};

// Shield regions keep later drawing out of an area. They belong to another subsystem that
// is not built; the legend only registers its box under a name and deletes it again, and
// does both only while automatic shielding is on and the hooks are set.
using ShieldRegister = void (*)(PlotState& s, const char* name, int x, int y, int width,
                                int height);
using ShieldDelete = void (*)(PlotState& s, const char* name);

struct LegendState {
    bool ready = false;      // legini was called in this plot
    int lines = 0;           // nlin
    int line_length = 0;     // nmaxln
    char* buffer = nullptr;  // the buffer given to legini (its first nlin * nmaxln characters)
    char title[kLegendTitleLength + 1] = "";
    double pattern = 4.0;               // PATT
    double margin = 0.5;                // MARG
    double subline = 1.0;               // LINE
    double symbol = double(0.8f);       // SYMB, 0.8 in single precision
    double hspace = 2.0;                // HSPA
    double line_spacing = 1.5;          // linesp: entry distance in character heights
    bool horizontal = false;            // legtyp "HORI"
    int background = -1;                // legbgd, -1 none
    bool text_in_curve_colour = false;  // legclr
    bool multiline = false;             // mixleg
    bool auto_position = true;          // false after legpos
    int x = 0, y = 0;                   // upper-left corner from legpos
    int selection[kLegendMaxLines] = {};
    int selection_count = -1;                   // -1: all lines in order
    bool explicit_entries = false;              // legpat defines the entries
    bool explicit_marks[kLegendMaxLines] = {};  // lines defined by legpat
    bool title_wider = false;                   // the title is wider than the entries
    int widest_text = 0;                        // entry width measured by nxlegn
    int max_width = 0, max_height = 0;          // largest measures seen by leglin
    int recorded_count = 0;                     // highest legend curve number recorded
    bool drawing = false;                       // set while legend draws
    // Not reset by gvxini: a slot keeps the record of an earlier axis system.
    LegendRecord records[kLegendMaxLines];

    bool auto_shield = false;
    ShieldRegister register_shield = nullptr;
    ShieldDelete delete_shield = nullptr;
};

// Per-plot reset of gvxini.
void reset_legend(PlotState& s);
// Records the legend attributes of the current legend curve (called by curve while a
// record is pending).
void record_legend_curve(PlotState& s);
// The legend measures of nylegn and nxlegn for the given number of lines (the shown
// lines when lines < 0). Both need legini; width also sets title_wider and widest_text.
int legend_height(PlotState& s, const char* buffer, int lines);
int legend_width(PlotState& s, const char* buffer, int lines);

}  // namespace gvx
