// Maps: projections of the sphere onto the plane, the map axis system of grafmp, the
// graticule, curves in longitude and latitude, and the coastlines.
//
// A map axis system shows the window of longitudes xa to xe and latitudes ya to ye
// (degrees) in one projection. The projection gives plane coordinates (u, v) in the
// unit of the sphere radius (mapsph, kilometres); grafmp fits the projected window
// into the axis rectangle keeping its proportions and centres it there.
//
// Everything drawn on a map is cut in longitude and latitude before it is projected:
// a polyline or polygon has its longitudes unwrapped (successive points less than 180
// degrees apart), is cut to the window and to the 360 degrees around the central
// meridian (so nothing is smeared across the map where it crosses the antimeridian),
// and each copy of it shifted by a multiple of 360 degrees that meets the window is
// cut too. Edges are divided into steps of at most one degree before projection, so
// straight lines of the window become the curves of the projection. Polygons that
// enclose a pole are closed along the pole. On the azimuthal projections points beyond
// the visible cap (the hemisphere of the orthographic and stereographic projections),
// or within a degree of the centre's antipode (azimuthal equidistant), are left out of
// lines; filled areas are cut at that circle and closed along the map's circular
// outline, following it in the direction of the hidden points seen from the centre.
// Formulas and their source: docs/maps.md.
#pragma once

#include <cmath>

#include <vector>

namespace gvx {

struct PlotState;

// projct keywords, numbered from 1 in this order.
enum class Projection {
    cylindrical = 1,  // "CYLI" equidistant cylindrical
    mercator,         // "MERC"
    equal_area,       // "EQUA" Lambert's equal-area cylindrical
    miller,           // "MILL"
    lambert,          // "LAMB" Lambert conformal conic
    albers,           // "ALBE" Albers equal-area conic
    stereographic,    // "STER"
    orthographic,     // "ORTH"
    azimuthal,        // "AZIM" azimuthal equidistant
    robinson,         // "ROBI"
    mollweide,        // "MOLL"
    hammer,           // "HAMM"
    aitoff,           // "AITO"
    winkel            // "WINK" Winkel tripel
};
inline constexpr const char* kProjectionKeywords =
    "CYLI+MERC+EQUA+MILL+LAMB+ALBE+STER+ORTH+AZIM+ROBI+MOLL+HAMM+AITO+WINK";
inline constexpr int kProjectionCount = 14;

// A projection with its constants: forward from degrees to (u, v) in units of the
// radius, and back. Longitudes are taken relative to the central meridian lon0.
struct Projector {
    Projection kind = Projection::cylindrical;
    double lon0 = 0.0, lat0 = 0.0;  // centre (degrees)
    double radius = 6371.0;
    double cap = 180.0;  // visible angular distance from the centre (azimuthal), degrees
    // Angular distance from the centre at which lines and areas are cut (azimuthal): the
    // cap's edge, or a degree short of the antipode, which the azimuthal equidistant
    // projection stretches into the whole outline circle.
    double cut = 180.0;
    // Constants of the conic projections and of the centre.
    double n = 0.0, f = 0.0, c = 0.0, rho0 = 0.0;
    double sin_lat0 = 0.0, cos_lat0 = 1.0;

    // Fixes the constants; false when the standard parallels are unusable.
    bool setup(Projection p, double centre_lon, double centre_lat, double parallel1,
               double parallel2, double sphere_radius);
    // Projects a point; false when it lies beyond the visible cap or the projection's
    // limits (u, v are then the nearest point on the cap's edge for the azimuthal
    // projections). dlon is the longitude minus lon0 in degrees, -180 to 180.
    bool forward(double dlon, double lat, double& u, double& v) const;
    // The inverse: false for a point outside the projection's domain.
    bool inverse(double u, double v, double& lon, double& lat) const;
    // Distance of the visible cap's edge from the centre in projected units (azimuthal).
    double cap_radius() const;
    // Distance from the centre in projected units of a point at angular distance dist
    // degrees from it (azimuthal projections).
    double rho(double dist) const;
    // Angular distance from the centre in degrees (azimuthal projections).
    double distance(double dlon, double lat) const;
    bool azimuthal() const {
        return kind == Projection::stereographic || kind == Projection::orthographic ||
               kind == Projection::azimuthal;
    }
    bool conic() const { return kind == Projection::lambert || kind == Projection::albers; }
    // True for a point beyond the cut (dlon as for forward).
    bool beyond_cut(double dlon, double lat) const {
        return azimuthal() && distance(dlon, lat) > cut;
    }
};

// Settings of the maps and the current map axis system.
struct MapState {
    Projection projection = Projection::cylindrical;
    bool centre_set = false;  // mappol
    double centre_lon = 0.0, centre_lat = 0.0;
    double parallel1 = 30.0, parallel2 = 60.0;  // mapref
    bool parallels_set = false;
    double radius = 6371.0;  // mapsph, kilometres
    int resolution = 0;      // mapres: 0 automatic, 1 crude, 2 low
    int base = 3;            // mapbas: 1 coastlines, 2 lakes, 3 both

