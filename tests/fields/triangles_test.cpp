// Triangulated fields: the Delaunay triangulation of scattered points and the colour
// bands of a triangulated surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "tests/fields/field_fixture.h"

namespace gvx::testing {
namespace {

struct Triangulation {
    std::vector<int> i1, i2, i3;
    int count = 0;
};

Triangulation triangulate(Gravox& g, const std::vector<double>& x, const std::vector<double>& y) {
    const int n = static_cast<int>(x.size());
    Triangulation t;
    t.i1.assign(2 * n, -7);
    t.i2.assign(2 * n, -7);
    t.i3.assign(2 * n, -7);
    t.count = g.triang(x.data(), y.data(), n, t.i1.data(), t.i2.data(), t.i3.data(), 2 * n);
    return t;
}

// Twice the signed area of a triangle (positive counter-clockwise).
double cross(double ax, double ay, double bx, double by, double cx, double cy) {
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

// Area of the convex hull (monotone chain).
double hull_area(std::vector<std::pair<double, double>> p) {
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
    std::vector<std::pair<double, double>> h(2 * p.size());
    std::size_t k = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t start = k;
        for (const auto& q : p) {
            while (k >= start + 2 && cross(h[k - 2].first, h[k - 2].second, h[k - 1].first,
                                           h[k - 1].second, q.first, q.second) <= 0)
                --k;
            h[k++] = q;
        }
        --k;
        std::reverse(p.begin(), p.end());
    }
    double a = 0.0;
    for (std::size_t i = 0; i < k; ++i) {
        const auto& u = h[i];
        const auto& v = h[(i + 1) % k];
        a += u.first * v.second - v.first * u.second;
    }
    return a / 2.0;
}

// Pseudo-random points in the unit square (a fixed linear congruential sequence).
void scattered(int n, std::vector<double>& x, std::vector<double>& y) {
    unsigned long v = 12345;
    const auto next = [&] {
        v = (v * 6364136223846793005ul + 1442695040888963407ul);
        return static_cast<double>(v >> 11) / 9007199254740992.0;
    };
    x.resize(n);
    y.resize(n);
    for (int k = 0; k < n; ++k) {
        x[k] = next();
        y[k] = next();
    }
}

// Every triangle counter-clockwise, no point strictly inside a triangle's circle, and the
// triangles cover the convex hull exactly.
void expect_delaunay(const std::vector<double>& x, const std::vector<double>& y,
                     const Triangulation& t) {
    double area = 0.0;
    for (int k = 0; k < t.count; ++k) {
        const int a = t.i1[k], b = t.i2[k], c = t.i3[k];
        const double ax = x[a], ay = y[a], bx = x[b], by = y[b], cx = x[c], cy = y[c];
        const double twice = cross(ax, ay, bx, by, cx, cy);
        ASSERT_GT(twice, 0.0) << "triangle " << k;
        area += twice / 2.0;
        // Circle centre relative to a.
        const double ux = bx - ax, uy = by - ay, vx = cx - ax, vy = cy - ay;
        const double d = 2.0 * (ux * vy - uy * vx);
        const double ox = (vy * (ux * ux + uy * uy) - uy * (vx * vx + vy * vy)) / d;
        const double oy = (ux * (vx * vx + vy * vy) - vx * (ux * ux + uy * uy)) / d;
        const double r2 = ox * ox + oy * oy;
        for (std::size_t p = 0; p < x.size(); ++p) {
            const double dx = x[p] - ax - ox, dy = y[p] - ay - oy;
            EXPECT_GE(dx * dx + dy * dy, r2 * (1.0 - 1e-9)) << "point " << p << " in " << k;
        }
    }
    std::vector<std::pair<double, double>> p;
    for (std::size_t k = 0; k < x.size(); ++k) p.push_back({x[k], y[k]});
    EXPECT_NEAR(area, hull_area(p), 1e-9 * std::max(1.0, area));
}

TEST(Triangulation, ScatteredPointsGiveTheDelaunayTriangles) {
    Gravox g;
    std::vector<double> x, y;
    scattered(300, x, y);
    const Triangulation t = triangulate(g, x, y);
    expect_delaunay(x, y, t);
    // Euler: 2 n - 2 - h triangles, h points on the hull, so between n and 2 n - 5.
    EXPECT_GT(t.count, 300);
    EXPECT_LE(t.count, 2 * 300 - 5);
    // Every point is a corner.
    std::vector<int> used(300, 0);
    for (int k = 0; k < t.count; ++k) used[t.i1[k]] = used[t.i2[k]] = used[t.i3[k]] = 1;
    EXPECT_EQ(std::count(used.begin(), used.end(), 1), 300);
}

TEST(Triangulation, GridsRepeatsAndLines) {
    Gravox g;
    // A 7 by 5 grid: four points on one circle in every cell, two triangles per cell.
    std::vector<double> x, y;
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 5; ++j) {
            x.push_back(10.0 + 0.1 * i);
            y.push_back(-3.0 + 0.3 * j);
        }
    Triangulation t = triangulate(g, x, y);
    EXPECT_EQ(t.count, 2 * 6 * 4);
    expect_delaunay(x, y, t);
    // A repeated point changes nothing.
    x.push_back(x[12]);
    y.push_back(y[12]);
    t = triangulate(g, x, y);
    EXPECT_EQ(t.count, 2 * 6 * 4);
    for (int k = 0; k < t.count; ++k) EXPECT_NE(std::max({t.i1[k], t.i2[k], t.i3[k]}), 35);
    // Points on one line have no triangle.
    const std::vector<double> lx = {0, 1, 2, 3}, ly = {1, 3, 5, 7};
    t = triangulate(g, lx, ly);
    EXPECT_EQ(t.count, 0);
}

TEST(Triangulation, RefusedArgumentsWriteNothing) {
    Gravox g;
    ::testing::internal::CaptureStdout();
    const double x[4] = {0, 1, 0, 1}, y[4] = {0, 0, 1, 1};
    int i1[2] = {-7, -7}, i2[2] = {-7, -7}, i3[2] = {-7, -7};
    EXPECT_EQ(g.triang(x, y, 4, i1, i2, i3, 1), 0);  // two triangles, room for one
    EXPECT_EQ(g.triang(x, y, 2, i1, i2, i3, 2), 0);
    EXPECT_EQ(g.triang(nullptr, y, 4, i1, i2, i3, 2), 0);
    const double bad[4] = {0, 1, std::nan(""), 1};
    EXPECT_EQ(g.triang(bad, y, 4, i1, i2, i3, 2), 0);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Warning 344"), std::string::npos) << out;
    EXPECT_EQ(i1[0], -7);
    EXPECT_EQ(i3[1], -7);
    EXPECT_EQ(g.triang(x, y, 4, i1, i2, i3, 2), 2);
}

using TriangleColours = FieldFixture;

// The value at a point of a triangle by linear interpolation of its corners.
double interpolate(const double (&px)[3], const double (&py)[3], const double (&z)[3], double x,
                   double y) {
    const double d = cross(px[0], py[0], px[1], py[1], px[2], py[2]);
    const double a = cross(x, y, px[1], py[1], px[2], py[2]) / d;
    const double b = cross(px[0], py[0], x, y, px[2], py[2]) / d;
    return a * z[0] + b * z[1] + (1.0 - a - b) * z[2];
}

TEST_F(TriangleColours, BandsTileTheTriangleWithTheColoursOfTheirValues) {
    // Two triangles over the square [-1, 1]^2 sharing the diagonal; values from below the
    // z axis to above it, so the under and over colours show as well.
    const double x[4] = {-1, 1, 1, -1}, y[4] = {-1, -1, 1, 1}, z[4] = {-0.2, 0.45, 1.3, 0.7};
    const int i1[2] = {0, 0}, i2[2] = {1, 2}, i3[2] = {2, 3};
    const int before = s().colours->current_colour;
    output_of([&] { g_.crvtri(x, y, z, 4, i1, i2, i3, 2); });
    const auto polygons = rec_->of(Call::fill_polygon);
    ASSERT_GT(polygons.size(), 200u);
    EXPECT_EQ(s().colours->current_colour, before);
    // Each polygon inside one triangle (by its centroid), its colour that of the
    // interpolated value there; the areas add up to the triangles'.
    double area[2] = {0, 0};
    std::map<std::pair<double, double>, int> on_diagonal[2];
    bool under = false, over = false;
    int colour = -1;
    for (const auto& c : rec_->calls) {
        if (c.kind == Call::colour) colour = c.colour;
        if (c.kind != Call::fill_polygon) continue;
        double cx = 0, cy = 0;
        for (std::size_t k = 0; k < c.xs.size(); ++k) {
            cx += c.xs[k] / c.xs.size();
            cy += c.ys[k] / c.ys.size();
        }
        const int t = cx - px(-1) > py(-1) - cy ? 0 : 1;  // below the diagonal: first
        const int a = i1[t], b = i2[t], d = i3[t];
        const double tx[3] = {px(x[a]), px(x[b]), px(x[d])}, ty[3] = {py(y[a]), py(y[b]), py(y[d])};
        const double tz[3] = {z[a], z[b], z[d]};
        const int expected = scale_colour(s(), s().fields->scale, interpolate(tx, ty, tz, cx, cy));
        EXPECT_EQ(colour, expected) << cx << ", " << cy;
        under = under || colour == s().colours->under_colour;
        over = over || colour == s().colours->over_colour;
        area[t] += polygon_area(c.xs, c.ys);
        for (std::size_t k = 0; k < c.xs.size(); ++k)
            if (std::fabs((c.xs[k] - px(-1)) - (py(-1) - c.ys[k])) < 1e-6)
                on_diagonal[t][{c.xs[k], c.ys[k]}] = 1;
    }
    EXPECT_TRUE(under);
    EXPECT_TRUE(over);
    EXPECT_NEAR(area[0], 1000.0 * 1000.0 / 2, 1e-3);
    EXPECT_NEAR(area[1], 1000.0 * 1000.0 / 2, 1e-3);
    // Both triangles cut their shared edge at the same points, bit for bit.
    EXPECT_GT(on_diagonal[0].size(), 50u);
    EXPECT_EQ(on_diagonal[0], on_diagonal[1]);
}

TEST_F(TriangleColours, BadIndicesAndArgumentsAreRefused) {
    const double x[3] = {-1, 1, 0}, y[3] = {-1, -1, 1}, z[3] = {0, 0.5, 1};
    const int good[1] = {0}, second[1] = {1}, third[1] = {2}, beyond[1] = {3}, negative[1] = {-1};
    const int before = warnings();
    std::string out = output_of([&] {
        g_.crvtri(x, y, z, 3, good, second, beyond, 1);
        g_.crvtri(x, y, z, 3, negative, second, beyond, 1);
    });
    EXPECT_NE(out.find("Warning 343"), std::string::npos) << out;
    output_of([&] {
        g_.crvtri(x, y, z, 2, good, second, third, 1);
        g_.crvtri(x, y, z, 3, good, second, third, 0);
        g_.crvtri(x, y, nullptr, 3, good, second, third, 1);
    });
    EXPECT_EQ(warnings(), before + 5);
    EXPECT_EQ(rec_->count(Call::fill_polygon), 0);
    // A NaN corner leaves its triangle out without a warning.
    const double nan_z[3] = {0, std::nan(""), 1};
    output_of([&] { g_.crvtri(x, y, nan_z, 3, good, second, third, 1); });
    EXPECT_EQ(rec_->count(Call::fill_polygon), 0);
    EXPECT_EQ(warnings(), before + 5);
    // Outside a colour axis system: level 2 refuses.
    output_of([&] {
        g_.endgrf();
        g_.graf(-1, 1, -1, 0.5, -1, 1, -1, 0.5);
    });
    out = output_of([&] { g_.crvtri(x, y, z, 3, good, second, third, 1); });
    EXPECT_NE(out.find("Warning   3"), std::string::npos) << out;
}

}  // namespace
}  // namespace gvx::testing
