// Coastlines on a map: world draws the shorelines and lakes, shdmap fills land or lakes,
// mapbas and mapres choose what and at which resolution; borders draws political
// borders.
#include <algorithm>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"
#include "gravox/maps/coast_data.h"
#include "gravox/maps/maps.h"

namespace gvx {

namespace {

// Windows smaller than this (degrees of longitude times degrees of latitude) take
// the low resolution when mapres is "AUTO".
constexpr double kLowResolutionArea = 90.0 * 60.0;

// The resolution of the tables for the current map: 0 crude, 1 low.
int map_resolution(const MapState& m) {
    if (m.resolution > 0) return m.resolution - 1;
    return (m.lon_high - m.lon_low) * (m.ye - m.ya) < kLowResolutionArea ? 1 : 0;
}

const DecodedCoast* map_coast(PlotState& s) {
    const DecodedCoast& c = coast(map_resolution(*s.maps));
    if (!c.ok) {
        warn(s, warning::no_coast_table);
        return nullptr;
    }
    return &c;
}

bool is_lake(int level) {
    return level == 2 || level == 4;
}

}  // namespace

}  // namespace gvx

using namespace gvx;

void Gravox::world() {
    if (refused("world", 2, 3)) return;
    PlotState& s = state();
    if (!map_active(s)) return;
    const DecodedCoast* c = map_coast(s);
    if (!c) return;
    const int base = s.maps->base;
    for (const CoastPolygon& p : c->polygons) {
        const bool lake = is_lake(p.level);
        if ((lake && !(base & 2)) || (!lake && !(base & 1))) continue;
        map_polyline(s, c->lon.data() + p.first, c->lat.data() + p.first, p.count, 1.0, true);
    }
}

void Gravox::shdmap(const char* what) {
    if (refused("shdmap", 2, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "CONT+LAKE", 2, what);
    if (index == 0) return;
    if (!map_active(s)) return;
    const DecodedCoast* c = map_coast(s);
    if (!c) return;
    for (const CoastPolygon& p : c->polygons) {
        if (is_lake(p.level) != (index == 2)) continue;
        map_polygon(s, c->lon.data() + p.first, c->lat.data() + p.first, p.count, p.flags);
    }
}

void Gravox::mapbas(const char* what) {
    if (refused("mapbas", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "COAS+LAKE+ALL ", 3, what);
    if (index != 0) s.maps->base = index;
}

void Gravox::borders(const char* what) {
    if (refused("borders", 2, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "NATI+INTE+MARI+ALL ", 4, what);
    if (index == 0) return;
    if (!map_active(s)) return;
    const DecodedCoast& c = gvx::borders(map_resolution(*s.maps));
    if (!c.ok) {
        warn(s, warning::no_border_table);
        return;
    }
    for (const CoastPolygon& p : c.polygons) {
        if (index != 4 && p.level != index) continue;
        map_polyline(s, c.lon.data() + p.first, c.lat.data() + p.first, p.count, 1.0, false);
    }
}

void Gravox::mapres(const char* resolution) {
    if (refused("mapres", 1, 3)) return;
    PlotState& s = state();
    const int index = match_keyword(s, "AUTO+CRUD+LOW ", 3, resolution);
    if (index != 0) s.maps->resolution = index - 1;
}
