// Pieces shared by the source files of the drawing primitives.
#pragma once

#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"

namespace gvx {

// Tolerance of the clipping window, in plot units.
inline constexpr double kClipTolerance = 0.001;

// The clipping window widened by the tolerance, worked out once for many points.
struct WindowBounds {
    double xlo, ylo, xhi, yhi;

    explicit WindowBounds(const ClipWindow& w)
        : xlo(w.xmin - kClipTolerance),
          ylo(w.ymin - kClipTolerance),
          xhi(w.xmax + kClipTolerance),
          yhi(w.ymax + kClipTolerance) {}

    bool inside(double x, double y) const { return x >= xlo && x <= xhi && y >= ylo && y <= yhi; }
    // Outcodes: 1 below the minimum, 3 above the maximum, 2 inside (NaN counts as inside).
    int code_x(double x) const { return x < xlo ? 1 : x > xhi ? 3 : 2; }
    int code_y(double y) const { return y < ylo ? 1 : y > yhi ? 3 : 2; }
};

inline bool inside_window(const ClipWindow& w, double x, double y) {
    return WindowBounds(w).inside(x, y);
}

// Feeds the points of one path through the clipping. The first point becomes a device
// move when it is inside; each further point draws the segment from its predecessor.
// As long as every point so far was inside, segments go straight to the device; after
// the first point outside, every remaining segment goes through segment clipping.
class ClippedPath {
  public:
    explicit ClippedPath(PlotState& s) : s_(s) {}

    void start(double x, double y) {
        x_ = x;
        y_ = y;
        outside_ = !inside_clip(s_, x, y);
        if (!outside_) device_plot(s_, x, y, 1);
    }
    void to(double x, double y) {
        if (!outside_) {
            if (inside_clip(s_, x, y)) {
                device_plot(s_, x, y, 2);
                x_ = x;
                y_ = y;
                return;
            }
            outside_ = true;
        }
        clip_segment(s_, x_, y_, x, y);
        x_ = x;
        y_ = y;
    }

  private:
    PlotState& s_;
    double x_ = 0.0, y_ = 0.0;
    bool outside_ = false;
};

// Applies the projection and the affine map to a vertex, when they are on.
// p is s's primitive record, fetched once by the caller for the whole point.
inline void transform_vertex(PlotState& s, const PrimitiveState& p, double& x, double& y) {
    if (p.projection_on && p.projection) p.projection(s, x, y);
    if (p.affine_on) {
        const double* a = p.affine;
        const double tx = a[0] * x + a[1] * y + a[2];
        y = a[3] * x + a[4] * y + a[5];
        x = tx;
    }
}

// Flushes the full buffer and starts it again from its last vertex.
void continue_full_polyline(PlotState& s);

// Appends an already transformed vertex to the buffer without the duplicate test;
// a full buffer is flushed and continues from its last vertex. Inline: every point of
// a curve comes this way.
inline void append_vertex(PlotState& s, PrimitiveState& p, double x, double y) {
    const int n = p.polyline_count;
    p.polyline_x[n] = x;
    p.polyline_y[n] = y;
    p.polyline_count = n + 1;
    if (n + 1 >= kPolylineCapacity) continue_full_polyline(s);
}

// The segment from (last_x, last_y) to (x, y), shifted by the line offset and broken
// into the elements of the line pattern, which continues across segments. Kept apart
// from offset_draw_to, whose solid path every point of a curve takes.
void walk_segment(PlotState& s, double x, double y);

// How a wide line is drawn: rings 1.5 plot units apart, or only the outermost ring with
// its inside filled; automatically, rings for a narrow line, else filled where the
// clipping is by the window and no line handler takes the segments.
enum class Widening { automatic, rings, filled };

// Draws the width of the buffered polyline (line width above 1) around its centre line.
void draw_width_rings(PlotState& s, Widening how = Widening::automatic);

// Capabilities of the open plot's device (none without a device).
DeviceCapabilities device_capabilities(const PlotState& s);

}  // namespace gvx
