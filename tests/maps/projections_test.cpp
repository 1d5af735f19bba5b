// The projections: forward formulas at points worked out by hand (equator, poles,
// standard parallels, central meridian), forward-inverse round trips, and the
// properties that name the projections (equal area, true scale on standard parallels).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "gravox/maps/maps.h"

namespace gvx {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kSqrt2 = std::numbers::sqrt2;

Projector make(Projection p, double lon0 = 0.0, double lat0 = 0.0, double p1 = 30.0,
               double p2 = 60.0) {
    Projector proj;
    EXPECT_TRUE(proj.setup(p, lon0, lat0, p1, p2, 1.0));
    return proj;
}

struct Known {
    Projection p;
    double lat0;  // centre latitude (azimuthal)
    double lon, lat, u, v;
};

TEST(Projections, ForwardAtHandComputedPoints) {
    const Known cases[] = {
        // Cylindrical: the equator is the x axis, the central meridian the y axis.
        {Projection::cylindrical, 0, 90, 45, kPi / 2, kPi / 4},
        {Projection::mercator, 0, 0, 45, 0, std::asinh(1.0)},  // ln tan(67.5 deg)
        {Projection::mercator, 0, -180, 0, -kPi, 0},
        {Projection::equal_area, 0, 180, 30, kPi, 0.5},
        {Projection::miller, 0, 0, 90, 0, 1.25 * std::log(std::tan(81.0 * kPi / 180.0))},
        // Azimuthal around the north pole and around (0, 0).
        {Projection::stereographic, 90, 0, 0, 0, -2},  // 2 tan(45 deg) below the pole
        {Projection::stereographic, 90, 90, 0, 2, 0},
        {Projection::stereographic, 90, 0, 90, 0, 0},
        {Projection::orthographic, 0, 30, 0, 0.5, 0},
        {Projection::orthographic, 0, 0, 60, 0, std::sqrt(3.0) / 2},
        {Projection::orthographic, 0, 90, 0, 1, 0},
        {Projection::azimuthal, 0, 90, 0, kPi / 2, 0},
        {Projection::azimuthal, 0, 0, -45, 0, -kPi / 4},
        // Pseudo-cylindrical and the others of the whole world.
        {Projection::robinson, 0, 180, 0, 0.8487 * kPi, 0},
        {Projection::robinson, 0, 0, 90, 0, 1.3523},
        {Projection::robinson, 0, -180, 45, -0.8487 * 0.8962 * kPi, 1.3523 * 0.5571},
        {Projection::robinson, 0, 90, -90, 0.8487 * 0.5322 * kPi / 2, -1.3523},
        {Projection::mollweide, 0, 180, 0, 2 * kSqrt2, 0},
        {Projection::mollweide, 0, 0, 90, 0, kSqrt2},
        {Projection::hammer, 0, 180, 0, 2 * kSqrt2, 0},
        {Projection::hammer, 0, 0, -90, 0, -kSqrt2},
        {Projection::aitoff, 0, 180, 0, kPi, 0},
        {Projection::aitoff, 0, 0, 90, 0, kPi / 2},
        {Projection::winkel, 0, 180, 0, (2 + kPi) / 2, 0},
        {Projection::winkel, 0, 0, 90, 0, kPi / 2},
        {Projection::winkel, 0, 0, 0, 0, 0},
    };
    for (const Known& k : cases) {
        SCOPED_TRACE(::testing::Message() << "projection " << static_cast<int>(k.p) << " at ("
                                          << k.lon << ", " << k.lat << ")");
        const Projector p = make(k.p, 0.0, k.lat0);
        double u, v;
        EXPECT_TRUE(p.forward(k.lon, k.lat, u, v));
        EXPECT_NEAR(u, k.u, 1e-9);
        EXPECT_NEAR(v, k.v, 1e-9);
    }
}

TEST(Projections, RadiusScalesAndCentralMeridianShifts) {
    Projector p;
    ASSERT_TRUE(p.setup(Projection::mollweide, 0.0, 0.0, 30.0, 60.0, 6371.0));
    double u, v;
    p.forward(0.0, 90.0, u, v);
    EXPECT_NEAR(v, 6371.0 * kSqrt2, 1e-6);
    // The central meridian maps onto u = 0 whatever its longitude: forward takes the
    // difference, inverse gives the longitude back.
    ASSERT_TRUE(p.setup(Projection::robinson, 100.0, 0.0, 30.0, 60.0, 1.0));
    p.forward(0.0, 40.0, u, v);
    EXPECT_NEAR(u, 0.0, 1e-12);
    double lon, lat;
    ASSERT_TRUE(p.inverse(u, v, lon, lat));
    EXPECT_NEAR(lon, 100.0, 1e-9);
    EXPECT_NEAR(lat, 40.0, 1e-9);
}

TEST(Projections, OrthographicHidesTheFarHemisphere) {
    const Projector p = make(Projection::orthographic, 0.0, 45.0);
    double u, v;
    EXPECT_TRUE(p.forward(0.0, 0.0, u, v));
    EXPECT_FALSE(p.forward(180.0, 0.0, u, v));  // behind the globe
    // A hidden point is put on the horizon circle.
    EXPECT_NEAR(std::hypot(u, v), 1.0, 1e-9);
    double lon, lat;
    EXPECT_FALSE(p.inverse(1.5, 0.0, lon, lat));  // outside the disc
}

TEST(Projections, ConicsAreTrueToScaleOnTheirStandardParallels) {
    for (Projection kind : {Projection::lambert, Projection::albers}) {
        const Projector p = make(kind, 0.0, 45.0, 30.0, 60.0);
        for (double lat : {30.0, 60.0}) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(kind) << " at " << lat);
            // A degree along the parallel has the length of the parallel's degree.
            double u0, v0, u1, v1;
            p.forward(-0.5, lat, u0, v0);
            p.forward(0.5, lat, u1, v1);
            const double expected = std::cos(lat * kPi / 180.0) * kPi / 180.0;
            EXPECT_NEAR(std::hypot(u1 - u0, v1 - v0) / expected, 1.0, 1e-4);
        }
        // The central meridian is vertical and the centre lies at the origin.
        double u, v;
        p.forward(0.0, 45.0, u, v);
        EXPECT_NEAR(u, 0.0, 1e-12);
        EXPECT_NEAR(v, 0.0, 1e-12);
        p.forward(0.0, 70.0, u, v);
        EXPECT_NEAR(u, 0.0, 1e-12);
        EXPECT_GT(v, 0.0);
    }
    // Parallels symmetric about the equator give no cone.
    Projector p;
    EXPECT_FALSE(p.setup(Projection::lambert, 0.0, 0.0, -30.0, 30.0, 1.0));
    EXPECT_FALSE(p.setup(Projection::albers, 0.0, 0.0, -30.0, 30.0, 1.0));
}

