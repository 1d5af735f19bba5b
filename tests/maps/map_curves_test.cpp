// Areas and lines near the far side of azimuthal globes: polygons around and beside the
// antipode of the centre are filled on PNG pictures and compared pixel by pixel with
// what the inverse projection says each pixel shows; lines stop short of the antipode.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/maps/maps.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

// A box of longitudes and latitudes as a ring with a point every two degrees, so that
// its edges stay edges whatever its width.
struct Box {
    double lon_low, lon_high, lat_low, lat_high;

    void ring(std::vector<double>& lon, std::vector<double>& lat) const {
        lon.clear(), lat.clear();
        auto edge = [&](double l0, double b0, double l1, double b1) {
            const int n =
                static_cast<int>(std::ceil(std::max(std::fabs(l1 - l0), std::fabs(b1 - b0)) / 2.0));
            for (int k = 0; k < n; ++k) {
                lon.push_back(l0 + (l1 - l0) * k / n);
                lat.push_back(b0 + (b1 - b0) * k / n);
            }
        };
        edge(lon_low, lat_low, lon_high, lat_low);
        edge(lon_high, lat_low, lon_high, lat_high);
        edge(lon_high, lat_high, lon_low, lat_high);
        edge(lon_low, lat_high, lon_low, lat_low);
    }
    bool contains(double lon, double lat) const {
        if (lat < lat_low || lat > lat_high) return false;
        const double l = lon + 360.0 * std::ceil((lon_low - lon) / 360.0);  // lon_low to +360
        return l <= lon_high;
    }
};

// Angular distance in degrees from 20 E, 40 N.
double centre_distance(double lon, double lat) {
    constexpr double rad = 3.14159265358979323846 / 180.0;
    const double c = std::sin(40.0 * rad) * std::sin(lat * rad) +
                     std::cos(40.0 * rad) * std::cos(lat * rad) * std::cos((lon - 20.0) * rad);
    return std::acos(std::clamp(c, -1.0, 1.0)) / rad;
}

// A globe around 20 E, 40 N (the antipode is 160 W, 40 S) with one box filled in red.
// Every pixel of the disc is then classed by pt2pos; `wrong` counts the pixels whose
// colour disagrees, `expected` those that show the box.
class FarSide : public ::testing::Test {
  protected:
    void fill(const char* projection, const Box& box, bool outline = false) {
        Gravox g;
        g.metafl("PNG");
        g.setfil(dir_.file("globe.png").c_str());
        g.filmod("DELETE");
        g.scrmod("REVERS");
        g.winsiz(1200, 848);
        g.gvxini();
        g.errmod("PROTOCOL", "OFF");
        g.errmod("WARN", "OFF");
        g.axspos(100, 2000);
        g.axslen(1900, 1900);
        g.projct(projection);
        g.mappol(20.0, 40.0);
        g.labels("NONE", "XY");
        g.grafmp(-180.0, 180.0, -180.0, 30.0, -90.0, 90.0, -90.0, 30.0);
        g.color("RED");
        std::vector<double> lon, lat;
        box.ring(lon, lat);
        PlotState& s = state_of(g);
        if (outline) {
            lon.push_back(lon[0]), lat.push_back(lat[0]);
            g.curvmp(lon.data(), lat.data(), static_cast<int>(lon.size()));
        } else {
            map_polygon(s, lon.data(), lat.data(), static_cast<long>(lon.size()), 0);
        }
        g.color("FORE");
        const double scale = s.page.device_scale;
        const double r = s.maps->proj.cap_radius() * s.maps->scale;
        const double cx = s.maps->x_mid, cy = s.maps->y_mid;
        // Pixel centres of the disc, as plot positions.
        std::vector<std::array<double, 4>> pixels;  // pixel x, y; longitude, latitude
        for (int py = int((cy - r) * scale); py <= int((cy + r) * scale); ++py)
            for (int px = int((cx - r) * scale); px <= int((cx + r) * scale); ++px) {
                const double x = (px + 0.5) / scale, y = (py + 0.5) / scale;
                // Leave out a rim of three pixels, where the outline's pixels fall.
                if (std::hypot(x - cx, y - cy) > r - 3.0 / scale) continue;
                double l = 1e9, b = 1e9;
                g.pt2pos(x, y, &l, &b);
                if (l != 1e9) pixels.push_back({double(px), double(py), l, b});
            }
        g.gvxfin();
        const DecodedPng png = decode_png(read_file(dir_.file("globe.png")));
        ASSERT_TRUE(png.ok) << png.error;
        expected_ = wrong_ = red_ = red_far_ = 0;
        for (const auto& p : pixels) {
            const auto px = static_cast<std::size_t>(p[0]), py = static_cast<std::size_t>(p[1]);
            const auto c = png.palette.empty()
                               ? std::array<std::uint8_t, 3>{png.at(px, py, 0), png.at(px, py, 1),
                                                             png.at(px, py, 2)}
                               : png.palette[png.at(px, py)];
            const bool red = c[0] > 200 && c[1] < 80 && c[2] < 80;
            const bool inside = box.contains(p[2], p[3]);
            expected_ += inside;
            wrong_ += red != inside;
            red_ += red;
            // More than 25 degrees from the antipode (the box lies within 20 of it).
            red_far_ += red && centre_distance(p[2], p[3]) < 155.0;
        }
    }

    TempDir dir_;
    long expected_ = 0, wrong_ = 0, red_ = 0, red_far_ = 0;
};

TEST_F(FarSide, AzimuthalGlobeFillsAreasAroundAndBesideTheAntipode) {
    // Around the antipode: a ring along the whole rim. Beside it, on either side of
    // the edge meridian 160 W, and far from it on the near side.
    for (const Box& box : {Box{-175.0, -145.0, -55.0, -25.0}, Box{-200.0, -120.0, -20.0, 10.0},
                           Box{-170.0, -150.0, -80.0, -50.0}, Box{150.0, 200.0, -60.0, -45.0},
                           Box{0.0, 40.0, 20.0, 60.0}}) {
        SCOPED_TRACE(::testing::Message() << box.lon_low << " to " << box.lon_high << ", "
                                          << box.lat_low << " to " << box.lat_high);
        fill("AZIM", box);
        ASSERT_GT(expected_, 500);
        // Edge pixels may go either way; a flooded disc or a lost area would not.
        EXPECT_LT(wrong_, expected_ / 25) << "expected " << expected_;
    }
}

TEST_F(FarSide, HemispheresFillOnlyTheVisiblePartOfAnAreaRoundTheFarSide) {
    // 230 degrees of longitude and 80 of latitude round the hidden antipode, reaching
    // into the visible hemisphere over the Indian Ocean.
    const Box box{-300.0, -70.0, -80.0, 0.0};
    for (const char* projection : {"STER", "ORTH"}) {
        SCOPED_TRACE(projection);
        fill(projection, box);
        ASSERT_GT(expected_, 500);
        EXPECT_LT(wrong_, expected_ / 25) << "expected " << expected_;
    }
}

TEST_F(FarSide, AzimuthalLinesRoundTheAntipodeStayOnTheRim) {
    // The box's outline as a curve: it runs within 15 degrees of the antipode and must
    // not cut across the globe where it passes it.
    const Box box{-175.0, -145.0, -55.0, -25.0};
    fill("AZIM", box, true);
    EXPECT_GT(red_, 200);
    EXPECT_EQ(red_far_, 0);
}

}  // namespace
}  // namespace gvx::testing
