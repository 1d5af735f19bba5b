// Coastlines: the committed tables decode and are what tools/coastgen makes of the
// GSHHG files; world() and shdmap() on PNG pictures, where filled land must stay on
// land and leave the sea empty in polar, world and orthographic maps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/maps/coast_data.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

TEST(CoastTables, DecodeToTheirStatedCountsWithTheContinentsWhole) {
    for (int resolution : {0, 1}) {
        SCOPED_TRACE(resolution);
        const DecodedCoast& c = coast(resolution);
        ASSERT_TRUE(c.ok);
        const CoastTable& table = resolution == 0 ? kCoastCrude : kCoastLow;
        EXPECT_EQ(static_cast<long>(c.polygons.size()), table.polygons);
        EXPECT_EQ(static_cast<long>(c.lon.size()), table.points);
        // Exactly one ring goes round the south pole (Antarctica), none round the north
        // pole; land comes first and lakes exist.
        int south = 0, north = 0, lakes = 0;
        for (const CoastPolygon& p : c.polygons) {
            south += p.flags == 1;
            north += p.flags == 2;
            lakes += p.level == 2;
            EXPECT_GE(p.count, 3);
        }
        EXPECT_EQ(south, 1);
        EXPECT_EQ(north, 0);
        EXPECT_GT(lakes, 10);
        // The largest ring, Eurasia, spans more than 180 degrees of longitude without a
        // jump: successive points lie less than 180 degrees apart.
        long largest = 0;
        for (size_t i = 0; i < c.polygons.size(); ++i)
            if (c.polygons[i].count > c.polygons[largest].count) largest = static_cast<long>(i);
        const CoastPolygon& p = c.polygons[largest];
        double lo = 1e9, hi = -1e9;
        for (long k = p.first; k < p.first + p.count; ++k) {
            lo = std::min(lo, c.lon[k]);
            hi = std::max(hi, c.lon[k]);
            if (k > p.first) {
                EXPECT_LT(std::fabs(c.lon[k] - c.lon[k - 1]), 180.0);
            }
        }
        EXPECT_GT(hi - lo, 180.0);
    }
}

TEST(BorderTables, DecodeToOpenLinesOfThreeLevels) {
    for (int resolution : {0, 1}) {
        SCOPED_TRACE(resolution);
        const DecodedCoast& c = borders(resolution);
        ASSERT_TRUE(c.ok);
        const CoastTable& table = resolution == 0 ? kBorderCrude : kBorderLow;
        EXPECT_EQ(static_cast<long>(c.polygons.size()), table.polygons);
        int per_level[4] = {0, 0, 0, 0};
        for (const CoastPolygon& p : c.polygons) {
            ASSERT_GE(p.level, 1);
            ASSERT_LE(p.level, 3);
            ++per_level[p.level];
            EXPECT_EQ(p.flags, 0);
            EXPECT_GE(p.count, 2);
            for (long k = p.first + 1; k < p.first + p.count; ++k)
                EXPECT_LT(std::fabs(c.lon[k] - c.lon[k - 1]), 180.0);
        }
        EXPECT_GT(per_level[1], 100);  // countries
        EXPECT_GT(per_level[2], 20);   // states and provinces
        EXPECT_GT(per_level[3], 5);    // at sea
    }
    // The low resolution has more points along its borders.
    EXPECT_GT(kBorderLow.points, 2 * kBorderCrude.points);
}

TEST(CoastTables, MalformedTablesAreRefused) {
    EXPECT_FALSE(decode_coast({1, 2, "BAC"}).ok);              // ends inside the polygon
    EXPECT_FALSE(decode_coast({1, 1, "BAB!A"}).ok);            // a foreign character
    EXPECT_FALSE(decode_coast({1, 1, "BABAAAA"}).ok);          // more than it states
    EXPECT_FALSE(decode_coast({1, 1, "BAB____________"}).ok);  // a number too long
    const DecodedCoast one = decode_coast({1, 1, "BABCD"});    // level 1, one point
    ASSERT_TRUE(one.ok);
    EXPECT_DOUBLE_EQ(one.lon[0], 1e-6);   // zigzag 2 is +1
    EXPECT_DOUBLE_EQ(one.lat[0], -2e-6);  // zigzag 3 is -2
}

