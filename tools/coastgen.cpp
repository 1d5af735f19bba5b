// coastgen: builds the coastline and border tables of the maps from the binned GSHHG
// files.
//
// Usage: coastgen GSHHG_DIR OUTPUT_DIR
//
// GSHHG_DIR holds binned_GSHHS_c.nc, binned_GSHHS_l.nc, binned_border_c.nc and
// binned_border_l.nc (Debian package gmt-gshhg-low, /usr/share/gmt-gshhg). The tool reads them
// through the text dump of `ncdump` (Debian package netcdf-bin), so it needs no netCDF library, and
// writes OUTPUT_DIR/coast_data.cpp, declared in gravox/maps/coast_data.h. The output depends only
// on the input files: running the tool again gives the same bytes.
//
// The binned files cut every shoreline at the borders of square bins. A point is
// stored relative to the south-west corner of its bin in 1/65535 of the bin size;
// each segment packs its point count (bits 9 and up), its level (bits 6 to 8: 1 land,
// 2 lake, 3 island in a lake, 4 pond in such an island, 6 the grounding line of
// Antarctica, which the tables leave out), the side where it leaves
// the bin (bits 3 to 5) and the side where it enters (bits 0 to 2; 4 for a segment
// closed inside its bin). Segments carry the id of their polygon. The tool joins
// the segments of each polygon at their shared end points into one closed ring, with
// longitudes unwrapped so that successive points lie less than 180 degrees apart;
// a ring whose longitudes go once round the globe encloses a pole.
//
// The border files store political borders the same way, as open lines: each segment
// has its point count and its level (1 between countries, 2 between the states or
// provinces of a country, 3 at sea) in variables of their own. The tool joins the
// segments of one level that share an end point into longer lines,
// unwrapped in the same way; the lines are stored like polygons with flags 0.
//
// Table format: one string per resolution of characters from kAlphabet, each giving
// 5 bits of a number (lowest first) and a continuation bit (32). Signed numbers are
// zigzag-coded (0, -1, 1, -2, ... as 0, 1, 2, 3, ...). Per polygon: level, flags
// (1: encloses the south pole, 2: the north pole), point count n, then n points as
// longitude and latitude differences from the previous point (the first from 0, 0)
// in micro-degrees.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

using Values = std::map<std::string, std::vector<long long>>;

// The default fill value of a variable's type, from its declaration in the header.
long long fill_value(const std::string& header, const std::string& name) {
    if (header.find("short " + name + "(") != std::string::npos) return -32767;
    if (header.find("byte " + name + "(") != std::string::npos) return -127;
    return -2147483647;
}

// Reads the named variables of a netCDF file from the text dump of ncdump.
bool read_variables(const std::string& file, const char* names, Values& out) {
    const std::string command = "ncdump -v " + std::string(names) + " '" + file + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
    if (pclose(pipe) != 0) return false;
    const size_t data = text.find("\ndata:");
    if (data == std::string::npos) return false;
    size_t pos = data;
    while (true) {
        const size_t eq = text.find(" = ", pos);
        if (eq == std::string::npos) break;
        size_t start = text.rfind('\n', eq);
        std::string name = text.substr(start + 1, eq - start - 1);
        while (!name.empty() && name[0] == ' ') name.erase(0, 1);
        const size_t end = text.find(';', eq);
        if (end == std::string::npos) return false;
        std::vector<long long>& v = out[name];
        const long long fill = fill_value(text.substr(0, data), name);
        const char* p = text.c_str() + eq + 3;
        const char* stop = text.c_str() + end;
        while (p < stop) {
            if (*p == '_') {  // ncdump writes a value equal to the fill value as "_"
                v.push_back(fill);
                ++p;
                continue;
            }
            char* next = nullptr;
            const long long value = std::strtoll(p, &next, 10);
            if (next == p) {
                ++p;
                continue;
            }
            v.push_back(value);
            p = next;
        }
        pos = end;
    }
    return true;
}

struct Point {
    long long lon = 0, lat = 0;  // micro-degrees
};

struct Segment {
    int id = 0, level = 0;
    bool closed = false;
    std::vector<Point> points;
};

struct Polygon {
    int level = 0, flags = 0;
    std::vector<Point> points;
};

