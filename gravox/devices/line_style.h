// The line style, owned by the primitives: the line pattern and the walk along it, the
// colours of successive dashes, the perpendicular offset of thickness passes and the
// stored line width. Curves, legends and axes change it through these calls only.
#pragma once

#include "gravox/devices/primitives.h"

namespace gvx {

// A copy of the line style: pattern, position of the walk, dash colours and offset.
struct LineStyle {
    int dash_lengths[kMaxDashes] = {1};
    int dash_count = 1;
    bool dash_pen_up = false;
    int dash_index = 1;
    double dash_remaining = 1.0;
    int dash_colours[kMaxDashColours] = {};
    int dash_colour_count = 0;
    int dash_colour_index = 1;
    double line_offset = 0.0;
    bool offset_move_pending = false;
};

LineStyle line_style(const PlotState& s);
// Puts a copy back exactly, the position of the walk included. The caller flushes the
// polyline drawn in the style it replaces.
void restore_line_style(PlotState& s, const LineStyle& style);
// Solid lines without dash colours or offset (the dash colours stay stored).
void use_plain_line(PlotState& s);

// Starts the pattern again at its first element: pen down, first dash colour.
void restart_dash(PlotState& s);

// A line drawn `thickness` times side by side: pass j (from 1) lies at the offset
// 0, +1, -1, +2, -2, ... plot units divided by `unit`, to the left of the direction of
// travel, and starts the pattern again. end_thickness_passes flushes and takes the
// offset away.
void start_thickness_pass(PlotState& s, int j, double unit);
void end_thickness_passes(PlotState& s);

// The stored line width: negative when the device widens lines itself (linwid).
int line_width(const PlotState& s);
// A width of 1 or more as it is stored: negated when a width above 1 is drawn by the
// device itself (hwmode LINE on and a device that draws wide lines), so that the
// primitives do not widen it as well.
int stored_line_width(const PlotState& s, int width);
// Stores a width as line_width gives it; the polyline drawn so far is flushed first when
// the width changes.
void set_line_width(PlotState& s, int width);

}  // namespace gvx
