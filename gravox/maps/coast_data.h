// The committed coastline and border tables (coast_data.cpp, made by tools/coastgen)
// and their reader.
//
// A table is a string of characters from the 64-letter alphabet of tools/coastgen, each
// giving 5 bits of a number (lowest first) and a continuation bit. Per polygon: its
// level (1 land, 2 lake, 3 island in a lake, 4 pond), its flags (1: encloses the south
// pole, 2: the north pole), its point count n, and n points as zigzag-coded longitude
// and latitude differences from the previous point (the first from 0, 0) in
// micro-degrees. Longitudes are unwrapped: successive points lie less than 180 degrees
// apart, so a polygon that crosses the antimeridian runs beyond 180 (or below -180)
// and one that encloses a pole goes once round the globe without closing.
//
// The border tables hold open lines in the same form: level 1 borders between
// countries, 2 between the states or provinces of a country, 3 maritime borders;
// flags 0.
#pragma once

#include <cstdint>
#include <vector>

namespace gvx {

struct CoastTable {
    long polygons = 0;
    long points = 0;
    const char* data = "";
};

extern const CoastTable kCoastCrude;
extern const CoastTable kCoastLow;
extern const CoastTable kBorderCrude;
extern const CoastTable kBorderLow;

// One decoded polygon: its points are lon[first .. first + count) and lat[...] of the
// decoded table, in degrees.
struct CoastPolygon {
    int level = 0;
    int flags = 0;
    long first = 0;
    long count = 0;
};

struct DecodedCoast {
    std::vector<CoastPolygon> polygons;
    std::vector<double> lon, lat;
    bool ok = false;  // false when the table does not decode to its stated counts
};

// Decodes a table; a malformed table gives ok = false and no polygons.
DecodedCoast decode_coast(const CoastTable& table);

// The decoded table of a resolution (0 crude, 1 low), decoded once on first use.
const DecodedCoast& coast(int resolution);
// The decoded border table of a resolution, likewise.
const DecodedCoast& borders(int resolution);

}  // namespace gvx
