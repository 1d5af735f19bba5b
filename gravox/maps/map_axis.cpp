// The map axis system: projct, mappol, mapref, mapsph, grafmp with the map's outline
// and its labelled meridians and parallels, and the conversions pos2pt and pt2pos.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "gravox/axes/axis_system.h"
#include "gravox/axes/labels.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
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

// The name of the equator on a hemisphere's circle.
constexpr const char* kEquatorLabel = "EQ";

}  // namespace

// The text in the map label type of the X axis settings (meridians) or the Y axis
// settings (parallels), "MAP" when they hold another type.
bool map_label_text(PlotState& s, double value, bool longitude, double step, char* out, int size) {
    AxisSettings a = s.axes->axis[longitude ? axis_x : axis_y];
    if (a.label_type == LabelType::none || !out || size < 1) return false;
    if (a.label_family != 2) {
        a.label_type = LabelType::map;
        a.label_family = 2;
    }
    const MapState& m = *s.maps;
    if (!longitude && a.label_type == LabelType::map && std::fabs(value) < 1e-9 && m.whole_cap &&
        m.proj.cap < 180.0 && !polar_map(m)) {
        int k = 0;
        for (; kEquatorLabel[k] != '\0' && k < size - 1; ++k) out[k] = kEquatorLabel[k];
        out[k] = '\0';
        return true;
    }
    const int digits = std::fabs(step - std::round(step)) < 1e-9 ? -1 : a.digits;
    label_text(s, a, false, longitude, 0, value, digits, out, size);
    return true;
}

void reset_maps(PlotState& s) {
    *s.maps = MapState{};
}

bool map_active(PlotState& s) {
    const MapState& m = *s.maps;
    const ScalingRecord& r = s.axes->rec;
    if (s.frame.level >= 2 && m.active && s.axes->kind != AxisKind::none && !s.axes->polar &&
        r.xa == m.xa && r.xe == m.xe && r.ya == m.ya && r.ye == m.ye)
        return true;
    warn(s, warning::no_map_system);
    return false;
}

bool map_to_plot(const PlotState& s, double lon, double lat, double& x, double& y) {
    const MapState& m = *s.maps;
    double u, v;
    const bool visible = m.proj.forward(wrap_degrees(lon - m.proj.lon0), lat, u, v);
    m.to_plot(u, v, x, y);
    return visible;
}

