// The map axis system: projct, mappol, mapref, mapsph, grafmp with the map's outline
// and its labelled meridians and parallels, and the conversions pos2pt and pt2pos.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/axes/axis_system.h"
#include "gravox/axes/labels.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"
#include "gravox/maps/maps.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

// A box in projected units.
struct Extent {
    double u0 = HUGE_VAL, v0 = HUGE_VAL, u1 = -HUGE_VAL, v1 = -HUGE_VAL;
    void add(double u, double v) {
        u0 = std::min(u0, u), u1 = std::max(u1, u);
        v0 = std::min(v0, v), v1 = std::max(v1, v);
    }
    bool usable() const { return u1 - u0 > 1e-9 && v1 - v0 > 1e-9; }
};

bool full_circle(const MapState& m) {
    return m.lon_high - m.lon_low >= 360.0 - 1e-9;
}

// The azimuthal map of a whole cap (the outline is its circle), or a polar map whose
// meridians run out from the centre (its parallels are circles).
bool polar_map(const MapState& m) {
    return m.proj.azimuthal() && full_circle(m) && std::fabs(std::fabs(m.proj.lat0) - 90.0) < 1e-9;
}

Extent projected_extent(const MapState& m) {
    Extent e;
    const Projector& p = m.proj;
    if (m.whole_cap) {
        const double r = p.cap_radius();
        e.add(-r, -r);
        e.add(r, r);
        return e;
    }
    const int steps = 180;
    const double lon0c = m.lon_low + (m.lon_high - m.lon_low) / 2.0;
    const double centre = p.lon0 + 360.0 * std::round((lon0c - p.lon0) / 360.0);
    for (int i = 0; i <= steps; ++i) {
        const double lon = m.lon_low + (m.lon_high - m.lon_low) * i / steps;
        for (int j = 0; j <= steps; ++j) {
            const double lat = m.ya + (m.ye - m.ya) * j / steps;
            double u, v;
            if (p.forward(lon - centre, lat, u, v)) e.add(u, v);
        }
    }
    return e;
}

void project(const MapState& m, double u, double v, double& x, double& y) {
    x = m.x_mid + (u - m.u_mid) * m.scale;
    y = m.y_mid - (v - m.v_mid) * m.scale;
}

// The text of a map label in the map label type of the X axis settings (meridians) or
// the Y axis settings (parallels), "MAP" when they hold another type; false for "NONE".
bool label_of(PlotState& s, double value, bool longitude, double step, char* out, int size) {
    AxisSettings a = s.axes.axis[longitude ? axis_x : axis_y];
    if (a.label_type == LabelType::none) return false;
    if (a.label_family != 2) {
        a.label_type = LabelType::map;
        a.label_family = 2;
    }
    const int digits = std::fabs(step - std::round(step)) < 1e-9 ? -1 : a.digits;
    label_text(s, a, false, longitude, 0, value, digits, out, size);
    return true;
}

// Draws a label centred on (x, y).
void centred_label(PlotState& s, const char* text, double x, double y) {
    const TextBox box = text_box(s, text);
    draw_text(s, text, x - box.length / 2.0, y - box.height / 2.0);
}

// Values first + k step within [lo, hi].
template <typename Visit>
void each_value(double first, double step, double lo, double hi, Visit visit) {
    if (!(step > 0.0) || !std::isfinite(first)) return;
    double k = std::ceil((lo - first) / step - 1e-9);
    const double last = std::floor((hi - first) / step + 1e-9);
    if (last - k > 1000.0) return;  // a step far too small for a map
    for (; k <= last; k += 1.0) visit(first + k * step);
}

}  // namespace

void reset_maps(PlotState& s) {
    s.maps = MapState{};
}

bool map_active(PlotState& s) {
    const MapState& m = s.maps;
    const ScalingRecord& r = s.axes.rec;
    if (s.frame.level >= 2 && m.active && s.axes.kind != AxisKind::none && !s.axes.polar &&
        r.xa == m.xa && r.xe == m.xe && r.ya == m.ya && r.ye == m.ye)
        return true;
    warn(s, warning::no_map_system);
    return false;
}

