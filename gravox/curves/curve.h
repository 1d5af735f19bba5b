// Curves: the drawing of data points in the current axis system, the curve attributes
// (mode, symbols, thickness, line style, gaps, attribute cycling) and the marker symbols.
//
// `curve` walks the caller's arrays and hands every point, mapped from user to plot
// coordinates, straight to the offset primitives: it keeps no copy of the data and
// allocates nothing except for the spline modes, whose work arrays are small (at most
// 1000 banded matrix entries).
//
// The line style of a curve is the dash pattern of the primitives (`PlotState::prims`);
// `line_type` here only remembers which of the eight predefined patterns `lintyp` chose.
// Two fields that other parts of the library keep are used as the curve fields they stand
// for: the NaN count is `frame.nan_count` (shown in the closing protocol) and the
// out-of-scaling check is `frame.check_on` (switched by `errmod` and `nochek`).
#pragma once

#include <array>

#include "gravox/core/colour_value.h"

namespace gvx {

struct PlotState;

inline constexpr int kCycleLength = 30;   // entries of the attribute cycles
inline constexpr int kSymbolCount = 23;   // marker symbols 0 to 22
inline constexpr int kLineTypeCount = 8;  // predefined line types 0 to 7
inline constexpr int kPatternCycleMax = 180000;
inline constexpr int kSplineWorkLimit = 1000;  // n * (2 * order + 1) must not exceed this

// Drawing modes of `polcrv`, numbered as stored.
enum class CurveMode {
    line = 0,               // "LINE" polyline
    step = 1,               // "STEP" each point the centre of a horizontal step
    bars = 2,               // "BARS" outlined bars from the lower end of the y axis
    spline = 3,             // "SPLI" y interpolated over x
    parametric_spline = 4,  // "PSPL" x and y interpolated over the chord length
    stem = 5,               // "STEM" a vertical line from y = 0 to each point
    stairs = 6,             // "STAI" horizontal then vertical to each point
    filled_bars = 7,        // "FBAR" bars filled in the current colour
};

// What `chncrv` makes the curves cycle through.
enum class AttributeChange { none = 0, colour = 1, line = 2, both = 3 };

// Gap modes of `gapcrv` and `gapsiz`: bit 1 x gaps, bit 2 y gaps.
inline constexpr int kGapX = 1;
inline constexpr int kGapY = 2;

// A cycle whose entry k (from 1) is (k - 1) mod period.
constexpr std::array<int, 30> repeating_cycle(int period) {
    std::array<int, 30> cycle{};
    for (int k = 0; k < 30; ++k) cycle[k] = k % period;
    return cycle;
}

struct CurveState {
    CurveMode mode = CurveMode::line;
    int marker_step = 0;    // 0 lines only; k > 0 lines and every k-th symbol; k < 0 symbols only
    int marker_symbol = 0;  // symbol drawn at the points
    int marker_size = 36;   // symbol height in plot units
    int marker_colour = kCurrentColour;  // colour value of symbols
    int thickness = 1;                   // parallel passes of the curve line, 1 to 10000
    AttributeChange attribute_change = AttributeChange::none;
    int calls_per_curve = 1;      // curve calls that form one legend curve
    int call_counter = 1;         // calls made of the current legend curve
    int cycle_position = 1;       // entry of the cycles, 1 to 30
    int legend_curve_number = 1;  // number of the next legend curve
    bool record_pending = true;   // the next curve call records its legend attributes
    bool fill_mark = false;       // the legend shows a fill pattern for this curve
    std::array<int, kCycleLength> line_type_cycle = repeating_cycle(8);  // line types
    std::array<int, kCycleLength> pattern_cycle = repeating_cycle(18);   // shading patterns
    int line_type = 0;  // last line type chosen by lintyp, 0 to 7

    // Kept across plots: gvxini does not reset them.
    bool nan_mode = false;  // NaN coordinates break the curve
    int gap_mode = 0;       // kGapX | kGapY
    double gap_x = 0.0, gap_y = 0.0;

    double bar_width = 0.75;  // > 0 fraction of the first point spacing, <= 0 plot units
    int spline_order = 3;     // degree of the interpolating B-spline
    int spline_points = 200;  // evaluated points of a spline
    bool in_curve = false;    // set while curve draws

    // Clipping of the curve to the axis system, opened and closed around the drawing.
    bool clipping_enabled = true;  // off: curves are cut to the window as it is
    bool clipping_open = false;
    int saved_clip[4] = {};  // xmin, ymin, xmax, ymax of the window before the opening
};

// --- Resets and the next-curve bookkeeping --------------------------------------------
// Per-plot reset of gvxini: every curve attribute except the NaN and gap modes, the
// line style through the same rules as myline (solid), and the legend settings.
void reset_curves(PlotState& s);
// What resatt does: counters and cycle back to the start, symbol 0, record pending.
void restart_curve_cycle(PlotState& s);
// End of an axis system (for endgrf): closes curve clipping if open, legend curve
// number 1, no recorded legend curves, and restart_curve_cycle.
void end_axis_system_curves(PlotState& s);
// Advances to the next legend curve (nothing when call_counter is 1): cycle position,
// legend curve number, symbol number when symbols are drawn, record pending.
void next_curve(PlotState& s);

// --- Line styles ------------------------------------------------------------------------
// Loads the pattern of a predefined line type (0 to 7) into the primitives and remembers
// the type. Returns false for a type outside 0..7.
bool apply_line_type(PlotState& s, int type);
// Dash lengths of a line type, scaled by the unit factor; returns the count.
int line_type_pattern(const PlotState& s, int type, int* lengths);

// --- Clipping -----------------------------------------------------------------------------
// Narrows the clipping window to the axis-system rectangle (a circle in polar systems) and
// remembers the window before; closing restores it and switches circle clipping off.
void open_curve_clipping(PlotState& s);
void close_curve_clipping(PlotState& s);

// --- Drawing --------------------------------------------------------------------------------
// Draws the curve once by the current mode, through the offset primitives.
void draw_curve_pass(PlotState& s, const double* x, const double* y, int n);
// Draws symbol number (0 to 22) of the given height centred at an integer plot position.
// Other numbers draw nothing.
void draw_symbol(PlotState& s, int number, int size, int x, int y);

}  // namespace gvx