long long wrapped(long long lon) {
    const long long full = 360000000;
    return ((lon % full) + full) % full;
}

// Appends a point unless it repeats the last one.
void append(std::vector<Point>& ring, Point p) {
    if (!ring.empty() && wrapped(ring.back().lon) == wrapped(p.lon) && ring.back().lat == p.lat)
        return;
    ring.push_back(p);
}

// Unwraps the longitudes of a ring, puts its first longitude in [-180, 180) and sets
// the pole flags of a ring that goes round the globe. An open line (closed false) keeps
// its last point and gets no flags.
Polygon finish(int level, std::vector<Point> ring, bool closed = true) {
    Polygon poly;
    poly.level = level;
    if (closed && ring.size() > 1 && wrapped(ring.front().lon) == wrapped(ring.back().lon) &&
        ring.front().lat == ring.back().lat)
        ring.pop_back();
    long long first = wrapped(ring.front().lon);
    if (first >= 180000000) first -= 360000000;
    long long prev = first;
    long long lat_sum = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        long long lon = i == 0 ? first : ring[i].lon;
        while (lon - prev > 180000000) lon -= 360000000;
        while (prev - lon > 180000000) lon += 360000000;
        ring[i].lon = lon;
        prev = lon;
        lat_sum += ring[i].lat;
    }
    long long closing = first;
    while (closing - prev > 180000000) closing -= 360000000;
    while (prev - closing > 180000000) closing += 360000000;
    if (closed && closing != first) poly.flags = lat_sum < 0 ? 1 : 2;
    poly.points = std::move(ring);
    return poly;
}

// Reads the segments of a binned file with their points in micro-degrees: shorelines
// (polygon id, level, closure and point count packed per segment) or borders (point
// count and level in variables of their own).
bool read_segments(const std::string& file, bool borders, std::vector<Segment>& segments) {
    const char* count_name =
        borders ? "N_points_for_a_segment" : "Embedded_npts_levels_exit_entry_for_a_segment";
    const char* kind_name = borders ? "Hierarchial_level_of_a_segment" : "Id_of_GSHHS_ID";
    const std::string names = std::string(
                                  "Bin_size_in_minutes,N_bins_in_360_longitude_range,"
                                  "Id_of_first_segment_in_a_bin,N_segments_in_a_bin,"
                                  "Id_of_first_point_in_a_segment,"
                                  "Relative_longitude_from_SW_corner_of_bin,"
                                  "Relative_latitude_from_SW_corner_of_bin,") +
                              count_name + "," + kind_name;
    Values v;
    if (!read_variables(file, names.c_str(), v)) return false;
    const long long size = v["Bin_size_in_minutes"].at(0) * 1000000 / 60;
    const long long columns = v["N_bins_in_360_longitude_range"].at(0);
    const auto& first_segment = v["Id_of_first_segment_in_a_bin"];
    const auto& segment_count = v["N_segments_in_a_bin"];
    const auto& counts = v[count_name];
    const auto& kinds = v[kind_name];
    const auto& first_point = v["Id_of_first_point_in_a_segment"];
    const auto& rel_lon = v["Relative_longitude_from_SW_corner_of_bin"];
    const auto& rel_lat = v["Relative_latitude_from_SW_corner_of_bin"];
    if (size <= 0 || columns <= 0 || first_segment.size() != segment_count.size() ||
        counts.size() != first_point.size() || kinds.size() != first_point.size() ||
        rel_lon.size() != rel_lat.size())
        return false;

    for (size_t b = 0; b < first_segment.size(); ++b) {
        const long long west = static_cast<long long>(b % columns) * size;
        const long long south = 90000000 - static_cast<long long>(b / columns + 1) * size;
        for (long long k = 0; k < segment_count[b]; ++k) {
            const size_t i = static_cast<size_t>(first_segment[b] + k);
            if (i >= first_point.size()) return false;
            Segment seg;
            long long n;
            if (borders) {
                seg.level = static_cast<int>(kinds[i]);
                n = counts[i];
            } else {
                seg.id = static_cast<int>(kinds[i]);
                seg.level = static_cast<int>((counts[i] >> 6) & 7);
                seg.closed = (counts[i] & 7) == 4;
                n = counts[i] >> 9;
            }
            for (long long j = 0; j < n; ++j) {
                const size_t p = static_cast<size_t>(first_point[i] + j);
                if (p >= rel_lon.size()) return false;
                const long long u = rel_lon[p] & 0xFFFF, w = rel_lat[p] & 0xFFFF;
                append(seg.points,
                       {west + (u * size + 32767) / 65535, south + (w * size + 32767) / 65535});
            }
            if (!seg.points.empty()) segments.push_back(std::move(seg));
        }
    }
    return true;
}

