// Fields over a plane: colour axis systems, colour maps, contour lines, filled
// contours, vector fields and stream lines.
//
// Matrix convention, used by every routine of this folder: a matrix argument is a
// `const double* z` with nx * ny values, and z[i * ny + j] belongs to x[i] and y[j]
// (the second index runs fastest). Routines that take a matrix without grid arrays
// (crvmat, conmat, vecmat without grid) spread it over the axis system: x[i] lies at
// xa + i (xe - xa) / (nx - 1) and y[j] at ya + j (ye - ya) / (ny - 1), equally spaced
// along the axes as drawn (in exponents on logarithmic axes).
//
// Colour scale: graf3 and zaxis map a value z onto the colour range colran(first,
// last) (default 1 to 254 after a palette load). With za and ze the ends of the z axis
// (exponents on a logarithmic z axis, whose values map through their decimal
// logarithm) and N = last - first + 1 colours, t = (z' - za) / (ze - za) and the index
// is first + floor(t N), with t = 1 giving last: equal intervals, za the first colour,
// ze the last, the middle of the axis first + N / 2. Values with t below 0 take the
// under colour, above 1 the over colour (clrovr; a palette load sets them to the
// palette's). NaN values are not drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "gravox/devices/device.h"

namespace gvx {

struct PlotState;

// Intersections one contour level may have: a level with more is refused with
// warning 26 "Too many intersections" and not drawn.
inline constexpr long kMaxContourIntersections = 1000000;

// The kind of the axis system that a level-3 page carries.
enum class FieldAxis { none = 0, colour = 1, three_d = 2 };

// The z scaling of a colour bar: ends and labelling of the z axis.
struct ColourScale {
    double za = 0.0, ze = 1.0, first = 0.0, step = 1.0;  // exponents on a log axis
    bool logarithmic = false;
};

// A box of a colour map with its colour, kept to be filled together with the others
// of its colour.
struct ColouredBox {
    PlotBox box;
    int colour = 0;
};

// Filled contours: cells one by one, or whole cells of one band merged per row.
enum class ContourFill { cells = 1, polygons = 2 };  // shdmod "CELL+POLY"

// Work buffers kept between calls and plots (edge marks, one polyline, occupancy).
struct FieldWork {
    std::vector<std::uint8_t> marks;
    std::vector<double> line_x, line_y;
    std::vector<double> plot_x, plot_y, plot_arc;
    std::vector<double> grid_x, grid_y;
    std::vector<int> cells;
    std::vector<ColouredBox> boxes;  // colour map boxes kept for filling by colour
    std::vector<PlotBox> box_run;    // the boxes of one colour
};

struct FieldState {
    FieldAxis axis = FieldAxis::none;
    ColourScale scale;      // of the current graf3 system
    int bar_width = 85;     // colour bar of graf3 and zaxis, plot units
    int bar_distance = 70;  // gap between the axis system and its colour bar

    // curve3: rectangle size in plot units (setres), or a count per axis (autres).
    int res_width = 1, res_height = 1;
    bool auto_res = false;
    int auto_nx = 1, auto_ny = 1;

    // Contour labels: spacing as a multiple of labdis(.., "CON"), gap around a label
    // as a multiple of the character height, text of labels("CONL", "CON").
    double label_spacing = 1.0, label_gap = 0.5;
    char label_text[33] = "";
    ContourFill fill = ContourFill::polygons;

    // Vectors: length factor (user units per user unit of the field), colour by
    // magnitude, arrow head length (plot units) and half angle (degrees).
    double vector_scale = 1.0;
    bool vector_colours = false;
    double head_length = 24.0, head_angle = 20.0;

    // Stream lines: step (plot units), largest length (plot units), smallest distance
    // to another line (plot units), distance between arrow heads (plot units).
    double stream_step = 8.0, stream_length = 20000.0, stream_distance = 16.0;
    double stream_arrows = 400.0;

    FieldWork work;  // kept by the per-plot reset
};

// Per-plot reset of gvxini.
void reset_fields(PlotState& s);
// endgrf: the page carries no level-3 axis system any more.
void end_field_axis(PlotState& s);
// For the three-dimensional axis system: true (after warning 35) when a colour axis
// system is open, which graf3d must not enter.
bool colour_axis_confused(PlotState& s);

// Colour value of z on a colour scale with the current colour range, under and over
// colours; -1 for NaN.
int scale_colour(const PlotState& s, const ColourScale& scale, double z);
// The position t of z on a colour scale: 0 at za, 1 at ze (through the decimal
// logarithm on a logarithmic scale, where values of 0 or less give -infinity); NaN for
// NaN. parameter_colour gives the colour of a position (-1 for NaN).
double scale_parameter(const ColourScale& scale, double z);
int parameter_colour(const PlotState& s, double t);

// --- Contour tracing (shared by contur, conmat and the tests) ---------------------
// A rectilinear grid with its matrix; x and y strictly monotonic.
struct FieldGrid {
    const double* x = nullptr;
    int nx = 0;
    const double* y = nullptr;
    int ny = 0;
    const double* z = nullptr;
    double at(int i, int j) const { return z[static_cast<long>(i) * ny + j]; }
};

// Receives one traced polyline in user coordinates; closed lines repeat their first
// point at the end.
class ContourSink {
  public:
    virtual ~ContourSink() = default;
    virtual void line(const double* x, const double* y, int n, bool closed) = 0;
};

// Counts the grid edges that the level crosses. A vertex with z >= level counts as
// above; an edge crosses when its ends differ, and NaN ends never cross.
long count_intersections(const FieldGrid& g, double level);

// Traces the level by marching squares and hands each joined polyline to the sink.
// Saddle cells join the corners whose side the cell centre (the mean of the four
// corners) is on. Crossings lie at linear interpolation along the edge. Buffers of
// the state are reused.
void trace_contour(PlotState& s, const FieldGrid& g, double level, ContourSink& sink);

// True when n values are finite and strictly increasing or strictly decreasing.
bool monotonic(const double* v, int n);

}  // namespace gvx