bool map_to_plot(const PlotState& s, double lon, double lat, double& x, double& y) {
    const MapState& m = s.maps;
    double d = std::fmod(lon - m.proj.lon0, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    double u, v;
    const bool visible = m.proj.forward(d, lat, u, v);
    project(m, u, v, x, y);
    return visible;
}

void draw_map_outline(PlotState& s) {
    MapState& m = s.maps;
    if (m.whole_cap) {
        // The circle of the cap around the centre.
        const double r = m.proj.cap_radius() * m.scale;
        for (int i = 0; i <= 360; ++i) {
            const double a = i * std::numbers::pi / 180.0;
            const double x = m.x_mid + r * std::cos(a), y = m.y_mid - r * std::sin(a);
            i == 0 ? offset_move_to(s, x, y) : offset_draw_to(s, x, y);
        }
        flush_polyline(s);
        return;
    }
    // The window's edges: the meridians at its ends (unless they meet on a full circle
    // of a polar map), then the parallels at its ends (unless they are a pole).
    const double w0 = m.lon_low, w1 = m.lon_high;
    const bool polar = full_circle(m) && m.proj.azimuthal();
    double lon[2], lat[2];
    if (!polar) {
        for (double edge : {w0, w1}) {
            lon[0] = lon[1] = edge;
            lat[0] = m.ya, lat[1] = m.ye;
            map_polyline(s, lon, lat, 2, 1.0, false);
        }
    }
    for (double edge : {m.ya, m.ye}) {
        if (std::fabs(edge) >= 90.0 && (polar || m.proj.conic())) continue;
        map_parallel(s, edge, w0, w1);
    }
}

void draw_map_labels(PlotState& s) {
    MapState& m = s.maps;
    if (m.whole_cap) return;
    const int colour = s.colours.current_colour;
    const int label_colour = s.axes.axis[axis_x].label_colour;
    if (label_colour >= 0) set_device_colour(s, label_colour);
    const double gap = s.axes.axis[axis_x].label_distance;
    // The degree sign is written with the exponent characters: on, formulas off.
    const bool mix = s.text.mix_on, formula = s.text.formula_mode;
    s.text.mix_on = true;
    s.text.formula_mode = false;
    char text[kLabelTextLength + 1];
    double bottom = -HUGE_VAL;  // lowest point of the outline on the page
    {
        const Extent e = projected_extent(m);
        double x, y;
        project(m, e.u0, e.v0, x, y);
        bottom = y;
    }
    const bool polar = polar_map(m);
    const double mid_lat = (m.ya + m.ye) / 2.0;
    each_value(m.x_first, m.x_step, m.lon_low, m.lon_high, [&](double lon) {
        if (full_circle(m) && lon >= m.lon_high - 1e-9) return;  // the same as the first
        if (!label_of(s, lon, true, m.x_step, text, sizeof text)) return;
        const TextBox box = text_box(s, text);
        double x, y;
        if (polar) {
            // Outward from the centre, beyond the outer parallel.
            const double edge = m.proj.lat0 > 0.0 ? m.ya : m.ye;
            if (!map_to_plot(s, lon, edge, x, y)) return;
            const double dx = x - m.x_mid, dy = y - m.y_mid, r = std::hypot(dx, dy);
            if (r <= 0.0) return;
            const double reach = gap + std::hypot(box.length, box.height) / 2.0;
            centred_label(s, text, x + dx / r * reach, y + dy / r * reach);
        } else if (m.proj.conic() || m.proj.azimuthal()) {
            if (!map_to_plot(s, lon, m.ya, x, y)) return;
            centred_label(s, text, x, y + gap + box.height / 2.0);
        } else {
            // A row below the map where the meridian crosses the middle parallel.
            map_to_plot(s, lon, mid_lat, x, y);
            centred_label(s, text, x, bottom + gap + box.height / 2.0);
        }
    });
    if (!polar) {
        each_value(m.y_first, m.y_step, m.ya, m.ye, [&](double lat) {
            double x, y;
            if (!map_to_plot(s, m.lon_low, lat, x, y)) return;
            if (!label_of(s, lat, false, m.y_step, text, sizeof text)) return;
            const TextBox box = text_box(s, text);
            draw_text(s, text, x - gap - box.length, y - box.height / 2.0);
        });
    }
    flush_polyline(s);
    s.text.mix_on = mix;
    s.text.formula_mode = formula;
    if (s.colours.current_colour != colour) set_device_colour(s, colour);
}

}  // namespace gvx

using namespace gvx;