bool read_polygons(const std::string& file, std::vector<Polygon>& polygons) {
    std::vector<Segment> segments;
    if (!read_segments(file, false, segments)) return false;

    // Open segments of one polygon, found by their start points.
    std::map<std::pair<int, std::pair<long long, long long>>, std::vector<size_t>> starts;
    for (size_t i = 0; i < segments.size(); ++i) {
        if (segments[i].closed) continue;
        const Point p = segments[i].points.front();
        starts[{segments[i].id, {wrapped(p.lon), p.lat}}].push_back(i);
    }
    std::vector<bool> used(segments.size(), false);
    int broken = 0;
    for (size_t i = 0; i < segments.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        std::vector<Point> ring = segments[i].points;
        if (!segments[i].closed) {
            while (true) {
                const Point end = ring.back();
                auto it = starts.find({segments[i].id, {wrapped(end.lon), end.lat}});
                size_t next = segments.size();
                if (it != starts.end())
                    for (size_t candidate : it->second)
                        if (!used[candidate] || candidate == i) {
                            next = candidate;
                            break;
                        }
                if (next == i || next == segments.size()) {
                    if (next != i) ++broken;
                    break;
                }
                used[next] = true;
                for (const Point& p : segments[next].points) append(ring, p);
            }
        }
        // Level 6 is the grounding line of Antarctica, which lies inside its ice front
        // (level 1): maps show the ice front.
        if (segments[i].level > 4) continue;
        Polygon poly = finish(segments[i].level, std::move(ring));
        if (poly.points.size() >= 3) polygons.push_back(std::move(poly));
    }
    if (broken > 0)
        std::fprintf(stderr, "coastgen: %s: %d rings not closed\n", file.c_str(), broken);
    return true;
}

bool read_borders(const std::string& file, std::vector<Polygon>& lines) {
    std::vector<Segment> all, segments;
    if (!read_segments(file, true, all)) return false;
    for (Segment& seg : all)
        if (seg.level >= 1 && seg.level <= 3 && seg.points.size() >= 2)
            segments.push_back(std::move(seg));

    // Segments of a level by their end points. A line grows from a segment at both
    // ends by segments of its level that end where it ends, turned round where they
    // run the other way.
    using Key = std::pair<int, std::pair<long long, long long>>;
    auto key = [](int level, const Point& p) { return Key{level, {wrapped(p.lon), p.lat}}; };
    std::map<Key, std::vector<size_t>> at;
    for (size_t i = 0; i < segments.size(); ++i) {
        at[key(segments[i].level, segments[i].points.front())].push_back(i);
        at[key(segments[i].level, segments[i].points.back())].push_back(i);
    }
    std::vector<bool> used(segments.size(), false);
    // Appends to the line the segments that continue it from its last point.
    auto grow = [&](int level, std::vector<Point>& line) {
        while (true) {
            const Point end = line.back();
            const auto it = at.find(key(level, end));
            if (it == at.end()) return;
            size_t next = segments.size();
            for (size_t candidate : it->second)
                if (!used[candidate]) {
                    next = candidate;
                    break;
                }
            if (next == segments.size()) return;
            used[next] = true;
            const std::vector<Point>& pts = segments[next].points;
            const bool forward =
                wrapped(pts.front().lon) == wrapped(end.lon) && pts.front().lat == end.lat;
            if (forward)
                for (const Point& p : pts) append(line, p);
            else
                for (size_t k = pts.size(); k-- > 0;) append(line, pts[k]);
        }
    };
    for (size_t i = 0; i < segments.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        const int level = segments[i].level;
        std::vector<Point> line = segments[i].points;
        grow(level, line);
        std::reverse(line.begin(), line.end());
        grow(level, line);
        Polygon poly = finish(level, std::move(line), false);
        if (poly.points.size() >= 2) lines.push_back(std::move(poly));
    }
    return true;
}

