// Drawing primitives: the one device-independent layer that every line, curve, glyph
// stroke, frame and filled area passes through.
//
// Higher layers speak in plot coordinates (page units, origin at the upper left corner,
// y growing downwards) and call the operations below. This layer buffers polylines,
// clips them to the clipping window or circle, widens thick lines, breaks patterned
// lines into dashes, counts the vectors and hands each move and draw to the device of
// the open plot (`PlotState::device`), which converts them to its own units.
#pragma once

#include <cstdint>
#include <vector>

#include "gravox/core/colour_value.h"
#include "gravox/devices/device.h"

namespace gvx {

struct PlotState;

inline constexpr int kPolylineCapacity = 100;  // vertices buffered per device polyline
inline constexpr int kMaxDashes = 10;          // elements of a line pattern
inline constexpr int kMaxDashColours = 30;     // colours of successive dashes
inline constexpr int kSolidFill = 16;          // shading pattern code of a solid fill
inline constexpr int kEmptyFill = 0;           // shading pattern code of an outline only

enum class LineCap { cut = 0, round = 1, extended = 2 };      // "CUT", "ROUN", "LONG"
enum class LineJoin { sharp = 0, round = 1, truncated = 2 };  // "SHAR", "ROUN", "TRUN"

// Clipping window in plot units, inclusive.
struct ClipWindow {
    int xmin = 0, ymin = 0, xmax = 0, ymax = 0;
};

// Hooks of the three-dimensional subsystem. The projection maps a vertex onto the page
// while `projection_on` is set; a line handler (hidden-line mode and the other
// three-dimensional line mode) receives every drawn segment instead of the device.
// Neither is built yet: these are the call points.
using ProjectionHook = void (*)(PlotState& s, double& x, double& y);
using LineHandler = void (*)(PlotState& s, double x1, double y1, double x2, double y2);

struct PrimitiveState {
    // Polyline buffer.
    double polyline_x[kPolylineCapacity] = {};
    double polyline_y[kPolylineCapacity] = {};
    int polyline_count = 0;
    bool flushing = false;  // set only while the buffer is emitted

    // Clipping: the window, or the circle while circle_clip is on.
    ClipWindow clip_window;
    bool circle_clip = false;
    double clip_centre_x = 0.0, clip_centre_y = 0.0;
    double clip_radius = 0.0;

    // Origin offset added by the offset primitives, and the last point they received
    // (origin offset included).
    int origin_x = 0, origin_y = 0;
    double last_x = 0.0, last_y = 0.0;
    // Last point handed to the device, in plot units (start of the next drawn segment).
    double pen_x = 0.0, pen_y = 0.0;

    // Line attributes. A negative width means the device widens lines itself.
    int line_width = 1;
    LineCap line_cap = LineCap::extended;
    LineJoin line_join = LineJoin::truncated;
    double miter_limit = 2.0;

    // Line pattern (1 element: solid) and the position of the walk along it.
    int dash_lengths[kMaxDashes] = {1};
    int dash_count = 1;
    bool dash_pen_up = false;
    int dash_index = 1;  // from 1
    double dash_remaining = 1.0;
    // Colours of successive drawn dashes (none by default).
    int dash_colours[kMaxDashColours] = {};
    int dash_colour_count = 0;
    int dash_colour_index = 1;  // from 1
    // Perpendicular offset of drawn lines, to the left of the direction of travel.
    double line_offset = 0.0;
    bool offset_move_pending = false;

    // Vertex transformations: the projection of the three-dimensional subsystem and a
    // plane affine map x' = a0*x + a1*y + a2, y' = a3*x + a4*y + a5.
    bool projection_on = false;
    ProjectionHook projection = nullptr;
    bool affine_on = false;
    double affine[6] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0};
    LineHandler line_handler = nullptr;

    // hwmode: let a capable device fill polygons ("SHAD") and draw wide lines ("LINE").
    bool device_fill = true;
    bool device_width = true;
    int fill_pattern = kSolidFill;      // shading pattern of the shading routines
    int frame_colour = kCurrentColour;  // colour of rectangular frames

    // Written by the axis layer: the kind of the current axis system (kinds 30 and above
    // let no device fill polygons), and its mode that drops circle-clipped segments whose
    // ends both lie outside the circle (only for kinds 30 to 39).
    int axis_kind = 0;
    bool axis_drops_outer_segments = false;

    // Work buffer for polygon vertices shifted by the origin offset (reused).
    std::vector<double> work_x, work_y;
    // Work buffer of the hatching: the crossings of one hatch line (reused).
    std::vector<double> hatch_crossings;
    // Work buffer of fill_box_set: the boxes shifted and clipped (reused).
    std::vector<PlotBox> box_work;
};

// Per-plot reset of gvxini: empty buffer, clipping window = page, origin 0, solid
// pattern, width 1 and the other line attributes at their defaults.
void reset_primitives(PlotState& s);

// --- Polylines ---------------------------------------------------------------------
void move_to(PlotState& s, double x, double y);
void draw_to(PlotState& s, double x, double y);
// The same with the origin offset added; these apply line patterns and line offsets.
void offset_move_to(PlotState& s, double x, double y);
void offset_draw_to(PlotState& s, double x, double y);
// Emits the buffered polyline (clipped, widened) and empties the buffer.
void flush_polyline(PlotState& s);
// One point to the device: code 2 draws (and counts a vector), any other code moves.
void device_plot(PlotState& s, double x, double y, int code);

