// Lines and areas on a map: polylines and polygons in degrees cut at the window and
// the antimeridian, divided, projected and drawn; the graticule (gridmp) and curves
// (curvmp).
#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/maps/maps.h"

namespace gvx {

namespace {

// The copy of the central meridian nearest to the middle of the window: every point
// of the cut window lies within 180 degrees of it.
double central_meridian(const MapState& m) {
    const double mid = (m.lon_low + m.lon_high) / 2.0;
    return m.proj.lon0 + 360.0 * std::round((mid - m.proj.lon0) / 360.0);
}

// Pieces near the antipode turn by at most about four degrees (in radians) seen from the
// centre; the outline circle is followed in steps of two degrees; a step behind it is
// halved at most eight times (256 pieces) to find its side.
constexpr double kAntipodeTurn = 0.07;
constexpr double kRimStep = std::numbers::pi / 90.0;
constexpr int kRimHalvings = 8;

// Points far beyond a few turns of the globe (or not finite) are gaps in a line.
bool usable(double lon, double lat) {
    return std::isfinite(lon) && std::isfinite(lat) && std::fabs(lon) <= 1e6 &&
           std::fabs(lat) <= 1e6;
}

// lon moved by whole turns to within 180 degrees of prev.
double unwrap(double prev, double lon) {
    return lon + 360.0 * std::round((prev - lon) / 360.0);
}

// The point where the step from a point within the projector's cut (a) to one beyond
// it (b) crosses the cut circle, by bisection.
void cut_crossing(const Projector& p, double centre, double alon, double alat, double blon,
                  double blat, double& lon, double& lat) {
    for (int i = 0; i < 40; ++i) {
        const double ml = (alon + blon) / 2.0, mb = (alat + blat) / 2.0;
        const bool within = !p.beyond_cut(ml - centre, mb);
        (within ? alon : blon) = ml;
        (within ? alat : blat) = mb;
    }
    lon = alon, lat = alat;
}

// The number of pieces into which a step from (lon, lat) by (dl, db) is divided: pieces
// of at most `step` degrees, and on the azimuthal equidistant projection, which spreads
// the neighbourhood of the antipode round the outline, pieces short enough near it that
// each turns by only a few degrees seen from the centre.
int divisions(const Projector& p, double centre, double lon, double lat, double dl, double db,
              double step) {
    const double length = std::max(std::fabs(dl), std::fabs(db));
    double pieces = std::ceil(length / step);
    if (p.kind == Projection::azimuthal) {
        const double far =
            std::max(p.distance(lon - centre, lat), p.distance(lon + dl - centre, lat + db));
        const double closest = std::max(180.0 - far - length, 0.25);  // to the antipode
        pieces = std::max(pieces, std::ceil(length / (closest * kAntipodeTurn)));
    }
    return static_cast<int>(std::clamp(pieces, 1.0, 1000.0));
}

// Hands points of a polyline to the primitives, dividing each step into pieces of at
// most `step` degrees; points beyond the visible cap lift the pen, and the line ends
// and starts again where it crosses the cap's edge.
struct MapPen {
    PlotState& s;
    const MapState& m;
    double centre;
    double step;
    bool cutting = m.proj.azimuthal() && m.proj.cut < 180.0;
    bool down = false;
    bool have_last = false;
    double last_lon = 0.0, last_lat = 0.0;

    void point(double lon, double lat) {
        const double prev_lon = last_lon, prev_lat = last_lat;
        last_lon = lon, last_lat = lat;
        double u, v;
        if (!m.proj.forward(lon - centre, lat, u, v) || m.proj.beyond_cut(lon - centre, lat)) {
            // A line that leaves the visible cap ends on its edge.
            if (down && cutting) put_crossing(prev_lon, prev_lat, lon, lat);
            down = false;
            return;
        }
        if (!down && have_last && cutting && m.proj.beyond_cut(prev_lon - centre, prev_lat)) {
            // One that comes back into it starts on its edge.
            put_crossing(lon, lat, prev_lon, prev_lat);
        }
        put(u, v);
    }
    // Draws to (or starts at) the point where the step from a visible point to a hidden
    // one crosses the edge of the cap.
    void put_crossing(double vis_lon, double vis_lat, double hid_lon, double hid_lat) {
        double lon, lat, u, v;
        cut_crossing(m.proj, centre, vis_lon, vis_lat, hid_lon, hid_lat, lon, lat);
        m.proj.forward(lon - centre, lat, u, v);
        put(u, v);
    }
    // Draws to (or starts at) a visible point, projected to (u, v).
    void put(double u, double v) {
        double x, y;
        m.to_plot(u, v, x, y);
        if (down) {
            offset_draw_to(s, x, y);
        } else {
            offset_move_to(s, x, y);
            down = true;
        }
    }
    void move(double lon, double lat) {
        down = false;
        have_last = false;
        point(lon, lat);
        have_last = true;
    }
    void line(double lon, double lat) {
        const double dl = lon - last_lon, db = lat - last_lat;
        const int k = divisions(m.proj, centre, last_lon, last_lat, dl, db, step);
        const double l0 = last_lon, b0 = last_lat;
        for (int i = 1; i < k; ++i) point(l0 + dl * i / k, b0 + db * i / k);
        point(lon, lat);
    }
};

// Projects the ring of a cut polygon into the map's point buffers, dividing its steps.
// On the azimuthal projections the ring is cut at the projector's cut circle and its
// parts beyond are replaced by the arcs of the outline circle that lie behind them seen
// from the centre, so an area round the far side of the globe covers the rim and one
// that only touches it adds nothing.
struct RingPen {
    MapState& m;
    double centre;
    bool cutting = m.proj.azimuthal();
    bool started = false, outside = false;
    double last_lon = 0.0, last_lat = 0.0;
    double angle = 0.0;                   // direction of the last point on the rim, radians
    double rim_lon = 0.0, rim_lat = 0.0;  // the point behind it