    // The current map axis system (set by grafmp, cleared by endgrf's next graf).
    bool active = false;
    Projector proj;
    double xa = -180.0, xe = 180.0, ya = -90.0, ye = 90.0;  // window, degrees
    double lon_low = -180.0, lon_high = 180.0;              // window cut to the central 360 degrees
    double x_first = 0.0, x_step = 30.0, y_first = 0.0, y_step = 30.0;
    double scale = 1.0;               // plot units per unit of u and v
    double u_mid = 0.0, v_mid = 0.0;  // projected centre of the map
    double x_mid = 0.0, y_mid = 0.0;  // its plot position
    bool whole_cap = false;           // the outline is the circle of the cap

    // Plot position of a point (u, v) of the projection's plane.
    void to_plot(double u, double v, double& x, double& y) const {
        x = x_mid + (u - u_mid) * scale;
        y = y_mid - (v - v_mid) * scale;
    }

    // Work buffers, reused: a polyline or polygon in degrees and the cut pieces.
    std::vector<double> lon, lat, cut_lon, cut_lat, tmp_lon, tmp_lat, px, py;
};

// An angle in degrees brought into [-180, 180] by whole turns.
double wrap_degrees(double d);

// Per-plot reset of gvxini.
void reset_maps(PlotState& s);

// True when the current axis system is a map (grafmp at level 2 or 3); otherwise
// warning 371 and false.
bool map_active(PlotState& s);

// Plot position of a point of the current map; false beyond the visible cap.
bool map_to_plot(const PlotState& s, double lon, double lat, double& x, double& y);

// Draws a polyline in degrees on the current map, cut at the window and the
// antimeridian and divided into steps of at most `step` degrees; a closed one joins its
// last point to its first.
void map_polyline(PlotState& s, const double* lon, const double* lat, long n, double step,
                  bool closed);
// Draws the parallel lat from lon_low to lon_high (up to a whole circle).
void map_parallel(PlotState& s, double lat, double lon_low, double lon_high);
// Fills a polygon in degrees on the current map with the current pattern; pole = 1
// (south) or 2 (north) closes a polygon that goes round the globe along that pole.
void map_polygon(PlotState& s, const double* lon, const double* lat, long n, int pole);

// The label of a meridian (longitude true) or parallel of the current map at value
// degrees, written into out (size bytes); false when such labels are off. On the
// circle of a hemisphere, where meridians and parallels are labelled round the same
// outline, the equator is "EQ", so that "0°" names only the prime meridian.
bool map_label_text(PlotState& s, double value, bool longitude, double step, char* out, int size);

// Plot units per unit of length on the sphere (the unit of mapsph) along the meridian
// through the middle of the current map; 0 where it cannot be measured.
double map_plot_per_length(const PlotState& s);

// Draws the outline of the current map.
void draw_map_outline(PlotState& s);
// Draws the labels of meridians and parallels of the current map.
void draw_map_labels(PlotState& s);
// Draws again the labels that lie inside the outline (the parallels of a circle map), on
// top of what has been drawn since grafmp; gridmp calls it after its lines.
void redraw_inside_map_labels(PlotState& s);

// Visits first + k step for every whole k with the value within [lo, hi], at most
// most + 1 values. A step far too small, or an origin so far away that the multiples of
// the step no longer differ by one, visits nothing (and no loop goes on for ever).
template <typename Visit>
void each_multiple(double first, double step, double lo, double hi, double most, Visit visit) {
    if (!(step > 0.0) || !std::isfinite(first)) return;
    const double k = std::ceil((lo - first) / step - 1e-9);
    const double last = std::floor((hi - first) / step + 1e-9);
    if (!(last - k <= most) || !(std::fabs(k) < 1e15) || !(std::fabs(last) < 1e15)) return;
    const int count = static_cast<int>(last - k);
    for (int i = 0; i <= count; ++i) visit(first + (k + i) * step);
}

}  // namespace gvx
