// The marker symbols of curves and legends, and the public routine that draws one.
//
// Symbols 0 to 22, each scaled so that it is `size` plot units high and centred on the
// point:
//    0 square              8 star (plus and cross)      16 filled square
//    1 octagon (circle)    9 diamond with plus          17 filled triangle
//    2 triangle            10 circle with plus          18 filled diamond
//    3 plus                11 hexagram (two triangles)  19 filled inverted triangle
//    4 cross               12 square with plus          20 dot (small filled circle)
//    5 diamond             13 circle with cross         21 pentagon
//    6 inverted triangle   14 square with diamond       22 filled pentagon
//    7 square with cross   15 filled circle
// Outlines are drawn solid with the plain polyline primitives, whatever the dash pattern
// and line offset of the curve; filled symbols are filled and then outlined.
#include <cmath>
#include <numbers>

#include "gravox/core/state.h"
#include "gravox/curves/curve.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

// Unit shapes on [-1, 1] with y upwards.
struct Shape {
    int n;
    double x[8];
    double y[8];
};

constexpr Shape kSquare = {4, {-1, 1, 1, -1}, {-1, -1, 1, 1}};
constexpr Shape kDiamond = {4, {0, 1, 0, -1}, {-1, 0, 1, 0}};
constexpr Shape kTriangleUp = {3, {-1, 1, 0}, {-1, -1, 1}};
constexpr Shape kTriangleDown = {3, {-1, 1, 0}, {1, 1, -1}};

Shape regular(int n, double start_degrees, double radius) {
    Shape shape{n, {}, {}};
    for (int k = 0; k < n; ++k) {
        const double a = (start_degrees + 360.0 * k / n) * std::numbers::pi / 180.0;
        shape.x[k] = radius * std::cos(a);
        shape.y[k] = radius * std::sin(a);
    }
    return shape;
}

// Draws unit shapes at a centre with a half size, with the origin offset of the
// primitives added as the offset primitives do.
class SymbolPen {
  public:
    SymbolPen(PlotState& s, int x, int y, double half)
        : s_(s), cx_(x), cy_(y), half_(half), ox_(s.prims->origin_x), oy_(s.prims->origin_y) {}

    void outline(const Shape& shape, double scale = 1.0) {
        move_to(s_, px(shape.x[0], scale) + ox_, py(shape.y[0], scale) + oy_);
        for (int k = 1; k < shape.n; ++k)
            draw_to(s_, px(shape.x[k], scale) + ox_, py(shape.y[k], scale) + oy_);
        draw_to(s_, px(shape.x[0], scale) + ox_, py(shape.y[0], scale) + oy_);
        flush_polyline(s_);
    }
    void fill(const Shape& shape, double scale = 1.0) {
        double x[8], y[8];
        for (int k = 0; k < shape.n; ++k) {
            x[k] = px(shape.x[k], scale);
            y[k] = py(shape.y[k], scale);
        }
        const int pattern = s_.prims->fill_pattern;
        s_.prims->fill_pattern = kSolidFill;
        fill_polygon(s_, x, y, shape.n);
        s_.prims->fill_pattern = pattern;
        outline(shape, scale);
    }
    void line(double x1, double y1, double x2, double y2) {
        move_to(s_, px(x1, 1.0) + ox_, py(y1, 1.0) + oy_);
        draw_to(s_, px(x2, 1.0) + ox_, py(y2, 1.0) + oy_);
        flush_polyline(s_);
    }
    void plus(double scale = 1.0) {
        line(-scale, 0, scale, 0);
        line(0, -scale, 0, scale);
    }
    void cross(double scale) {
        line(-scale, -scale, scale, scale);
        line(-scale, scale, scale, -scale);
    }

  private:
    double px(double u, double scale) const { return cx_ + u * scale * half_; }
    double py(double v, double scale) const { return cy_ - v * scale * half_; }

    PlotState& s_;
    double cx_, cy_, half_;
    double ox_, oy_;
};

}  // namespace

void draw_symbol(PlotState& s, int number, int size, int x, int y) {
    if (number < 0 || number >= kSymbolCount || size < 1) return;
    flush_polyline(s);
    SymbolPen pen(s, x, y, size / 2.0);
    const Shape octagon = regular(8, 22.5, 1.0);
    const Shape pentagon = regular(5, 90.0, 1.0);
    const double diagonal = std::sqrt(0.5);  // a cross inside the circle
    switch (number) {
        case 0:
            pen.outline(kSquare);
            break;
        case 1:
            pen.outline(octagon);
            break;
        case 2:
            pen.outline(kTriangleUp);
            break;
        case 3:
            pen.plus();
            break;
        case 4:
            pen.cross(0.8);
            break;
        case 5:
            pen.outline(kDiamond);
            break;
        case 6:
            pen.outline(kTriangleDown);
            break;
        case 7:
            pen.outline(kSquare);
            pen.cross(1.0);
            break;
        case 8:
            pen.plus();
            pen.cross(diagonal);
            break;
        case 9:
            pen.outline(kDiamond);
            pen.plus();
            break;
        case 10:
            pen.outline(octagon);
            pen.plus();
            break;
        case 11:
            pen.outline(regular(3, 90.0, 1.0));
            pen.outline(regular(3, 270.0, 1.0));
            break;
        case 12:
            pen.outline(kSquare);
            pen.plus();
            break;
        case 13:
            pen.outline(octagon);
            pen.cross(diagonal);
            break;
        case 14:
            pen.outline(kSquare);
            pen.outline(kDiamond);
            break;
        case 15:
            pen.fill(octagon);
            break;
        case 16:
            pen.fill(kSquare);
            break;
        case 17:
            pen.fill(kTriangleUp);
            break;
        case 18:
            pen.fill(kDiamond);
            break;
        case 19:
            pen.fill(kTriangleDown);
            break;
        case 20:
            pen.fill(octagon, 0.4);
            break;
        case 21:
            pen.outline(pentagon);
            break;
        case 22:
            pen.fill(pentagon);
            break;
        default:
            break;
    }
}

}  // namespace gvx

using namespace gvx;

void Gravox::symbol(int number, int x, int y) {
    if (refused("symbol", 1, 3)) return;
    PlotState& s = *state_;
    if (check_range(s, number, 0, kSymbolCount - 1) || check_position(s, x, y)) return;
    y = top_origin_y(s, y);
    draw_symbol(s, number, s.curves->marker_size, x, y);
}
