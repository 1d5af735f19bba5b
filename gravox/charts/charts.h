// Charts: bar charts, pie charts, error bars and shaded areas between curves, drawn in
// the current axis system with the shading pattern of shdpat and the shapes' outlines.
//
// Bars and shaded areas are legend curves: each call records its colour and pattern as
// a curve would, so a legend shows a filled box for it. A pie chart records one legend
// entry per sector.
#pragma once

#include <vector>

#include "gravox/core/colour_value.h"

namespace gvx {

struct PlotState;

inline constexpr int kPieSectors = 100;  // sectors with their own colours and pull-out

enum class BarType { vertical = 1, horizontal = 2, vertical_3d = 3, horizontal_3d = 4 };
enum class PieLabels { none = 1, percent = 2, data = 3, both = 4 };  // as labels(.., "PIE")
// What successive pie sectors change: chnpie.
enum class PieChange { none = 0, colour = 1, pattern = 2, both = 3 };
// Error bar directions of errbmd "DIRE".
enum class ErrorDirection { vertical = 1, horizontal = 2 };

struct ChartState {
    // Bars.
    BarType bar_type = BarType::vertical;
    bool bar_variable = false;              // barmod "VARI": width from each bar's own spacing
    bool bar_at_ticks = false;              // barpos "TICK": bars at the main ticks of the axis
    int bar_colours[3] = {-1, -1, -1};      // front, side, top; -1 the current colour
    int bar_border = -1;                    // outline colour, -1 the current colour
    int bar_depth = 30;                     // 3-D depth in plot units
    double bar_angle = 45.0;                // 3-D direction in degrees
    int group_size = 1;                     // bargrp: bars side by side
    int group_gap = 0;                      // plot units between the bars of a group
    int group_slot = 0;                     // slot of the next bars call, 0 .. group_size - 1
    int bar_label_colour = kCurrentColour;  // labclr(.., "BARS")

    // Pies.
    bool pie_3d = false;
    int pie_colours[kPieSectors] = {};  // top colours (pieclr), -1 the cycle
    int pie_side_colours[kPieSectors] = {};
    int pie_colour_count = 0;
    int pie_depth = 60;
    double pie_angle = 45.0;  // view angle of 3-D pies, 10 to 90 degrees
    int pie_border = -1;
    int pie_label_colour = kCurrentColour;
    bool pie_exploded = false;       // pieexp: every sector pulled out
    int pie_pull[kPieSectors] = {};  // pievec: pull-out of a sector in plot units
    PieChange pie_change = PieChange::colour;

    // Error bars.
    ErrorDirection error_direction = ErrorDirection::vertical;
    bool error_caps = true;
    bool error_symbols = false;

    // Work arrays of shaded areas (reused).
    std::vector<double> work_x, work_y;
};

// Per-plot reset of gvxini.
void reset_charts(PlotState& s);

// Draws one face of a bar or pie: filled with the current pattern in `fill` and outlined
// in `border` (-1 for either: the current colour); the current colour is kept.
void draw_face(PlotState& s, const double* x, const double* y, int n, int fill, int border);

// The legend bookkeeping of a chart call, as a curve call does it: before drawing,
// record_chart_entry records the colour and pattern when a record is pending; after
// drawing, count_chart_call advances to the next legend curve.
void record_chart_entry(PlotState& s, int colour);
void count_chart_call(PlotState& s);

// The label text of a number with the given digits (-1 an integer).
void chart_number_text(double value, int digits, char* out, int size);

// Checks the values of a pie: warning 2 (none, or not finite), 1 (a negative value) or 29
// (sum zero) refuses them; else the sum is returned in `sum`.
bool pie_values_refused(PlotState& s, const double* data, int n, double& sum);
// The label of a sector by the mode of pielab: its value, its percentage with a "%", or
// both as "value (percentage%)"; empty for "NONE".
void pie_label_text(const PlotState& s, double value, double sum, char* out, int size);

}  // namespace gvx