void put_number(std::string& out, unsigned long long v) {
    do {
        unsigned bits = v & 31;
        v >>= 5;
        if (v != 0) bits |= 32;
        out += kAlphabet[bits];
    } while (v != 0);
}

void put_signed(std::string& out, long long v) {
    put_number(out, v < 0 ? (static_cast<unsigned long long>(-(v + 1)) << 1) | 1
                          : static_cast<unsigned long long>(v) << 1);
}

std::string encode(const std::vector<Polygon>& polygons, long long& points) {
    std::string out;
    points = 0;
    for (const Polygon& poly : polygons) {
        put_number(out, static_cast<unsigned long long>(poly.level));
        put_number(out, static_cast<unsigned long long>(poly.flags));
        put_number(out, poly.points.size());
        Point prev;
        for (const Point& p : poly.points) {
            put_signed(out, p.lon - prev.lon);
            put_signed(out, p.lat - prev.lat);
            prev = p;
        }
        points += static_cast<long long>(poly.points.size());
    }
    return out;
}

void write_table(FILE* f, const char* name, const char* what, const std::string& data,
                 size_t polygons, long long points) {
    std::fprintf(f,
                 "// %s: %zu polygons or lines, %lld points.\nconst CoastTable %s = {%zu, %lld,\n",
                 what, polygons, points, name, polygons, points);
    for (size_t i = 0; i < data.size(); i += 96)
        std::fprintf(f, "    \"%s\"\n", data.substr(i, 96).c_str());
    std::fprintf(f, "};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: coastgen GSHHG_DIR OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<Polygon> crude, low, border_crude, border_low;
    if (!read_polygons(dir + "/binned_GSHHS_c.nc", crude) ||
        !read_polygons(dir + "/binned_GSHHS_l.nc", low) ||
        !read_borders(dir + "/binned_border_c.nc", border_crude) ||
        !read_borders(dir + "/binned_border_l.nc", border_low)) {
        std::fprintf(stderr, "coastgen: cannot read the binned GSHHG files in %s\n", argv[1]);
        return 1;
    }
    long long crude_points = 0, low_points = 0, border_crude_points = 0, border_low_points = 0;
    const std::string crude_data = encode(crude, crude_points);
    const std::string low_data = encode(low, low_points);
    const std::string border_crude_data = encode(border_crude, border_crude_points);
    const std::string border_low_data = encode(border_low, border_low_points);
    const std::string out_name = std::string(argv[2]) + "/coast_data.cpp";
    FILE* f = std::fopen(out_name.c_str(), "w");
    if (!f) {
        std::fprintf(stderr, "coastgen: cannot write %s\n", out_name.c_str());
        return 1;
    }
    std::fprintf(f,
                 "// Coastline tables of the maps: shorelines and lakes, and political borders,\n"
                 "// at two resolutions.\n"
                 "//\n"
                 "// Derived from GSHHG (Global Self-consistent, Hierarchical, High-resolution\n"
                 "// Geography Database) by P. Wessel and W. H. F. Smith, LGPL (see NOTICE), read\n"
                 "// from binned_GSHHS_c.nc, binned_GSHHS_l.nc, binned_border_c.nc and\n"
                 "// binned_border_l.nc of the Debian package gmt-gshhg-low. The segments of the\n"
                 "// bins are joined into whole polygons and longer border lines; the format is\n"
                 "// described in tools/coastgen.cpp and gravox/maps/coast_data.h.\n"
                 "// Generated by tools/coastgen (do not edit: change the tool and run it again).\n"
                 "// clang-format off\n\n"
                 "#include \"gravox/maps/coast_data.h\"\n\nnamespace gvx {\n\n");
    write_table(f, "kCoastCrude", "Crude resolution", crude_data, crude.size(), crude_points);
    write_table(f, "kCoastLow", "Low resolution", low_data, low.size(), low_points);
    write_table(f, "kBorderCrude", "Borders, crude resolution", border_crude_data,
                border_crude.size(), border_crude_points);
    write_table(f, "kBorderLow", "Borders, low resolution", border_low_data, border_low.size(),
                border_low_points);
    std::fprintf(f, "}  // namespace gvx\n");
    if (std::fclose(f) != 0) return 1;
    return 0;
}
