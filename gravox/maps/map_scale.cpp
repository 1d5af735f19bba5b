// The scale bar of a map (sclmap): a bar of a given length on the sphere, true along
// the meridian through the middle of the map, in four parts filled and left empty in
// turn, labelled below with 0, its middle and its length.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/maps/maps.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

constexpr int kScaleParts = 4;
constexpr double kScaleStep = 1e-3;  // radians along the meridian to measure the scale

}  // namespace

double map_plot_per_length(const PlotState& s) {
    const MapState& m = *s.maps;
    double lon, lat;
    if (!m.proj.inverse(m.u_mid, m.v_mid, lon, lat)) return 0.0;
    // A short step along the meridian towards the equator.
    const double step = (lat > 0.0 ? -kScaleStep : kScaleStep) * 180.0 / std::numbers::pi;
    double x0, y0, x1, y1;
    if (!map_to_plot(s, lon, lat, x0, y0) || !map_to_plot(s, lon, lat + step, x1, y1)) return 0.0;
    const double per = std::hypot(x1 - x0, y1 - y0) / (kScaleStep * m.radius);
    return std::isfinite(per) ? per : 0.0;
}

}  // namespace gvx

using namespace gvx;

void Gravox::sclmap(double length, int nx, int ny) {
    if (refused("sclmap", 2, 3)) return;
    PlotState& s = state();
    if (!std::isfinite(length) || !(length > 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (!map_active(s)) return;
    const double bar = length * map_plot_per_length(s);
    if (!(bar >= 1.0) || !(bar <= 1e5)) {
        warn(s, warning::no_map_scale);
        return;
    }
    const double h = std::max(1.0, s.text->height / 2.0);
    const double x0 = nx, y1 = ny, y0 = ny - h;
    const int colour = s.colours->current_colour;
    for (int k = 0; k < kScaleParts; ++k) {
        const double a = x0 + bar * k / kScaleParts, b = x0 + bar * (k + 1) / kScaleParts;
        if (k % 2 == 0) fill_box(s, a, y0, b, y1, colour);
        const double px[4] = {a, b, b, a}, py[4] = {y0, y0, y1, y1};
        draw_outline(s, px, py, 4);
    }
    flush_polyline(s);
    // Labels below the bar, centred on their marks; the last one carries the unit. The
    // middle one is left out where it would crowd the others.
    char text[3][kNumberTextSize + 4];
    double left[3], right[3];
    for (int k = 0; k < 3; ++k) {
        const double mark = length * k / 2.0;
        format_number(s, mark, auto_digits(mark), text[k], kNumberTextSize);
        if (k == 2) std::strcat(text[k], " km");  // room for it is kept
        const double width = text_box(s, text[k]).length;
        left[k] = x0 + bar * k / 2.0 - width / 2.0;
        right[k] = left[k] + width;
    }
    const bool middle = left[1] > right[0] + h && right[1] < left[2] - h;
    for (int k = 0; k < 3; ++k)
        if (k != 1 || middle) draw_text(s, text[k], left[k], y1 + h / 2.0);
}
