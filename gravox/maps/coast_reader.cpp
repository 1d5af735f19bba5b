// The reader of the committed coastline and border tables.
#include <cstddef>
#include <new>

#include "gravox/maps/coast_data.h"

namespace gvx {

namespace {

// Value of a table character: 5 bits and the continuation bit 32; -1 for others.
int character_value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '-') return 62;
    if (c == '_') return 63;
    return -1;
}

struct Reader {
    const char* p;
    bool number(unsigned long long& v) {
        v = 0;
        for (int shift = 0; shift <= 60; shift += 5) {
            const int bits = character_value(*p);
            if (bits < 0) return false;
            ++p;
            v |= static_cast<unsigned long long>(bits & 31) << shift;
            if ((bits & 32) == 0) return true;
        }
        return false;
    }
    bool signed_number(long long& v) {
        unsigned long long z;
        if (!number(z)) return false;
        v = (z & 1) ? -static_cast<long long>(z >> 1) - 1 : static_cast<long long>(z >> 1);
        return true;
    }
};

}  // namespace

DecodedCoast decode_coast(const CoastTable& table) {
    DecodedCoast out;
    if (!table.data || table.polygons < 0 || table.points < 0) return out;
    try {
        out.polygons.reserve(static_cast<std::size_t>(table.polygons));
        out.lon.reserve(static_cast<std::size_t>(table.points));
        out.lat.reserve(static_cast<std::size_t>(table.points));
        Reader r{table.data};
        for (long i = 0; i < table.polygons; ++i) {
            unsigned long long level, flags, count;
            if (!r.number(level) || !r.number(flags) || !r.number(count) || level > 4 ||
                flags > 2 || count > static_cast<unsigned long long>(table.points) - out.lon.size())
                return DecodedCoast{};
            CoastPolygon poly{static_cast<int>(level), static_cast<int>(flags),
                              static_cast<long>(out.lon.size()), static_cast<long>(count)};
            long long lon = 0, lat = 0;
            for (unsigned long long k = 0; k < count; ++k) {
                long long dl, db;
                if (!r.signed_number(dl) || !r.signed_number(db)) return DecodedCoast{};
                lon += dl, lat += db;
                if (lat < -90000000 || lat > 90000000 || lon < -1000000000 || lon > 1000000000)
                    return DecodedCoast{};
                out.lon.push_back(lon * 1e-6);
                out.lat.push_back(lat * 1e-6);
            }
            out.polygons.push_back(poly);
        }
        if (*r.p != '\0' || static_cast<long>(out.lon.size()) != table.points)
            return DecodedCoast{};
    } catch (const std::bad_alloc&) {
        return DecodedCoast{};
    }
    out.ok = true;
    return out;
}

const DecodedCoast& coast(int resolution) {
    static const DecodedCoast crude = decode_coast(kCoastCrude);
    if (resolution == 0) return crude;
    static const DecodedCoast low = decode_coast(kCoastLow);
    return low;
}

const DecodedCoast& borders(int resolution) {
    static const DecodedCoast crude = decode_coast(kBorderCrude);
    if (resolution == 0) return crude;
    static const DecodedCoast low = decode_coast(kBorderLow);
    return low;
}

}  // namespace gvx