    void add(double u, double v) {
        double x, y;
        m.to_plot(u, v, x, y);
        m.px.push_back(x);
        m.py.push_back(y);
    }
    void within(double lon, double lat) {
        double u, v;
        m.proj.forward(lon - centre, lat, u, v);
        add(u, v);
    }
    // Direction of a point seen from the centre. A point on the window's edge meridians
    // (which run through the antipode) counts as a hair inside the window, so that the
    // antipode itself lies on the side of the part of the window it closes.
    double direction(double lon, double lat) const {
        const double dlon = std::clamp(lon - centre, -180.0 + 1e-7, 180.0 - 1e-7);
        double u, v;
        m.proj.forward(dlon, lat, u, v);
        return std::atan2(v, u);
    }
    void rim(double a) {
        const double r = m.proj.cap_radius();
        add(r * std::cos(a), r * std::sin(a));
    }
    // Along the rim from the last direction to a, the shorter way.
    void rim_to(double a) {
        const double turn = std::remainder(a - angle, 2.0 * std::numbers::pi);
        const int k =
            static_cast<int>(std::clamp(std::ceil(std::fabs(turn) / kRimStep), 1.0, 180.0));
        for (int i = 1; i <= k; ++i) rim(angle + turn * i / k);
        angle = a;
    }
    // Along the rim behind the step from the last point on it to (lon, lat). A step that
    // turns far, as one across the antipode does, is halved until each half turns by
    // less than a right angle, so that the rim is followed on the step's side.
    void rim_step(double lon, double lat, int depth) {
        const double a = direction(lon, lat);
        if (depth > 0 &&
            std::fabs(std::remainder(a - angle, 2.0 * std::numbers::pi)) > std::numbers::pi / 2.0) {
            const double ml = (rim_lon + lon) / 2.0, mb = (rim_lat + lat) / 2.0;
            rim_step(ml, mb, depth - 1);
            rim_step(lon, lat, depth - 1);
            return;
        }
        rim_to(a);
        rim_lon = lon, rim_lat = lat;
    }
    void point(double lon, double lat) {
        const bool out = cutting && m.proj.beyond_cut(lon - centre, lat);
        if (started && out != outside) {
            double cl, cb;
            if (out)
                cut_crossing(m.proj, centre, last_lon, last_lat, lon, lat, cl, cb);
            else
                cut_crossing(m.proj, centre, lon, lat, last_lon, last_lat, cl, cb);
            if (out) {
                within(cl, cb);
                start_rim(cl, cb);
            } else {
                rim_step(cl, cb, kRimHalvings);
                within(cl, cb);
            }
        }
        if (!out)
            within(lon, lat);
        else if (started)
            rim_step(lon, lat, kRimHalvings);
        else
            start_rim(lon, lat);
        started = true, outside = out;
        last_lon = lon, last_lat = lat;
    }
    void start_rim(double lon, double lat) {
        angle = direction(lon, lat);
        rim(angle);
        rim_lon = lon, rim_lat = lat;
    }
};

// Cuts the segment a-b to the window; t0 and t1 give the part inside (Liang-Barsky).
bool cut_segment(const MapState& m, double ax, double ay, double bx, double by, double& t0,
                 double& t1) {
    t0 = 0.0, t1 = 1.0;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - m.lon_low, m.lon_high - ax, ay - m.ya, m.ye - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    return t0 <= t1;
}

// Shifts k (points minus 360 k) whose copies of [lo, hi] meet the window.
void shifts(const MapState& m, double lo, double hi, int& first, int& last) {
    first = static_cast<int>(std::clamp(std::ceil((lo - m.lon_high) / 360.0 - 1e-12), -8.0, 8.0));
    last = static_cast<int>(std::clamp(std::floor((hi - m.lon_low) / 360.0 + 1e-12), -8.0, 8.0));
}

// One Sutherland-Hodgman pass: keeps the part of the polygon (in -> out) on the inner
// side of the line coordinate[axis] = bound.
void clip_pass(const std::vector<double>& in_lon, const std::vector<double>& in_lat,
               std::vector<double>& out_lon, std::vector<double>& out_lat, int axis, double bound,
               bool keep_above) {
    out_lon.clear();
    out_lat.clear();
    const size_t n = in_lon.size();
    if (n == 0) return;
    auto value = [&](size_t i) { return axis == 0 ? in_lon[i] : in_lat[i]; };
    auto inside = [&](size_t i) { return keep_above ? value(i) >= bound : value(i) <= bound; };
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + n - 1) % n;  // previous vertex
        const bool in_i = inside(i), in_j = inside(j);
        if (in_i != in_j) {
            const double t = (bound - value(j)) / (value(i) - value(j));
            out_lon.push_back(axis == 0 ? bound : in_lon[j] + t * (in_lon[i] - in_lon[j]));
            out_lat.push_back(axis == 1 ? bound : in_lat[j] + t * (in_lat[i] - in_lat[j]));
        }
        if (in_i) {
            out_lon.push_back(in_lon[i]);
            out_lat.push_back(in_lat[i]);
        }
    }
}

}  // namespace