TEST(CoastTables, CommittedTablesAreWhatTheGeneratorMakes) {
    const std::string gshhg = "/usr/share/gmt-gshhg";
    if (!std::filesystem::exists(gshhg + "/binned_GSHHS_l.nc"))
        GTEST_SKIP() << "the GSHHG files (Debian package gmt-gshhg-low) are not installed in "
                     << gshhg;
    if (std::system("command -v ncdump >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ncdump (Debian package netcdf-bin) is not installed";
    const std::string tool = std::string(GRAVOX_BINARY_DIR) + "/coastgen";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "the generator " << tool << " is not built";
    TempDir dir;
    const std::string command = "\"" + tool + "\" " + gshhg + " \"" + dir.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string made = read_file(dir.file("coast_data.cpp"));
    const std::string committed =
        read_file(std::string(GRAVOX_SOURCE_DIR) + "/gravox/maps/coast_data.cpp");
    ASSERT_FALSE(made.empty());
    EXPECT_TRUE(made == committed) << "run coastgen again and commit its output";
    // Missing input fails and writes nothing.
    TempDir empty;
    const std::string bad = "\"" + tool + "\" \"" + empty.path().string() + "/none\" \"" +
                            empty.path().string() + "\" 2>/dev/null";
    EXPECT_NE(std::system(bad.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(empty.file("coast_data.cpp")));
}

// A PNG map with the continents filled in red; land and sea are sampled at positions
// taken from pos2pt while the map is open.
class FilledMap : public ::testing::Test {
  protected:
    struct Sample {
        double lon, lat;
        bool land;
    };

    void draw(
        const char* projection, double xa, double xe, double ya, double ye, double pol_lon,
        double pol_lat, std::initializer_list<Sample> samples,
        const std::function<void(Gravox&)>& paint = [](Gravox& g) { g.shdmap("CONT"); }) {
        Gravox g;
        ::testing::internal::CaptureStdout();
        g.metafl("PNG");
        g.setfil(dir_.file("map.png").c_str());
        g.filmod("DELETE");
        g.scrmod("REVERS");
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
        g.projct(projection);
        if (pol_lat > -100.0) g.mappol(pol_lon, pol_lat);
        g.labels("NONE", "XY");
        g.grafmp(xa, xe, xa, 30.0, ya, ye, ya, 30.0);
        g.color("RED");
        paint(g);
        g.color("FORE");
        PlotState& s = state_of(g);
        const double scale = s.page.device_scale;
        points_.clear();
        for (const Sample& p : samples) {
            double x, y;
            g.pos2pt(p.lon, p.lat, &x, &y);
            points_.push_back({x * scale, y * scale, p.land, p.lon, p.lat});
        }
        g.gvxfin();
        ::testing::internal::GetCapturedStdout();
        png_ = decode_png(read_file(dir_.file("map.png")));
        ASSERT_TRUE(png_.ok) << png_.error;
    }

    bool red(std::size_t x, std::size_t y) const {
        const auto& c =
            png_.palette.empty()
                ? std::array<std::uint8_t, 3>{png_.at(x, y, 0), png_.at(x, y, 1), png_.at(x, y, 2)}
                : png_.palette[png_.at(x, y)];
        return c[0] > 200 && c[1] < 80 && c[2] < 80;
    }
    // Red pixels in a 3 by 3 block.
    int red_around(double x, double y) const {
        int n = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                n += red(static_cast<std::size_t>(x + dx + 0.5),
                         static_cast<std::size_t>(y + dy + 0.5));
        return n;
    }
    // Land is red around its sample (a pixel of coastline may touch it), sea not at all.
    void check_samples() const {
        for (const auto& p : points_) {
            if (p.land)
                EXPECT_GE(red_around(p.x, p.y), 7) << "land at " << p.lon << ", " << p.lat;
            else
                EXPECT_EQ(red_around(p.x, p.y), 0) << "sea at " << p.lon << ", " << p.lat;
        }
    }
    double red_share() const {
        long all = 0, hits = 0;
        for (std::size_t y = 0; y < png_.height; ++y)
            for (std::size_t x = 0; x < png_.width; ++x) {
                ++all;
                hits += red(x, y);
            }
        return static_cast<double>(hits) / all;
    }

    struct Point {
        double x, y;
        bool land;
        double lon, lat;
    };
    TempDir dir_;
    DecodedPng png_;
    std::vector<Point> points_;
};

TEST_F(FilledMap, SouthPolarMapFillsAntarcticaAndNotTheOcean) {
    draw("STER", -180.0, 180.0, -90.0, -40.0, 0.0, -90.0,
         {{0.0, -89.0, true},     // the pole lies inside Antarctica
          {60.0, -75.0, true},    // East Antarctica
          {-100.0, -80.0, true},  // West Antarctica
          {0.0, -55.0, false},    // Southern Ocean in every direction
          {90.0, -55.0, false},
          {180.0, -60.0, false},
          {-90.0, -60.0, false},
          {-69.0, -45.0, true}});  // Patagonia
    check_samples();
    // Antarctica and the tips of the southern continents fill about a twelfth of the
    // disc, which covers a third of the page; a flooded ocean would fill all of it.
    const double share = red_share();
    EXPECT_GT(share, 0.02);
    EXPECT_LT(share, 0.08);
}

TEST_F(FilledMap, NorthPolarMapLeavesTheArcticOceanEmpty) {
    draw("STER", -180.0, 180.0, 40.0, 90.0, 0.0, 90.0,
         {{0.0, 89.0, false},       // the pole: sea ice, no land
          {-40.0, 75.0, true},      // Greenland
          {100.0, 65.0, true},      // Siberia
          {-100.0, 60.0, true},     // Canada
          {-30.0, 60.0, false},     // North Atlantic
          {175.0, 67.0, true},      // Chukotka, next to the antimeridian
          {-170.0, 55.0, false}});  // Bering Sea
    check_samples();
    EXPECT_LT(red_share(), 0.45);
}

TEST_F(FilledMap, WorldMapsFillAcrossTheAntimeridianAndAlongThePoles) {
    for (const char* projection : {"ROBI", "CYLI", "HAMM"}) {
        SCOPED_TRACE(projection);
        draw(projection, -180.0, 180.0, -90.0, 90.0, 0.0, -200.0,
             {{20.0, 10.0, true},    // Africa
              {-30.0, 0.0, false},   // Atlantic
              {-150.0, 0.0, false},  // Pacific
              {0.0, -85.0, true},    // Antarctica down to the pole line
              {150.0, -85.0, true},
              {0.0, -55.0, false},
              {175.0, 67.0, true},  // Chukotka on both sides of the antimeridian
              {-176.0, 66.5, true},
              {-170.0, 45.0, false}});  // North Pacific
        check_samples();
    }
}

TEST_F(FilledMap, OrthographicGlobeFillsOnlyTheVisibleLand) {
    draw("ORTH", -180.0, 180.0, -90.0, 90.0, 20.0, 30.0,
         {{20.0, 10.0, true},     // Africa in the middle
          {-30.0, 30.0, false},   // Atlantic
          {60.0, 60.0, true},     // Siberia towards the rim
          {25.0, -28.0, true}});  // South Africa
    check_samples();
    // The far side (the Pacific and the Americas) adds nothing outside the disc.
    const double share = red_share();
    EXPECT_GT(share, 0.05);
    EXPECT_LT(share, 0.35);
}

TEST_F(FilledMap, BordersOfEachLevelLieWhereTheyShould) {
    // North America: the 49th parallel between Canada and the United States is a
    // national border; the 41st between Colorado and Wyoming an internal one.
    const std::initializer_list<Sample> national = {{-112.0, 49.0, true}, {-104.0, 41.0, false}};
    const std::initializer_list<Sample> internal = {{-112.0, 49.0, false}, {-104.0, 41.0, true}};
    for (const char* what : {"NATIONAL", "INTERNAL", "ALL"}) {
        SCOPED_TRACE(what);
        const std::string w = what;
        const auto& samples = w == "INTERNAL" ? internal : national;
        draw("CYLI", -130.0, -60.0, 20.0, 60.0, -95.0, -200.0, samples,
             [&](Gravox& g) { g.borders(what); });
        for (const auto& p : points_) {
            const bool expected = p.land || w == "ALL";
            EXPECT_EQ(red_around(p.x, p.y) > 0, expected) << p.lon << ", " << p.lat;
        }
        // Thin lines: a flood of ink would cover far more of the page.
        EXPECT_LT(red_share(), 0.02);
    }
}

}  // namespace
}  // namespace gvx::testing
