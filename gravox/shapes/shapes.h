// Shapes: rectangles, rounded rectangles, circles, ellipses, sectors, elliptical arcs,
// polygons, lines, arrows and points, in plot coordinates or mapped from the user
// coordinates of the current axis system, filled with the current shading pattern and
// outlined in the current colour. The shading routines (shdpat, mypat) choose the
// pattern that the primitives' polygon fill draws.
//
// Curved outlines become polygons of at most kArcPoints vertices per arc, in buffers on
// the stack; only user polygons (rlarea) and the chart routines use the reusable work
// arrays kept here.
#pragma once

#include <vector>

namespace gvx {

struct PlotState;

inline constexpr int kArcPoints = 361;  // most vertices of one arc
// Room for a ring sector: two arcs and a closing vertex.
inline constexpr int kShapeCapacity = 2 * kArcPoints + 2;

struct ShapeState {
    // Reusable vertex arrays for polygons mapped from user coordinates.
    std::vector<double> work_x, work_y;
};

// A polygon of plot coordinates filled with the current pattern and outlined in the
// current colour (an outline only for the empty pattern).
void draw_shape(PlotState& s, const double* x, const double* y, int n);

// The vertices of an elliptical arc from angle alpha to beta (degrees, counter-clockwise
// on the page) of half axes a and b turned by theta degrees around (xm, ym), appended to
// x and y from index `at`; returns the new count (at most `at` + kArcPoints).
int arc_points(double xm, double ym, double a, double b, double theta, double alpha, double beta,
               double* x, double* y, int at);

// The outline of a ring sector of inner radii (a1, b1) and outer radii (a2, b2): the outer
// arc and, for inner radii above 0, the inner arc back, else the centre. Returns the
// vertex count (at most kShapeCapacity).
int sector_points(double xm, double ym, double a1, double b1, double a2, double b2, double theta,
                  double alpha, double beta, double* x, double* y);

// Checks the radii and angles of a ring sector: warning 2 (r2 not positive, r1
// negative), 7 (r1 > r2) or 8 (alpha >= beta) refuses it; returns true then.
bool sector_refused(PlotState& s, double r1, double r2, double alpha, double beta);

// Checks a polygon given by the caller (arrays present, n >= 3, else warning 2) and makes
// room for its n vertices in the work arrays (else warning 53); false when refused.
bool reserve_shape_work(PlotState& s, bool arrays, int n);

// A rectangle with corners of radius r (0: sharp) from (x, y) to (x + w, y + h).
int rounded_rectangle_points(double x, double y, double w, double h, double r, double* px,
                             double* py);

// An arrow from (x1, y1) to (x2, y2) with heads by the code of `vector` (see gravox.h).
// Returns false for a code it refuses.
bool draw_arrow(PlotState& s, double x1, double y1, double x2, double y2, int code);

// A point: a rectangle of width w and height h centred at (x, y), filled solid in the
// current colour.
void draw_point(PlotState& s, double x, double y, double w, double h);

}  // namespace gvx
