// Lines with arrow heads. The head code is size * 100 + form * 10 + ends: the head is
// size * 10 plot units long (size 0 to 99, 0 no head) and 0.7 of its length wide; the
// forms are 0 open (two strokes), 1 closed (an outlined triangle), 2 filled, 3 filled
// with a notched back; the ends are 0 at the end point, 1 at the start point, 2 both.
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"
#include "gravox/shapes/shapes.h"

namespace gvx {
namespace {

constexpr double kHeadUnit = 10.0;       // plot units per size step
constexpr double kHeadHalfWidth = 0.35;  // half width / length

// One head with its tip at (tx, ty), pointing away from (fx, fy).
void draw_head(PlotState& s, double fx, double fy, double tx, double ty, double length, int form) {
    const double dx = tx - fx, dy = ty - fy;
    const double d = std::hypot(dx, dy);
    if (!(d > 0.0)) return;
    const double ux = dx / d, uy = dy / d;
    const double bx = tx - ux * length, by = ty - uy * length;
    const double w = length * kHeadHalfWidth;
    const double lx = bx - uy * w, ly = by + ux * w;
    const double rx = bx + uy * w, ry = by - ux * w;
    if (form == 0) {
        const double x[3] = {lx, tx, rx}, y[3] = {ly, ty, ry};
        offset_move_to(s, x[0], y[0]);
        offset_draw_to(s, x[1], y[1]);
        offset_draw_to(s, x[2], y[2]);
        flush_polyline(s);
        return;
    }
    double x[4] = {tx, lx, bx + ux * length * 0.3, rx};
    double y[4] = {ty, ly, by + uy * length * 0.3, ry};
    const int n = form == 3 ? 4 : 3;
    if (n == 3) {
        x[2] = rx;
        y[2] = ry;
    }
    if (form >= 2) {
        const int pattern = s.prims->fill_pattern;
        s.prims->fill_pattern = kSolidFill;
        fill_polygon(s, x, y, n);
        s.prims->fill_pattern = pattern;
    }
    draw_outline(s, x, y, n);
    flush_polyline(s);
}

}  // namespace

bool draw_arrow(PlotState& s, double x1, double y1, double x2, double y2, int code) {
    if (code < 0 || code > 9999) return false;
    const int size = code / 100, form = code / 10 % 10, ends = code % 10;
    if (form > 3 || ends > 2) return false;
    offset_move_to(s, x1, y1);
    offset_draw_to(s, x2, y2);
    flush_polyline(s);
    if (size == 0) return true;
    const double length = size * kHeadUnit;
    if (ends == 0 || ends == 2) draw_head(s, x1, y1, x2, y2, length, form);
    if (ends == 1 || ends == 2) draw_head(s, x2, y2, x1, y1, length, form);
    return true;
}

}  // namespace gvx