void map_polyline(PlotState& s, const double* lon, const double* lat, long n, double step,
                  bool closed) {
    const MapState& m = *s.maps;
    if (!lon || !lat || n < 2) return;
    const long segments = closed ? n : n - 1;
    MapPen pen{s, m, central_meridian(m), step};
    const bool full = m.lon_high - m.lon_low >= 360.0 - 1e-9;
    bool have = false;
    double ax = 0.0, ay = 0.0;
    for (long i = 0; i <= segments; ++i) {
        const double l = lon[i % n], b = lat[i % n];
        if (!usable(l, b)) {  // a gap in the line
            have = false;
            continue;
        }
        if (have) {
            // The segment with its start moved by whole turns into the window (or the
            // turn that begins at its west edge); its parts in that turn and in the
            // turns on either side, in order along the segment.
            const double shift = ax >= m.lon_low && ax <= m.lon_high
                                     ? 0.0
                                     : 360.0 * std::floor((ax - m.lon_low) / 360.0);
            const double x0 = ax - shift, x1 = unwrap(ax, l) - shift;
            struct Piece {
                double t0, t1, turn;
            } pieces[3];
            int count = 0;
            for (double turn : {0.0, -360.0, 360.0}) {
                // On a map of all longitudes its two edges are one meridian: a line
                // along it is drawn once, not again a turn further on.
                const bool on_edge = turn != 0.0 && full && x0 == x1 &&
                                     (std::fabs(x0 + turn - m.lon_low) < 1e-9 ||
                                      std::fabs(x0 + turn - m.lon_high) < 1e-9);
                double t0, t1;
                if (!on_edge && cut_segment(m, x0 + turn, ay, x1 + turn, b, t0, t1) && t1 > t0)
                    pieces[count++] = {t0, t1, turn};
            }
            for (int a = 1; a < count; ++a)  // at most three: insertion by t0
                for (int k = a; k > 0 && pieces[k].t0 < pieces[k - 1].t0; --k)
                    std::swap(pieces[k], pieces[k - 1]);
            for (int k = 0; k < count; ++k) {
                const Piece& p = pieces[k];
                const double sx = x0 + p.turn + p.t0 * (x1 - x0), sy = ay + p.t0 * (b - ay);
                // Go on from the pen where the piece starts at its last point.
                if (!pen.down || std::fabs(sx - pen.last_lon) > 1e-9 ||
                    std::fabs(sy - pen.last_lat) > 1e-9)
                    pen.move(sx, sy);
                pen.line(x0 + p.turn + p.t1 * (x1 - x0), ay + p.t1 * (b - ay));
            }
        }
        ax = l, ay = b, have = true;
    }
    flush_polyline(s);
}