void draw_map_outline(PlotState& s) {
    MapState& m = *s.maps;
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

namespace {

// Writes the labels of one map, leaving out a label that would overlap one already
// written (meridians crowd where they converge).
struct MapLabeller {
    PlotState& s;
    double gap;
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> placed;
    char text[kLabelTextLength + 1];

    // Writes the label of value with its box's lower left corner at (x, y), unless it
    // overlaps an earlier one.
    void put(double x, double y, const TextBox& box) {
        const Box b{x, y - box.height, x + box.length, y};
        for (const Box& o : placed)
            if (b.x0 < o.x1 && o.x0 < b.x1 && b.y0 < o.y1 && o.y0 < b.y1) return;
        placed.push_back(b);
        draw_text(s, text, x, y - box.height);
    }
    bool text_of(double value, bool longitude, double step) {
        return map_label_text(s, value, longitude, step, text, sizeof text);
    }
    // A label outside the outline point (x, y), away from the centre (cx, cy).
    void outward(double x, double y, double cx, double cy) {
        const double dx = x - cx, dy = y - cy, r = std::hypot(dx, dy);
        if (!(r > 0.0)) return;
        const TextBox box = text_box(s, text);
        const double reach = gap + std::hypot(box.length, box.height) / 2.0;
        const double mx = x + dx / r * reach, my = y + dy / r * reach;
        put(mx - box.length / 2.0, my + box.height / 2.0, box);
    }
};

// Where f (an angular distance from the centre less `edge`) changes sign from a to b,
// searched in half-degree steps and refined by bisection; visit(t) for each crossing.
template <typename F, typename Visit>
void crossings(F f, double a, double b, Visit visit) {
    const int steps = static_cast<int>((b - a) * 2.0);
    double t0 = a, f0 = f(t0);
    for (int i = 1; i <= steps; ++i) {
        const double t1 = a + i * 0.5, f1 = f(t1);
        if ((f0 < 0.0) != (f1 < 0.0)) {
            double lo = t0, hi = t1;
            const bool rising = f0 < 0.0;
            for (int k = 0; k < 40; ++k) {
                const double mid = (lo + hi) / 2.0;
                ((f(mid) < 0.0) == rising ? lo : hi) = mid;
            }
            visit((lo + hi) / 2.0);
        }
        t0 = t1, f0 = f1;
    }
}

// Plot position of a point at angular distance `dist` from the centre in the direction
// of the point (dlon, lat): the outline of a whole cap in the direction of a meridian.
void along_direction(const MapState& m, double dlon, double lat, double dist, double& x,
                     double& y) {
    double u, v;
    m.proj.forward(dlon, lat, u, v);
    const double r = std::hypot(u, v);
    const double reach = m.proj.rho(std::min(dist, m.proj.cap));
    if (r > 0.0) u *= reach / r, v *= reach / r;
    m.to_plot(u, v, x, y);
}

}  // namespace

namespace {

// The label colour and the text modes of map labels (the degree sign is written with
// the exponent characters: on, formulas off) while it lives; then those of before.
struct LabelMode {
    PlotState& s;
    int colour;
    bool mix, formula;
    explicit LabelMode(PlotState& state)
        : s(state),
          colour(state.colours->current_colour),
          mix(state.text->mix_on),
          formula(state.text->formula_mode) {
        const int label_colour = s.axes->axis[axis_x].label_colour;
        if (label_colour >= 0) set_device_colour(s, label_colour);
        s.text->mix_on = true;
        s.text->formula_mode = false;
    }
    ~LabelMode() {
        flush_polyline(s);
        s.text->mix_on = mix;
        s.text->formula_mode = formula;
        if (s.colours->current_colour != colour) set_device_colour(s, colour);
    }
};

// True on maps whose parallels are labelled inside the outline: a circle around a pole
// and the whole globe of the azimuthal equidistant projection.
bool inside_parallel_labels(const MapState& m) {
    return polar_map(m) || (m.whole_cap && m.proj.cap >= 180.0);
}

// The labels of the parallels inside a circle map, right of the central meridian (from
// a pole it runs to the bottom or the top of the page), leaving out the outline.
void draw_inside_map_labels(PlotState& s, MapLabeller& out) {
    const MapState& m = *s.maps;
    const Projector& p = m.proj;
    if (!inside_parallel_labels(m)) return;
    each_multiple(m.y_first, m.y_step, m.ya, m.ye, 1000.0, [&](double lat) {
        if (std::fabs(lat) >= 90.0 - 1e-9 || lat <= m.ya + 1e-9 || lat >= m.ye - 1e-9) return;
        if (!(p.distance(0.0, lat) < p.cap - 1e-6)) return;
        if (!out.text_of(lat, false, m.y_step)) return;
        double x, y;
        map_to_plot(s, p.lon0, lat, x, y);
        const TextBox box = text_box(s, out.text);
        out.put(x + out.gap, y + box.height / 2.0, box);
    });
}

}  // namespace

// The labels of a map:
// - a rectangular or curved outline: meridians in a row below the map (or below its
//   lowest edge on conics and azimuthal windows), parallels left of its west edge;
// - a circle around a pole: meridians around the circle, outside it; parallels inside,
//   to the right of the meridian that runs from the pole to the bottom (or top) of the
//   page;
// - the circle of a hemisphere (orthographic, stereographic): meridians and parallels
//   outside the circle where they meet it;
// - the whole globe of the azimuthal equidistant projection away from a pole: meridians
//   outside the circle in the direction where they come nearest to the point opposite
//   the centre, parallels inside along the central meridian.
// A label that would overlap one already written is left out.
void draw_map_labels(PlotState& s) {
    MapState& m = *s.maps;
    const LabelMode mode(s);
    MapLabeller out{s, static_cast<double>(s.axes->axis[axis_x].label_distance), {}, {}};
    const double gap = out.gap;
    const Projector& p = m.proj;
    const bool polar = polar_map(m);
    const bool horizon = m.whole_cap && p.cap < 180.0;
    auto labelled_meridian = [&](double lon) {
        if (full_circle(m) && lon >= m.lon_high - 1e-9) return false;  // the same as the first
        return out.text_of(lon, true, m.x_step);
    };
    auto dlon_of = [&](double lon) { return wrap_degrees(lon - p.lon0); };

    if (polar || m.whole_cap) {
        each_multiple(m.x_first, m.x_step, m.lon_low, m.lon_high, 1000.0, [&](double lon) {
            if (!labelled_meridian(lon)) return;
            const double d = dlon_of(lon);
            double x, y;
            if (horizon) {
                crossings([&](double lat) { return p.distance(d, lat) - p.cap; }, -90.0, 90.0,
                          [&](double lat) {
                              along_direction(m, d, lat, p.cap, x, y);
                              out.outward(x, y, m.x_mid, m.y_mid);
                          });
                return;
            }
            if (polar) {
                // Beyond the outer parallel, in the meridian's direction.
                const double edge = p.lat0 > 0.0 ? m.ya : m.ye;
                along_direction(m, d, 0.0, p.distance(d, edge), x, y);
            } else {
                // The point of the meridian nearest the point opposite the centre.
                double best = 0.0, far = -1.0;
                for (int i = 0; i <= 360; ++i) {
                    const double lat = -90.0 + i * 0.5, dist = p.distance(d, lat);
                    if (dist > far) far = dist, best = lat;
                }
                // Meridians that come nearest at a pole all point the same way.
                if (std::fabs(best) > 89.0) return;
                along_direction(m, d, best, p.cap, x, y);
            }
            out.outward(x, y, m.x_mid, m.y_mid);
        });
        each_multiple(m.y_first, m.y_step, m.ya, m.ye, 1000.0, [&](double lat) {
            if (std::fabs(lat) >= 90.0 - 1e-9) return;  // a pole is the centre or a point
            if (horizon && !polar) {
                if (!out.text_of(lat, false, m.y_step)) return;
                crossings([&](double d) { return p.distance(d, lat) - p.cap; }, -180.0, 180.0,
                          [&](double d) {
                              double x, y;
                              along_direction(m, d, lat, p.cap, x, y);
                              out.outward(x, y, m.x_mid, m.y_mid);
                          });
                return;
            }
        });
        draw_inside_map_labels(s, out);
    } else {
        // A rectangular or curved outline.
        double bottom = -HUGE_VAL;  // lowest point of the outline on the page
        {
            const Extent e = projected_extent(m);
            double x, y;
            m.to_plot(e.u0, e.v0, x, y);
            bottom = y;
        }
        // The parallels first, so that a label of the lowest parallel (a pole on the flat
        // bottom of a pseudocylindrical map) keeps its place and the row of meridian
        // labels goes below it.
        double lowest = bottom;
        // Where the outline is curved the pole is a point or a short line in the middle
        // of the map's flat edge, far from the west edge: it is not labelled.
        const bool rectangle = p.kind == Projection::cylindrical ||
                               p.kind == Projection::mercator || p.kind == Projection::equal_area ||
                               p.kind == Projection::miller;
        each_multiple(m.y_first, m.y_step, m.ya, m.ye, 1000.0, [&](double lat) {
            if (!rectangle && !p.conic() && !p.azimuthal() && std::fabs(lat) >= 90.0 - 1e-9) return;
            double x, y;
            if (!map_to_plot(s, m.lon_low, lat, x, y)) return;
            if (!out.text_of(lat, false, m.y_step)) return;
            const TextBox box = text_box(s, out.text);
            out.put(x - gap - box.length, y + box.height / 2.0, box);
            lowest = std::max(lowest, y + box.height / 2.0);
        });
        const double mid_lat = (m.ya + m.ye) / 2.0;
        const bool row = !(p.conic() || p.azimuthal());
        each_multiple(m.x_first, m.x_step, m.lon_low, m.lon_high, 1000.0, [&](double lon) {
            if (!labelled_meridian(lon)) return;
            const TextBox box = text_box(s, out.text);
            double x, y;
            if (!row) {
                if (!map_to_plot(s, lon, m.ya, x, y)) return;
                out.put(x - box.length / 2.0, y + gap + box.height, box);
            } else {
                // A row below the map where the meridian crosses the middle parallel.
                map_to_plot(s, lon, mid_lat, x, y);
                out.put(x - box.length / 2.0, lowest + gap + box.height, box);
            }
        });
    }
}

void redraw_inside_map_labels(PlotState& s) {
    if (!inside_parallel_labels(*s.maps)) return;
    const LabelMode mode(s);
    MapLabeller out{s, static_cast<double>(s.axes->axis[axis_x].label_distance), {}, {}};
    draw_inside_map_labels(s, out);
}

}  // namespace gvx