void Gravox::projct(const char* name) {
    if (refused("projct", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, kProjectionKeywords, kProjectionCount, name);
    if (index != 0) s.maps.projection = static_cast<Projection>(index);
}

void Gravox::mappol(double lon, double lat) {
    if (refused("mappol", 1, 3)) return;
    PlotState& s = state();
    if (!std::isfinite(lon) || !std::isfinite(lat) || lat < -90.0 || lat > 90.0 ||
        std::fabs(lon) > 360.0) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.maps.centre_set = true;
    s.maps.centre_lon = lon;
    s.maps.centre_lat = lat;
}

void Gravox::mapref(double lat1, double lat2) {
    if (refused("mapref", 1, 3)) return;
    PlotState& s = state();
    Projector test;
    if (!std::isfinite(lat1) || !std::isfinite(lat2) || std::fabs(lat1) >= 90.0 ||
        std::fabs(lat2) >= 90.0 || !test.setup(Projection::lambert, 0.0, 0.0, lat1, lat2, 1.0) ||
        !test.setup(Projection::albers, 0.0, 0.0, lat1, lat2, 1.0)) {
        warn(s, warning::bad_map_parallels);
        return;
    }
    s.maps.parallels_set = true;
    s.maps.parallel1 = lat1;
    s.maps.parallel2 = lat2;
}

void Gravox::mapsph(double radius) {
    if (refused("mapsph", 1, 3)) return;
    PlotState& s = state();
    if (!std::isfinite(radius) || !(radius > 0.0) || radius > 1e9) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.maps.radius = radius;
}

void Gravox::grafmp(double xa, double xe, double x_first, double x_step, double ya, double ye,
                    double y_first, double y_step) {
    if (refused("grafmp", 1, 1)) return;
    PlotState& s = state();
    MapState& m = s.maps;
    m.active = false;
    const bool finite = std::isfinite(xa) && std::isfinite(xe) && std::isfinite(ya) &&
                        std::isfinite(ye) && std::isfinite(x_first) && std::isfinite(y_first) &&
                        std::isfinite(x_step) && std::isfinite(y_step);
    if (!finite || !(xe > xa) || !(ye > ya) || xe - xa > 360.0 + 1e-9 || ya < -90.0 || ye > 90.0 ||
        std::fabs(xa) > 720.0 || std::fabs(xe) > 720.0) {
        warn(s, warning::empty_map_window);
        return;
    }

    // The projection's centre, parallels and the window around the central meridian.
    const bool full = xe - xa >= 360.0 - 1e-9;
    double lon0 = m.centre_set ? m.centre_lon : (xa + xe) / 2.0;
    double lat0 = m.centre_set ? m.centre_lat : (ya + ye) / 2.0;
    Projection kind = m.projection;
    const bool azimuthal = kind == Projection::stereographic || kind == Projection::orthographic ||
                           kind == Projection::azimuthal;
    if (azimuthal && !m.centre_set && full) {
        if (ye >= 90.0 && ya > -90.0) lat0 = 90.0;
        if (ya <= -90.0 && ye < 90.0) lat0 = -90.0;
    }
    if (!azimuthal && !(kind == Projection::lambert || kind == Projection::albers)) lat0 = 0.0;
    double p1 = m.parallel1, p2 = m.parallel2;
    if (!m.parallels_set) {
        p1 = ya + (ye - ya) / 6.0;
        p2 = ye - (ye - ya) / 6.0;
        if (p1 * p2 < 0.0 || std::fabs(p1 + p2) < 1.0)
            p1 = p2 = ye > -ya ? std::max(p2, 10.0) : std::min(p1, -10.0);
        p1 = std::clamp(p1, -80.0, 80.0), p2 = std::clamp(p2, -80.0, 80.0);
    }
    MapState next = m;
    if (!next.proj.setup(kind, lon0, lat0, p1, p2, m.radius)) {
        warn(s, warning::bad_map_parallels);
        return;
    }
    const double centre = lon0 + 360.0 * std::round(((xa + xe) / 2.0 - lon0) / 360.0);
    next.xa = xa, next.xe = xe, next.ya = ya, next.ye = ye;
    next.lon_low = std::max(xa, centre - 180.0);
    next.lon_high = std::min(xe, centre + 180.0);
    next.x_first = x_first, next.x_step = x_step, next.y_first = y_first, next.y_step = y_step;
    next.whole_cap = azimuthal && full && ya <= -90.0 && ye >= 90.0;
    if (!(next.lon_high > next.lon_low)) {
        warn(s, warning::empty_map_window);
        return;
    }
    const Extent e = projected_extent(next);
    if (!e.usable()) {
        warn(s, warning::map_shows_nothing);
        return;
    }

    // The rectangular system beneath: scaling checks, level 2, clipping window.
    AxisState& ax = s.axes;
    const bool no_axes = ax.no_axes;
    ax.no_axes = true;
    const bool opened = open_axis_system(s, xa, xe, x_first, x_step, ya, ye, y_first, y_step);
    ax.no_axes = no_axes;
    if (!opened) return;

    next.scale = std::min((ax.len_x - 1) / (e.u1 - e.u0), (ax.len_y - 1) / (e.v1 - e.v0));
    next.u_mid = (e.u0 + e.u1) / 2.0, next.v_mid = (e.v0 + e.v1) / 2.0;
    next.x_mid = ax.pos_x + (ax.len_x - 1) / 2.0;
    next.y_mid = ax.pos_y - (ax.len_y - 1) / 2.0;
    next.active = true;
    m = std::move(next);
    if (no_axes) return;
    const int colour = s.colours.current_colour;
    draw_map_outline(s);
    draw_map_labels(s);
    if (s.colours.current_colour != colour) set_device_colour(s, colour);
}

void Gravox::pos2pt(double lon, double lat, double* xp, double* yp) {
    if (refused("pos2pt", 2, 3)) return;
    PlotState& s = state();
    if (!xp || !yp || !std::isfinite(lon) || !std::isfinite(lat)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (!map_active(s)) return;
    map_to_plot(s, lon, std::clamp(lat, -90.0, 90.0), *xp, *yp);
}

void Gravox::pt2pos(double xp, double yp, double* lon, double* lat) {
    if (refused("pt2pos", 2, 3)) return;
    PlotState& s = state();
    if (!lon || !lat || !std::isfinite(xp) || !std::isfinite(yp)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (!map_active(s)) return;
    const MapState& m = s.maps;
    const double u = m.u_mid + (xp - m.x_mid) / m.scale, v = m.v_mid - (yp - m.y_mid) / m.scale;
    double a, b;
    if (!m.proj.inverse(u, v, a, b)) {
        warn(s, warning::not_on_map);
        return;
    }
    *lon = a;
    *lat = b;
}