// True when the point lies inside the clipping region (window with a tolerance of
// 0.001 plot units, or circle).
bool inside_clip(const PlotState& s, double x, double y);
// Draws the segment through the clipping of the window or circle: the part inside
// reaches the device, preceded by a move when its start was cut.
void clip_segment(PlotState& s, double x1, double y1, double x2, double y2);

// --- Colour ------------------------------------------------------------------------
// Flushes (unless a flush is running), makes the value the current colour and tells the
// device. Negative values are not colours and are ignored.
void set_device_colour(PlotState& s, int value);
// Sends the colour table to a device that keeps a palette.
void load_device_palette(PlotState& s);

// A colour value as the vector formats need it: a table index and red, green, blue.
struct DeviceColour {
    int index = 0;
    std::uint8_t red = 0, green = 0, blue = 0;
};
// Explicit values give their bytes (and, at 8 bits of colour or less, the nearest table
// entry as index); an index gives itself (and above 8 bits its table entry's bytes).
DeviceColour resolve_device_colour(const PlotState& s, int value);

// --- Areas, points and frames ------------------------------------------------------
// Fills a polygon of n vertices in the current colour with the current shading pattern:
// the solid pattern by the device's own fill (outline and close horizontal hatching where
// the device cannot fill), the hatchings by hatch lines clipped to the polygon (even-odd
// rule) here, so that every device shows the same lines; the empty pattern fills nothing.
void fill_polygon(PlotState& s, const double* x, const double* y, int n);
// Fills the axis-parallel box with corners (x1, y1) and (x2, y2) with a colour value.
void fill_box(PlotState& s, double x1, double y1, double x2, double y2, int colour);
// Fills n boxes that do not overlap with one colour value: the same picture as fill_box
// for each, in fewer device operations on a device that fills box sets.
void fill_box_set(PlotState& s, const PlotBox* boxes, int n, int colour);
// True when the device of the open plot fills box sets (and no projection is on), so
// that the caller may group boxes that do not overlap by colour.
bool groups_boxes(const PlotState& s);
// Sets one device pixel to a colour value.
void plot_point(PlotState& s, double x, double y, int colour);
// A rectangular frame with its upper left corner at (x, y); positive thickness grows
// outwards, negative inwards; angle in degrees, counter-clockwise on the page.
void draw_frame(PlotState& s, double x, double y, double width, double height, int thickness,
                double angle);
// One patterned segment with the origin offset; the current colour is kept.
void draw_segment(PlotState& s, int x1, int y1, int x2, int y2);
// A closed patterned polygon outline with the origin offset; the current colour is kept.
void draw_outline(PlotState& s, const double* x, const double* y, int n);

// --- Shading patterns (hatching.cpp) ------------------------------------------------
// Pattern codes: 0 empty, 1 to 15 and 17 predefined hatchings, 16 solid, and codes of
// 100 and above defined by mypat as angle * 1000 + strokes * 100 + density * 10 + cross
// (angle 0 to 179 degrees, strokes 1 to 9, density 0 to 9, cross 0 or 1).
struct HatchPattern {
    int angle = 0;         // degrees, counter-clockwise on the page
    int strokes = 1;       // parallel strokes per hatch line, one plot unit apart
    int density = 4;       // 0 (sparse) to 9 (dense)
    bool crossed = false;  // a second set of lines turned by 90 degrees
};
inline constexpr int kPredefinedPatterns = 18;  // codes 0 to 17
inline constexpr int kFirstCustomPattern = 100;
inline constexpr int kLastCustomPattern = 179991;
// The hatching of a pattern code; false for the empty and solid patterns and for codes
// that are no pattern (these fill nothing).
bool hatch_pattern(int code, HatchPattern& out);
// The code of a pattern defined by its parts, or -1 when a part is out of range.
int custom_pattern_code(int angle, int strokes, int density, int cross);
// Distance of neighbouring hatch lines in plot units: 6 * (10 - density) tenths of a
// millimetre.
double hatch_spacing(const PlotState& s, int density);
// Draws the hatch lines of angle `angle` (degrees) and the given spacing that lie inside
// the polygon (even-odd rule), the vertices shifted by (dx, dy). The lines are those of
// the plot-wide family k * spacing, so neighbouring areas line up. Returns false when
// the work array cannot be allocated.
bool hatch_polygon(PlotState& s, const double* x, const double* y, int n, double dx, double dy,
                   double angle, double spacing, int strokes);
// The second angle of a crossed pattern: perpendicular, within 0 to 179 degrees.
int crossing_angle(int angle);

// Stores a line pattern (lengths in plot units, 1 to kMaxDashes of them, each at least
// 1) and restarts the walk: pen down, first element, first dash colour. Returns false
// and changes nothing for a pattern it refuses.
bool set_line_pattern(PlotState& s, const int* lengths, int count);
// Stores the colours of successive dashes (0 to kMaxDashColours values, each >= 0).
bool set_dash_colours(PlotState& s, const int* colours, int count);

}  // namespace gvx