using namespace gvx;

void Gravox::projct(const char* name) {
    if (refused("projct", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, kProjectionKeywords, kProjectionCount, name);
    if (index != 0) s.maps->projection = static_cast<Projection>(index);
}

void Gravox::mappol(double lon, double lat) {
    if (refused("mappol", 1, 3)) return;
    PlotState& s = state();
    if (!std::isfinite(lon) || !std::isfinite(lat) || lat < -90.0 || lat > 90.0 ||
        std::fabs(lon) > 360.0) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.maps->centre_set = true;
    s.maps->centre_lon = lon;
    s.maps->centre_lat = lat;
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
    s.maps->parallels_set = true;
    s.maps->parallel1 = lat1;
    s.maps->parallel2 = lat2;
}

void Gravox::mapsph(double radius) {
    if (refused("mapsph", 1, 3)) return;
    PlotState& s = state();
    if (!std::isfinite(radius) || !(radius > 0.0) || radius > 1e9) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.maps->radius = radius;
}

void Gravox::grafmp(double xa, double xe, double x_first, double x_step, double ya, double ye,
                    double y_first, double y_step) {
    if (refused("grafmp", 1, 1)) return;
    PlotState& s = state();
    MapState& m = *s.maps;
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
    // A window of all longitudes shows the whole turn around the central meridian,
    // wherever that lies; a narrower one what of it lies within half a turn.
    next.lon_low = full ? centre - 180.0 : std::max(xa, centre - 180.0);
    next.lon_high = full ? centre + 180.0 : std::min(xe, centre + 180.0);
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
    AxisState& ax = *s.axes;
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
    const int colour = s.colours->current_colour;
    draw_map_outline(s);
    draw_map_labels(s);
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
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
    const MapState& m = *s.maps;
    const double u = m.u_mid + (xp - m.x_mid) / m.scale, v = m.v_mid - (yp - m.y_mid) / m.scale;
    double a, b;
    if (!m.proj.inverse(u, v, a, b)) {
        warn(s, warning::not_on_map);
        return;
    }
    *lon = a;
    *lat = b;
}