// Area of the projected cell of one degree square at (lon, lat), relative to its area on
// the unit sphere.
double area_ratio(const Projector& p, double lon, double lat) {
    const double h = 0.01;
    double u0, v0, u1, v1, u2, v2;
    p.forward(lon, lat, u0, v0);
    p.forward(lon + h, lat, u1, v1);
    p.forward(lon, lat + h, u2, v2);
    const double projected = std::fabs((u1 - u0) * (v2 - v0) - (u2 - u0) * (v1 - v0));
    const double r = kPi / 180.0;
    return projected / (h * r * h * r * std::cos((lat + h / 2) * r));
}

TEST(Projections, EqualAreaProjectionsKeepAreas) {
    for (Projection kind :
         {Projection::equal_area, Projection::albers, Projection::mollweide, Projection::hammer}) {
        const Projector p = make(kind, 0.0, 40.0);
        for (double lat : {-60.0, -20.0, 0.0, 35.0, 75.0})
            for (double lon : {-150.0, -40.0, 10.0, 120.0}) {
                if (kind == Projection::albers && std::fabs(lon) > 100.0) continue;
                EXPECT_NEAR(area_ratio(p, lon, lat), 1.0, 2e-3)
                    << static_cast<int>(kind) << " at " << lon << ", " << lat;
            }
    }
    // Mercator is not: its cells grow towards the poles.
    const Projector m = make(Projection::mercator);
    EXPECT_GT(area_ratio(m, 0.0, 60.0), 3.9);
}

TEST(Projections, InverseUndoesForward) {
    for (int k = 1; k <= kProjectionCount; ++k) {
        const Projection kind = static_cast<Projection>(k);
        const bool azimuthal = kind == Projection::stereographic ||
                               kind == Projection::orthographic || kind == Projection::azimuthal;
        const Projector p = make(kind, 20.0, azimuthal ? 50.0 : 45.0);
        for (double lat = -80.0; lat <= 80.0; lat += 20.0)
            for (double lon = -170.0; lon <= 170.0; lon += 34.0) {
                if (azimuthal && p.distance(lon, lat) > 85.0) continue;
                if (p.conic() && std::fabs(lon) > 150.0) continue;
                double u, v, back_lon, back_lat;
                ASSERT_TRUE(p.forward(lon, lat, u, v));
                ASSERT_TRUE(p.inverse(u, v, back_lon, back_lat))
                    << k << " at " << lon << ", " << lat;
                double d = back_lon - (lon + 20.0);
                d -= 360.0 * std::round(d / 360.0);
                EXPECT_NEAR(d, 0.0, 1e-6) << k << " at " << lon << ", " << lat;
                EXPECT_NEAR(back_lat, lat, 1e-6) << k << " at " << lon << ", " << lat;
            }
    }
}

}  // namespace
}  // namespace gvx