void map_polygon(PlotState& s, const double* lon, const double* lat, long n, int pole) {
    MapState& m = *s.maps;
    if (!lon || !lat || n < 3) return;
    try {
        // The unwrapped ring, closed along the pole when it goes round the globe.
        m.lon.clear(), m.lat.clear();
        double prev = lon[0];
        for (long i = 0; i < n; ++i) {
            if (!usable(lon[i], lat[i])) continue;
            prev = m.lon.empty() ? lon[i] : unwrap(prev, lon[i]);
            m.lon.push_back(prev);
            m.lat.push_back(std::clamp(lat[i], -90.0, 90.0));
        }
        if (m.lon.size() < 3) return;
        if (pole == 1 || pole == 2) {
            // Back to the first point a turn further on, along the meridian to the pole,
            // along the pole to the first meridian.
            const double edge = pole == 1 ? -90.0 : 90.0;
            const double start = m.lon.front(), end = unwrap(m.lon.back(), start);
            m.lon.push_back(end), m.lat.push_back(m.lat.front());
            m.lon.push_back(end), m.lat.push_back(edge);
            m.lon.push_back(start), m.lat.push_back(edge);
        }
        const auto [lo_it, hi_it] = std::minmax_element(m.lon.begin(), m.lon.end());
        int first, last;
        shifts(m, *lo_it, *hi_it, first, last);
        const double centre = central_meridian(m);
        for (int k = first; k <= last; ++k) {
            m.tmp_lon.assign(m.lon.begin(), m.lon.end());
            for (double& l : m.tmp_lon) l -= 360.0 * k;
            m.tmp_lat.assign(m.lat.begin(), m.lat.end());
            clip_pass(m.tmp_lon, m.tmp_lat, m.cut_lon, m.cut_lat, 0, m.lon_low, true);
            clip_pass(m.cut_lon, m.cut_lat, m.tmp_lon, m.tmp_lat, 0, m.lon_high, false);
            clip_pass(m.tmp_lon, m.tmp_lat, m.cut_lon, m.cut_lat, 1, m.ya, true);
            clip_pass(m.cut_lon, m.cut_lat, m.tmp_lon, m.tmp_lat, 1, m.ye, false);
            const size_t count = m.tmp_lon.size();
            if (count < 3) continue;
            // Divide the edges into steps of at most a degree and project them, back to
            // the first point.
            m.px.clear(), m.py.clear();
            RingPen pen{m, centre};
            for (size_t i = 0; i < count; ++i) {
                const size_t j = (i + 1) % count;
                const double l0 = m.tmp_lon[i], b0 = m.tmp_lat[i];
                const double dl = m.tmp_lon[j] - l0, db = m.tmp_lat[j] - b0;
                const int pieces = divisions(m.proj, centre, l0, b0, dl, db, 1.0);
                for (int p = 0; p < pieces; ++p)
                    pen.point(l0 + dl * p / pieces, b0 + db * p / pieces);
            }
            pen.point(m.tmp_lon[0], m.tmp_lat[0]);
            if (m.px.size() > 0x7fffffff) continue;
            fill_polygon(s, m.px.data(), m.py.data(), static_cast<int>(m.px.size()));
        }
    } catch (const std::bad_alloc&) {
        warn(s, warning::not_enough_memory);
    }
}

void map_parallel(PlotState& s, double lat, double lon_low, double lon_high) {
    // Points a quarter turn apart at most, so that a whole circle is not taken for a
    // step of no length.
    double lon[6], la[6];
    const int n = std::clamp(static_cast<int>(std::ceil((lon_high - lon_low) / 90.0)), 1, 4);
    for (int k = 0; k <= n; ++k) {
        lon[k] = lon_low + (lon_high - lon_low) * k / n;
        la[k] = lat;
    }
    map_polyline(s, lon, la, n + 1, 1.0, false);
}

}  // namespace gvx

using namespace gvx;

void Gravox::gridmp(int i, int j) {
    if (refused("gridmp", 2, 3)) return;
    PlotState& s = state();
    if (check_range(s, i, 0, 1000) != 0 || check_range(s, j, 0, 1000) != 0) return;
    if (!map_active(s)) return;
    const MapState& m = *s.maps;
    double lon[2], lat[2];
    if (i > 0 && m.x_step > 0.0) {
        each_multiple(m.x_first, m.x_step / i, m.lon_low, m.lon_high, 3600.0, [&](double l) {
            lon[0] = lon[1] = l;
            lat[0] = m.ya, lat[1] = m.ye;
            map_polyline(s, lon, lat, 2, 1.0, false);
        });
    }
    if (j > 0 && m.y_step > 0.0) {
        each_multiple(m.y_first, m.y_step / j, m.ya, m.ye, 1800.0, [&](double b) {
            if (std::fabs(b) >= 90.0) return;  // a pole is a point or the outline
            map_parallel(s, b, m.lon_low, m.lon_high);
        });
        // The parallels' labels inside a circle map stay readable over land and lines.
        if (!s.axes->no_axes) redraw_inside_map_labels(s);
    }
}

void Gravox::curvmp(const double* lon, const double* lat, int n) {
    if (refused("curvmp", 2, 3)) return;
    PlotState& s = state();
    if (!lon || !lat) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, n, 1, -1) != 0) return;
    if (!map_active(s)) return;
    map_polyline(s, lon, lat, n, 1.0, false);
}
